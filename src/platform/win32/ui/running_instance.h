#pragma once
// One Rollkeep per room: a second start finds the first one's window and
// brings it to the front instead of running beside it, where both would hear
// the room and answer every command twice.

#include <windows.h>

namespace rollkeep::win32 {

// The first Rollkeep's window to bring forward: its main window while that
// shows, else its splash. Null when neither is there.
HWND RunningRollkeepWindow();

// Waits up to `timeoutMs` for the first Rollkeep's window (it may still be
// starting), restores it if minimised and brings it to the front; where
// Windows' focus rules refuse that, its taskbar button flashes instead.
// False when no window of the first one appeared.
bool BringRunningRollkeepForward(DWORD timeoutMs);

}  // namespace rollkeep::win32
