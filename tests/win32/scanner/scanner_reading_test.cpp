// The scanner keeps reading while a handler waits, and tells a transcript it
// cannot read.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

// A client that keeps only its last `keep` lines, each ended by `end`.
class TrimmingRoom {
public:
  TrimmingRoom(HWND room, std::size_t keep, std::string end)
      : room_(room), keep_(keep), end_(std::move(end)) {}

  void Say(const std::string& name, const std::string& text) {
    lines_.push_back(name + ":\t" + text);
    while (lines_.size() > keep_) lines_.pop_front();
    std::string shown;
    for (const std::string& line : lines_) shown += line + end_;
    SetTranscript(room_, shown);
  }

private:
  HWND room_;
  std::size_t keep_;
  std::string end_;
  std::deque<std::string> lines_;
};

// While the handler of "list me" waits out its pause, 27 lines arrive in
// three bursts into a transcript that keeps 20: more than it keeps in all,
// fewer than it keeps between two reads. Every one is heard, in order, after
// the handler returned, and the handler never nests. (Every line end and
// trimming are the transcript follower's, tested without windows.)
TEST_F(ScannerTest, HearsEveryLineSaidWhileAHandlerWaits) {
  TrimmingRoom client(client_->OpenRoom(), 20, "\r\n");
  Lines said = {{"Ann", "list me"}};
  int depth = 0, deepest = 0;
  bool paused = false;
  onLine_ = [&] {
    deepest = std::max(deepest, ++depth);
    if (!std::exchange(paused, true)) {
      for (int burst = 0; burst < 3; ++burst) {
        for (int n = 0; n < 9; ++n) {
          std::string name = "M";  // appended: GCC 12 warns wrongly on "M" + to_string()
          name += std::to_string(burst * 9 + n);
          said.emplace_back(name, n == 8 ? "list me" : "hi");
          client.Say(said.back().first, said.back().second);
        }
        PumpFor(500);  // five ticks: a loaded machine may miss some
      }
      EXPECT_EQ(heard_.size(), 1u) << "handed out while the handler waits";
    }
    --depth;
  };
  scanner_->BeginWatch();
  client.Say("Ann", "list me");
  PumpUntilHeard(said.size());
  EXPECT_EQ(heard_, said);
  EXPECT_EQ(deepest, 1);
}

// A transcript longer than the scanner can read is told once per watch; once
// it is short again, lines are heard again.
TEST_F(ScannerTest, TellsATranscriptTooLargeOnceAndHearsItAgainOnceShorter) {
  std::vector<std::string> told;
  scanner_ = std::make_unique<RoomChatScanner>(
      [this](const std::string& name, const std::string& text) {
        heard_.emplace_back(name, text);
      },
      [&](const std::string& reason) { told.push_back(reason); }, 4000);
  const HWND room = client_->OpenRoom(std::string(5000, 'x') + "\r\n");
  scanner_->BeginWatch();
  Say(room, "Ann", "list me");
  ASSERT_TRUE(PumpUntil([&] { return !told.empty(); }));
  PumpFor(500);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("too large"), std::string::npos) << told[0];
  EXPECT_TRUE(heard_.empty());

  SetTranscript(room, "");
  PumpFor(300);
  Say(room, "Bob", "list me");
  PumpUntilHeard(1);
  EXPECT_EQ(heard_, (Lines{{"Bob", "list me"}}));

  scanner_->EndWatch();
  scanner_->BeginWatch();  // a new watch tells again
  Append(room, std::string(5000, 'y'));
  ASSERT_TRUE(PumpUntil([&] { return told.size() == 2; }));
}

}  // namespace
}  // namespace rollkeep::win32::testing
