#include "rosterfile/roster_file.h"

namespace rollkeep {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr std::string_view kRecordEnd = "\r\r\n";
}  // namespace

std::string EncodeRoster(const std::vector<std::string>& entries) {
  std::size_t size = 0;
  for (const auto& entry : entries) size += entry.size() + kRecordEnd.size();
  std::string bytes;
  bytes.reserve(size);
  for (const auto& entry : entries) {
    bytes += entry;
    bytes += kRecordEnd;
  }
  return bytes;
}

std::vector<std::string> DecodeRoster(std::string_view bytes, std::size_t limit) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size() && lines.size() <= limit) {
    std::size_t end = bytes.find(kCr, start);
    if (end == std::string_view::npos) end = bytes.size();
    if (end > start) lines.emplace_back(bytes.substr(start, end - start));
    start = end + 1;
    if (end < bytes.size() && start < bytes.size() && bytes[start] == kLf) ++start;
  }
  return lines;
}

}  // namespace rollkeep
