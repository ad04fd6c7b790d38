#include "platform/win32/scanner/room_chat_scanner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

// Each line said while watching is raised once, in order; the history a
// room shows when it is found, and lines said while not watching, are not.
TEST_F(ScannerTest, FollowsTheRoomOnceThereIsOneAndAgainAfterItClosed) {
  client_.reset();
  scanner_->BeginWatch();
  PumpFor(300);
  // Nobody speaks in a room before the scanner has read it: a line said
  // before that is the room's history.
  const auto followed = [&](HWND room) {
    return PumpUntil([&] { return scanner_->FollowedRoom() == room; });
  };
  client_ = std::make_unique<ChatClient>();
  HWND room = client_->OpenRoom("Old:\tsaid before the room was found\r\n");
  ASSERT_TRUE(followed(room));
  Say(room, "Bob Smith", "list me");
  Say(room, "a:b", "x:\ty");
  PumpUntilHeard(2);
  scanner_->EndWatch();
  Say(room, "Ann", "while off");
  PumpFor(300);
  scanner_->BeginWatch();
  Say(room, "Ann", "on again");
  PumpUntilHeard(3);
  ::DestroyWindow(room);
  room = client_->OpenRoom("Old:\tsaid before this room was found\r\n");
  ASSERT_TRUE(followed(room));
  Say(room, "Bob", "in the second room");
  PumpUntilHeard(4);
  EXPECT_EQ(heard_, (Lines{{"Bob Smith", "list me"}, {"a:b", "x:\ty"}, {"Ann", "on again"},
                           {"Bob", "in the second room"}}));
}

// A handler that ends the watch or destroys the scanner itself: the lines
// read with its line are dropped.
TEST_F(ScannerTest, AHandlerThatStopsTheScannerGetsNoLaterLine) {
  for (const bool destroy : {false, true}) {
    SCOPED_TRACE(destroy ? "destroys the scanner" : "ends the watch");
    heard_.clear();
    const HWND room = client_->OpenRoom();
    onLine_ = [&] { destroy ? scanner_.reset() : scanner_->EndWatch(); };
    scanner_->BeginWatch();
    Append(room, "Ann:\t1\r\nBob:\t2\r\n");
    PumpUntilHeard(1);
    EXPECT_EQ(heard_, (Lines{{"Ann", "1"}}));
    EXPECT_FALSE(scanner_ && scanner_->IsWatching());
    ::DestroyWindow(room);
  }
}

}  // namespace
}  // namespace rollkeep::win32::testing
