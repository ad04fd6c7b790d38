// Rollkeep's own announcements come back into the transcript as lines said by
// the operator. Through the real chat command handler, poster and wait, they
// change nothing and are not answered: the program does not talk to itself.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chat_client_windows.h"
#include "platform/win32/room/message_pump.h"
#include "platform/win32/room/user32_window_ops.h"
#include "room/room_posting.h"
#include "roster/chat_commands.h"
#include "roster/roster.h"
#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

using HeardLines = std::vector<Heard>;

TEST_F(ScannerTest, OwnAnnouncementComesBackWithoutEffect) {
  ClearProgramEnding();
  ChatClientWindows client;
  HWND room = client.OpenRoom();
  Roster roster;
  User32WindowOps ops;
  RoomPoster poster(ops);
  QpcClock clock;
  Win32EventPump pump;
  PumpingWaiter waiter(clock, pump);
  ChatCommandHandler handler(roster, poster, waiter);
  onLine_ = [&](const Heard& line) { EXPECT_TRUE(handler.ChatLine(line.screenName, line.text)); };

  scanner_->BeginWatch();
  ChatClientWindows::Say(room, "Bob", "list me");
  PumpUntilHeard(2);
  PumpFor(1000);

  const std::string announcement = ":: Rollkeep: Bob has been added to the list";
  EXPECT_EQ(heard_, (HeardLines{{"Bob", "list me"}, {kOperator, announcement}}));
  EXPECT_EQ(roster.entries(), std::vector<std::string>{"Bob"});
  EXPECT_EQ(ChatClientWindows::Transcript(room),
            "Bob:\tlist me\r\n" + std::string(kOperator) + ":\t" + announcement + "\r\n");
}

}  // namespace
}  // namespace rollkeep::win32::testing
