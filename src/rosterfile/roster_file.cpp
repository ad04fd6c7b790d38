#include "rosterfile/roster_file.h"

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

// CR LF ends a line as CR alone does and the empty line between them is
// skipped, so splitting at every CR and LF gives the same lines.
std::vector<std::string> DecodeRoster(std::string_view text, std::size_t limit) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size() && lines.size() <= limit) {
    std::size_t end = start;
    while (end < text.size() && text[end] != kCr && text[end] != kLf) ++end;
    if (end > start) lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
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
