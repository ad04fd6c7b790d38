#include "platform/win32/ui/message_pump.h"

#include "platform/win32/ui/accelerators.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace rollkeep::win32 {
namespace {

bool g_programEnding = false;

std::vector<HWND>& DialogWindows() {
  static std::vector<HWND> windows;
  return windows;
}

// Whole milliseconds, rounded up so a wait never wakes before its time;
// capped below INFINITE.
DWORD TimeoutMs(double seconds) {
  if (!(seconds > 0)) return 0;
  const double ms = std::ceil(seconds * 1000.0);
  return ms >= static_cast<double>(INFINITE - 1) ? INFINITE - 1 : static_cast<DWORD>(ms);
}

}  // namespace

bool Win32EventPump::PumpFor(double timeoutSeconds) {
  if (ProgramEnding()) return false;
  const DWORD timeoutMs = TimeoutMs(timeoutSeconds);
  const TickDeadline deadline = TickDeadline::After(timeoutMs);
  // MWMO_INPUTAVAILABLE: wake for input already in the queue too, not only
  // for input that arrives after the last look.
  ::MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  return DispatchPending(deadline);
}

bool DispatchPending(const TickDeadline& deadline) {
  MSG msg{};
  while (!ProgramEnding() && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return false;
    }
    DeliverMessage(msg);
    if (deadline.Passed()) break;
  }
  return !ProgramEnding();
}

void DeliverMessage(MSG& msg) {
  if (TranslateWindowAccelerator(msg)) return;
  if (HandleDialogMessage(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}

void RegisterDialogWindow(HWND window) {
  auto& windows = DialogWindows();
  if (window != nullptr && std::find(windows.begin(), windows.end(), window) == windows.end()) {
    windows.push_back(window);
  }
}

void UnregisterDialogWindow(HWND window) { std::erase(DialogWindows(), window); }

bool HandleDialogMessage(MSG& msg) {
  if (msg.hwnd == nullptr) return false;  // thread messages belong to no window
  // Found first and called outside the loop: IsDialogMessageA may run a
  // handler that waits, and a nested loop may change the registry.
  HWND owner = nullptr;
  for (HWND window : DialogWindows()) {
    if (::IsWindow(window) && (msg.hwnd == window || ::IsChild(window, msg.hwnd))) {
      owner = window;
      break;
    }
  }
  return owner != nullptr && ::IsDialogMessageA(owner, &msg) != FALSE;
}

void MarkProgramEnding() { g_programEnding = true; }
bool ProgramEnding() { return g_programEnding; }
void ClearProgramEnding() { g_programEnding = false; }

}  // namespace rollkeep::win32
