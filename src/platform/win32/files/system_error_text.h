#pragma once
// The system's own words for a Win32 error code, for messages to the operator.

#include <windows.h>

#include <string>

#include "rosterfile/file_system.h"

namespace rollkeep::win32 {

// FormatMessageA's text for `error`, without its trailing line break;
// "error <n>" when the system has no text for it.
std::string SystemErrorText(DWORD error);

// The failure that GetLastError() describes.
inline IoStatus LastErrorStatus() { return IoStatus::Failed(SystemErrorText(::GetLastError())); }

}  // namespace rollkeep::win32
