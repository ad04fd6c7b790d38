#pragma once
// Finding the windows of a process and the controls inside them.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rollkeep::driver {

// Reads that go to another process's window give up after this long, so a
// hung program fails a check instead of freezing the driver.
inline constexpr std::chrono::milliseconds kSendTimeout{10000};

// UTF-16 text in the system's ANSI code page, as the ...A functions give it.
std::string ToAnsi(const std::wstring& text);

// The window's class name and its caption (read without sending it a
// message, so this works on a hung window too).
std::string ClassName(HWND window);
std::string Caption(HWND window);

// The text a control reports for WM_GETTEXT. Throws DriverError when the
// control does not answer.
std::string ControlText(HWND control);

// Sets the control's text with WM_SETTEXT. Throws DriverError when the
// control does not take it.
void SetControlText(HWND control, const std::string& text);

// Every top-level window that belongs to the process `processId`.
std::vector<HWND> TopLevelWindows(DWORD processId);

// What a search asks of a window: an empty class or caption matches any;
// the class compares without regard to case, the caption exactly.
struct WindowQuery {
  std::string className;
  std::string caption;
  bool visibleOnly = true;
  // Further test, for example that the window has a certain control.
  std::function<bool(HWND)> accept;
};

bool Matches(HWND window, const WindowQuery& query);

// The first top-level window of the process that matches, or null.
HWND FindTopLevel(DWORD processId, const WindowQuery& query);
// Polls FindTopLevel until it finds one; throws DriverError at the deadline.
HWND WaitForTopLevel(DWORD processId, const WindowQuery& query,
                     std::chrono::milliseconds timeout);
// Polls FindWindowA(className, caption or any) until it finds a window.
HWND WaitForWindow(const std::string& className, const std::string& caption,
                   std::chrono::milliseconds timeout);

// The child control with the given id, or null.
HWND FindControl(HWND parent, int id);
// As FindControl, but throws DriverError when there is none.
HWND Control(HWND parent, int id);

// The direct children of `parent`, in child order.
std::vector<HWND> Children(HWND parent);

}  // namespace rollkeep::driver
