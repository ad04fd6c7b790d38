#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "room/room_lookup.h"
#include "room/room_posting.h"
#include "support/window_tree_model.h"

namespace rollkeep {
namespace {

using testing::AddChatClient;
using testing::AddChatRoom;
using testing::ChildLookup;
using testing::WindowTreeModel;
using Messages = std::vector<std::string>;
using Room = testing::ChatRoomWindows;

const std::string kPrefix =
    "<font color=#f40000><font face=\"arial black\">::<font color=#000001 face=\"arial black\"> ";

// The five messages the entry box must receive for one post.
Messages FivePostMessages(const std::string& announcement) {
  const std::string set = "WM_SETTEXT ";
  return {set, set, set, set + kPrefix + announcement, "WM_CHAR 13"};
}

// A desktop, an announcement, and the room LocateRoom must find there with
// the window that must get the post (none: nothing is sent anywhere).
struct DesktopCase {
  const char* name;
  std::string text;
  std::function<Room(WindowTreeModel&)> build;
};

const std::vector<DesktopCase> kDesktops = {
    {"NoClient", "x", [](WindowTreeModel&) { return Room{}; }},
    {"ClientWithoutDocuments", "x", [](WindowTreeModel& m) {
       AddChatClient(m);
       return Room{};
     }},
    {"OnlySecondDocumentIsARoom", "Rollkeep: <u>Ann Lee</u> has been added to the list",
     [](WindowTreeModel& m) {
       const WindowHandle area = AddChatClient(m).mdiClient;
       m.Create("AOL Child", area);
       const Room room = AddChatRoom(m, area);
       m.Create("AOL Child", area);
       return room;
     }},
    {"RoomAfterRoomsWithThreeOfTheFourMarks", "", [](WindowTreeModel& m) {
       const WindowHandle area = AddChatClient(m).mdiClient;
       for (const char* missing : {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
         AddChatRoom(m, area, missing);
       }
       return AddChatRoom(m, area);
     }},
    {"MarksAsGrandchildrenOrARoomOutsideTheDocumentArea", "x", [](WindowTreeModel& m) {
       const auto client = AddChatClient(m);
       AddChatRoom(m, m.Create("AOL Child", client.mdiClient));
       AddChatRoom(m, client.frame);
       return Room{};
     }},
    {"TwoRoomsFirstInChildOrderWins", std::string(20000, 'w'), [](WindowTreeModel& m) {
       const WindowHandle area = AddChatClient(m).mdiClient;
       AddChatRoom(m, area);
       return AddChatRoom(m, area, "", WindowTreeModel::Place::First);
     }},
    {"ClassNamesInOtherCase", "\xE9t\xE9 &amp; \"\xA9\"", [](WindowTreeModel& m) {
       const WindowHandle area = m.Create("MDICLIENT", m.Create("aol frame25"));
       const WindowHandle room = m.Create("aol child", area);
       const Room found{room, m.Create("RichCntl", room)};
       for (const char* mark : {"richcntl", "_aol_listbox", "_AOL_ICON", "_Aol_Static"}) {
         m.Create(mark, room);
       }
       return found;
     }},
    // Other programs' windows of the client's classes, with no client running.
    {"StrangerTopLevelEntryClassGetsNothing", "Rollkeep: loaded", [](WindowTreeModel& m) {
       m.Create("RICHCNTL");
       m.Create("richcntl");
       return Room{};
     }},
    {"StrangerTopLevelRoomGetsNothing", "x", [](WindowTreeModel& m) {
       AddChatRoom(m, kNoWindow);
       return Room{};
     }},
    {"StrangerRoomBesideAClientWithoutDocumentArea", "x", [](WindowTreeModel& m) {
       m.Create("AOL Frame25");
       AddChatRoom(m, kNoWindow);
       return Room{};
     }},
    // Frames with no room come first: another program's window of the frame
    // class, or a second client with no room open.
    {"StrayFrameWithoutDocumentAreaBeforeTheClient", "x", [](WindowTreeModel& m) {
       m.Create("AOL Frame25");
       return AddChatRoom(m, AddChatClient(m).mdiClient);
     }},
    {"StrayFrameWithDocumentAreaButNoRoomBeforeTheClient", "x", [](WindowTreeModel& m) {
       AddChatRoom(m, AddChatClient(m).mdiClient, "_AOL_Icon");
       return AddChatRoom(m, AddChatClient(m).mdiClient);
     }},
    {"StrayFrameWithRoomControlsOneLevelTooDeepBeforeTheClient", "x", [](WindowTreeModel& m) {
       AddChatRoom(m, m.Create("AOL Child", AddChatClient(m).mdiClient));
       return AddChatRoom(m, AddChatClient(m).mdiClient);
     }},
};

// The scanner reads the room that posts go to: its second text window.
TEST(PostToRoom, FindsTheRoomAndItsTranscriptAndSendsFiveMessagesToItsEntryBoxOrNothing) {
  for (const DesktopCase& c : kDesktops) {
    SCOPED_TRACE(c.name);
    WindowTreeModel m;
    const Room expected = c.build(m);
    const bool delivered = expected.entry != kNoWindow;
    EXPECT_EQ(Brask32::LocateRoom(m), expected.room);
    const RoomTranscript found = FindRoomTranscript(m);
    EXPECT_EQ(static_cast<bool>(found), delivered);
    EXPECT_EQ(found.room, delivered ? expected.room : kNoWindow);
    if (expected.transcript != kNoWindow) {
      EXPECT_EQ(found.transcript, expected.transcript);
    }
    EXPECT_EQ(Brask32::PostToRoom(m, c.text),
              delivered ? Brask32::PostResult::Delivered : Brask32::PostResult::NoRoom);
    EXPECT_EQ(m.Messages(expected.entry), delivered ? FivePostMessages(c.text) : Messages{});
    EXPECT_EQ(m.DeliveredMessages(), delivered ? 5u : 0u);
    EXPECT_EQ(m.DroppedMessages(), 0u);
    // Among the top-level windows of every program only the client's frames
    // are searched for; the entry box is looked up as "richcntl", the room
    // test's "RICHCNTL" in other case, in the room alone.
    for (const ChildLookup& lookup : m.ChildLookups()) {
      if (lookup.parent == kNoWindow) {
        EXPECT_EQ(lookup.className, "AOL Frame25");
      }
    }
    if (delivered) {
      EXPECT_EQ(m.ChildLookups().back(), (ChildLookup{expected.room, kNoWindow, "richcntl"}));
    }
  }
}

// The client stops answering after `answered` messages of a post (the read
// of the box counts as one): the post stops there, and says whether its
// Enter alone is in doubt. What the operator had typed goes back into the box
// once the line went out, the caret at its end; an unread box gets nothing,
// and a line of Rollkeep's own left in the box is not put back.
TEST(PostToRoom, StopsAtTheFirstMessageTheClientDidNotHandleAndPutsBackTypedText) {
  using enum Brask32::PostResult;
  const std::string typed = "hello w\xF6r";
  const struct {
    std::size_t answered;
    std::string typed;
    Brask32::PostResult result;
  } cases[] = {{0, "", NotAnswered},   {0, typed, NotAnswered}, {1, typed, NotAnswered},
               {4, "", NotAnswered},   {5, typed, EnterUnsure}, {6, "", Delivered},
               {6, typed, Delivered},  {8, typed, Delivered},
               {8, kPrefix + "earlier", Delivered}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.answered) + " " + c.typed);
    WindowTreeModel m;
    const Room room = AddChatRoom(m, AddChatClient(m).mdiClient);
    m.Type(room.entry, c.typed);
    m.Hang(room.entry, c.answered);
    EXPECT_EQ(Brask32::PostToRoom(m, "x"), c.result);
    Messages all = FivePostMessages("x");
    const bool putBack = c.typed == typed;
    if (putBack) all.insert(all.end(), {"WM_SETTEXT " + typed, "EM_SETSEL 9 9"});
    const std::size_t handled = std::min(c.answered == 0 ? 0 : c.answered - 1, all.size());
    EXPECT_EQ(m.Messages(room.entry), Messages(all.begin(), all.begin() + handled));
    EXPECT_EQ(m.TimedOutMessages(), handled < all.size() ? 1u : 0u);
    m.Wake(room.entry);
    if (c.answered == 8 || c.answered < 2) {
      EXPECT_EQ(m.Text(room.entry), c.answered < 2 || putBack ? c.typed : "");
    }
  }
}

}  // namespace
}  // namespace rollkeep
