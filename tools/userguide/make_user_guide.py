#!/usr/bin/env python3
"""Makes the user's guide that ships in the release zip from README.md.

    make_user_guide.py README.md OUTPUT.txt [--version X.Y.Z]

The README's parts meant for the people who run Rollkeep lie between
"<!-- user-guide:begin -->" and "<!-- user-guide:end -->" lines (any number
of such pairs). Their Markdown becomes plain text that Notepad on Windows XP
shows well: CR LF line ends, no line over 78 columns, headings underlined,
tables as aligned columns or as one entry per row, paragraphs and list items
re-wrapped, emphasis and code marks dropped (a marked name inside a sentence,
such as a button or a command, keeps double quotes), images left out.
Typographic characters become their ASCII look-alikes; should anything else
outside ASCII remain, the file is UTF-8 with a byte order mark, which Notepad
recognises. Standard library only.
"""

import argparse
import html
import re
import sys
import textwrap

WIDTH = 78
BEGIN = "<!-- user-guide:begin -->"
END = "<!-- user-guide:end -->"
# Table columns before the last one no wider than this are laid out side by
# side; wider ones make each row an entry of its own.
ALIGNED_COLUMN_MAX = 24
# A quoted name at most this long is kept on one line when wrapping.
UNBROKEN_SPAN_MAX = 40
NBSP = "\u00a0"  # a space that wrapping must not break at; a plain one in the file

ASCII_LOOKALIKES = {
    "\u2018": "'", "\u2019": "'", "\u201c": '"', "\u201d": '"',
    "\u2013": "-", "\u2014": "--", "\u2026": "...", "\u2192": "->",
    "\u2190": "<-", "\u00d7": "x", "\u2022": "*",
    "\u2264": "<=", "\u2265": ">=", "\u2248": "~",
}


class GuideError(Exception):
    pass


def user_sections(markdown):
    """The lines between each begin and end marker."""
    taken, inside, found = [], False, False
    for number, line in enumerate(markdown.splitlines(), 1):
        mark = line.strip()
        if mark == BEGIN:
            if inside:
                raise GuideError(f"line {number}: a second begin marker before the end")
            inside = found = True
            if taken:
                taken.append("")
        elif mark == END:
            if not inside:
                raise GuideError(f"line {number}: an end marker without a begin")
            inside = False
            taken.append("")
        elif inside:
            taken.append(line)
    if inside:
        raise GuideError("a begin marker without an end")
    if not found:
        raise GuideError(f"no '{BEGIN}' ... '{END}' section")
    return taken


# --- inline Markdown -------------------------------------------------------

CODE_SPAN = re.compile(r"(`+)(.+?)\1", re.S)
IMAGE = re.compile(r"!\[[^\]]*\]\([^)]*\)")
LINK = re.compile(r"\[([^\]]+)\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)")
AUTOLINK = re.compile(r"<((?:https?|mailto):[^>\s]+)>")
STRONG = re.compile(r"(\*\*|__)(?=\S)(.+?)(?<=\S)\1", re.S)
EMPHASIS = re.compile(r"(?<![\w*])\*(?=\S)([^*]+?)(?<=\S)\*(?!\*)|(?<!\w)_(?=\S)([^_]+?)(?<=\S)_(?!\w)")
STRIKE = re.compile(r"~~(?=\S)(.+?)(?<=\S)~~", re.S)
HTML_COMMENT = re.compile(r"<!--.*?-->", re.S)
HTML_BREAK = re.compile(r"<br\s*/?>", re.I)
HTML_TAG = re.compile(r"</?[A-Za-z][A-Za-z0-9]*(?:\s[^<>]*)?/?>")
ESCAPE = re.compile(r"\\([\\`*_{}\[\]()#+\-.!|<>~])")


def quoted(text, whole):
    """A marked name inside a sentence is quoted; a whole cell or item, a
    lead-in ending in punctuation, or text already quoted stays as it is."""
    if whole or not text or '"' in text or text[-1] in ".:;!?,":
        return text
    if len(text) <= UNBROKEN_SPAN_MAX:
        text = text.replace(" ", NBSP)
    return f'"{text}"'


def inline(text):
    """Plain text of one block's Markdown inline content."""
    text = HTML_COMMENT.sub("", text)
    text = IMAGE.sub("", text)
    text = " ".join(text.split())
    bare = STRONG.sub(r"\2", CODE_SPAN.sub(r"\2", text)).strip()

    def whole(content):
        return content.strip() == bare

    # Code spans first: their content is literal, so it is set aside and put
    # back after the rest of the markup is gone.
    literals = []

    def keep_code(match):
        literals.append(quoted(match.group(2).strip(), whole(match.group(2))))
        return f"\x00{len(literals) - 1}\x00"

    text = CODE_SPAN.sub(keep_code, text)
    text = AUTOLINK.sub(r"\1", text)
    text = LINK.sub(lambda m: m.group(1) if m.group(2).startswith("#")
                    else f"{m.group(1)} ({m.group(2)})", text)
    text = STRONG.sub(lambda m: quoted(m.group(2), whole(m.group(2))), text)
    text = EMPHASIS.sub(lambda m: m.group(1) or m.group(2), text)
    text = STRIKE.sub(r"\1", text)
    text = HTML_BREAK.sub(" ", text)
    text = HTML_TAG.sub("", text)
    text = ESCAPE.sub(r"\1", text)
    text = html.unescape(text)
    text = re.sub("\x00(\\d+)\x00", lambda m: literals[int(m.group(1))], text)
    for char, lookalike in ASCII_LOOKALIKES.items():
        text = text.replace(char, lookalike)
    return re.sub(" {2,}", " ", text).strip()


def wrap(text, first_indent="", rest_indent=None, width=WIDTH):
    """Lines of at most width columns; quoted names are not broken."""
    if rest_indent is None:
        rest_indent = first_indent
    lines = textwrap.wrap(text, width=width, initial_indent=first_indent,
                          subsequent_indent=rest_indent, break_on_hyphens=False,
                          break_long_words=True)
    return lines or [first_indent.rstrip()]


# --- blocks ----------------------------------------------------------------

HEADING = re.compile(r"^ {0,3}(#{1,6})\s+(.*?)\s*#*\s*$")
SETEXT = re.compile(r"^ {0,3}(=+|-+)\s*$")
FENCE = re.compile(r"^(\s*)(```+|~~~+)")
LIST_ITEM = re.compile(r"^(\s*)([-*+]|\d+[.)])\s+(.*)$")
TABLE_ROW = re.compile(r"^\s*\|")
TABLE_RULE = re.compile(r"^\s*\|?\s*:?-+:?\s*(\|\s*:?-+:?\s*)*\|?\s*$")
QUOTE = re.compile(r"^\s*>\s?(.*)$")
RULE = re.compile(r"^\s*([-*_])(\s*\1){2,}\s*$")


def table_cells(row):
    row = row.strip()
    if row.startswith("|"):
        row = row[1:]
    if row.endswith("|") and not row.endswith("\\|"):
        row = row[:-1]
    cells, cell, in_code = [], "", False
    for i, char in enumerate(row):
        if char == "`":
            in_code = not in_code
        if char == "|" and not in_code and (i == 0 or row[i - 1] != "\\"):
            cells.append(cell)
            cell = ""
        else:
            cell += char
    cells.append(cell)
    return [inline(c.replace("\\|", "|")) for c in cells]


def render_table(rows, indent):
    columns = max(len(r) for r in rows)
    rows = [r + [""] * (columns - len(r)) for r in rows]
    header, body = rows[0], rows[1:]
    indent += "  "
    if columns == 1:
        return [line for r in body for line in wrap(r[0], indent + "- ", indent + "  ")]
    widths = [max(len(r[c]) for r in rows) for c in range(columns - 1)]
    last_column = len(indent) + sum(w + 2 for w in widths)
    if max(widths) <= ALIGNED_COLUMN_MAX and WIDTH - last_column >= 30:
        return aligned_table(header, body, widths, indent)
    return table_entries(header, body, indent)


def aligned_table(header, body, widths, indent):
    hang = " " * (len(indent) + sum(w + 2 for w in widths))

    def lines_of(cells):
        lead = indent + "".join(c.ljust(w + 2) for c, w in zip(cells, widths))
        return wrap(cells[-1], lead, hang) if cells[-1] else [lead.rstrip()]

    out = lines_of(header)
    out.append(indent + "".join("-" * w + "  " for w in widths)
               + "-" * max(len(header[-1]), 1))
    for row in body:
        out.extend(lines_of(row))
    return out


def table_entries(header, body, indent):
    """Each row an entry: its first cell, then each other cell under the
    column's heading."""
    out = []
    for row in body:
        if out:
            out.append("")
        out.extend(wrap(row[0], indent + "- ", indent + "  "))
        for name, cell in zip(header[1:], row[1:]):
            label = f"{name[:1].upper()}{name[1:]}: " if name else ""
            out.extend(wrap(label + cell, indent + "  ", indent + "    "))
    return out


def heading(level, text):
    lines = wrap(text)
    return lines + [("=" if level <= 2 else "-") * max(len(line) for line in lines)]


class Guide:
    def __init__(self):
        self.out = []

    def block(self, lines):
        while self.out and self.out[-1] == "":
            self.out.pop()
        if self.out:
            self.out.append("")
        self.out.extend(lines)

    def text(self):
        while self.out and self.out[-1] == "":
            self.out.pop()
        return self.out


def render(lines, guide=None, indent=""):
    """Appends the plain text of Markdown lines to guide; list items and
    quotes are rendered through here with a deeper indent."""
    guide = guide or Guide()
    i = 0
    while i < len(lines):
        line = lines[i]
        if not line.strip() or RULE.match(line) or SETEXT.match(line):
            i += 1  # a rule, or an underline with no heading above it
            continue
        if (m := HEADING.match(line)):
            text = inline(m.group(2))
            if text:
                guide.block(heading(len(m.group(1)), text))
            i += 1
        elif (m := FENCE.match(line)):
            fence, body = m.group(2), []
            i += 1
            while i < len(lines) and not lines[i].strip().startswith(fence):
                body.append(indent + "    " + lines[i].rstrip())
                i += 1
            i += 1
            guide.block(body)
        elif TABLE_ROW.match(line) and i + 1 < len(lines) and TABLE_RULE.match(lines[i + 1]):
            rows = [table_cells(line)]
            i += 2
            while i < len(lines) and TABLE_ROW.match(lines[i]):
                rows.append(table_cells(lines[i]))
                i += 1
            guide.block(render_table(rows, indent))
        elif LIST_ITEM.match(line):
            i = render_list(lines, i, guide, indent)
        elif QUOTE.match(line):
            quote = []
            while i < len(lines) and lines[i].strip() and QUOTE.match(lines[i]):
                quote.append(QUOTE.match(lines[i]).group(1))
                i += 1
            render(quote, guide, indent + "  ")
        else:
            paragraph = [line]
            i += 1
            while i < len(lines) and lines[i].strip() and not starts_block(lines, i):
                paragraph.append(lines[i])
                i += 1
            if i < len(lines) and SETEXT.match(lines[i]) and paragraph:
                guide.block(heading(1 if "=" in lines[i] else 3, inline(" ".join(paragraph))))
                i += 1
                continue
            text = inline(" ".join(paragraph))
            if text:
                guide.block(wrap(text, indent))
    return guide


def starts_block(lines, i):
    line = lines[i]
    return bool(HEADING.match(line) or FENCE.match(line) or LIST_ITEM.match(line)
                or QUOTE.match(line) or SETEXT.match(line)
                or TABLE_ROW.match(line) and i + 1 < len(lines)
                and TABLE_RULE.match(lines[i + 1]))


def indent_of(line):
    return len(line) - len(line.lstrip(" "))


def next_text_line(lines, i):
    while i < len(lines) and not lines[i].strip():
        i += 1
    return i


def render_list(lines, i, guide, indent):
    """Renders the list that starts at line i; returns the line after it.
    An item holds the lines indented under it (nested lists, further
    paragraphs) and unindented continuation lines of its text."""
    base = indent_of(lines[i])
    ordered = LIST_ITEM.match(lines[i]).group(2)[0].isdigit()
    items = []
    while i < len(lines):
        m = LIST_ITEM.match(lines[i])
        if not m or indent_of(lines[i]) != base or m.group(2)[0].isdigit() != ordered:
            break
        marker = "-" if m.group(2) in "-*+" else m.group(2)
        content = base + len(m.group(2)) + 1
        body = [m.group(3)]
        i += 1
        while i < len(lines):
            line = lines[i]
            if line.strip():
                if indent_of(line) > base or body[-1].strip() and not starts_block(lines, i):
                    body.append(line[min(content, indent_of(line)):])
                    i += 1
                    continue
                break
            after = next_text_line(lines, i)
            if after < len(lines) and indent_of(lines[after]) > base:
                body.extend([""] * (after - i))
                i = after
                continue
            break
        items.append((marker, body))
        after = next_text_line(lines, i)
        if after < len(lines) and LIST_ITEM.match(lines[after]) and indent_of(lines[after]) == base:
            i = after
        else:
            break
    rendered = []
    for marker, body in items:
        item = Guide()
        render_item(marker, body, item, indent)
        rendered.append(item.text())
    if all(len(item) == 1 for item in rendered):
        guide.block([item[0] for item in rendered])  # short items: one per line
    else:
        for item in rendered:  # long items: a blank line between them
            guide.block(item)
    return i


def render_item(marker, body, guide, indent):
    lead = f"{indent}{marker} "
    hang = indent + " " * (len(marker) + 1)
    k = 1
    while k < len(body) and body[k].strip() and not starts_block(body, k):
        k += 1
    guide.block(wrap(inline(" ".join(body[:k])), lead, hang))
    if k < len(body):
        render(body[k:], guide, hang)


def plain_text(markdown, version=None):
    guide = Guide()
    if version:
        guide.block(heading(1, f"Rollkeep {version}: user's guide"))
    render(user_sections(markdown), guide)
    return guide.text()


def encode(lines):
    text = "".join(line.rstrip().replace(NBSP, " ") + "\r\n" for line in lines)
    if text.isascii():
        return text.encode("ascii")
    return "\ufeff".encode("utf-8") + text.encode("utf-8")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("readme")
    parser.add_argument("output")
    parser.add_argument("--version")
    args = parser.parse_args()
    with open(args.readme, encoding="utf-8") as f:
        markdown = f.read()
    try:
        lines = plain_text(markdown, args.version)
    except GuideError as error:
        sys.exit(f"{args.readme}: {error}")
    too_long = [line for line in lines if len(line) > WIDTH]
    if too_long:
        sys.exit(f"{args.readme}: a line of the guide cannot be wrapped to {WIDTH} "
                 f"columns: {too_long[0]!r}")
    with open(args.output, "wb") as f:
        f.write(encode(lines))


if __name__ == "__main__":
    main()
