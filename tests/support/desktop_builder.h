#pragma once
// Builds desktops of windows for the room lookup: made in a model of the
// window tree (tests without Windows) or as real windows (tests on Windows),
// so the same desktops run on both and show that the model is faithful.

#include <string>

#include "room/window_ops.h"

namespace rollkeep::testing {

class DesktopBuilder {
public:
  enum class Place { Last, First };
  virtual ~DesktopBuilder() = default;
  // A window of class `className` under `parent` (kNoWindow: a top-level
  // window), last or first in its parent's child order.
  virtual WindowHandle Create(const std::string& className, WindowHandle parent = kNoWindow,
                              Place place = Place::Last) = 0;
  // Removes the window and everything below it.
  virtual void Destroy(WindowHandle window) = 0;
};

// The chat client's main window ("AOL Frame25") and its document area ("MDIClient").
struct ChatClientWindows {
  WindowHandle frame, mdiClient;
};

// A chat room ("AOL Child") and its five children in child order: "RICHCNTL"
// (entry box), "RICHCNTL" (transcript), "_AOL_Listbox", "_AOL_Icon", "_AOL_Static".
struct ChatRoomWindows {
  WindowHandle room = kNoWindow, entry = kNoWindow, transcript = kNoWindow, members = kNoWindow,
               sendButton = kNoWindow, roomName = kNoWindow;
};

ChatClientWindows AddChatClient(DesktopBuilder& desktop);
// A chat room under `parent`, leaving out the children of class `missing`.
ChatRoomWindows AddChatRoom(DesktopBuilder& desktop, WindowHandle parent,
                            const std::string& missing = {},
                            DesktopBuilder::Place place = DesktopBuilder::Place::Last);

}  // namespace rollkeep::testing
