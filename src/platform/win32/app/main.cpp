// rollkeep.exe: opens the splash and runs until the main window is closed.
// A second start brings the first Rollkeep forward and ends.

#include <windows.h>
// commctrl.h needs the types of windows.h first.
#include <commctrl.h>

#include <string>

#include "platform/win32/files/system_error_text.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/ui/dpi.h"
#include "platform/win32/ui/running_instance.h"
#include "rosterfile/failure_text.h"

namespace {

// How long a second start looks for the first one's window: the first may
// itself have only just started.
constexpr DWORD kFindFirstMs = 10000;

void TellOperator(const std::string& text) {
  ::MessageBoxA(nullptr, text.c_str(), "Rollkeep", MB_OK | MB_ICONERROR);
}

void TellNotStarted(const std::string& reason) {
  TellOperator("Rollkeep could not start: " + rollkeep::TidyReason(reason) + ".");
}

std::string NoWindowReason(DWORD error) {
  std::string reason = "Windows did not let it create its window";
  if (error != 0) {
    reason += " (" + rollkeep::TidyReason(rollkeep::win32::SystemErrorText(error)) + ")";
  }
  return reason;
}

int Run(HINSTANCE instance) {
  // The mutex of the recovery copy tells whether another Rollkeep runs. One
  // that could not be made at all (out of resources) leaves this Rollkeep
  // running, without a recovery copy.
  const rollkeep::win32::RecoveryLock recoveryLock;
  if (recoveryLock.heldElsewhere()) {
    if (rollkeep::win32::BringRunningRollkeepForward(kFindFirstMs)) return 0;
    TellOperator("Rollkeep is already running, but its window could not be found. "
                 "Close the other Rollkeep, or end it in Task Manager, and start again.");
    return 1;
  }
  const rollkeep::RecoveryPlace recovery =
      recoveryLock.owned() ? rollkeep::win32::RecoveryPlaceIn(rollkeep::win32::RecoveryFolder())
                           : rollkeep::RecoveryPlace{};
  rollkeep::win32::Application app({instance, true, recovery});
  if (!app.Start()) {
    TellNotStarted(NoWindowReason(::GetLastError()));
    return 1;
  }
  return app.RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  rollkeep::win32::EnableDpiAwareness();
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&controls);
  try {
    return Run(instance);
  } catch (...) {
    // Out of memory while wiring up: nothing to save yet.
    try {
      TellNotStarted(rollkeep::win32::CurrentExceptionText());
    } catch (...) {
      ::MessageBoxA(nullptr, "Rollkeep could not start: out of memory.", "Rollkeep",
                    MB_OK | MB_ICONERROR);
    }
    return 1;
  }
}
