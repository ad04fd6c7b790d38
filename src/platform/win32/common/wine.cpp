#include "platform/win32/common/wine.h"

#include <windows.h>

namespace rollkeep::win32 {

bool RunningUnderWine() {
  static const bool wine = [] {
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

}  // namespace rollkeep::win32
