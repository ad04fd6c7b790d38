#include "room/room_lookup.h"

#include "room/client_windows.h"

namespace Brask32 {
namespace {

using rollkeep::kNoWindow;
using rollkeep::WindowHandle;
using rollkeep::WindowOps;

// More windows than a desktop can hold handles: a walk this long can only be
// a window order that keeps changing under it, so give up.
constexpr int kMaxCandidates = 65536;

// Every mark is looked up, even after one is missing, so the client sees the
// same lookups for every candidate.
bool IsChatRoom(WindowOps& ops, WindowHandle candidate) {
  bool hasAll = true;
  for (const char* mark : rollkeep::client::kRoomMarks) {
    if (ops.FindChild(candidate, kNoWindow, mark) == kNoWindow) hasAll = false;
  }
  return hasAll;
}

// The first chat room among the frame's document windows, or kNoWindow. A
// missing area ends the search: a search under the null handle would walk
// the top-level windows of every program.
WindowHandle RoomUnder(WindowOps& ops, WindowHandle frame) {
  const WindowHandle area = ops.FindChild(frame, kNoWindow, rollkeep::client::kDocumentAreaClass);
  if (area == kNoWindow) return kNoWindow;
  WindowHandle candidate = kNoWindow;
  for (int walked = 0; walked < kMaxCandidates; ++walked) {
    candidate = ops.FindChild(area, candidate, rollkeep::client::kDocumentClass);
    if (candidate == kNoWindow) return kNoWindow;
    if (IsChatRoom(ops, candidate)) return candidate;
  }
  return kNoWindow;
}

}  // namespace

// Every top-level window of the frame class is tried in turn: another
// program's window of that class, or a second client with no room open,
// must not hide the room of the client that has one.
WindowHandle LocateRoom(WindowOps& ops) {
  WindowHandle frame = kNoWindow;
  for (int walked = 0; walked < kMaxCandidates; ++walked) {
    frame = ops.FindChild(kNoWindow, frame, rollkeep::client::kFrameClass);
    if (frame == kNoWindow) return kNoWindow;
    if (const WindowHandle room = RoomUnder(ops, frame); room != kNoWindow) return room;
  }
  return kNoWindow;
}

}  // namespace Brask32

namespace rollkeep {

WindowHandle FindEntryBox(WindowOps& ops, WindowHandle room) {
  // A null parent would search the top-level windows of every program.
  if (room == kNoWindow) return kNoWindow;
  return ops.FindChild(room, kNoWindow, client::kEntryBoxLookup);
}

RoomTranscript FindRoomTranscript(WindowOps& ops) {
  const WindowHandle room = Brask32::LocateRoom(ops);
  const WindowHandle entry = FindEntryBox(ops, room);
  if (entry == kNoWindow) return {};
  const WindowHandle transcript = ops.FindChild(room, entry, client::kRichTextClass);
  if (transcript == kNoWindow) return {};
  return {room, transcript};
}

}  // namespace rollkeep
