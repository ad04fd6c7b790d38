#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "room/room_lookup.h"
#include "room/room_posting.h"
#include "support/desktops.h"
#include "support/window_tree_model.h"

namespace rollkeep {
namespace {

using testing::AddChatClient;
using testing::AddChatRoom;
using testing::ChildLookup;
using testing::WindowTreeModel;
using Messages = std::vector<std::string>;
using Room = testing::ChatRoomWindows;

const std::string kPrefix(Brask32::StylePrefix);
using testing::FivePostMessages;

// Among the top-level windows of every program only the client's frames are
// searched for; everything else is looked up under a frame.
void ExpectOnlyFramesLookedUpAtTopLevel(const WindowTreeModel& m) {
  for (const ChildLookup& lookup : m.ChildLookups()) {
    if (lookup.parent == kNoWindow) {
      EXPECT_EQ(lookup.className, "AOL Frame25");
    }
  }
}

// The desktops, also run on real windows by the Win32 tests.
TEST(PostToRoom, FindsTheRoomAndSendsExactlyFiveMessagesToItsEntryBoxOrNothing) {
  for (const testing::DesktopCase& c : testing::Desktops()) {
    SCOPED_TRACE(c.name);
    WindowTreeModel m;
    const Room expected = c.build(m);
    testing::ExpectRoomFoundAndPostedTo(m, c, expected);
    const bool delivered = expected.entry != kNoWindow;
    EXPECT_EQ(m.Messages(expected.entry), delivered ? FivePostMessages(c.text) : Messages{});
    EXPECT_EQ(m.DeliveredMessages(), delivered ? 5u : 0u);
    EXPECT_EQ(m.DroppedMessages(), 0u);
    // The entry box is looked up as "richcntl", the room test's "RICHCNTL"
    // in other case, in the room alone.
    ExpectOnlyFramesLookedUpAtTopLevel(m);
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
