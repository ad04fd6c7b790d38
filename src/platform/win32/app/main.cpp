// rollkeep.exe: opens the splash and runs until the main window is closed.

#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include "platform/win32/ui/application.h"
#include "platform/win32/ui/dpi.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  rollkeep::win32::EnableDpiAwareness();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
  try {
    // Only the first running Rollkeep keeps the recovery copy; another one
    // runs without and says nothing about it.
    const rollkeep::win32::RecoveryLock recoveryLock;
    const rollkeep::RecoveryPlace recovery =
        recoveryLock.owned()
            ? rollkeep::win32::RecoveryPlaceIn(rollkeep::win32::RecoveryFolder())
            : rollkeep::RecoveryPlace{};
    rollkeep::win32::Application app({instance, true, recovery});
    if (!app.Start()) return 1;
    return app.RunMessageLoop();
  } catch (...) {
    // Out of memory while wiring up: nothing to save yet, end quietly.
    return 1;
  }
}
