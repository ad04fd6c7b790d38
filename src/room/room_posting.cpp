#include "room/room_posting.h"

#include <array>
#include <string>

namespace Brask32 {
namespace {

using rollkeep::WindowHandle;
using rollkeep::WindowOps;

// A document window is a chat room when it has a direct child of each class.
constexpr std::array<const char*, 4> kRoomMarks = {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon",
                                                   "_AOL_Static"};

// More document windows than a desktop can hold handles: a walk this long
// can only be a child order that keeps changing under it, so give up.
constexpr int kMaxCandidates = 65536;

// Every mark is looked up, even after one is missing, so the client sees the
// same lookups for every candidate.
bool IsChatRoom(WindowOps& ops, WindowHandle candidate) {
  bool hasAll = true;
  for (const char* mark : kRoomMarks) {
    if (ops.FindChild(candidate, rollkeep::kNoWindow, mark) == rollkeep::kNoWindow) {
      hasAll = false;
    }
  }
  return hasAll;
}

}  // namespace

WindowHandle LocateRoom(WindowOps& ops) {
  // A missing frame or area is passed on as the null handle; the walk then
  // finds no candidate and ends with the null handle.
  const WindowHandle frame = ops.FindTopLevel("AOL Frame25");
  const WindowHandle area = ops.FindChild(frame, rollkeep::kNoWindow, "MDIClient");
  WindowHandle candidate = ops.FindChild(area, rollkeep::kNoWindow, "AOL Child");
  if (IsChatRoom(ops, candidate)) return candidate;
  for (int walked = 1; walked < kMaxCandidates; ++walked) {
    candidate = ops.FindChild(area, candidate, "AOL Child");
    if (IsChatRoom(ops, candidate)) return candidate;
    if (candidate == rollkeep::kNoWindow) return rollkeep::kNoWindow;
  }
  return rollkeep::kNoWindow;
}

void ReplaceText(WindowOps& ops, WindowHandle window, const std::string& text) {
  ops.SetText(window, "");
  ops.SetText(window, text);
}

void PostToRoom(WindowOps& ops, const std::string& text) {
  // Nothing is checked: with no room the lookups yield the null handle (or
  // a top-level window of the entry box's class) and the messages go there.
  const WindowHandle room = LocateRoom(ops);
  const WindowHandle input = ops.FindChild(room, rollkeep::kNoWindow, "richcntl");
  ReplaceText(ops, input, "");
  std::string line;
  line.reserve(StylePrefix.size() + text.size());
  line.append(StylePrefix).append(text);
  ReplaceText(ops, input, line);
  ops.SendChar(input, 13);
}

}  // namespace Brask32
