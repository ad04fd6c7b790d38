#include "narrator.h"

#include <cstdio>

namespace rollkeep::demo {

std::string FormatClock(long long ms) {
  const long long seconds = ms < 0 ? 0 : ms / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld", seconds / 60, seconds % 60);
  return text;
}

void Narrator::Said(long long ms, std::string_view speaker, std::string_view text) {
  Line("  [" + FormatClock(ms) + "] " + std::string(speaker) + ": " + std::string(text));
}

void Narrator::Notice(long long ms, std::string_view text) {
  Line("  [" + FormatClock(ms) + "] " + std::string(text));
}

void Narrator::Operator(std::string_view action) {
  Line("  >> operator " + std::string(action));
}

void Narrator::Note(std::string_view text) { Line("     " + std::string(text)); }

void Narrator::Line(std::string_view text) {
  std::lock_guard lock(mutex_);
  out_ << text << '\n' << std::flush;
}

}  // namespace rollkeep::demo
