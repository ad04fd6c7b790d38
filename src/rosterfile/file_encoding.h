#pragma once
// The encoding of a roster file. Rollkeep writes ANSI text of the system's
// code page with no mark; other editors may begin a file with a byte-order
// mark (Notepad's "UTF-8" and "Unicode"), which says the text is UTF-8 or
// UTF-16. Such text is converted to the code page, or refused whole when a
// character has no counterpart there: a name that reads differently is
// another member.

#include <string>
#include <string_view>

#include "ports/code_page.h"

namespace rollkeep {

struct FileText {
  enum class Form { Ansi, Converted, Refused };
  Form form = Form::Ansi;
  std::string converted;    // the text after the mark, in the code page (Converted)
  std::string_view reason;  // why it cannot be read (Refused)
};

// Ansi when `bytes` begin with no byte-order mark: they are the text.
FileText ReadFileText(std::string_view bytes, const CodePage& page);

// Whether ANSI text that begins with `text` would read as marked Unicode.
bool LooksMarked(std::string_view text);

}  // namespace rollkeep
