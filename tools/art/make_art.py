#!/usr/bin/env python3
"""Draws Rollkeep's icon and splash picture.

    make_art.py OUTPUT_FOLDER [--png]

writes OUTPUT_FOLDER/rollkeep.ico (32 x 32, 256 colours, with a transparency
mask) and OUTPUT_FOLDER/splash.bmp (403 x 177, 256 colours, bottom-up); with
--png also rollkeep.png and splash.png previews. Standard library only, and the
same bytes on every run: the pictures are drawn from the shapes below, not
read from anywhere.

The splash leaves its lower right calm and dark (around x 296..409,
y 88..105): the program draws its light-grey credit line there.
"""

import argparse
import os
import struct
import sys
import zlib

SPLASH_SIZE = (403, 177)
ICON_SIZE = 32
CALM_AREA = (290, 84, 402, 110)  # x0, y0, x1, y1: nothing but background here

# Colours (r, g, b).
NIGHT_TOP = (0x17, 0x25, 0x40)
NIGHT_BOTTOM = (0x08, 0x0C, 0x18)
GLOW = (0x2E, 0x5C, 0x8A)
FRAME = (0x2C, 0x40, 0x62)
BOARD = (0x2C, 0x4A, 0x6E)
BOARD_EDGE = (0x1C, 0x30, 0x4A)
PAPER_TOP = (0xF4, 0xF7, 0xFB)
PAPER_BOTTOM = (0xD9, 0xE2, 0xEC)
CLIP = (0xA9, 0xBC, 0xCF)
CLIP_SHADE = (0x6F, 0x84, 0x9C)
NAME_BAR = (0x93, 0xA3, 0xB6)
CHECK = (0x25, 0xAE, 0x60)
OPEN_BOX = (0xA8, 0xB5, 0xC4)
WHITE = (0xFF, 0xFF, 0xFF)
TITLE_BOTTOM = (0xB4, 0xD2, 0xF0)
SHADOW = (0x00, 0x00, 0x00)
TAGLINE = (0x62, 0xD2, 0xA2)
BUBBLE_LIST = (0x23, 0x46, 0x74)
BUBBLE_REMOVE = (0x1E, 0x5A, 0x4C)

# ---------------------------------------------------------------------------
# A 5-wide pixel font on a 9-row cell: rows 0..6 hold capitals and ascenders,
# rows 2..6 the lower-case body, rows 7..8 descenders.

GLYPHS = {
    " ": ["....."] * 9,
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", ".....", "....."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###.", ".....", "....."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####", ".....", "....."],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#....", ".....", "....."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#", ".....", "....."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#", ".....", "....."],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#", ".....", "....."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###.", ".....", "....."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#....", ".....", "....."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#", ".....", "....."],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####.", ".....", "....."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#..", ".....", "....."],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###.", ".....", "....."],
    "k": ["#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#.", ".....", "....."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###.", ".....", "....."],
    "m": [".....", ".....", "##.#.", "#.#.#", "#.#.#", "#.#.#", "#...#", ".....", "....."],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."],
    "p": [".....", ".....", "####.", "#...#", "#...#", "#...#", "####.", "#....", "#...."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#....", ".....", "....."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####.", ".....", "....."],
    "t": [".#...", ".#...", "####.", ".#...", ".#...", ".#..#", "..##.", ".....", "....."],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#..", ".....", "....."],
}
GLYPH_ADVANCE = 6  # five columns and a gap


def text_width(text, scale):
    return (len(text) * GLYPH_ADVANCE - 1) * scale


# ---------------------------------------------------------------------------
# Drawing: an RGB canvas with coverage, shapes tested at 4 x 4 samples a pixel.

SAMPLES = [(i + 0.5) / 4 for i in range(4)]


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.rgb = [(0.0, 0.0, 0.0)] * (width * height)
        self.alpha = [0.0] * (width * height)

    def blend(self, x, y, colour, amount):
        if amount <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        i = y * self.width + x
        self.rgb[i] = mix(self.rgb[i], colour, amount)
        self.alpha[i] += (1.0 - self.alpha[i]) * amount

    def fill(self, inside, box, paint, opacity=1.0):
        """Paints where `inside(x, y)` holds, anti-aliased; `paint` is a colour
        or a function of the pixel (x, y) giving one."""
        x0, y0, x1, y1 = (int(v) for v in box)
        for y in range(max(y0 - 1, 0), min(y1 + 2, self.height)):
            for x in range(max(x0 - 1, 0), min(x1 + 2, self.width)):
                hits = sum(1 for sy in SAMPLES for sx in SAMPLES if inside(x + sx, y + sy))
                if hits:
                    colour = paint(x, y) if callable(paint) else paint
                    self.blend(x, y, colour, opacity * hits / 16.0)

    def rect(self, x0, y0, x1, y1, colour, opacity=1.0):
        """A pixel-aligned rectangle [x0, x1) x [y0, y1), no anti-aliasing."""
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                paint = colour(x, y) if callable(colour) else colour
                self.blend(x, y, paint, opacity)


def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + radius - x, 0, x - (x1 - radius))
        dy = max(y0 + radius - y, 0, y - (y1 - radius))
        return dx * dx + dy * dy <= radius * radius
    return inside, (x0, y0, x1, y1)


def circle(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def ring(cx, cy, r, width):
    inner = r - width
    return ((lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r),
            (cx - r, cy - r, cx + r, cy + r))


def polyline(points, width):
    """A stroke through `points` with round ends and joins."""
    half = width / 2.0
    segments = list(zip(points, points[1:]))

    def near(x, y):
        for (ax, ay), (bx, by) in segments:
            vx, vy = bx - ax, by - ay
            t = ((x - ax) * vx + (y - ay) * vy) / float(vx * vx + vy * vy)
            t = min(max(t, 0.0), 1.0)
            dx, dy = x - (ax + t * vx), y - (ay + t * vy)
            if dx * dx + dy * dy <= half * half:
                return True
        return False

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return near, (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half)


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)

    xs, ys = (a[0], b[0], c[0]), (a[1], b[1], c[1])
    return inside, (min(xs), min(ys), max(xs), max(ys))


def draw_text(canvas, text, left, top, scale, paint, opacity=1.0):
    for n, ch in enumerate(text):
        glyph = GLYPHS[ch]
        gx = left + n * GLYPH_ADVANCE * scale
        for row, line in enumerate(glyph):
            for col, bit in enumerate(line):
                if bit == "#":
                    x, y = gx + col * scale, top + row * scale
                    canvas.rect(x, y, x + scale, y + scale, paint, opacity)


# ---------------------------------------------------------------------------
# The pictures.

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
NIGHT_STEPS = 32
GLOW_STEPS = 10


def dithered_step(value, steps, x, y):
    """`value` in 0..1 as one of `steps` levels, ordered-dithered between the
    two nearest so that a few levels show no bands."""
    scaled = value * (steps - 1)
    step = int(scaled)
    if scaled - step > (BAYER4[y % 4][x % 4] + 0.5) / 16:
        step += 1
    return min(step, steps - 1) / (steps - 1)


def night(x, y):
    """The splash background: a dark gradient with a soft glow behind the
    clipboard, both in few dithered steps to keep the colours few."""
    w, h = SPLASH_SIZE
    level = (y / (h - 1)) * 0.85 + (x / (w - 1)) * 0.15
    base = mix(NIGHT_TOP, NIGHT_BOTTOM, dithered_step(level, NIGHT_STEPS, x, y))
    d2 = ((x - 76) / 120.0) ** 2 + ((y - 88) / 100.0) ** 2
    if d2 >= 1:
        return base
    glow = dithered_step((1 - d2) ** 2, GLOW_STEPS, x + 2, y + 1) * 0.35
    return mix(base, GLOW, glow)


def draw_clipboard(c):
    # Soft shadow: stacked rounded rectangles, each a little larger.
    for grow, amount in ((6, 0.10), (4, 0.12), (2, 0.16)):
        inside, box = rounded_rect(30 - grow + 5, 22 - grow + 6, 122 + grow + 5, 162 + grow + 6,
                                   9 + grow)
        c.fill(inside, box, SHADOW, amount)
    c.fill(*rounded_rect(30, 22, 122, 162, 9), BOARD_EDGE)
    c.fill(*rounded_rect(31.5, 23.5, 120.5, 160.5, 8), BOARD)
    c.fill(*rounded_rect(39, 36, 113, 153, 4),
           lambda x, y: mix(PAPER_TOP, PAPER_BOTTOM, (y - 36) / 117.0))
    # The clip, with its hole.
    c.fill(*rounded_rect(58, 15, 94, 36, 5), CLIP_SHADE)
    c.fill(*rounded_rect(58, 13, 94, 33, 5), CLIP)
    c.fill(*rounded_rect(70, 17, 82, 24, 3), BOARD)
    # The roster: four names ticked, one waiting.
    lengths = (40, 30, 44, 26, 36)
    for row, length in enumerate(lengths):
        cy = 55 + row * 21
        if row < 4:
            c.fill(*circle(51, cy, 6.5), CHECK)
            c.fill(*polyline([(47.5, cy + 0.5), (50, cy + 3), (54.5, cy - 2.5)], 2.0), WHITE)
        else:
            c.fill(*ring(51, cy, 6.5, 1.6), OPEN_BOX)
        c.fill(*polyline([(64, cy), (64 + length, cy)], 5.0), NAME_BAR)


def draw_title(c):
    left, top, scale = 148, 22, 5
    draw_text(c, "Rollkeep", left + 3, top + 3, scale, SHADOW, 0.55)
    draw_text(c, "Rollkeep", left, top, scale,
              lambda x, y: mix(WHITE, TITLE_BOTTOM, min(max((y - top) / 35.0, 0), 1)))
    draw_text(c, "ROSTER KEEPER FOR CHAT ROOMS", left + 2, top + 52, 1, TAGLINE)


def draw_bubble(c, text, left, top, fill, tail_left):
    scale = 2
    width = text_width(text, scale) + 20
    height = 28
    c.fill(*rounded_rect(left + 2, top + 3, left + width + 2, top + height + 3, 8), SHADOW, 0.2)
    c.fill(*rounded_rect(left, top, left + width, top + height, 8), fill)
    tip = left + 14 if tail_left else left + width - 14
    c.fill(*triangle((tip - 6, top + height - 1), (tip + 6, top + height - 1),
                     (tip - 8 if tail_left else tip + 8, top + height + 8)), fill)
    draw_text(c, text, left + 10, top + 4, scale, WHITE)


def make_splash():
    w, h = SPLASH_SIZE
    c = Canvas(w, h)
    c.rect(0, 0, w, h, night)
    # A thin frame: the window has no border of its own.
    for x0, y0, x1, y1 in ((0, 0, w, 1), (0, h - 1, w, h), (0, 0, 1, h), (w - 1, 0, w, h)):
        c.rect(x0, y0, x1, y1, FRAME)
    draw_clipboard(c)
    draw_title(c)
    draw_bubble(c, "list me", 150, 98, BUBBLE_LIST, True)
    draw_bubble(c, "remove me", 172, 134, BUBBLE_REMOVE, True)
    check_calm(c)
    return c


def check_calm(canvas):
    """Refuses a picture that draws into the credit line's place."""
    x0, y0, x1, y1 = CALM_AREA
    for y in range(y0, y1):
        for x in range(x0, x1):
            if to_bytes(canvas.rgb[y * canvas.width + x]) != to_bytes(night(x, y)):
                raise SystemExit("make_art: the splash draws at (%d, %d), where the credit "
                                 "line goes" % (x, y))


def make_icon():
    c = Canvas(ICON_SIZE, ICON_SIZE)
    c.fill(*rounded_rect(3, 3, 28, 31, 3), BOARD_EDGE)
    c.fill(*rounded_rect(4, 4, 27, 30, 2.5), BOARD)
    c.fill(*rounded_rect(7, 8, 24, 27, 1.5), lambda x, y: mix(PAPER_TOP, PAPER_BOTTOM, y / 31.0))
    c.fill(*rounded_rect(10, 1, 21, 7, 2), CLIP)
    c.fill(*rounded_rect(13.5, 2.5, 17.5, 4.5, 1), BOARD)
    for cy in (12, 16.5, 21):
        c.fill(*polyline([(10, cy), (21, cy)], 2.0), NAME_BAR)
    tick = [(14.5, 21.5), (19, 26), (29, 14)]
    c.fill(*polyline(tick, 6.5), WHITE)
    c.fill(*polyline(tick, 3.8), CHECK)
    return c


# ---------------------------------------------------------------------------
# 256 colours: the canvas' colours, cut down by median cut when there are more.

def to_bytes(colour):
    return tuple(min(255, max(0, int(round(v)))) for v in colour)


def median_cut(histogram, count):
    """Splits the colour space into at most `count` boxes, always the box
    with the widest channel range weighted by its pixels; each box becomes
    its pixel-weighted mean. Returns (palette, colour -> palette index)."""
    boxes = [sorted(histogram.items())]

    def score(box):
        if len(box) < 2:
            return -1
        spread = max(max(c[k] for c, _ in box) - min(c[k] for c, _ in box) for k in range(3))
        return spread * sum(n for _, n in box) ** 0.5

    while len(boxes) < count:
        scores = [score(b) for b in boxes]
        best = max(range(len(boxes)), key=lambda i: (scores[i], -i))
        if scores[best] < 0:
            break
        box = boxes[best]
        channel = max(range(3), key=lambda k: (max(c[k] for c, _ in box) -
                                               min(c[k] for c, _ in box), -k))
        box.sort(key=lambda item: (item[0][channel], item[0]))
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for i, (_, n) in enumerate(box[:-1]):
            running += n
            cut = i + 1
            if running * 2 >= total:
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]

    palette, index = [], {}
    for box in boxes:
        total = sum(n for _, n in box)
        mean = tuple(int(round(sum(c[k] * n for c, n in box) / total)) for k in range(3))
        for colour, _ in box:
            index[colour] = len(palette)
        palette.append(mean)
    return palette, index


def quantise(colours, reserved):
    """Palette of 256 entries that starts with `reserved`, and the index of
    each of `colours`."""
    histogram = {}
    for colour in colours:
        histogram[colour] = histogram.get(colour, 0) + 1
    room = 256 - len(reserved)
    if len(histogram) <= room:
        palette = sorted(histogram)
        index = {colour: n for n, colour in enumerate(palette)}
    else:
        palette, index = median_cut(histogram, room)
    offset = len(reserved)
    full = list(reserved) + palette
    full += [(0, 0, 0)] * (256 - len(full))
    return full, [index[colour] + offset for colour in colours]


def palette_bytes(palette):
    return b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in palette)


def bitmap_info(width, height, image_bytes):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, image_bytes, 2835, 2835,
                       256, 0)


def rows_bottom_up(indices, width, height):
    stride = (width + 3) & ~3
    out = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytes(indices[y * width:(y + 1) * width])
        out += row + b"\0" * (stride - width)
    return bytes(out)


def write_bmp(path, canvas):
    w, h = canvas.width, canvas.height
    palette, indices = quantise([to_bytes(c) for c in canvas.rgb], [])
    pixels = rows_bottom_up(indices, w, h)
    offset = 14 + 40 + 256 * 4
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    write(path, header + bitmap_info(w, h, len(pixels)) + palette_bytes(palette) + pixels)


def write_ico(path, canvas):
    """One 32 x 32 image, 8 bits a pixel: the colour rows, then the 1-bit AND
    mask (1 = transparent). Transparent pixels use colour 0, black."""
    size = canvas.width
    opaque = [a >= 0.5 for a in canvas.alpha]
    colours = [to_bytes(c) for c, keep in zip(canvas.rgb, opaque) if keep]
    palette, opaque_indices = quantise(colours, [(0, 0, 0)])
    it = iter(opaque_indices)
    indices = [next(it) if keep else 0 for keep in opaque]
    xor = rows_bottom_up(indices, size, size)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (0 if opaque[y * size + x] else 1)
        mask += bits.to_bytes(size // 8, "big") + b"\0" * (mask_stride - size // 8)
    image = (bitmap_info(size, size * 2, len(xor) + len(mask)) + palette_bytes(palette) + xor +
             bytes(mask))
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 8, len(image), 6 + 16)
    write(path, directory + entry + image)


def write_png(path, canvas, background=(0x80, 0x80, 0x80)):
    """A preview for people: the picture over grey where it is transparent."""
    raw = bytearray()
    for y in range(canvas.height):
        raw.append(0)
        for x in range(canvas.width):
            i = y * canvas.width + x
            colour = canvas.rgb[i] if canvas.alpha[i] >= 0.5 else background
            raw += bytes(to_bytes(colour))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0)
    write(path, b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
          chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def write(path, data):
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def main(argv):
    parser = argparse.ArgumentParser(description="Draws Rollkeep's icon and splash picture.")
    parser.add_argument("output", help="folder for rollkeep.ico and splash.bmp")
    parser.add_argument("--png", action="store_true", help="also write PNG previews")
    args = parser.parse_args(argv)
    os.makedirs(args.output, exist_ok=True)
    icon, splash = make_icon(), make_splash()
    write_ico(os.path.join(args.output, "rollkeep.ico"), icon)
    write_bmp(os.path.join(args.output, "splash.bmp"), splash)
    if args.png:
        write_png(os.path.join(args.output, "rollkeep.png"), icon)
        write_png(os.path.join(args.output, "splash.png"), splash)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
