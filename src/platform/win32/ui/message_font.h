#pragma once
// The system's message font (the one dialogs use), sized for a given DPI.

#include <windows.h>

#include <functional>

#include "platform/win32/common/unique_handle.h"

namespace rollkeep::win32 {

// The message font's character height in pixels at `dpi`.
int MessageFontHeight(UINT dpi);
// The message font with its character height set to `heightPixels`; falls
// back to the default GUI font's face when the system metrics cannot be
// read. May be empty if GDI refuses.
UniqueFont CreateMessageFontOfHeight(int heightPixels);
// The largest message font from `largest` down to `smallest` pixels high for
// which `fits` holds; the smallest one when none fits.
UniqueFont FitMessageFont(int largest, int smallest, const std::function<bool(HFONT)>& fits);
// The width in pixels of `text` in `font`.
int TextWidth(HDC dc, HFONT font, const char* text);

}  // namespace rollkeep::win32
