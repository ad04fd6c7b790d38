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
//  - SetText()/SendChar()/SetCaretToEnd() log the message on the receiving
//    window, as "WM_SETTEXT <text>", "WM_CHAR <code>" or "EM_SETSEL <n> <n>". Messages to kNoWindow or to a
//    destroyed window go nowhere and are only counted in DroppedMessages().
//  - Destroy() removes a window and everything below it; handles are never
//    reused.
//  - A window's text is the last WM_SETTEXT it handled; a WM_CHAR 13 empties
//    it, as the client's entry box does when it sends its line. Type() puts
//    text into it as the operator's keys do: nothing is logged.
//  - Hang() makes a window stop answering after it handled `answered` more
//    messages (Responds() and Text() count as one each): the rest fail and are counted in TimedOutMessages();
//    Wake() makes it answer again. Timed-out messages are dropped (as Wine
//    does) or, with Missed::HandledLate, handled at Wake() (as Windows does).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "room/window_ops.h"
#include "support/desktop_builder.h"

namespace rollkeep::testing {

// One FindChild call as it was made.
struct ChildLookup {
  WindowHandle parent, after;
  std::string className;
  friend bool operator==(const ChildLookup&, const ChildLookup&) = default;
};

class WindowTreeModel final : public WindowOps, public DesktopBuilder {
public:
  enum class Missed { Dropped, HandledLate };

  WindowHandle Create(const std::string& className, WindowHandle parent = kNoWindow,
                      Place place = Place::Last) override;
  void Destroy(WindowHandle window) override;
  void Hang(WindowHandle window, std::size_t answered = 0, Missed missed = Missed::Dropped);
  void Wake(WindowHandle window);
  void Type(WindowHandle window, const std::string& text);

  // Messages the window received, in order; empty for an unknown window.
  std::vector<std::string> Messages(WindowHandle window) const;
  std::size_t DeliveredMessages() const;
  std::size_t DroppedMessages() const { return dropped_; }
  std::size_t TimedOutMessages() const { return timedOut_; }
  const std::vector<ChildLookup>& ChildLookups() const { return lookups_; }

  WindowHandle FindTopLevel(const std::string& className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         const std::string& className) override;
  bool SetText(WindowHandle window, const std::string& text) override;
  bool SendChar(WindowHandle window, int code) override;
  bool Responds(WindowHandle window) override;
  std::optional<std::string> Text(WindowHandle window) override;
  bool SetCaretToEnd(WindowHandle window, const std::string& text) override;

private:
  struct Window {
    WindowHandle handle, parent;
    std::string className;
    std::vector<std::string> messages;
    std::string text;
    std::optional<std::size_t> answersLeft;  // set while hanging
    Missed missed = Missed::Dropped;
    std::vector<std::string> late;  // timed out, to be handled at Wake()
  };

  const Window* Find(WindowHandle window) const;
  Window* FindMutable(WindowHandle window);
  WindowHandle Search(WindowHandle parent, WindowHandle after, const std::string& className) const;
  bool Deliver(WindowHandle window, std::string message);
  static void Handle(Window& w, std::string message);
  // Whether a hanging window answers one more message (counted).
  bool Answers(Window& w);

  std::vector<Window> windows_;  // all of them; siblings in child order
  std::vector<ChildLookup> lookups_;
  std::size_t dropped_ = 0;
  std::size_t timedOut_ = 0;
  WindowHandle next_ = 0x10010;
};

}  // namespace rollkeep::testing
