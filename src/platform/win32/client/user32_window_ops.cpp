#include "platform/win32/client/user32_window_ops.h"

#include <new>

namespace rollkeep::win32 {
namespace {

// SMTO_ABORTIFHUNG gives up at once on a window that Windows already knows
// to be hung; the timeout bounds the rest.
bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs,
                     DWORD_PTR& result) {
  result = 0;
  return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               timeoutMs, &result) != 0;
}

// Extra room beyond the reported length, so that a text that grew a little
// between the two messages is still read whole in one go.
std::size_t Slack(std::size_t length) { return length / 8 + 256; }

enum class Read { Whole, Grew, Failed, TooLarge };

// The transcript is read with the wide messages and turned into the ANSI
// code page here: Wine blocks for good in SendMessageTimeoutA's text
// messages to a hung window of another process, whatever the timeout, while
// the wide forms honour it.
bool SendWideWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs,
                         DWORD_PTR& result) {
  result = 0;
  return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                               timeoutMs, &result) != 0;
}

// False when a text that is not empty could not be converted: it must not
// pass for an empty one.
bool ToAnsi(const std::wstring& wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return false;
  out.assign(static_cast<std::size_t>(bytes), '\0');
  return ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, out.data(), bytes, nullptr,
                               nullptr) == bytes;
}

Read ReadOnce(HWND window, std::string& out, UINT timeoutMs, std::size_t maxChars) {
  DWORD_PTR length = 0;
  if (!SendWideWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs, length)) {
    return Read::Failed;
  }
  if (length > maxChars) return Read::TooLarge;
  std::wstring buffer(static_cast<std::size_t>(length) + Slack(length), L'\0');
  DWORD_PTR copied = 0;
  if (!SendWideWithTimeout(window, WM_GETTEXT, buffer.size(),
                           reinterpret_cast<LPARAM>(buffer.data()), timeoutMs, copied)) {
    return Read::Failed;
  }
  // A text said to be there of which nothing came (the client redrawing, or
  // emptied between the two messages) is not an empty transcript.
  if (length > 0 && copied == 0) return Read::Failed;
  // WM_GETTEXT keeps one character for the terminator: a full buffer means
  // the text may have been cut short.
  const std::size_t room = buffer.size() - 1;
  const bool full = copied >= room;
  buffer.resize(full ? room : static_cast<std::size_t>(copied));
  if (!ToAnsi(buffer, out)) return Read::Failed;
  return full ? Read::Grew : Read::Whole;
}

}  // namespace

WindowHandle User32WindowOps::FindTopLevel(const std::string& className) {
  return FromHwnd(::FindWindowA(className.c_str(), nullptr));
}

WindowHandle User32WindowOps::FindChild(WindowHandle parent, WindowHandle after,
                                        const std::string& className) {
  return FromHwnd(::FindWindowExA(ToHwnd(parent), ToHwnd(after), className.c_str(), nullptr));
}

bool User32WindowOps::SetText(WindowHandle window, const std::string& text) {
  return Send(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool User32WindowOps::SendChar(WindowHandle window, int code) {
  return Send(ToHwnd(window), WM_CHAR, static_cast<WPARAM>(code), 0);
}

bool User32WindowOps::Responds(WindowHandle window) {
  DWORD_PTR result = 0;
  return window != kNoWindow &&
         SendWithTimeout(ToHwnd(window), WM_NULL, 0, 0, probeTimeoutMs_, result);
}

std::optional<std::string> User32WindowOps::Text(WindowHandle window) {
  std::string text;
  if (window == kNoWindow || !ReadWindowText(ToHwnd(window), text, sendTimeoutMs_)) {
    return std::nullopt;
  }
  return text;
}

// EM_SETSEL counts characters, not the bytes of the ANSI text.
bool User32WindowOps::SetCaretToEnd(WindowHandle window, const std::string& text) {
  const int end = text.empty() ? 0
                               : ::MultiByteToWideChar(CP_ACP, 0, text.data(),
                                                       static_cast<int>(text.size()), nullptr, 0);
  return Send(ToHwnd(window), EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
}

bool User32WindowOps::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr) return false;  // the null handle names no window
  DWORD_PTR result = 0;
  return SendWithTimeout(window, message, wParam, lParam, sendTimeoutMs_, result);
}

TextRead TryReadWindowText(HWND window, std::string& out, UINT timeoutMs,
                           std::size_t maxChars) {
  out.clear();
  try {
    Read read = ReadOnce(window, out, timeoutMs, maxChars);
    if (read == Read::Grew) read = ReadOnce(window, out, timeoutMs, maxChars);
    if (read == Read::Failed || read == Read::TooLarge) out.clear();
    // After the one retry a text still growing is taken as far as it was read.
    if (read == Read::Failed) return TextRead::Failed;
    return read == Read::TooLarge ? TextRead::TooLarge : TextRead::Read;
  } catch (const std::bad_alloc&) {
    out.clear();
    return TextRead::TooLarge;
  }
}

bool ReadWindowText(HWND window, std::string& out, UINT timeoutMs) {
  return TryReadWindowText(window, out, timeoutMs) == TextRead::Read;
}

}  // namespace rollkeep::win32
