#pragma once
// An in-memory model of a desktop's window tree that answers the four window
// operations the way user32 does, for tests that run without Windows.
//
//  - Create() makes a window of a class under a parent (kNoWindow: a top-level
//    window), last in its parent's child order unless asked to go first.
//  - Class names match without regard to ASCII case; FindChild() searches the
//    direct children only; a kNoWindow parent searches the top-level windows;
//    FindTopLevel() never looks at children.
//  - SetText()/SendChar() log the message on the receiving window and SetText
//    also replaces its text. Messages to kNoWindow or to a destroyed window go
//    nowhere and are only counted in DroppedMessages().
//  - Destroy() removes a window and everything below it; its handle then names
//    no window, and handles are never reused.
//  - Text() reads a window's current text, as WM_GETTEXT would; tests of other
//    readers (the chat scanner) can change it with PutText(), which logs nothing.

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "room/window_ops.h"

namespace rollkeep::testing {

struct WindowMessage {
  enum class Kind { SetText, Char };
  Kind kind;
  std::string text;  // SetText: the text sent
  int code = 0;      // Char: the character code

  static WindowMessage SetTextOf(std::string text) { return {Kind::SetText, std::move(text), 0}; }
  static WindowMessage CharOf(int code) { return {Kind::Char, {}, code}; }
  friend bool operator==(const WindowMessage&, const WindowMessage&) = default;
};

// One FindChild call as it was made, with its answer.
struct ChildLookup {
  WindowHandle parent;
  WindowHandle after;
  std::string className;
  WindowHandle result;
};

class WindowTreeModel final : public WindowOps {
public:
  enum class Place { Last, First };

  WindowHandle Create(const std::string& className, WindowHandle parent = kNoWindow,
                      std::string text = {}, Place place = Place::Last);
  void Destroy(WindowHandle window);

  bool Exists(WindowHandle window) const;
  // The window's current text; empty for a window that does not exist.
  std::string Text(WindowHandle window) const;
  void PutText(WindowHandle window, std::string text);
  // Direct children in child order; the top-level windows for kNoWindow.
  std::vector<WindowHandle> Children(WindowHandle parent) const;
  // Messages the window received, in order; empty for an unknown window.
  const std::vector<WindowMessage>& Messages(WindowHandle window) const;
  // Messages received by all windows together.
  std::size_t DeliveredMessages() const;
  // Messages sent to kNoWindow or to a window that no longer exists.
  std::size_t DroppedMessages() const { return dropped_; }
  const std::vector<ChildLookup>& ChildLookups() const { return lookups_; }

  WindowHandle FindTopLevel(const std::string& className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         const std::string& className) override;
  void SetText(WindowHandle window, const std::string& text) override;
  void SendChar(WindowHandle window, int code) override;

private:
  struct Window {
    std::string className;
    WindowHandle parent = kNoWindow;
    std::string text;
    std::vector<WindowHandle> children;
    std::vector<WindowMessage> messages;
  };

  Window* Find(WindowHandle window);
  const Window* Find(WindowHandle window) const;
  std::vector<WindowHandle>* SiblingsUnder(WindowHandle parent);
  const std::vector<WindowHandle>* SiblingsUnder(WindowHandle parent) const;
  WindowHandle FirstOfClass(const std::vector<WindowHandle>& order, WindowHandle after,
                            const std::string& className) const;
  void Deliver(WindowHandle window, WindowMessage message);

  std::map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> topLevel_;
  std::vector<ChildLookup> lookups_;
  std::size_t dropped_ = 0;
  WindowHandle next_ = 0x10010;
};

// The chat client's main window and its document area.
struct ChatClientWindows {
  WindowHandle frame;      // "AOL Frame25"
  WindowHandle mdiClient;  // "MDIClient"
};

// A chat room and its five children, in child order.
struct ChatRoomWindows {
  WindowHandle room;        // "AOL Child"
  WindowHandle entry;       // "RICHCNTL", the entry box
  WindowHandle transcript;  // "RICHCNTL"
  WindowHandle members;     // "_AOL_Listbox"
  WindowHandle sendButton;  // "_AOL_Icon"
  WindowHandle roomName;    // "_AOL_Static"
};

ChatClientWindows AddChatClient(WindowTreeModel& model);
// Appends a chat room to the client's document windows.
ChatRoomWindows AddChatRoom(WindowTreeModel& model, const ChatClientWindows& client,
                            const std::string& name = "Town Square");
// Appends a document window that is not a chat room (no children).
WindowHandle AddDocumentWindow(WindowTreeModel& model, const ChatClientWindows& client);

}  // namespace rollkeep::testing
