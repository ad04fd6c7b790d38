#include "platform/win32/ui/dpi.h"

namespace rollkeep::win32 {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFn = HRESULT(WINAPI*)(int);
using SetAwareFn = BOOL(WINAPI*)();

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and PROCESS_PER_MONITOR_DPI_AWARE.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
constexpr int kProcessPerMonitorAware = 2;

template <typename Fn>
Fn Function(HMODULE module, const char* name) {
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

template <typename Fn>
Fn User32Function(const char* name) {
  return Function<Fn>(::GetModuleHandleA("user32.dll"), name);
}

}  // namespace

UINT ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  if (screen == nullptr) return kBaseDpi;
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

UINT DpiForWindow(HWND hwnd) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && hwnd != nullptr) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi != 0) return dpi;
  }
  return ScreenDpi();
}

int ScaleForDpi(int pixelsAt96, UINT dpi) {
  return ::MulDiv(pixelsAt96, static_cast<int>(dpi), static_cast<int>(kBaseDpi));
}

int TwipsToPixels(int twips, UINT dpi) {
  return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, clientWidth, clientHeight};
  if (adjustForDpi == nullptr || !adjustForDpi(&rect, style, FALSE, exStyle, dpi)) {
    rect = RECT{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

POINT CentredOrigin(SIZE size, HWND anchor) {
  RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  const POINT origin{0, 0};
  HMONITOR monitor = anchor != nullptr ? ::MonitorFromWindow(anchor, MONITOR_DEFAULTTONEAREST)
                                       : ::MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (monitor != nullptr && ::GetMonitorInfoA(monitor, &info)) area = info.rcWork;
  return POINT{area.left + (area.right - area.left - size.cx) / 2,
               area.top + (area.bottom - area.top - size.cy) / 2};
}

// Only the newest function present is asked: where it exists but refuses,
// the awareness was already chosen (by the manifest) and must stay.
void EnableDpiAwareness() {
  if (auto setContext = User32Function<SetContextFn>("SetProcessDpiAwarenessContext")) {
    setContext(kPerMonitorV2);
    return;
  }
  if (HMODULE shcore = ::LoadLibraryA("shcore.dll")) {
    auto setAwareness = Function<SetAwarenessFn>(shcore, "SetProcessDpiAwareness");
    if (setAwareness != nullptr) setAwareness(kProcessPerMonitorAware);
    ::FreeLibrary(shcore);
    if (setAwareness != nullptr) return;
  }
  if (auto setAware = User32Function<SetAwareFn>("SetProcessDPIAware")) setAware();
}

}  // namespace rollkeep::win32
