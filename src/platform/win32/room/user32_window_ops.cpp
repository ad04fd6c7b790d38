#include "platform/win32/room/user32_window_ops.h"

#include <algorithm>
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

// A length beyond this is not a text a chat window holds but a bad answer;
// it is refused rather than allocated.
constexpr DWORD_PTR kMaxTextBytes = 64u << 20;

enum class Read { Whole, Grew, Failed };

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

std::string ToAnsi(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int bytes = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), size, out.data(), bytes, nullptr, nullptr);
  return out;
}

Read ReadOnce(HWND window, std::string& out, UINT timeoutMs) {
  DWORD_PTR length = 0;
  if (!SendWideWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, timeoutMs, length) ||
      length > kMaxTextBytes) {
    return Read::Failed;
  }
  std::wstring buffer(static_cast<std::size_t>(length) + Slack(length), L'\0');
  DWORD_PTR copied = 0;
  if (!SendWideWithTimeout(window, WM_GETTEXT, buffer.size(),
                           reinterpret_cast<LPARAM>(buffer.data()), timeoutMs, copied)) {
    return Read::Failed;
  }
  // WM_GETTEXT keeps one character for the terminator: a full buffer means
  // the text may have been cut short.
  const std::size_t room = buffer.size() - 1;
  const bool full = copied >= room;
  buffer.resize(full ? room : static_cast<std::size_t>(copied));
  out = ToAnsi(buffer);
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

void User32WindowOps::SetText(WindowHandle window, const std::string& text) {
  Send(ToHwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void User32WindowOps::SendChar(WindowHandle window, int code) {
  Send(ToHwnd(window), WM_CHAR, static_cast<WPARAM>(code), 0);
}

void User32WindowOps::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == nullptr) return;  // the null handle names no window
  if (Unresponsive(window, ::GetTickCount())) return;
  DWORD_PTR result = 0;
  // A failure on a window that still exists means it did not answer in time
  // (a window that is gone needs no remembering).
  if (!SendWithTimeout(window, message, wParam, lParam, sendTimeoutMs_, result) &&
      ::IsWindow(window)) {
    unresponsiveUntil_[window] = TickDeadline::After(unresponsiveMs_);
  }
}

bool User32WindowOps::Unresponsive(HWND window, DWORD now) {
  std::erase_if(unresponsiveUntil_, [now](const auto& entry) { return entry.second.Passed(now); });
  return unresponsiveUntil_.contains(window);
}

bool ReadWindowText(HWND window, std::string& out, UINT timeoutMs) {
  out.clear();
  try {
    Read read = ReadOnce(window, out, timeoutMs);
    if (read == Read::Grew) read = ReadOnce(window, out, timeoutMs);
    if (read == Read::Failed) out.clear();
    // After the one retry a text still growing is taken as far as it was read.
    return read != Read::Failed;
  } catch (const std::bad_alloc&) {
    out.clear();
    return false;
  }
}

}  // namespace rollkeep::win32
