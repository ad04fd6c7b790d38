#pragma once
// An in-memory model of a desktop's window tree that answers the four window
// operations the way user32 does, for tests that run without Windows.
//
//  - Create() makes a window of a class under a parent (kNoWindow: a top-level
//    window), last in its parent's child order unless asked to go first; under
//    a parent that does not exist it makes nothing, as CreateWindow would.
//  - Class names match without regard to ASCII case; FindChild() searches the
//    direct children only; a kNoWindow parent searches the top-level windows.
//    An `after` that is not a child of the parent finds nothing.
//  - SetText()/SendChar() log the message on the receiving window, as
//    "WM_SETTEXT <text>" or "WM_CHAR <code>". Messages to kNoWindow or to a
//    destroyed window go nowhere and are only counted in DroppedMessages().
//  - Destroy() removes a window and everything below it; handles are never
//    reused.

#include <cstddef>
#include <string>
#include <vector>

#include "room/window_ops.h"

namespace rollkeep::testing {

// One FindChild call as it was made.
struct ChildLookup {
  WindowHandle parent, after;
  std::string className;
  friend bool operator==(const ChildLookup&, const ChildLookup&) = default;
};

class WindowTreeModel final : public WindowOps {
public:
  enum class Place { Last, First };

  WindowHandle Create(const std::string& className, WindowHandle parent = kNoWindow,
                      Place place = Place::Last);
  void Destroy(WindowHandle window);

  // Messages the window received, in order; empty for an unknown window.
  std::vector<std::string> Messages(WindowHandle window) const;
  std::size_t DeliveredMessages() const;
  std::size_t DroppedMessages() const { return dropped_; }
  const std::vector<ChildLookup>& ChildLookups() const { return lookups_; }

  WindowHandle FindTopLevel(const std::string& className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         const std::string& className) override;
  void SetText(WindowHandle window, const std::string& text) override;
  void SendChar(WindowHandle window, int code) override;

private:
  struct Window {
    WindowHandle handle, parent;
    std::string className;
    std::vector<std::string> messages;
  };

  const Window* Find(WindowHandle window) const;
  WindowHandle Search(WindowHandle parent, WindowHandle after, const std::string& className) const;
  void Deliver(WindowHandle window, std::string message);

  std::vector<Window> windows_;  // all of them; siblings in child order
  std::vector<ChildLookup> lookups_;
  std::size_t dropped_ = 0;
  WindowHandle next_ = 0x10010;
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

ChatClientWindows AddChatClient(WindowTreeModel& model);
// A chat room under `parent`, leaving out the children of class `missing`.
ChatRoomWindows AddChatRoom(WindowTreeModel& model, WindowHandle parent,
                            const std::string& missing = {},
                            WindowTreeModel::Place place = WindowTreeModel::Place::Last);

}  // namespace rollkeep::testing
