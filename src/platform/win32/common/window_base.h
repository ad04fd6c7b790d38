#pragma once
// The common shape of Rollkeep's own windows: the object is handed over at
// WM_NCCREATE and kept in GWLP_USERDATA, a static window procedure finds it
// and passes each message to HandleMessage, and the link is cut again at
// WM_NCDESTROY. No exception leaves the window procedure: one that reaches
// it is handed to the HandlerFailures sink, and the message counts as handled.

#include <windows.h>

#include <string>

namespace rollkeep::win32 {

// Told about an exception that reached a window procedure; `what` says what
// failed. Called inside the window procedure, so it must not throw.
class HandlerFailures {
public:
  virtual ~HandlerFailures() = default;
  virtual void OnHandlerFailed(const std::string& what) noexcept = 0;
};

// The one sink for every window of the thread; nullptr for none.
void SetHandlerFailures(HandlerFailures* sink);
// The text for the exception being handled: its what(), "out of memory" for
// std::bad_alloc, "an unknown error" for anything that is not a std::exception.
std::string CurrentExceptionText();

struct WindowClassSpec {
  const char* name;
  UINT style = 0;
  HICON icon = nullptr;
  HBRUSH background = nullptr;
};

class WindowBase {
public:
  WindowBase() = default;
  virtual ~WindowBase();
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  // The window, or nullptr before it was created and after it was destroyed.
  HWND hwnd() const { return hwnd_; }
  // Destroys the window if it still exists.
  void Destroy();

protected:
  // Registers the class once (a class that already exists is kept) and
  // creates the window. Returns false when Windows refused either step.
  bool CreateWithClass(const WindowClassSpec& spec, HINSTANCE instance, DWORD exStyle,
                       const char* caption, DWORD style, HWND owner);
  // The message switch of the derived window; DefWindowProc for the rest.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (after WM_DESTROY, from WM_NCDESTROY).
  virtual void OnWindowGone() {}

private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static LRESULT Dispatch(WindowBase* self, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
};

}  // namespace rollkeep::win32
