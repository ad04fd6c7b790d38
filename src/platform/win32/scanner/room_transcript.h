#pragma once
// Where the chat room's transcript is: the open room (the one announcements
// are posted to) and its second direct child of class "RICHCNTL" (the first
// is the entry box).

#include <windows.h>

#include "room/window_ops.h"

namespace rollkeep::win32 {

struct RoomTranscript {
  HWND room = nullptr;
  HWND transcript = nullptr;

  explicit operator bool() const { return transcript != nullptr; }
  friend bool operator==(const RoomTranscript&, const RoomTranscript&) = default;
};

// The open room's transcript through `ops`; empty when no room is open or
// the room has no second "RICHCNTL" child.
RoomTranscript FindRoomTranscript(rollkeep::WindowOps& ops);

}  // namespace rollkeep::win32
