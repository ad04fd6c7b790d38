#include "platform/win32/ui/keep_on_top.h"

namespace Brask32 {

void KeepOnTop(HWND window) {
  ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace Brask32
