#pragma once
// The four window operations that reach the chat client. On Windows they are
// FindWindowA, FindWindowExA and SendMessage(WM_SETTEXT / WM_CHAR); tests use
// a model of the client's window tree.

#include <cstdint>
#include <string>

namespace rollkeep {

// An opaque window handle; 0 names no window.
using WindowHandle = std::uintptr_t;
inline constexpr WindowHandle kNoWindow = 0;

class WindowOps {
public:
  virtual ~WindowOps() = default;
  // A top-level window of class `className` (any title), or kNoWindow.
  virtual WindowHandle FindTopLevel(const std::string& className) = 0;
  // The first direct child of `parent` of class `className` that comes after
  // `after` in child order (the first such child when `after` is kNoWindow).
  // A kNoWindow parent searches the top-level windows.
  virtual WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                                 const std::string& className) = 0;
  // WM_SETTEXT: the window's text becomes exactly `text`.
  virtual void SetText(WindowHandle window, const std::string& text) = 0;
  // WM_CHAR with the character code `code` and key data 0.
  virtual void SendChar(WindowHandle window, int code) = 0;
};

}  // namespace rollkeep
