#include "driver/input.h"

#include <string>

#include "driver/poll.h"

namespace rollkeep::driver {

namespace {

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!::PostMessageA(window, message, wParam, lParam)) {
    throw DriverError("cannot post message " + std::to_string(message) +
                      " (error " + std::to_string(::GetLastError()) + ")");
  }
}

}  // namespace

void Click(HWND button) { Post(button, BM_CLICK, 0, 0); }

void DoubleClick(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  const LPARAM point = MAKELPARAM(client.right / 2, client.bottom / 2);
  Post(window, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
}

void Close(HWND window) { Post(window, WM_CLOSE, 0, 0); }

void PostCommand(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
       reinterpret_cast<LPARAM>(control));
}

bool Answers(HWND window, std::chrono::milliseconds timeout) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL,
                               static_cast<UINT>(timeout.count()),
                               &result) != 0;
}

bool IsEnabled(HWND window) { return ::IsWindowEnabled(window) != FALSE; }

bool IsVisible(HWND window) { return ::IsWindowVisible(window) != FALSE; }

}  // namespace rollkeep::driver
