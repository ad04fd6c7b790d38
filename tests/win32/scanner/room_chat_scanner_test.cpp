#include "platform/win32/scanner/room_chat_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

TEST_F(ScannerTest, RaisesEachLineSaidWhileWatchingOnceInOrder) {
  const HWND room = OpenRoom(client_, "Ann:\tlist me\r\n");
  Say(room, "Bob", "said before the watch");
  scanner_->BeginWatch();
  Say(room, "Bob Smith", "list me");
  Say(room, "a:b", "x:\ty");
  PumpUntilHeard(2);
  scanner_->EndWatch();
  Say(room, "Ann", "while off");
  PumpFor(300);
  scanner_->BeginWatch();
  Say(room, "Ann", "on again");
  PumpUntilHeard(3);
  EXPECT_EQ(heard_, (Lines{{"Bob Smith", "list me"}, {"a:b", "x:\ty"}, {"Ann", "on again"}}));
}

TEST_F(ScannerTest, FindsTheRoomOnceThereIsOneAndAgainAfterItClosed) {
  ::DestroyWindow(std::exchange(client_, nullptr));
  scanner_->BeginWatch();
  PumpFor(300);
  // Nobody speaks in a room before the scanner has read it: a line said
  // before that is the room's history.
  const auto followed = [&](HWND room) {
    return PumpUntil([&] { return scanner_->FollowedRoom() == room; });
  };
  client_ = OpenClient();
  HWND room = OpenRoom(client_, "Old:\tsaid before the room was found\r\n");
  ASSERT_TRUE(followed(room));
  Say(room, "Ann", "in the first room");
  PumpUntilHeard(1);
  ::DestroyWindow(room);
  room = OpenRoom(client_, "Old:\tsaid before this room was found\r\n");
  ASSERT_TRUE(followed(room));
  Say(room, "Bob", "in the second room");
  PumpUntilHeard(2);
  EXPECT_EQ(heard_, (Lines{{"Ann", "in the first room"}, {"Bob", "in the second room"}}));
}

// A handler may pump messages (the pause before an announcement), and the
// scanner's timer fires meanwhile: lines said then come after it, each once,
// and handlers never nest.
TEST_F(ScannerTest, AHandlerThatPumpsIsNotReentered) {
  const HWND room = OpenRoom(client_);
  int depth = 0, deepest = 0;
  onLine_ = [&] {
    deepest = std::max(deepest, ++depth);
    if (heard_.back().second == "first") {
      Say(room, "Bob", "second");
      PumpFor(350);
      Say(room, "Eve", "third");
      PumpFor(350);
    }
    --depth;
  };
  scanner_->BeginWatch();
  Say(room, "Ann", "first");
  PumpUntilHeard(3);
  EXPECT_EQ(heard_, (Lines{{"Ann", "first"}, {"Bob", "second"}, {"Eve", "third"}}));
  EXPECT_EQ(deepest, 1);
}

// A handler that ends the watch or destroys the scanner itself:
// the lines read with its line are dropped.
class HandlerStops : public ScannerTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(HandlerStops, NoLaterLineIsRaised) {
  const HWND room = OpenRoom(client_);
  onLine_ = [&] {
    if (GetParam() == "EndWatch") scanner_->EndWatch();
    if (GetParam() == "DestroyScanner") scanner_.reset();
  };
  scanner_->BeginWatch();
  Append(room, "Ann:\t1\r\nBob:\t2\r\n");
  PumpUntilHeard(1);
  EXPECT_EQ(heard_, (Lines{{"Ann", "1"}}));
  EXPECT_FALSE(scanner_ && scanner_->IsWatching());
}

INSTANTIATE_TEST_SUITE_P(Scanner, HandlerStops,
                         ::testing::Values("EndWatch", "DestroyScanner"));

// Figures of the scanner at work, printed for the record: the CPU it costs
// while a room with a long transcript is quiet, and how soon a line said is
// raised. Only the behaviour is asserted.
double ThreadCpuSeconds() {
  FILETIME unused, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &unused, &unused, &kernel, &user);
  return (kernel.dwLowDateTime + user.dwLowDateTime) / 1e7;  // the low parts: 429 s each
}

TEST_F(ScannerTest, FiguresQuietRoomCpuAndLatency) {
  std::string history;
  for (int n = 0; n < 1000; ++n) history += "Member " + std::to_string(n) + ":\tsaid this\r\n";
  const HWND room = OpenRoom(client_, history);
  scanner_->BeginWatch();
  QpcClock clock;
  const double cpuBefore = ThreadCpuSeconds();
  PumpFor(3000);
  const double cpu = ThreadCpuSeconds() - cpuBefore, quiet = clock.NowSeconds();
  EXPECT_TRUE(heard_.empty());

  double heardAt = 0, totalMs = 0, longestMs = 0;
  onLine_ = [&] { heardAt = clock.NowSeconds(); };
  for (std::size_t n = 0; n < 10; ++n) {
    PumpFor(37 * n % 150);  // said at different points of the timer's period
    const double saidAt = clock.NowSeconds();
    Say(room, "Ann", "line " + std::to_string(n));
    ASSERT_TRUE(PumpUntil([&] { return heard_.size() > n; }));
    totalMs += 1000 * (heardAt - saidAt);
    longestMs = std::max(longestMs, 1000 * (heardAt - saidAt));
  }
  std::printf("quiet room, 1000-line transcript, %.1f s: CPU of the scanner's thread %.2f%%\n",
              quiet, 100 * cpu / quiet);
  std::printf("line said -> raised: mean %.0f ms, max %.0f ms\n", totalMs / 10, longestMs);
}

}  // namespace
}  // namespace rollkeep::win32::testing
