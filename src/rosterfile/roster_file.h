#pragma once
// The roster file format: plain ANSI text, one record per entry.
//
// Writing: each entry is printed as its bytes followed by CR, and the print
// adds its own CR LF, so a record is <entry> CR CR LF. An empty roster is an
// empty file.
// Reading: a line ends at CR; an LF directly after that CR is part of the
// ending, any other LF is an ordinary character; the last line may end at the
// end of the file. Empty lines are skipped and every other line is kept
// exactly, so both record forms (with or without the trailing CR LF) read back
// as the same roster.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace rollkeep {

std::string EncodeRoster(const std::vector<std::string>& entries);

// The file's non-empty lines in file order. Stops once it holds
// `limit` + 1 lines, so a caller that refuses files of more than `limit`
// entries can tell (size() > limit) without decoding all of a huge file.
std::vector<std::string> DecodeRoster(
    std::string_view bytes, std::size_t limit = std::numeric_limits<std::size_t>::max());

}  // namespace rollkeep
