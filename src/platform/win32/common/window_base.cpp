#include "platform/win32/common/window_base.h"

#include <exception>
#include <new>
#include <utility>

namespace rollkeep::win32 {

namespace {

HandlerFailures* g_handlerFailures = nullptr;

void ReportCurrentException() noexcept {
  if (g_handlerFailures == nullptr) return;
  try {
    g_handlerFailures->OnHandlerFailed(CurrentExceptionText());
  } catch (...) {
    // Out of memory for the text itself: nothing more can be said.
  }
}

bool RegisterOnce(const WindowClassSpec& spec, HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(instance, spec.name, &existing)) return true;

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = spec.style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = spec.icon;
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = spec.background;
  wc.lpszClassName = spec.name;
  return ::RegisterClassExA(&wc) != 0;
}

}  // namespace

void SetHandlerFailures(HandlerFailures* sink) { g_handlerFailures = sink; }

std::string CurrentExceptionText() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return "out of memory";
  } catch (const std::exception& failure) {
    return failure.what();
  } catch (...) {
    return "an unknown error";
  }
}

// Derived windows destroy their window in their own destructor, while their
// handlers still exist; this is the last resort, and by now only
// DefWindowProc may see the window's final messages.
WindowBase::~WindowBase() {
  if (hwnd_ == nullptr) return;
  ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  ::DestroyWindow(std::exchange(hwnd_, nullptr));
}

void WindowBase::Destroy() {
  if (hwnd_ != nullptr) ::DestroyWindow(hwnd_);
}

bool WindowBase::CreateWithClass(const WindowClassSpec& spec, HINSTANCE instance, DWORD exStyle,
                                 const char* caption, DWORD style, HWND owner) {
  if (!RegisterOnce(spec, instance, &WindowBase::WindowProc)) return false;
  ::CreateWindowExA(exStyle, spec.name, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, owner, nullptr, instance, this);
  return hwnd_ != nullptr;
}

LRESULT WindowBase::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    self = static_cast<WindowBase*>(create->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (self == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return Dispatch(self, hwnd, message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind into user32; the message counts as handled, and the
    // operator hears what failed.
    ReportCurrentException();
    return 0;
  }
}

LRESULT WindowBase::Dispatch(WindowBase* self, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam) {
  if (message != WM_NCDESTROY) return self->HandleMessage(message, wParam, lParam);
  ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  self->hwnd_ = nullptr;
  self->OnWindowGone();
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace rollkeep::win32
