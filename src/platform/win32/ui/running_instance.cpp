#include "platform/win32/ui/running_instance.h"

#include "platform/win32/common/tick_deadline.h"
#include "platform/win32/ui/main_window.h"
#include "platform/win32/ui/splash_window.h"

namespace rollkeep::win32 {

namespace {

constexpr DWORD kLookAgainMs = 100;

HWND VisibleWindowOfClass(const char* className) {
  HWND window = ::FindWindowA(className, nullptr);
  return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

// Windows lets the foreground change only at the request of the program the
// operator is working with; this one was just started by the operator, so
// it may pass that right on to the first one before asking.
void BringForward(HWND window) {
  if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
  // A box of the first one that is open (the close prompt, a file dialog)
  // is what the operator must answer first.
  if (HWND popup = ::GetLastActivePopup(window)) window = popup;
  DWORD processId = 0;
  ::GetWindowThreadProcessId(window, &processId);
  ::AllowSetForegroundWindow(processId);
  if (::SetForegroundWindow(window)) return;
  FLASHWINFO flash{sizeof flash, window, FLASHW_ALL | FLASHW_TIMERNOFG, 0, 0};
  ::FlashWindowEx(&flash);
}

}  // namespace

HWND RunningRollkeepWindow() {
  if (HWND main = VisibleWindowOfClass(MainWindow::kClassName)) return main;
  return VisibleWindowOfClass(SplashWindow::kClassName);
}

bool BringRunningRollkeepForward(DWORD timeoutMs) {
  const TickDeadline deadline = TickDeadline::After(timeoutMs);
  for (;;) {
    if (HWND window = RunningRollkeepWindow()) {
      BringForward(window);
      return true;
    }
    if (deadline.Passed()) return false;
    ::Sleep(kLookAgainMs);
  }
}

}  // namespace rollkeep::win32
