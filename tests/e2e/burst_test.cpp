// Twenty members say "list me" at once, once Rollkeep has said "turned on".
// Every line is handled as soon as it is heard: all twenty are listed within
// a second, and a Rollkeep killed 1.5 s after the burst gets them all back at
// its next start. The answers follow in the order said, 0.7 s apart at least.

#include <algorithm>
#include <cstdio>
#include <thread>

#include "driver/dialogs.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

using Seconds = std::chrono::duration<double>;

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

class Burst : public EndToEnd {
protected:
  // Starts both programs, turns Rollkeep on and has the members speak; returns
  // once the list shows them all, which the test expects within a second.
  void SayAtOnce() {
    for (int n = 1; n <= 20; ++n) names_.push_back("Member" + std::to_string(n));
    StartClient();
    StartRollkeepTurnedOn();
    for (const std::string& name : names_) programs_.SayInRoom(name, "list me");
    said_ = driver::Clock::now();
    const ListBoxState listed = PollListBox(
        programs_.RosterBox(), kDeadline,
        [&](const ListBoxState& shown) { return shown.items.size() >= names_.size(); });
    listed_ = driver::Clock::now();
    EXPECT_EQ(listed.items, names_);
    std::printf("[ figure   ] burst of %zu -> all listed: %.2f s\n", names_.size(),
                Seconds(listed_ - said_).count());
    EXPECT_LE(listed_ - said_, 1s);
  }

  std::vector<std::string> names_;
  driver::Clock::time_point said_, listed_;
};

TEST_F(Burst, TwentyAreListedAtOnceAndAnsweredInOrderPaced) {
  SayAtOnce();
  std::vector<long long> times;
  std::vector<std::string> answers;
  PollFor(120s, [&] {
    times.clear();
    answers.clear();
    for (const auto& post : Posted()) {
      if (!post.text.ends_with("has been added to the list")) continue;
      times.push_back(post.ms);
      answers.push_back(post.text);
    }
    return answers.size() >= names_.size();
  });
  std::vector<std::string> expected;
  for (const std::string& name : names_) expected.push_back(Added(name));
  ASSERT_EQ(answers, expected);

  // Each answer at least 0.7 s after its line.
  long long lastSaid = 0;
  for (const auto& line : SaidLines(LogEvents())) {
    const auto said = std::find(names_.begin(), names_.end(), line.speaker);
    if (said == names_.end()) continue;
    EXPECT_GE(times[static_cast<std::size_t>(said - names_.begin())] - line.ms, 700);
    lastSaid = std::max(lastSaid, line.ms);
  }
  std::vector<long long> gaps;
  for (std::size_t i = 1; i < times.size(); ++i) gaps.push_back(times[i] - times[i - 1]);
  std::sort(gaps.begin(), gaps.end());
  EXPECT_GE(gaps.front(), 700);
  std::printf("[ figure   ] answer spacing: min %lld ms, median %lld ms; last answer %.1f s "
              "after the burst\n",
              gaps.front(), gaps[gaps.size() / 2], (times.back() - lastSaid) / 1000.0);
}

// A crash loses nothing heard beyond the recovery copy's coalescing second;
// the answers still waiting are lost with the process. Both programs go, so
// no post cut short in the room's log is taken for a fault.
TEST_F(Burst, AKilledRollkeepGetsTheWholeBurstBack) {
  SayAtOnce();
  std::this_thread::sleep_until(said_ + 1500ms);
  programs_.Kill();
  StartClient();
  programs_.StartRollkeep();
  programs_.OpenMainWindow();
  const auto box = Prompt("Rollkeep");
  EXPECT_EQ(box.text.rfind("Rollkeep did not close normally last time. 20 names were restored", 0),
            0u)
      << box.text;
  AnswerMessageBox(box.window, IDOK);
  ExpectRoster(names_);
}

}  // namespace
}  // namespace rollkeep::e2e
