#pragma once
// Form1's window: a borderless picture with a one-line credit text on it.
// A double-click is its one action, handed to SplashEvents.

#include <windows.h>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/common/window_base.h"

namespace rollkeep::win32 {

class SplashEvents {
public:
  virtual ~SplashEvents() = default;
  virtual void OnDoubleClick() = 0;
  // The operator asked to close the splash (Alt+F4) before going on.
  virtual void OnCloseRequested() = 0;
};

inline constexpr char kSplashCaption[] = "frmsplash";
inline constexpr char kSplashLabelText[] = "Double-click to start";
inline constexpr int kSplashClientWidth = 405;  // pixels at 96 DPI
inline constexpr int kSplashClientHeight = 178;
inline constexpr COLORREF kSplashLabelColour = RGB(224, 224, 224);

class SplashWindow final : public WindowBase {
public:
  static constexpr char kClassName[] = "RollkeepSplash";

  ~SplashWindow() override { Destroy(); }

  // Creates the window hidden and centred on the screen, taking ownership of
  // `picture` (which may be null: the picture's place stays dark).
  bool Create(HINSTANCE instance, HICON icon, UniqueBitmap picture, SplashEvents& events);

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone() override;

  void OnPaint();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void PaintPicture(HDC dc, const RECT& client);
  void PaintLabel(HDC dc);
  RECT LabelRect() const;
  void FitLabelFont();

  UniqueBitmap picture_;
  UniqueFont labelFont_;
  UINT dpi_ = 96;
  SplashEvents* events_ = nullptr;
};

}  // namespace rollkeep::win32
