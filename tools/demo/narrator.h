#pragma once
// What the demonstration prints: the room's transcript as it happens, the
// operator's actions and short notes, one flushed line at a time. Safe to use
// from the transcript thread and the main thread together.

#include <mutex>
#include <ostream>
#include <string>
#include <string_view>

namespace rollkeep::demo {

// "mm:ss" of a time in milliseconds.
std::string FormatClock(long long ms);

class Narrator {
public:
  explicit Narrator(std::ostream& out) : out_(out) {}

  // "  [mm:ss] Name: text"
  void Said(long long ms, std::string_view speaker, std::string_view text);
  // "  [mm:ss] text", for a room notice
  void Notice(long long ms, std::string_view text);
  // "  >> operator ..."
  void Operator(std::string_view action);
  // "     ..." for what the demonstration checked or shows
  void Note(std::string_view text);
  // A line as it is.
  void Line(std::string_view text);

private:
  std::mutex mutex_;
  std::ostream& out_;
};

}  // namespace rollkeep::demo
