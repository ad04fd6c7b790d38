#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "room/room_posting.h"
#include "support/window_tree_model.h"

namespace rollkeep {
namespace {

using testing::AddChatClient;
using testing::AddChatRoom;
using testing::AddDocumentWindow;
using testing::ChatClientWindows;
using testing::WindowMessage;
using testing::WindowTreeModel;

const std::string kPrefix(Brask32::StylePrefix);

// The five messages the entry box must receive for one post.
std::vector<WindowMessage> FivePostMessages(const std::string& line) {
  return {WindowMessage::SetTextOf(""), WindowMessage::SetTextOf(""),
          WindowMessage::SetTextOf(""), WindowMessage::SetTextOf(line),
          WindowMessage::CharOf(13)};
}

// A desktop and where one post is expected to land.
struct Desktop {
  WindowHandle room = kNoWindow;   // what LocateRoom must return
  WindowHandle entry = kNoWindow;  // the window that must get the messages
};

struct LocateCase {
  const char* name;
  std::function<Desktop(WindowTreeModel&)> build;
  friend void PrintTo(const LocateCase& c, std::ostream* os) { *os << c.name; }
};

// Builds a room whose children are the four marking classes minus `missing`.
WindowHandle PartialRoom(WindowTreeModel& m, WindowHandle area, const std::string& missing) {
  const WindowHandle doc = m.Create("AOL Child", area);
  for (const char* mark : {"RICHCNTL", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
    if (mark != missing) m.Create(mark, doc);
  }
  return doc;
}

const LocateCase kLocateCases[] = {
    {"NoClient", [](WindowTreeModel&) { return Desktop{}; }},
    {"ClientWithoutDocuments",
     [](WindowTreeModel& m) {
       AddChatClient(m);
       return Desktop{};
     }},
    {"OneRoom",
     [](WindowTreeModel& m) {
       const auto r = AddChatRoom(m, AddChatClient(m));
       return Desktop{r.room, r.entry};
     }},
    {"OnlySecondDocumentIsARoom",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       AddDocumentWindow(m, c);
       const auto r = AddChatRoom(m, c);
       AddDocumentWindow(m, c);
       return Desktop{r.room, r.entry};
     }},
    {"RoomAfterThreePartialRooms",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       PartialRoom(m, c.mdiClient, "_AOL_Static");
       PartialRoom(m, c.mdiClient, "_AOL_Listbox");
       PartialRoom(m, c.mdiClient, "RICHCNTL");
       const auto r = AddChatRoom(m, c);
       return Desktop{r.room, r.entry};
     }},
    {"ThreeMarksWithoutStatic",
     [](WindowTreeModel& m) {
       PartialRoom(m, AddChatClient(m).mdiClient, "_AOL_Static");
       return Desktop{};
     }},
    {"ThreeMarksWithoutIcon",
     [](WindowTreeModel& m) {
       PartialRoom(m, AddChatClient(m).mdiClient, "_AOL_Icon");
       return Desktop{};
     }},
    {"MarksAreGrandchildren",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       const WindowHandle doc = AddDocumentWindow(m, c);
       PartialRoom(m, doc, "");  // a complete set, one level too deep
       return Desktop{};
     }},
    {"TwoRoomsFirstInChildOrderWins",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       const auto first = AddChatRoom(m, c, "Lobby");
       AddChatRoom(m, c, "Town Square");
       return Desktop{first.room, first.entry};
     }},
    {"RoomBroughtToTopOfChildOrderWins",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       AddChatRoom(m, c, "Lobby");
       // The client activates a room by moving it first in the area's order.
       const WindowHandle top =
           m.Create("AOL Child", c.mdiClient, "Town Square", WindowTreeModel::Place::First);
       const WindowHandle entry = m.Create("RICHCNTL", top);
       for (const char* mark : {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
         m.Create(mark, top);
       }
       return Desktop{top, entry};
     }},
    {"RoomOutsideTheDocumentArea",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       PartialRoom(m, c.frame, "");
       return Desktop{};
     }},
    {"ClosedRoomIsGone",
     [](WindowTreeModel& m) {
       const ChatClientWindows c = AddChatClient(m);
       m.Destroy(AddChatRoom(m, c, "Lobby").room);
       const auto r = AddChatRoom(m, c, "Town Square");
       return Desktop{r.room, r.entry};
     }},
    {"ClassNamesInOtherCase",
     [](WindowTreeModel& m) {
       const WindowHandle frame = m.Create("aol frame25");
       const WindowHandle area = m.Create("MDICLIENT", frame);
       const WindowHandle room = m.Create("aol child", area);
       const WindowHandle entry = m.Create("RichCntl", room);
       for (const char* mark : {"richcntl", "_aol_listbox", "_AOL_ICON", "_Aol_Static"}) {
         m.Create(mark, room);
       }
       return Desktop{room, entry};
     }},
    {"TopLevelEntryClassWithoutRoomGetsTheMessages",
     [](WindowTreeModel& m) {
       AddChatClient(m);
       return Desktop{kNoWindow, m.Create("RICHCNTL")};
     }},
};

class LocateAndPost : public ::testing::TestWithParam<LocateCase> {};

TEST_P(LocateAndPost, FindsTheRoomAndTypesIntoItsEntryBox) {
  WindowTreeModel model;
  const Desktop d = GetParam().build(model);
  EXPECT_EQ(Brask32::LocateRoom(model), d.room);

  const std::string text = "Rollkeep: <u>Ann Lee</u> has been added to the list";
  Brask32::PostToRoom(model, text);
  if (d.entry == kNoWindow) {
    EXPECT_EQ(model.DeliveredMessages(), 0u);
    EXPECT_EQ(model.DroppedMessages(), 5u);  // still sent, to the null handle
    return;
  }
  EXPECT_EQ(model.Messages(d.entry), FivePostMessages(kPrefix + text));
  EXPECT_EQ(model.DeliveredMessages(), 5u);
  EXPECT_EQ(model.Text(d.entry), kPrefix + text);
}

INSTANTIATE_TEST_SUITE_P(Desktops, LocateAndPost, ::testing::ValuesIn(kLocateCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The lookups made for one candidate's room test, in order.
std::vector<std::string> MarkLookupsUnder(const WindowTreeModel& m, WindowHandle candidate) {
  std::vector<std::string> classes;
  for (const auto& l : m.ChildLookups()) {
    if (l.parent == candidate && l.after == kNoWindow) classes.push_back(l.className);
  }
  return classes;
}

TEST(LocateRoom, MakesAllFourMarkLookupsForEveryCandidate) {
  WindowTreeModel m;
  const ChatClientWindows c = AddChatClient(m);
  const WindowHandle noEntryBox = PartialRoom(m, c.mdiClient, "RICHCNTL");
  const WindowHandle plain = AddDocumentWindow(m, c);
  const auto room = AddChatRoom(m, c);
  ASSERT_EQ(Brask32::LocateRoom(m), room.room);
  const std::vector<std::string> marks = {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"};
  EXPECT_EQ(MarkLookupsUnder(m, noEntryBox), marks);
  EXPECT_EQ(MarkLookupsUnder(m, plain), marks);
  EXPECT_EQ(MarkLookupsUnder(m, room.room), marks);
}

TEST(LocateRoom, WalksTheDocumentWindowsInChildOrder) {
  WindowTreeModel m;
  const ChatClientWindows c = AddChatClient(m);
  const WindowHandle a = AddDocumentWindow(m, c);
  const WindowHandle b = AddDocumentWindow(m, c);
  ASSERT_EQ(Brask32::LocateRoom(m), kNoWindow);
  std::vector<WindowHandle> walk;
  for (const auto& l : m.ChildLookups()) {
    if (l.parent == c.mdiClient) walk.push_back(l.after);
  }
  // First lookup from the start, then one after each candidate, the last
  // one finding nothing.
  EXPECT_EQ(walk, (std::vector<WindowHandle>{kNoWindow, a, b}));
}

TEST(PostToRoom, EntryBoxIsLookedUpInLowerCase) {
  WindowTreeModel m;
  const auto room = AddChatRoom(m, AddChatClient(m));
  Brask32::PostToRoom(m, "x");
  const auto& lookups = m.ChildLookups();
  ASSERT_FALSE(lookups.empty());
  EXPECT_EQ(lookups.back().parent, room.room);
  EXPECT_EQ(lookups.back().className, "richcntl");
  EXPECT_EQ(lookups.back().result, room.entry);
}

struct PostCase {
  const char* name;
  std::string announcement;
  friend void PrintTo(const PostCase& c, std::ostream* os) { *os << c.name; }
};

const PostCase kPostCases[] = {
    {"Empty", ""},
    {"Plain", "Rollkeep: loaded"},
    {"HtmlTagsKept", "Rollkeep: <u>Bob</u> has been <b>removed</b> from the list"},
    {"AmpersandsAndQuotesKept", "Rollkeep: \"a & b\" &lt;"},
    {"AnsiBytesKept", "Rollkeep: \xE9t\xE9 \xA9"},
    {"Long", "Rollkeep: " + std::string(20000, 'w')},
};

class PostedLine : public ::testing::TestWithParam<PostCase> {};

TEST_P(PostedLine, IsThePrefixFollowedByTheAnnouncementUnchanged) {
  WindowTreeModel m;
  const ChatClientWindows c = AddChatClient(m);
  const auto room = AddChatRoom(m, c);
  Brask32::PostToRoom(m, GetParam().announcement);
  const std::string line = kPrefix + GetParam().announcement;
  EXPECT_EQ(line.size(), 87 + GetParam().announcement.size());
  EXPECT_EQ(m.Messages(room.entry), FivePostMessages(line));
  for (WindowHandle other : {room.transcript, room.members, room.sendButton, room.roomName,
                             room.room, c.mdiClient, c.frame}) {
    EXPECT_TRUE(m.Messages(other).empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Announcements, PostedLine, ::testing::ValuesIn(kPostCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ReplaceText, EmptiesThenSets) {
  WindowTreeModel m;
  const WindowHandle w = m.Create("Edit", kNoWindow, "old");
  Brask32::ReplaceText(m, w, "new");
  EXPECT_EQ(m.Messages(w),
            (std::vector<WindowMessage>{WindowMessage::SetTextOf(""), WindowMessage::SetTextOf("new")}));
  EXPECT_EQ(m.Text(w), "new");
}

TEST(PostToRoom, LooksTheRoomUpAfreshForEveryPost) {
  WindowTreeModel m;
  const ChatClientWindows c = AddChatClient(m);
  const auto first = AddChatRoom(m, c, "Lobby");
  Brask32::PostToRoom(m, "one");
  m.Destroy(first.room);
  const auto second = AddChatRoom(m, c, "Town Square");
  Brask32::PostToRoom(m, "two");
  EXPECT_EQ(m.Messages(second.entry), FivePostMessages(kPrefix + "two"));
  EXPECT_EQ(m.DeliveredMessages(), 5u);  // the first room's log went with it
}

}  // namespace
}  // namespace rollkeep
