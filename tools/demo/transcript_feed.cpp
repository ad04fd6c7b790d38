#include "transcript_feed.h"

#include <chrono>
#include <exception>

#include "driver/files.h"
#include "driver/poll.h"

namespace rollkeep::demo {

namespace {

constexpr std::chrono::milliseconds kFollowInterval{100};
constexpr std::string_view kSpeakerEnd = ":\t";

}  // namespace

void TranscriptFeed::Start() {
  if (thread_.joinable()) return;
  stopping_ = false;
  thread_ = std::thread([this] { Follow(); });
}

void TranscriptFeed::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  if (fault_.empty()) {
    try {
      CatchUp();
    } catch (const std::exception&) {
      // The last look is best effort; the checks have read the log already.
    }
  }
}

std::vector<driver::LogEvent> TranscriptFeed::Events() {
  std::lock_guard lock(mutex_);
  if (!fault_.empty()) throw driver::DriverError(fault_);
  CatchUp();
  return events_;
}

void TranscriptFeed::Follow() {
  while (!stopping_) {
    {
      std::lock_guard lock(mutex_);
      if (!fault_.empty()) return;
      try {
        CatchUp();
      } catch (const std::exception& e) {
        fault_ = std::string("cannot follow the room's log: ") + e.what();
        return;
      }
    }
    std::this_thread::sleep_for(kFollowInterval);
  }
}

// Called with the mutex held.
void TranscriptFeed::CatchUp() {
  // The client creates the log as it starts: until then there is nothing.
  const auto bytes = driver::ReadFileBytes(logPath_);
  if (!bytes) return;
  events_ = driver::ParseLog(*bytes);
  for (; shown_ < events_.size(); ++shown_) Show(events_[shown_]);
}

void TranscriptFeed::Show(const driver::LogEvent& event) {
  if (event.kind != driver::LogKind::Line) return;
  const auto end = event.payload.find(kSpeakerEnd);
  if (end == std::string::npos) {
    narrator_.Notice(event.ms, event.payload);
    return;
  }
  narrator_.Said(event.ms, std::string_view(event.payload).substr(0, end),
                 std::string_view(event.payload).substr(end + kSpeakerEnd.size()));
}

}  // namespace rollkeep::demo
