#include "ui_test_support.h"

namespace rollkeep::uitest {

void PumpFor(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
  while (!done()) {
    const ULONGLONG now = ::GetTickCount64();
    if (now >= deadline) return false;
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return true;
}

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(hwnd)) + 1, '\0');
  const int length = ::GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length));
  return text;
}

std::string ClassName(HWND hwnd) {
  char name[64] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  return name;
}

std::vector<std::string> ListItems(HWND listBox) {
  std::vector<std::string> items;
  const auto count = ::SendMessageA(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string text(static_cast<size_t>(::SendMessageA(listBox, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    const auto length =
        ::SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(text);
  }
  return items;
}

int ListSelection(HWND listBox) {
  return static_cast<int>(::SendMessageA(listBox, LB_GETCURSEL, 0, 0));
}

double NowSeconds() {
  LARGE_INTEGER frequency, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace rollkeep::uitest
