#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

#include "client_windows.h"
#include "platform/win32/room/user32_window_ops.h"
#include "room/room_posting.h"

namespace rollkeep {
namespace {

using testing::ClientWindows;
using testing::FivePostMessages;
using testing::ReceivedBy;
using testing::ReceivedByAll;
using win32::FromHwnd;

const std::string kPrefix(Brask32::StylePrefix);
const std::string kAnnouncement = "Rollkeep: <u>Ann Lee</u> has been added to the list";

struct Desktop {
  HWND room = nullptr;   // what LocateRoom must find
  HWND entry = nullptr;  // the window that must get the five messages
};

struct Case {
  const char* name;
  std::function<Desktop(ClientWindows&)> build;
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

const Case kCases[] = {
    {"NoClient", [](ClientWindows&) { return Desktop{}; }},
    {"OneRoom",
     [](ClientWindows& w) {
       const auto r = w.AddRoom(w.AddClient());
       return Desktop{r.room, r.entry};
     }},
    {"OnlySecondDocumentIsARoom",
     [](ClientWindows& w) {
       const auto c = w.AddClient();
       w.Child(c.mdiClient, "AOL Child", "Welcome");
       const auto r = w.AddRoom(c);
       return Desktop{r.room, r.entry};
     }},
    {"ThreeOfFourMarks",
     [](ClientWindows& w) {
       w.AddPartialRoom(w.AddClient().mdiClient, "_AOL_Static");
       return Desktop{};
     }},
    {"MarksAreGrandchildren",
     [](ClientWindows& w) {
       const auto c = w.AddClient();
       w.AddPartialRoom(w.Child(c.mdiClient, "AOL Child"), "");
       return Desktop{};
     }},
    {"TwoRoomsFirstInChildOrderWins",
     [](ClientWindows& w) {
       const auto c = w.AddClient();
       const auto first = w.AddRoom(c, "Lobby");
       w.AddRoom(c, "Town Square");
       return Desktop{first.room, first.entry};
     }},
    {"RoomBroughtToTheTopWins",
     [](ClientWindows& w) {
       const auto c = w.AddClient();
       w.AddRoom(c, "Lobby");
       const auto second = w.AddRoom(c, "Town Square");
       ::SetWindowPos(second.room, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
       return Desktop{second.room, second.entry};
     }},
    {"TopLevelEntryClassWithoutRoomGetsTheMessages",
     [](ClientWindows& w) {
       w.AddClient();
       return Desktop{nullptr, w.TopLevel("RICHCNTL")};
     }},
};

class User32Posting : public ::testing::TestWithParam<Case> {};

TEST_P(User32Posting, EntryBoxReceivesExactlyTheFiveMessages) {
  ClientWindows windows;
  const Desktop d = GetParam().build(windows);
  win32::User32WindowOps ops;
  EXPECT_EQ(Brask32::LocateRoom(ops), FromHwnd(d.room));

  Brask32::PostToRoom(ops, kAnnouncement);
  if (d.entry == nullptr) {
    EXPECT_EQ(ReceivedByAll(), 0u);
    return;
  }
  EXPECT_EQ(ReceivedBy(d.entry), FivePostMessages(kPrefix + kAnnouncement));
  EXPECT_EQ(ReceivedByAll(), 5u);
  char text[512] = {};
  ::GetWindowTextA(d.entry, text, sizeof text);
  EXPECT_EQ(text, kPrefix + kAnnouncement);
}

INSTANTIATE_TEST_SUITE_P(Desktops, User32Posting, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct Line {
  const char* name;
  std::string announcement;
  friend void PrintTo(const Line& l, std::ostream* os) { *os << l.name; }
};

const Line kLines[] = {
    {"Empty", ""},
    {"HtmlTags", "Rollkeep: <u>Bob</u> has been <b>removed</b>"},
    {"AnsiBytes", "Rollkeep: caf\xE9 \xA9"},
    {"Long", std::string(30000, 'w')},
};

class User32PostedLine : public ::testing::TestWithParam<Line> {};

TEST_P(User32PostedLine, ReachesTheBoxUnchangedAfterThePrefix) {
  ClientWindows windows;
  const auto room = windows.AddRoom(windows.AddClient());
  win32::User32WindowOps ops;
  Brask32::PostToRoom(ops, GetParam().announcement);
  EXPECT_EQ(ReceivedBy(room.entry), FivePostMessages(kPrefix + GetParam().announcement));
  EXPECT_TRUE(ReceivedBy(room.transcript).empty());
}

INSTANTIATE_TEST_SUITE_P(Announcements, User32PostedLine, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(User32WindowOps, MessagesToAClosedWindowGoNowhere) {
  ClientWindows windows;
  const auto room = windows.AddRoom(windows.AddClient());
  win32::User32WindowOps ops;
  const WindowHandle entry = ops.FindChild(FromHwnd(room.room), kNoWindow, "richcntl");
  ASSERT_EQ(entry, FromHwnd(room.entry));
  ::DestroyWindow(room.room);
  ops.SetText(entry, "late");
  ops.SendChar(entry, 13);
  EXPECT_EQ(ReceivedByAll(), 0u);
}

}  // namespace
}  // namespace rollkeep
