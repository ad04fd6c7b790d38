#include "platform/win32/scanner/room_transcript.h"

#include "platform/win32/client/user32_window_ops.h"
#include "room/room_posting.h"

namespace rollkeep::win32 {

RoomTranscript FindRoomTranscript(rollkeep::WindowOps& ops) {
  const rollkeep::WindowHandle room = Brask32::LocateRoom(ops);
  // A null parent would search the top-level windows: no room, no transcript.
  if (room == rollkeep::kNoWindow) return {};
  const rollkeep::WindowHandle entry = ops.FindChild(room, rollkeep::kNoWindow, "RICHCNTL");
  if (entry == rollkeep::kNoWindow) return {};
  const rollkeep::WindowHandle transcript = ops.FindChild(room, entry, "RICHCNTL");
  if (transcript == rollkeep::kNoWindow) return {};
  return {ToHwnd(room), ToHwnd(transcript)};
}

}  // namespace rollkeep::win32
