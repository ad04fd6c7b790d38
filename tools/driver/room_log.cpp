#include "driver/room_log.h"

#include <charconv>
#include <utility>

#include "driver/poll.h"
#include "room/room_posting.h"

namespace rollkeep::driver {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Decodes the escape that starts at escaped[i] (a backslash) into `out` and
// returns the length of the escape.
std::size_t DecodeEscape(std::string_view escaped, std::size_t i,
                         std::string& out) {
  const char code = i + 1 < escaped.size() ? escaped[i + 1] : '\0';
  switch (code) {
    case '\\': out += '\\'; return 2;
    case 'r': out += '\r'; return 2;
    case 'n': out += '\n'; return 2;
    case 't': out += '\t'; return 2;
    case 'x': {
      const int high = i + 2 < escaped.size() ? HexDigit(escaped[i + 2]) : -1;
      const int low = i + 3 < escaped.size() ? HexDigit(escaped[i + 3]) : -1;
      if (high < 0 || low < 0) break;
      out += static_cast<char>(high * 16 + low);
      return 4;
    }
    default: break;
  }
  throw DriverError("malformed escape in log payload: " +
                    std::string(escaped));
}

LogKind ParseKind(std::string_view kind) {
  if (kind == "SETTEXT") return LogKind::SetText;
  if (kind == "CHAR") return LogKind::Char;
  if (kind == "LINE") return LogKind::Line;
  return LogKind::Other;
}

LogEvent ParseLine(std::string_view line) {
  const auto first = line.find('\t');
  const auto second =
      first == std::string_view::npos ? first : line.find('\t', first + 1);
  if (second == std::string_view::npos) {
    throw DriverError("malformed log line: " + std::string(line));
  }
  LogEvent event;
  const auto [end, error] =
      std::from_chars(line.data(), line.data() + first, event.ms);
  if (error != std::errc() || end != line.data() + first) {
    throw DriverError("malformed time in log line: " + std::string(line));
  }
  event.kind = ParseKind(line.substr(first + 1, second - first - 1));
  event.payload = Unescape(line.substr(second + 1));
  return event;
}

std::string DescribeGroup(const std::vector<std::string>& texts) {
  std::string description = std::to_string(texts.size()) + " texts set:";
  for (const auto& text : texts) description += " [" + text + "]";
  return description;
}

}  // namespace

std::string Unescape(std::string_view escaped) {
  std::string out;
  out.reserve(escaped.size());
  for (std::size_t i = 0; i < escaped.size();) {
    if (escaped[i] == '\\') {
      i += DecodeEscape(escaped, i, out);
    } else {
      out += escaped[i++];
    }
  }
  return out;
}

std::vector<LogEvent> ParseLog(std::string_view text) {
  std::vector<LogEvent> events;
  std::size_t start = 0;
  for (auto end = text.find('\n'); end != std::string_view::npos;
       start = end + 1, end = text.find('\n', start)) {
    auto line = text.substr(start, end - start);
    // A raw CR only ever ends a line: CRs inside payloads are escaped.
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) events.push_back(ParseLine(line));
  }
  return events;
}

PostScan ScanPosts(const std::vector<LogEvent>& events) {
  PostScan scan;
  std::vector<std::string> texts;
  long long firstMs = 0;
  bool afterPost = false;
  for (const auto& event : events) {
    if (event.kind == LogKind::Line || event.kind == LogKind::Other) continue;
    if (event.kind == LogKind::SetText) {
      if (std::exchange(afterPost, false) && !event.payload.empty()) {
        scan.putBack.push_back({event.ms, event.payload});
        continue;
      }
      if (texts.empty()) firstMs = event.ms;
      texts.push_back(event.payload);
      continue;
    }
    const bool wellFormed = event.payload == "13" && texts.size() == 4 &&
                            texts[0].empty() && texts[1].empty() &&
                            texts[2].empty();
    if (!wellFormed && scan.fault.empty()) {
      scan.fault = "at " + std::to_string(event.ms) + " ms: character " +
                   event.payload + " after " + DescribeGroup(texts);
    }
    if (wellFormed) scan.posts.push_back({firstMs, texts[3]});
    afterPost = wellFormed;
    texts.clear();
  }
  return scan;
}

std::vector<Announcement> Announcements(const std::vector<Post>& posts) {
  constexpr std::string_view prefix = Brask32::StylePrefix;
  std::vector<Announcement> announcements;
  for (const auto& post : posts) {
    const bool styled = post.line.starts_with(prefix);
    announcements.push_back({post.ms, styled ? post.line.substr(prefix.size())
                                             : std::string(kNoPrefix) + post.line});
  }
  return announcements;
}

std::vector<SaidLine> SaidLines(const std::vector<LogEvent>& events) {
  std::vector<SaidLine> lines;
  for (const auto& event : events) {
    if (event.kind != LogKind::Line) continue;
    const auto split = event.payload.find(":\t");
    if (split == std::string::npos) continue;
    lines.push_back({event.ms, event.payload.substr(0, split),
                     event.payload.substr(split + 2)});
  }
  return lines;
}

}  // namespace rollkeep::driver
