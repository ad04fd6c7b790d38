#pragma once
// Sizes given in twips or in pixels at 96 DPI, turned into the pixels of a
// window's actual DPI. Newer DPI functions are looked up at run time so the
// program still starts on Windows versions without them.

#include <windows.h>

namespace rollkeep::win32 {

inline constexpr UINT kBaseDpi = 96;
inline constexpr int kTwipsPerInch = 1440;
// WM_DPICHANGED (Windows 8.1 and later; the XP headers lack it). Older
// systems never send it.
inline constexpr UINT kWmDpiChanged = 0x02E0;

// The DPI of the window (GetDpiForWindow where it exists), otherwise the
// screen's LOGPIXELSX.
UINT DpiForWindow(HWND hwnd);
// The screen's DPI, for sizes needed before a window exists.
UINT ScreenDpi();

// Pixels at 96 DPI scaled to `dpi`.
int ScaleForDpi(int pixelsAt96, UINT dpi);
// Twips (1/1440 inch) in pixels at `dpi`: 15 twips per pixel at 96 DPI.
int TwipsToPixels(int twips, UINT dpi);

// The outer size of a window whose client area is `clientWidth` x
// `clientHeight`, with the frame sized for `dpi`.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// Where a window of `size` stands centred in the work area of the monitor
// nearest to `anchor` (the primary monitor when `anchor` is nullptr).
POINT CentredOrigin(SIZE size, HWND anchor);

// Asks Windows for per-monitor DPI awareness with the newest function this
// system has (a manifest that already chose wins; failures are harmless).
void EnableDpiAwareness();

}  // namespace rollkeep::win32
