#include "platform/win32/ui/splash_window.h"

#include <algorithm>

#include "platform/win32/ui/dpi.h"
#include "platform/win32/ui/gdi_scope.h"
#include "platform/win32/ui/message_font.h"

namespace rollkeep::win32 {

namespace {

constexpr DWORD kSplashStyle = WS_POPUP;
// Label1's place on the picture, in twips.
constexpr RECT kLabelTwips{4440, 1320, 4440 + 1695, 1320 + 255};
constexpr UINT kLabelFormat = DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX;
constexpr int kLargestLabelHeight = 12;  // pixels at 96 DPI
constexpr int kSmallestLabelHeight = 6;

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (::GetObjectA(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

bool SplashWindow::Create(HINSTANCE instance, HICON icon, UniqueBitmap picture,
                          SplashEvents& events) {
  picture_ = std::move(picture);
  events_ = &events;
  const WindowClassSpec spec{kClassName, CS_DBLCLKS, icon,
                             static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))};
  if (!CreateWithClass(spec, instance, 0, kSplashCaption, kSplashStyle, nullptr)) return false;
  dpi_ = DpiForWindow(hwnd());
  FitLabelFont();
  const SIZE size{ScaleForDpi(kSplashClientWidth, dpi_), ScaleForDpi(kSplashClientHeight, dpi_)};
  const POINT origin = CentredOrigin(size, hwnd());
  ::SetWindowPos(hwnd(), nullptr, origin.x, origin.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

LRESULT SplashWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    case WM_LBUTTONDBLCLK:
      if (events_ != nullptr) events_->OnDoubleClick();
      return 0;
    case WM_CLOSE:
      // Closing the splash must not leave a program without any window.
      if (events_ != nullptr) events_->OnCloseRequested();
      return 0;
    case kWmDpiChanged:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

void SplashWindow::OnWindowGone() {
  events_ = nullptr;
  labelFont_.reset();
}

void SplashWindow::OnPaint() {
  PaintScope paint(hwnd());
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  ::FillRect(paint.dc(), &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  PaintPicture(paint.dc(), client);
  PaintLabel(paint.dc());
}

void SplashWindow::PaintPicture(HDC dc, const RECT& client) {
  if (!picture_) return;
  MemoryDc source(dc);
  if (!source) return;
  SelectScope select(source.dc(), picture_.get());
  const SIZE size = BitmapSize(picture_.get());
  if (dpi_ == kBaseDpi) {
    ::BitBlt(dc, client.left, client.top, size.cx, size.cy, source.dc(), 0, 0, SRCCOPY);
    return;
  }
  ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchBlt(dc, client.left, client.top, ScaleForDpi(size.cx, dpi_), ScaleForDpi(size.cy, dpi_),
               source.dc(), 0, 0, size.cx, size.cy, SRCCOPY);
}

void SplashWindow::PaintLabel(HDC dc) {
  SelectScope select(
      dc, labelFont_ ? static_cast<HGDIOBJ>(labelFont_.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kSplashLabelColour);
  RECT box = LabelRect();
  ::DrawTextA(dc, kSplashLabelText, -1, &box, kLabelFormat);
}

// Label1's box reaches 4 pixels past the window's right edge; only the part
// inside the window can show text.
RECT SplashWindow::LabelRect() const {
  const int clientRight = ScaleForDpi(kSplashClientWidth, dpi_);
  return RECT{TwipsToPixels(kLabelTwips.left, dpi_), TwipsToPixels(kLabelTwips.top, dpi_),
              std::min(TwipsToPixels(kLabelTwips.right, dpi_), clientRight),
              TwipsToPixels(kLabelTwips.bottom, dpi_)};
}

// The largest message-font size at which the credit fits Label1's box.
void SplashWindow::FitLabelFont() {
  const RECT box = LabelRect();
  WindowDc screen;
  labelFont_ = FitMessageFont(ScaleForDpi(kLargestLabelHeight, dpi_),
                              ScaleForDpi(kSmallestLabelHeight, dpi_), [&](HFONT font) {
                                return TextWidth(screen.dc(), font, kSplashLabelText) <=
                                       box.right - box.left;
                              });
}

void SplashWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  FitLabelFont();
  ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(hwnd(), nullptr, FALSE);
}

}  // namespace rollkeep::win32
