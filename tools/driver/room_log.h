#pragma once
// Reading the log of the simulated chat client: every message its entry box
// received and every line of its transcript, one event per line:
//   <ms since start> TAB <KIND> TAB <payload>
// with "\\", "\r", "\n", "\t" and "\xHH" escapes in the payload. Plain C++,
// no Windows header.

#include <string>
#include <string_view>
#include <vector>

namespace rollkeep::driver {

// Other: any further kind the client logs (room opened, notes); the driver
// does not look at those.
enum class LogKind { SetText, Char, Line, Other };

struct LogEvent {
  long long ms = 0;
  LogKind kind = LogKind::Line;
  std::string payload;  // unescaped

  bool operator==(const LogEvent&) const = default;
};

// Undoes the payload escapes. Throws DriverError on a malformed escape.
std::string Unescape(std::string_view escaped);

// The events of every complete (newline-ended) line of `text`; a last line
// still being written is left out. Throws DriverError on a malformed line.
std::vector<LogEvent> ParseLog(std::string_view text);

// One line posted into the room: the entry box's text set to "" three
// times, then to `line`, then the character 13.
struct Post {
  long long ms = 0;  // time of the first of the five messages
  std::string line;

  bool operator==(const Post&) const = default;
};

struct PostScan {
  std::vector<Post> posts;
  // Texts set right after a post's Enter: what the operator had typed into
  // the box, put back by Rollkeep.
  std::vector<Post> putBack;
  // Empty when every completed group of entry-box messages was exactly the
  // five messages of a post; otherwise what was wrong with the first bad one.
  std::string fault;
};

// Groups the entry-box messages into posts. A non-empty text set right after
// a post's Enter is put back, not the start of a post. Messages after the
// last character 13 (a post still being typed) are not counted.
PostScan ScanPosts(const std::vector<LogEvent>& events);

// A post as Rollkeep's announcement: the line without the style prefix. A
// line that lacks the prefix keeps all of it behind "<no prefix> ", so that a
// comparison shows it.
struct Announcement {
  long long ms = 0;  // when its first message reached the entry box
  std::string text;

  bool operator==(const Announcement&) const = default;
};

inline constexpr std::string_view kNoPrefix = "<no prefix> ";

std::vector<Announcement> Announcements(const std::vector<Post>& posts);

// A transcript line "<screen name>:<TAB><text>".
struct SaidLine {
  long long ms = 0;
  std::string speaker;
  std::string text;
};

// The transcript lines that are chat lines (room notices without ":<TAB>"
// are left out).
std::vector<SaidLine> SaidLines(const std::vector<LogEvent>& events);

}  // namespace rollkeep::driver
