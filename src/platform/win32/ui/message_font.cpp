#include "platform/win32/ui/message_font.h"

#include <cstring>

#include "platform/win32/ui/dpi.h"
#include "platform/win32/ui/gdi_scope.h"

namespace rollkeep::win32 {

namespace {

// The message font as the system describes it, at the screen's DPI.
LOGFONTA SystemMessageFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return metrics.lfMessageFont;
  }
  LOGFONTA font{};
  ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

}  // namespace

int MessageFontHeight(UINT dpi) {
  const LONG height = SystemMessageFont().lfHeight;
  // Negative: the character height; positive: the cell height, a little more.
  const int pixels = height < 0 ? -height : (height > 0 ? height * 4 / 5 : 12);
  return ::MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

UniqueFont CreateMessageFontOfHeight(int heightPixels) {
  LOGFONTA font = SystemMessageFont();
  font.lfHeight = -heightPixels;
  font.lfWidth = 0;
  return UniqueFont(::CreateFontIndirectA(&font));
}

UniqueFont FitMessageFont(int largest, int smallest, const std::function<bool(HFONT)>& fits) {
  for (int height = largest;; --height) {
    UniqueFont font = CreateMessageFontOfHeight(height);
    if (!font || height <= smallest || fits(font.get())) return font;
  }
}

int TextWidth(HDC dc, HFONT font, const char* text) {
  SelectScope select(dc, font);
  SIZE size{0, 0};
  ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
  return size.cx;
}

}  // namespace rollkeep::win32
