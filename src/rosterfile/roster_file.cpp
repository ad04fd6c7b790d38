#include "rosterfile/roster_file.h"

#include <algorithm>

#include "rosterfile/file_encoding.h"

namespace rollkeep {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr std::string_view kRecordEnd = "\r\r\n";
constexpr std::string_view kHoldsNul = "it holds a NUL byte, so it is not a text file";
}  // namespace

std::string EncodeRoster(const std::vector<std::string>& entries) {
  const bool guard = !entries.empty() && LooksMarked(entries.front());
  std::size_t size = guard ? kRecordEnd.size() : 0;
  for (const auto& entry : entries) size += entry.size() + kRecordEnd.size();
  std::string bytes;
  bytes.reserve(size);
  if (guard) bytes += kRecordEnd;
  for (const auto& entry : entries) {
    bytes += entry;
    bytes += kRecordEnd;
  }
  return bytes;
}

// Empty lines are skipped, so CR LF ending a line as CR alone does, and
// every run of CRs and LFs, is one gap between lines. The next CR and the
// next LF are each found with one fast search and kept until passed, so a
// file with only one kind of line end is still read in one pass.
std::vector<std::string> DecodeRoster(std::string_view text, std::size_t limit) {
  const auto next = [text](char c, std::size_t from) {
    return std::min(text.find(c, from), text.size());
  };
  std::vector<std::string> lines;
  std::size_t start = 0, nextCr = next(kCr, 0), nextLf = next(kLf, 0);
  while (lines.size() <= limit) {
    while (start < text.size() && (text[start] == kCr || text[start] == kLf)) ++start;
    if (start == text.size()) break;
    if (nextCr < start) nextCr = next(kCr, start);
    if (nextLf < start) nextLf = next(kLf, start);
    const std::size_t end = std::min(nextCr, nextLf);
    lines.emplace_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

DecodedRoster DecodeRosterFile(std::string_view bytes, const CodePage& page, std::size_t limit) {
  const FileText text = ReadFileText(bytes, page);
  if (text.form == FileText::Form::Refused) return {{}, text.reason};
  const std::string_view ansi = text.form == FileText::Form::Converted
                                    ? std::string_view(text.converted)
                                    : bytes;
  if (ansi.find('\0') != std::string_view::npos) return {{}, kHoldsNul};
  return {DecodeRoster(ansi, limit), {}};
}

}  // namespace rollkeep
