#include "dialog_driver.h"

#include <chrono>
#include <cstring>

namespace rollkeep::win32::testing {

namespace {

constexpr auto kPatience = std::chrono::seconds(20);
constexpr auto kPoll = std::chrono::milliseconds(20);
// Lets the dialog finish laying itself out after it becomes visible.
constexpr auto kSettle = std::chrono::milliseconds(300);

BOOL CALLBACK MatchDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::strcmp(name, "#32770") == 0 && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindDialog(DWORD thread) {
  HWND found = nullptr;
  EnumThreadWindows(thread, MatchDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

DialogDriver::DialogDriver(Action action)
    : thread_(&DialogDriver::Run, this, GetCurrentThreadId(), std::move(action)) {}

DialogDriver::~DialogDriver() { Finish(); }

bool DialogDriver::Finish() {
  if (thread_.joinable()) thread_.join();
  return acted_;
}

void DialogDriver::Run(DWORD uiThread, Action action) {
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (std::chrono::steady_clock::now() < deadline) {
    if (HWND dialog = FindDialog(uiThread)) {
      std::this_thread::sleep_for(kSettle);
      action(dialog);
      acted_ = true;
      return;
    }
    std::this_thread::sleep_for(kPoll);
  }
}

void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string WindowText(HWND window) {
  char text[1024] = {};
  const int length = GetWindowTextA(window, text, sizeof text);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace rollkeep::win32::testing
