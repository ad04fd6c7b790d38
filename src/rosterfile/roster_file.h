#pragma once
// The roster file format: plain ANSI text, one record per entry.
//
// Writing: each entry is printed as its bytes followed by CR, and the print
// adds its own CR LF, so a record is <entry> CR CR LF. An empty roster is an
// empty file. When the first entry begins with bytes that read as a
// byte-order mark, an empty record goes first, so the file still reads as
// ANSI text.
// Reading: a line ends at CR, at LF, or at CR LF (files from other editors
// end lines with LF alone; a screen name never holds a line break); the last
// line may end at the end of the file. Empty lines are skipped and every
// other line is kept exactly, so both record forms (with or without the
// trailing CR LF) read back as the same roster.
// A file that begins with a UTF-8 or UTF-16 byte-order mark is converted to
// the code page first (file_encoding.h). A file holding a NUL byte is no
// text file and is refused, by "load list" and by the recovery copy alike.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "ports/code_page.h"

namespace rollkeep {

std::string EncodeRoster(const std::vector<std::string>& entries);

// The text's non-empty lines in file order. Stops once it holds
// `limit` + 1 lines, so a caller that refuses files of more than `limit`
// entries can tell (size() > limit) without decoding all of a huge file.
std::vector<std::string> DecodeRoster(
    std::string_view text, std::size_t limit = std::numeric_limits<std::size_t>::max());

struct DecodedRoster {
  std::vector<std::string> names;
  std::string_view refused;  // why the file is no roster; empty when it was read
  bool read() const { return refused.empty(); }
};

// A whole file as a roster of `page`: its encoding, the NUL rule, then
// DecodeRoster. Every name it gives is non-empty and holds no CR, LF or NUL,
// which is exactly what EncodeRoster writes back unchanged.
DecodedRoster DecodeRosterFile(std::string_view bytes, const CodePage& page,
                               std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace rollkeep
