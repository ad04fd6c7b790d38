#pragma once
// Follows the simulated client's log while the demonstration runs: prints
// every transcript line as it appears and keeps all events for the checks.

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "driver/room_log.h"
#include "narrator.h"

namespace rollkeep::demo {

class TranscriptFeed {
public:
  TranscriptFeed(std::string logPath, Narrator& narrator)
      : logPath_(std::move(logPath)), narrator_(narrator) {}
  ~TranscriptFeed() { Stop(); }
  TranscriptFeed(const TranscriptFeed&) = delete;
  TranscriptFeed& operator=(const TranscriptFeed&) = delete;

  // Prints new transcript lines from now on, from a thread of its own.
  void Start();
  // Prints what is new and stops following.
  void Stop();
  // Prints what is new, then returns every event logged so far, so that
  // what a check looked at has been shown first. Throws DriverError when
  // the log cannot be read.
  std::vector<driver::LogEvent> Events();

private:
  void Follow();
  void CatchUp();
  void Show(const driver::LogEvent& event);

  std::string logPath_;
  Narrator& narrator_;
  std::mutex mutex_;
  std::vector<driver::LogEvent> events_;
  std::size_t shown_ = 0;
  std::string fault_;  // why the log could not be followed
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace rollkeep::demo
