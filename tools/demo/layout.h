#pragma once
// Where the demonstration puts the two programs' windows on the screen.

#include <windows.h>

namespace rollkeep::demo {

// Moves the client's frame to the left edge of the screen and Rollkeep's
// main window just right of it, top-aligned, so neither covers the other.
// The frame is narrowed when the screen is too small for both.
void PlaceSideBySide(HWND clientFrame, HWND rollkeepMain);

// The smallest rectangle around both windows with a margin, within the screen.
RECT AreaAround(HWND first, HWND second, int margin);

}  // namespace rollkeep::demo
