#include "room/room_posting.h"

#include <string>

#include "room/room_lookup.h"

namespace Brask32 {

using rollkeep::WindowHandle;
using rollkeep::WindowOps;

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
  const WindowHandle input = rollkeep::FindEntryBox(ops, room);
  if (input == rollkeep::kNoWindow) return PostResult::NoRoom;  // gone meanwhile
  if (!ReplaceText(ops, input, "") || !ReplaceText(ops, input, PostedLine(text))) {
    return PostResult::NotAnswered;
  }
  return ops.SendChar(input, 13) ? PostResult::Delivered : PostResult::EnterUnsure;
}

}  // namespace Brask32
