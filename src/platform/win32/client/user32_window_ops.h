#pragma once
// The window operations on user32, and a text read for the chat scanner.
// Messages are sent with SendMessageTimeoutA: they arrive in order and are
// handled before the call returns, but a hung client cannot hold Rollkeep.

#include <windows.h>

#include <optional>
#include <string>

#include "room/window_ops.h"

namespace rollkeep::win32 {

inline HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
inline WindowHandle FromHwnd(HWND window) { return reinterpret_cast<WindowHandle>(window); }

class User32WindowOps final : public WindowOps {
public:
  // How long one message may take before the window counts as not answering.
  static constexpr UINT kSendTimeoutMs = 3000;
  // How long the cheap question "do you answer now?" may take.
  static constexpr UINT kProbeTimeoutMs = 100;

  explicit User32WindowOps(UINT sendTimeoutMs = kSendTimeoutMs,
                           UINT probeTimeoutMs = kProbeTimeoutMs)
      : sendTimeoutMs_(sendTimeoutMs), probeTimeoutMs_(probeTimeoutMs) {}

  WindowHandle FindTopLevel(const std::string& className) override;
  WindowHandle FindChild(WindowHandle parent, WindowHandle after,
                         const std::string& className) override;
  bool SetText(WindowHandle window, const std::string& text) override;
  bool SendChar(WindowHandle window, int code) override;
  bool Responds(WindowHandle window) override;
  std::optional<std::string> Text(WindowHandle window) override;
  bool SetCaretToEnd(WindowHandle window, const std::string& text) override;

private:
  // Sends one message with the send timeout; true when it was handled. A
  // message that timed out is not sent again here: the caller decides.
  bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UINT sendTimeoutMs_;
  UINT probeTimeoutMs_;
};

// Reads a window's whole text (WM_GETTEXTLENGTH, then WM_GETTEXT into a buffer
// of that size; once more if the text grew meanwhile), each message sent with
// `timeoutMs`. False, with `out` emptied, when the window is gone or did not
// answer in time, or the read failed: a text said to be there of which
// nothing was copied, or one that could not be converted to the code page.
bool ReadWindowText(HWND window, std::string& out, UINT timeoutMs);

// A length beyond this is not a text a chat window holds (or one this 32-bit
// program cannot hold twice over): it is refused rather than allocated.
inline constexpr std::size_t kMaxTextChars = std::size_t{64} << 20;

enum class TextRead { Read, Failed, TooLarge };

// As ReadWindowText, telling apart a text longer than `maxChars` characters
// (or too large to allocate) from a window that is gone or did not answer.
TextRead TryReadWindowText(HWND window, std::string& out, UINT timeoutMs,
                           std::size_t maxChars = kMaxTextChars);

}  // namespace rollkeep::win32
