#pragma once
// Finds the chat room and types one line into its entry box.

#include <string>
#include <string_view>

#include "roster/chat_ports.h"
#include "room/window_ops.h"

namespace Brask32 {

// Put in front of every posted line: font tags and "::", then a space.
inline constexpr std::string_view StylePrefix =
    "<font color=#f40000><font face=\"arial black\">::"
    "<font color=#000001 face=\"arial black\"> ";
static_assert(StylePrefix.size() == 87, "the style prefix is 87 characters");

// The first "AOL Child" document window that has direct children of the four
// classes that mark a chat room, or kNoWindow.
rollkeep::WindowHandle LocateRoom(rollkeep::WindowOps& ops);
// Empties the window's text, then sets `text`.
void ReplaceText(rollkeep::WindowOps& ops, rollkeep::WindowHandle window,
                 const std::string& text);
// Types StylePrefix + text into the room's entry box and presses Enter.
void PostToRoom(rollkeep::WindowOps& ops, const std::string& text);

}  // namespace Brask32

namespace rollkeep {

// Posts announcements through PostToRoom.
class RoomPoster final : public Poster {
public:
  explicit RoomPoster(WindowOps& ops) : ops_(ops) {}
  void Post(const std::string& announcement) override {
    Brask32::PostToRoom(ops_, announcement);
  }

private:
  WindowOps& ops_;
};

}  // namespace rollkeep
