#include "platform/win32/ui/retry_timer_window.h"

namespace rollkeep::win32 {
namespace {

constexpr UINT_PTR kRetryTimerId = 1;

}  // namespace

void RetryTimerWindow::Start(unsigned intervalMs) {
  if (hwnd() == nullptr &&
      !CreateWithClass({"RollkeepRetryTimer"}, ::GetModuleHandleA(nullptr), 0, "", 0,
                       HWND_MESSAGE)) {
    return;
  }
  ::SetTimer(hwnd(), kRetryTimerId, intervalMs, nullptr);
}

void RetryTimerWindow::Stop() {
  if (hwnd() != nullptr) ::KillTimer(hwnd(), kRetryTimerId);
}

LRESULT RetryTimerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kRetryTimerId) {
    tick_();
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace rollkeep::win32
