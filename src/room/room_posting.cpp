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
  // A missing frame or area ends the search: a search under the null handle
  // would walk the top-level windows of every program.
  const WindowHandle frame = ops.FindTopLevel("AOL Frame25");
  if (frame == rollkeep::kNoWindow) return rollkeep::kNoWindow;
  const WindowHandle area = ops.FindChild(frame, rollkeep::kNoWindow, "MDIClient");
  if (area == rollkeep::kNoWindow) return rollkeep::kNoWindow;
  WindowHandle candidate = rollkeep::kNoWindow;
  for (int walked = 0; walked < kMaxCandidates; ++walked) {
    candidate = ops.FindChild(area, candidate, "AOL Child");
    if (candidate == rollkeep::kNoWindow) return rollkeep::kNoWindow;
    if (IsChatRoom(ops, candidate)) return candidate;
  }
  return rollkeep::kNoWindow;
}

bool ReplaceText(WindowOps& ops, WindowHandle window, const std::string& text) {
  return ops.SetText(window, "") && ops.SetText(window, text);
}

std::string PostedLine(const std::string& text) {
  std::string line;
  line.reserve(StylePrefix.size() + text.size());
  line.append(StylePrefix).append(text);
  return line;
}

PostResult PostToRoom(WindowOps& ops, const std::string& text) {
  // A search from the null handle would reach the top-level windows of every
  // program: a room must be found before anything is looked up inside it.
  const WindowHandle room = LocateRoom(ops);
  if (room == rollkeep::kNoWindow) return PostResult::NoRoom;
  const WindowHandle input = ops.FindChild(room, rollkeep::kNoWindow, "richcntl");
  if (input == rollkeep::kNoWindow) return PostResult::NoRoom;  // gone meanwhile
  if (!ReplaceText(ops, input, "") || !ReplaceText(ops, input, PostedLine(text))) {
    return PostResult::NotAnswered;
  }
  return ops.SendChar(input, 13) ? PostResult::Delivered : PostResult::EnterUnsure;
}

}  // namespace Brask32
