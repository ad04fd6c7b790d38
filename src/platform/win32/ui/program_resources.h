#pragma once
// The program's icon and the splash picture, from the executable's
// resources. A module without them (a test program) gets none: the windows
// then use the system's default icon and a plain dark splash.

#include <windows.h>

#include "platform/win32/common/unique_handle.h"

namespace rollkeep::win32 {

// Shared by every window of the class; never destroyed.
HICON LoadProgramIcon(HINSTANCE instance);
UniqueBitmap LoadSplashPicture(HINSTANCE instance);

}  // namespace rollkeep::win32
