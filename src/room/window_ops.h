#pragma once
// The window operations that reach the chat client. On Windows they are
// FindWindowA, FindWindowExA and SendMessageTimeout (WM_SETTEXT / WM_CHAR /
// WM_NULL / WM_GETTEXT / EM_SETSEL); tests use a model of the client's window
// tree.

#include <cstdint>
#include <optional>
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
  // WM_SETTEXT: the window's text becomes exactly `text`. True when the
  // window handled it; false when it did not answer in time or is gone.
  virtual bool SetText(WindowHandle window, const std::string& text) = 0;
  // WM_CHAR with the character code `code` and key data 0; true as SetText.
  virtual bool SendChar(WindowHandle window, int code) = 0;
  // A cheap question (WM_NULL, short timeout): does the window answer now?
  virtual bool Responds(WindowHandle window) = 0;
  // The window's whole text, or nullopt when it did not answer or is gone.
  virtual std::optional<std::string> Text(WindowHandle window) = 0;
  // EM_SETSEL: puts an edit box's caret at the end of `text`, the text it was
  // just given, with nothing selected; true as SetText.
  virtual bool SetCaretToEnd(WindowHandle window, const std::string& text) = 0;
};

}  // namespace rollkeep
