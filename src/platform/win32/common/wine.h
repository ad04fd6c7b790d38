#pragma once
// Whether the program runs under Wine, for the few places where Wine's own
// code needs Rollkeep to hold back (Windows itself never takes these paths).

namespace rollkeep::win32 {

// True when ntdll exports wine_get_version, as Wine's and no Windows' does.
bool RunningUnderWine();

}  // namespace rollkeep::win32
