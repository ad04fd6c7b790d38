#include "layout.h"

#include <algorithm>

namespace rollkeep::demo {

namespace {

constexpr int kEdge = 8;  // from the screen's edge and between the windows
constexpr int kFrameWidth = 720;
constexpr int kFrameHeight = 540;
constexpr int kMinFrameWidth = 400;

RECT ScreenRect() {
  return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

RECT WindowRect(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return rect;
}

// Asynchronous, so a busy program cannot hold the demonstration up.
void Move(HWND window, int x, int y, int width, int height, bool resize) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
  if (!resize) flags |= SWP_NOSIZE;
  ::SetWindowPos(window, nullptr, x, y, width, height, flags);
}

}  // namespace

void PlaceSideBySide(HWND clientFrame, HWND rollkeepMain) {
  const RECT screen = ScreenRect();
  const RECT main = WindowRect(rollkeepMain);
  const int mainWidth = main.right - main.left;
  const int room = screen.right - mainWidth - 3 * kEdge;
  const int frameWidth = std::max(kMinFrameWidth, std::min(kFrameWidth, room));
  const int frameHeight = std::min<int>(kFrameHeight, screen.bottom - 2 * kEdge);
  Move(clientFrame, kEdge, kEdge, frameWidth, frameHeight, true);
  Move(rollkeepMain, 2 * kEdge + frameWidth, kEdge, 0, 0, false);
}

RECT AreaAround(HWND first, HWND second, int margin) {
  const RECT a = WindowRect(first);
  const RECT b = WindowRect(second);
  const RECT screen = ScreenRect();
  return {std::max(screen.left, std::min(a.left, b.left) - margin),
          std::max(screen.top, std::min(a.top, b.top) - margin),
          std::min(screen.right, std::max(a.right, b.right) + margin),
          std::min(screen.bottom, std::max(a.bottom, b.bottom) + margin)};
}

}  // namespace rollkeep::demo
