#include "platform/win32/scanner/room_chat_scanner.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chat_client_windows.h"
#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

using HeardLines = std::vector<Heard>;

class RoomChatScannerTest : public ScannerTest {
protected:
  std::unique_ptr<ChatClientWindows> client_ = std::make_unique<ChatClientWindows>();
};

TEST_F(RoomChatScannerTest, RaisesEachLineSaidAfterBeginWatchOnceInOrder) {
  HWND room = client_->OpenRoom("Ann:\tlist me\r\n*** Bob has entered the room\r\n");
  ChatClientWindows::Say(room, "Bob", "said before the watch");
  scanner_->BeginWatch();
  PumpFor(300);
  ChatClientWindows::Say(room, "Bob Smith", "list me");
  ChatClientWindows::Append(room, "*** Eve has entered the room\r\n");
  ChatClientWindows::Say(room, "Bob Smith", "list me");
  ChatClientWindows::Say(room, "a:b", "x:\ty");
  PumpUntilHeard(3);
  EXPECT_EQ(heard_,
            (HeardLines{{"Bob Smith", "list me"}, {"Bob Smith", "list me"}, {"a:b", "x:\ty"}}));
}

TEST_F(RoomChatScannerTest, NothingAfterEndWatchAndNoReplayOnTheNextBeginWatch) {
  HWND room = client_->OpenRoom();
  scanner_->BeginWatch();
  ChatClientWindows::Say(room, "Ann", "on");
  PumpUntilHeard(1);
  scanner_->EndWatch();
  ChatClientWindows::Say(room, "Ann", "while off");
  PumpFor(400);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "on"}}));
  EXPECT_FALSE(scanner_->IsWatching());

  scanner_->BeginWatch();
  ChatClientWindows::Say(room, "Ann", "on again");
  PumpUntilHeard(2);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "on"}, {"Ann", "on again"}}));
}

TEST_F(RoomChatScannerTest, RoomClosedAndAnotherOpenedIsFollowedFromItsEnd) {
  HWND first = client_->OpenRoom();
  scanner_->BeginWatch();
  ChatClientWindows::Say(first, "Ann", "in the first room");
  PumpUntilHeard(1);
  client_->Close(first);
  PumpFor(300);
  HWND second = client_->OpenRoom("Old:\tsaid before this room was seen\r\n");
  PumpFor(300);
  ChatClientWindows::Say(second, "Bob", "in the second room");
  PumpUntilHeard(2);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "in the first room"}, {"Bob", "in the second room"}}));
}

TEST_F(RoomChatScannerTest, KeepsWatchingWithoutAnyClient) {
  client_.reset();
  scanner_->BeginWatch();
  PumpFor(300);
  EXPECT_TRUE(scanner_->IsWatching());
  client_ = std::make_unique<ChatClientWindows>();
  PumpFor(300);
  HWND room = client_->OpenRoom("Old:\tsaid before the room was found\r\n");
  PumpFor(300);
  ChatClientWindows::Say(room, "Ann", "hello");
  PumpUntilHeard(1);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "hello"}}));
}

// The handler of a line may pump messages for a while (the pause before an
// announcement); the scanner's timer fires meanwhile. Lines said during the
// handler come after it, each once, and handlers never nest.
TEST_F(RoomChatScannerTest, HandlerThatPumpsMessagesIsNotReentered) {
  HWND room = client_->OpenRoom();
  int depth = 0;
  int deepest = 0;
  std::vector<std::string> events;
  onLine_ = [&](const Heard& line) {
    events.push_back("begin " + line.text);
    deepest = std::max(deepest, ++depth);
    if (line.text == "first") {
      ChatClientWindows::Say(room, "Bob", "second");
      PumpFor(350);
      ChatClientWindows::Say(room, "Eve", "third");
      PumpFor(350);
    }
    --depth;
    events.push_back("end " + line.text);
  };
  scanner_->BeginWatch();
  ChatClientWindows::Say(room, "Ann", "first");
  PumpUntilHeard(3);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "first"}, {"Bob", "second"}, {"Eve", "third"}}));
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(events, (std::vector<std::string>{"begin first", "end first", "begin second",
                                              "end second", "begin third", "end third"}));
}

TEST_F(RoomChatScannerTest, EndWatchInAHandlerDropsTheLinesNotYetRaised) {
  HWND room = client_->OpenRoom();
  onLine_ = [&](const Heard&) { scanner_->EndWatch(); };
  scanner_->BeginWatch();
  ChatClientWindows::Append(room, "Ann:\t1\r\nBob:\t2\r\nEve:\t3\r\n");
  PumpUntilHeard(1);
  PumpFor(300);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "1"}}));
}

TEST_F(RoomChatScannerTest, OffAndOnInAHandlerStartsFromTheEndAgain) {
  HWND room = client_->OpenRoom();
  onLine_ = [&](const Heard& line) {
    if (line.text != "1") return;
    scanner_->EndWatch();
    ChatClientWindows::Say(room, "Bob", "while off");
    scanner_->BeginWatch();
    PumpFor(300);
  };
  scanner_->BeginWatch();
  ChatClientWindows::Append(room, "Ann:\t1\r\nAnn:\t2\r\n");
  PumpUntilHeard(1);
  ChatClientWindows::Say(room, "Eve", "after");
  PumpUntilHeard(2);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "1"}, {"Eve", "after"}}));
}

TEST_F(RoomChatScannerTest, HandlerThatDestroysTheOwnerEndsTheWatch) {
  HWND room = client_->OpenRoom();
  onLine_ = [&](const Heard&) { DestroyOwner(); };
  scanner_->BeginWatch();
  ChatClientWindows::Append(room, "Ann:\t1\r\nBob:\t2\r\n");
  PumpUntilHeard(1);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "1"}}));
  EXPECT_FALSE(scanner_->IsWatching());
}

TEST_F(RoomChatScannerTest, HandlerThatDestroysTheScannerEndsTheDelivery) {
  HWND room = client_->OpenRoom();
  onLine_ = [&](const Heard&) { scanner_.reset(); };
  scanner_->BeginWatch();
  ChatClientWindows::Append(room, "Ann:\t1\r\nBob:\t2\r\n");
  PumpUntilHeard(1);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "1"}}));
  EXPECT_EQ(scanner_, nullptr);
}

}  // namespace
}  // namespace rollkeep::win32::testing
