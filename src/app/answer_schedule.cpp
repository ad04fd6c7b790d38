#include "app/answer_schedule.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "roster/chat_commands.h"

namespace rollkeep {

namespace {

// Clocks and timers count in milliseconds or finer: a time that rounding put
// a hair before the due time is not early.
constexpr double kRounding = 1e-6;

// Clears a flag when the scope ends, also by an exception.
class FlagScope {
public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~FlagScope() { flag_ = false; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  bool& flag_;
};

}  // namespace

void AnswerSchedule::Added(const std::string& screenName, const std::string& announcement) {
  Enqueue({announcement, screenName, clock_.NowSeconds(), poster_.RoomNow()});
}

void AnswerSchedule::Removed(const std::string& announcement) {
  Enqueue({announcement, std::nullopt, clock_.NowSeconds(), poster_.RoomNow()});
}

void AnswerSchedule::DropWaiting() {
  waiting_.clear();
  StopTimer();
}

void AnswerSchedule::OnTimer() {
  StopTimer();
  PostDue();
}

void AnswerSchedule::Enqueue(Answer answer) {
  waiting_.push_back(std::move(answer));
  PostDue();
}

// A post that handles other events (it should not) finds posting_ set and
// only queues: the loop below takes its answer in turn.
void AnswerSchedule::PostDue() {
  if (posting_) return;
  FlagScope scope(posting_);
  for (;;) {
    while (!waiting_.empty() && PostFirstIfDue()) {
    }
    if (waiting_.empty()) return StopTimer();
    if (StartTimer(DueAt(waiting_.front()) - clock_.NowSeconds())) return;
    // Without a timer nothing would post the rest: they go now, unpaced,
    // rather than never.
    PostFirst();
  }
}

bool AnswerSchedule::PostFirstIfDue() {
  if (DueAt(waiting_.front()) > clock_.NowSeconds() + kRounding) return false;
  PostFirst();
  return true;
}

void AnswerSchedule::PostFirst() {
  const Answer answer = std::move(waiting_.front());
  waiting_.pop_front();
  if (!answer.whileListed) {
    poster_.PostFor(answer.room, answer.text);
  } else if (IsListed(*answer.whileListed)) {
    poster_.PostFor(answer.room, answer.text);
    // Measured once the post is made, so the room sees the pause in full
    // however long the client took over this one.
    lastAddedAt_ = clock_.NowSeconds();
  }
}

double AnswerSchedule::DueAt(const Answer& answer) const {
  if (!answer.whileListed) return answer.handledAt;
  const double after = std::max(answer.handledAt, lastAddedAt_.value_or(answer.handledAt));
  return after + kAnnouncementPause;
}

bool AnswerSchedule::IsListed(const std::string& screenName) const {
  return std::ranges::find(roster_.entries(), screenName) != roster_.entries().end();
}

bool AnswerSchedule::StartTimer(double seconds) {
  // Whole milliseconds, rounded up, so the timer never fires before the time.
  timerRunning_ =
      timer_.Start(static_cast<unsigned>(std::max(1.0, std::ceil(seconds * 1000.0 - kRounding))));
  return timerRunning_;
}

void AnswerSchedule::StopTimer() {
  if (std::exchange(timerRunning_, false)) timer_.Stop();
}

}  // namespace rollkeep
