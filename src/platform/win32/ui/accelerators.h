#pragma once
// Keyboard shortcuts of top-level windows. The program's loops offer every
// message here before dialog navigation: IsDialogMessageA hands the keys it
// does not use to the focused control, so without this a shortcut pressed
// while a button or the list box has the focus would never reach the window.

#include <windows.h>

namespace rollkeep::win32 {

// `table` translates keys for `window` and its children until unregistered;
// the caller keeps the table alive meanwhile.
void RegisterAccelerators(HWND window, HACCEL table);
void UnregisterAccelerators(HWND window);

// TranslateAcceleratorA for the registered window `msg` belongs to; true
// when the message became a WM_COMMAND and must not be delivered.
bool TranslateWindowAccelerator(MSG& msg);

}  // namespace rollkeep::win32
