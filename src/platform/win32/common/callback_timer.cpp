#include "platform/win32/common/callback_timer.h"

namespace rollkeep::win32 {
namespace {

// Each timer has a window of its own, so one id serves them all.
constexpr UINT_PTR kTimerId = 1;

}  // namespace

bool CallbackTimer::Start(unsigned intervalMs) {
  if (hwnd() == nullptr &&
      !CreateWithClass({"RollkeepTimer"}, ::GetModuleHandleA(nullptr), 0, "", 0, HWND_MESSAGE)) {
    return false;
  }
  return ::SetTimer(hwnd(), kTimerId, intervalMs, nullptr) != 0;
}

void CallbackTimer::Stop() {
  if (hwnd() != nullptr) ::KillTimer(hwnd(), kTimerId);
}

LRESULT CallbackTimer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kTimerId) {
    tick_();
    return 0;
  }
  return Default(message, wParam, lParam);
}

}  // namespace rollkeep::win32
