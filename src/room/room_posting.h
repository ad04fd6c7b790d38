#pragma once
// Finds the chat room and types one line into its entry box, leaving what the
// operator had typed there as it was.

#include <optional>
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
  NotAnswered,   // the box's text could not be read, or a message before the
                 // Enter went unhandled; the rest unsent
  EnterUnsure,   // everything but the Enter was handled: the line may go out
                 // late, when the client handles the Enter after all
};

// Types StylePrefix + text into the room's entry box and presses Enter. The
// entry box is looked up only inside a room that was found: with no room
// nothing is sent at all. The post stops at the first message the client
// did not handle. Text the operator had typed into the box is put back.
PostResult PostToRoom(rollkeep::WindowOps& ops, const std::string& text);

}  // namespace Brask32

namespace rollkeep {

// A post into `room`, a chat room found earlier. The entry box is read first:
// the five messages of the post empty it, so text the operator was typing
// there is put back after the Enter, with the caret at its end. An empty box
// gets the five messages alone. `typed` keeps what the box held before this
// post's first message: a post made again after the client missed one of
// its messages passes it back, since the box may by then hold the post's own
// line. Read now when empty; a box that cannot be read is not answering, and
// nothing is sent. A box that still holds one of Rollkeep's own lines counts
// as empty.
Brask32::PostResult PostIntoRoom(WindowOps& ops, WindowHandle room, const std::string& text,
                                 std::optional<std::string>& typed);

// Gives the entry box back the operator's text, the caret at its end;
// nothing for an empty text.
void PutBackTyped(WindowOps& ops, WindowHandle entry, const std::string& typed);

}  // namespace rollkeep
