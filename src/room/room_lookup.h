#pragma once
// Finding the chat room and its two text windows: the one set of lookups that
// posting, the retry queue and the chat scanner all use. Among the top-level
// windows (of every program) only the client's frames are searched for;
// every other lookup starts from a frame.

#include "room/window_ops.h"

namespace Brask32 {

// The first "AOL Child" document window that has direct children of the four
// classes that mark a chat room, under the first "AOL Frame25" top-level
// window that has one; kNoWindow when none has.
rollkeep::WindowHandle LocateRoom(rollkeep::WindowOps& ops);

}  // namespace Brask32

namespace rollkeep {

// The room's entry box, its first "RICHCNTL" child; kNoWindow for none.
WindowHandle FindEntryBox(WindowOps& ops, WindowHandle room);

// The open room and its transcript, the second "RICHCNTL" child.
struct RoomTranscript {
  WindowHandle room = kNoWindow;
  WindowHandle transcript = kNoWindow;

  explicit operator bool() const { return transcript != kNoWindow; }
  friend bool operator==(const RoomTranscript&, const RoomTranscript&) = default;
};

// Empty when no room is open or the room has no second "RICHCNTL" child.
RoomTranscript FindRoomTranscript(WindowOps& ops);

}  // namespace rollkeep
