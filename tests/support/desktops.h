#pragma once
// Desktops the room lookup must tell apart, each with the room Rollkeep must
// find there (none: nothing may be sent anywhere) and an announcement to
// post; built in the window tree model by the unit tests and as real
// windows by the Win32 tests.

#include <functional>
#include <string>
#include <vector>

#include "room/window_ops.h"
#include "support/desktop_builder.h"

namespace rollkeep::testing {

struct DesktopCase {
  const char* name;
  std::string text;
  std::function<ChatRoomWindows(DesktopBuilder&)> build;
};

const std::vector<DesktopCase>& Desktops();

// The messages one post of `announcement` brings to the entry box, as
// "WM_SETTEXT <text>" and "WM_CHAR <code>".
std::vector<std::string> FivePostMessages(const std::string& announcement);

// LocateRoom, FindRoomTranscript and PostToRoom through `ops` on a desktop
// built to `expected`: the room found, its transcript, and a post that goes
// to its entry box or, with no room, reports none. What the windows received
// is the caller's to check.
void ExpectRoomFoundAndPostedTo(WindowOps& ops, const DesktopCase& desktop,
                                const ChatRoomWindows& expected);

}  // namespace rollkeep::testing
