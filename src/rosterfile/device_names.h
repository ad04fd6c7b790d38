#pragma once
// Names that Windows reads as devices rather than files in any folder: NUL,
// CON, PRN, AUX, COM1-COM9, LPT1-LPT9 (and CONIN$, CONOUT$), in any case,
// with or without an extension ("nul.txt" is the null device too).

#include <string_view>

namespace rollkeep {

// Whether the last component of `path` names a device.
bool NamesDosDevice(std::string_view path);

}  // namespace rollkeep
