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
  std::optional<std::string> typed;
  return rollkeep::PostIntoRoom(ops, room, text, typed);
}

}  // namespace Brask32

namespace rollkeep {

using Brask32::PostResult;

PostResult PostIntoRoom(WindowOps& ops, WindowHandle room, const std::string& text,
                        std::optional<std::string>& typed) {
  const WindowHandle input = FindEntryBox(ops, room);
  if (input == kNoWindow) return PostResult::NoRoom;  // gone meanwhile
  if (!typed) typed = ops.Text(input);
  if (!typed) return PostResult::NotAnswered;
  // A line of Rollkeep's own, left by a client that did not send or empty
  // it, is no typing of the operator's: putting it back would post it twice.
  if (typed->starts_with(Brask32::StylePrefix)) typed->clear();
  if (!Brask32::ReplaceText(ops, input, "") ||
      !Brask32::ReplaceText(ops, input, Brask32::PostedLine(text))) {
    return PostResult::NotAnswered;
  }
  if (!ops.SendChar(input, 13)) return PostResult::EnterUnsure;
  PutBackTyped(ops, input, *typed);
  return PostResult::Delivered;
}

// The line went out whether or not the client takes the text back in time.
void PutBackTyped(WindowOps& ops, WindowHandle entry, const std::string& typed) {
  if (typed.empty()) return;
  if (ops.SetText(entry, typed)) ops.SetCaretToEnd(entry, typed);
}

}  // namespace rollkeep
