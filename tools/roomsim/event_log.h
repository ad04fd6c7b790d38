#pragma once
// The simulator's event log: one line per event, "<ms since start>\t<KIND>\t
// <payload>", written through at once so a reader sees each event as it
// happens.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace roomsim {

// Milliseconds since the program started, on a clock that never steps back.
class Stopwatch {
public:
  std::int64_t ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now() - start_).count();
  }

private:
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

class EventLog {
public:
  // A log that records nothing.
  EventLog() = default;
  // Creates (or empties) the file; false when it cannot be written.
  bool Open(const std::string& path);
  void StartClock(const Stopwatch& clock) { clock_ = clock; }

  // Kinds: SETTEXT, CHAR, LINE, ROOM, INFO.
  void Write(std::string_view kind, std::string_view payload);

private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  Stopwatch clock_;
};

}  // namespace roomsim
