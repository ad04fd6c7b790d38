#pragma once

#include <windows.h>

namespace Brask32 {
// Places the window above all non-topmost windows for the rest of the run,
// without moving or sizing it. The result is not looked at.
void KeepOnTop(HWND window);
}  // namespace Brask32
