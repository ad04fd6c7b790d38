#pragma once
// The window operations on user32, and a text read for the chat scanner.
// Messages are sent with SendMessageTimeoutA: they arrive in order and are
// handled before the call returns, but a hung client cannot hold Rollkeep.

#include <windows.h>

#include <map>
#include <string>

#include "platform/win32/common/tick_deadline.h"
#include "room/window_ops.h"

namespace rollkeep::win32 {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

class User32WindowOps final : public WindowOps {
public:
  // How long one message may take before the window counts as not answering.
  static constexpr UINT kSendTimeoutMs = 3000;
  // How long a window that did not answer is left alone: no message is sent
  // to it meanwhile, so one post to a hung client costs one timeout, not five.
  static constexpr DWORD kUnresponsiveMs = 5000;

  explicit User32WindowOps(UINT sendTimeoutMs = kSendTimeoutMs,
                           DWORD unresponsiveMs = kUnresponsiveMs)
      : sendTimeoutMs_(sendTimeoutMs), unresponsiveMs_(unresponsiveMs) {}

  WindowHandle FindTopLevel(const std::string& className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         const std::string& className) override;
  void SetText(WindowHandle window, const std::string& text) override;
  void SendChar(WindowHandle window, int code) override;

private:
  // Sends one message unless the window is known not to answer; a send that
  // times out is not retried, and marks the window.
  void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool Unresponsive(HWND window, DWORD now);

  UINT sendTimeoutMs_;
  DWORD unresponsiveMs_;
  std::map<HWND, TickDeadline> unresponsiveUntil_;  // when to try the window again
};

// Reads a window's whole text (WM_GETTEXTLENGTH, then WM_GETTEXT into a buffer
// of that size; once more if the text grew meanwhile), each message sent with
// `timeoutMs`. False, with `out` emptied, when the window is gone or did not
// answer in time.
bool ReadWindowText(HWND window, std::string& out, UINT timeoutMs);

}  // namespace rollkeep::win32
