#include "support/desktops.h"

#include <gtest/gtest.h>

#include "room/room_lookup.h"
#include "room/room_posting.h"

namespace rollkeep::testing {

using Room = ChatRoomWindows;
using Place = DesktopBuilder::Place;

const std::vector<DesktopCase>& Desktops() {
  static const std::vector<DesktopCase> desktops = {
      {"NoClient", "x", [](DesktopBuilder&) { return Room{}; }},
      {"ClientWithoutDocuments", "x", [](DesktopBuilder& d) {
         AddChatClient(d);
         return Room{};
       }},
      {"OnlySecondDocumentIsARoom", "Rollkeep: <u>Ann Lee</u> has been added to the list",
       [](DesktopBuilder& d) {
         const WindowHandle area = AddChatClient(d).mdiClient;
         d.Create("AOL Child", area);
         const Room room = AddChatRoom(d, area);
         d.Create("AOL Child", area);
         return room;
       }},
      {"RoomAfterRoomsWithThreeOfTheFourMarks", "", [](DesktopBuilder& d) {
         const WindowHandle area = AddChatClient(d).mdiClient;
         for (const char* missing : {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
           AddChatRoom(d, area, missing);
         }
         return AddChatRoom(d, area);
       }},
      {"MarksAsGrandchildrenOrARoomOutsideTheDocumentArea", "x", [](DesktopBuilder& d) {
         const auto client = AddChatClient(d);
         AddChatRoom(d, d.Create("AOL Child", client.mdiClient));
         AddChatRoom(d, client.frame);
         return Room{};
       }},
      {"TwoRoomsFirstInChildOrderWins", std::string(20000, 'w'), [](DesktopBuilder& d) {
         const WindowHandle area = AddChatClient(d).mdiClient;
         AddChatRoom(d, area);
         return AddChatRoom(d, area, "", Place::First);
       }},
      {"ClassNamesInOtherCase", "\xE9t\xE9 &amp; \"\xA9\"", [](DesktopBuilder& d) {
         const WindowHandle area = d.Create("MDICLIENT", d.Create("aol frame25"));
         const WindowHandle room = d.Create("aol child", area);
         Room found{room, d.Create("RichCntl", room)};
         found.transcript = d.Create("richcntl", room);
         for (const char* mark : {"_aol_listbox", "_AOL_ICON", "_Aol_Static"}) d.Create(mark, room);
         return found;
       }},
      // Other programs' windows of the client's classes, with no client running.
      {"StrangerTopLevelEntryClassGetsNothing", "Rollkeep: loaded", [](DesktopBuilder& d) {
         d.Create("RICHCNTL");
         d.Create("richcntl");
         return Room{};
       }},
      {"StrangerTopLevelRoomGetsNothing", "x", [](DesktopBuilder& d) {
         AddChatRoom(d, kNoWindow);
         return Room{};
       }},
      {"StrangerRoomBesideAClientWithoutDocumentArea", "x", [](DesktopBuilder& d) {
         d.Create("AOL Frame25");
         AddChatRoom(d, kNoWindow);
         return Room{};
       }},
      // Frames with no room come first: another program's window of the frame
      // class, or a second client with no room open.
      {"StrayFrameWithoutDocumentAreaBeforeTheClient", "x", [](DesktopBuilder& d) {
         d.Create("AOL Frame25");
         return AddChatRoom(d, AddChatClient(d).mdiClient);
       }},
      {"StrayFrameWithDocumentAreaButNoRoomBeforeTheClient", "x", [](DesktopBuilder& d) {
         AddChatRoom(d, AddChatClient(d).mdiClient, "_AOL_Icon");
         return AddChatRoom(d, AddChatClient(d).mdiClient);
       }},
      {"StrayFrameWithRoomControlsOneLevelTooDeepBeforeTheClient", "x", [](DesktopBuilder& d) {
         AddChatRoom(d, d.Create("AOL Child", AddChatClient(d).mdiClient));
         return AddChatRoom(d, AddChatClient(d).mdiClient);
       }},
  };
  return desktops;
}

std::vector<std::string> FivePostMessages(const std::string& announcement) {
  // Written out, not taken from the product: a changed style shows here.
  const std::string prefix =
      "<font color=#f40000><font face=\"arial black\">::<font color=#000001 face=\"arial black\"> ";
  const std::string set = "WM_SETTEXT ";
  return {set, set, set, set + prefix + announcement, "WM_CHAR 13"};
}

void ExpectRoomFoundAndPostedTo(WindowOps& ops, const DesktopCase& desktop,
                                const ChatRoomWindows& expected) {
  EXPECT_EQ(Brask32::LocateRoom(ops), expected.room);
  const bool found = expected.entry != kNoWindow;
  const RoomTranscript transcript = FindRoomTranscript(ops);
  EXPECT_EQ(static_cast<bool>(transcript), found);
  EXPECT_EQ(transcript.room, found ? expected.room : kNoWindow);
  if (expected.transcript != kNoWindow) {
    EXPECT_EQ(transcript.transcript, expected.transcript);
  }
  EXPECT_EQ(Brask32::PostToRoom(ops, desktop.text),
            found ? Brask32::PostResult::Delivered : Brask32::PostResult::NoRoom);
}

ChatClientWindows AddChatClient(DesktopBuilder& desktop) {
  const WindowHandle frame = desktop.Create("AOL Frame25");
  return {frame, desktop.Create("MDIClient", frame)};
}

ChatRoomWindows AddChatRoom(DesktopBuilder& desktop, WindowHandle parent,
                            const std::string& missing, DesktopBuilder::Place place) {
  const WindowHandle room = desktop.Create("AOL Child", parent, place);
  const auto child = [&](const std::string& className) {
    return className == missing ? kNoWindow : desktop.Create(className, room);
  };
  // A braced list is evaluated left to right: the children come in this order.
  return {room, child("RICHCNTL"), child("RICHCNTL"), child("_AOL_Listbox"), child("_AOL_Icon"),
          child("_AOL_Static")};
}

}  // namespace rollkeep::testing
