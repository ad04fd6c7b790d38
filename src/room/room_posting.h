#pragma once
// Finds the chat room and types one line into its entry box.

#include <string>
#include <string_view>

#include "room/room_lookup.h"
#include "room/window_ops.h"

namespace Brask32 {

// Put in front of every posted line: font tags and "::", then a space.
inline constexpr std::string_view StylePrefix =
    "<font color=#f40000><font face=\"arial black\">::"
    "<font color=#000001 face=\"arial black\"> ";
static_assert(StylePrefix.size() == 87, "the style prefix is 87 characters");

// Empties the window's text, then sets `text`. False as soon as one of the
// two messages was not handled.
bool ReplaceText(rollkeep::WindowOps& ops, rollkeep::WindowHandle window,
                 const std::string& text);

// StylePrefix + text: the line a post leaves in the entry box before Enter.
std::string PostedLine(const std::string& text);

enum class PostResult {
  Delivered,     // all five messages handled: the line went out
  NoRoom,        // no chat room: nothing was sent
  NotAnswered,   // a message before the Enter went unhandled; the rest unsent
  EnterUnsure,   // everything but the Enter was handled: the line may go out
                 // late, when the client handles the Enter after all
};

// Types StylePrefix + text into the room's entry box and presses Enter. The
// entry box is looked up only inside a room that was found: with no room
// nothing is sent at all. The post stops at the first message the client
// did not handle.
PostResult PostToRoom(rollkeep::WindowOps& ops, const std::string& text);

}  // namespace Brask32
