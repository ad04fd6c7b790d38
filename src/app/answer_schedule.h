#pragma once
// The answers to members' commands, paced. Lines are handled the moment they
// are heard; their answers wait here, in the order of the lines, and go out
// on a timer: an "added" answer no earlier than the announcement pause
// (0.7 s) after its line and after the "added" answer before it, so a burst
// of members never floods the room; any other answer at once, or right after
// the answers before it. Whether an "added" answer is still true is decided
// when it goes out: a name no longer listed by then is not announced. Each
// answer goes to the room its line was said in (the room open when the line
// was handled), never into another room opened since.

#include <deque>
#include <optional>
#include <string>

#include "app/wait_seconds.h"
#include "ports/timer.h"
#include "roster/chat_ports.h"
#include "roster/roster.h"

namespace rollkeep {

class AnswerSchedule final : public Answerer {
public:
  // `timer`'s tick calls OnTimer().
  AnswerSchedule(const Roster& roster, Poster& poster, Timer& timer, Clock& clock)
      : roster_(roster), poster_(poster), timer_(timer), clock_(clock) {}

  void Added(const std::string& screenName, const std::string& announcement) override;
  void Removed(const std::string& announcement) override;
  void DropWaiting() override;
  void OnTimer();

  std::size_t waiting() const { return waiting_.size(); }

private:
  struct Answer {
    std::string text;
    std::optional<std::string> whileListed;  // an "added" answer, for this name
    double handledAt = 0;                    // clock_ seconds
    RoomId room = 0;                         // the room the line was said in
  };

  void Enqueue(Answer answer);
  // Posts every answer whose time has come, in order, then sets the timer
  // for the next one.
  void PostDue();
  // Posts the first answer; false when it is not due yet.
  bool PostFirstIfDue();
  void PostFirst();
  double DueAt(const Answer& answer) const;
  bool IsListed(const std::string& screenName) const;
  // False when the timer was refused.
  bool StartTimer(double seconds);
  void StopTimer();

  const Roster& roster_;
  Poster& poster_;
  Timer& timer_;
  Clock& clock_;
  std::deque<Answer> waiting_;
  std::optional<double> lastAddedAt_;  // when the last "added" answer went out
  bool posting_ = false;
  bool timerRunning_ = false;
};

}  // namespace rollkeep
