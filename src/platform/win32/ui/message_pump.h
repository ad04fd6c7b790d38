#pragma once
// Waiting on Windows: an event pump that sleeps in
// MsgWaitForMultipleObjectsEx until a message arrives or time is up, then
// dispatches everything pending, so windows stay responsive during a wait and
// an idle wait costs no CPU.
//
// The program-ending flag: ending the program (the main window's close) marks
// it and posts WM_QUIT. Once marked, PumpFor dispatches nothing more and
// returns false, so a handler interrupted by the close never resumes.

#include <windows.h>

#include "app/wait_seconds.h"
#include "platform/win32/common/qpc_clock.h"
#include "platform/win32/common/tick_deadline.h"

namespace rollkeep::win32 {

class Win32EventPump final : public EventPump {
public:
  bool PumpFor(double timeoutSeconds) override;
};

// Dispatches every message already in this thread's queue, but stops once
// `deadline` passes so a flood cannot hold a wait past its time. False when
// WM_QUIT came (it is posted again for the main loop) or the program was
// marked ending by a handler.
bool DispatchPending(const TickDeadline& deadline);

// One message as every loop of the program handles it: keyboard shortcuts
// (accelerators.h), keyboard navigation for the registered dialog-like
// windows, else TranslateMessage and DispatchMessageA.
void DeliverMessage(MSG& msg);

// Windows whose Tab, arrow and Enter keys go through IsDialogMessageA.
// Register a window after creating it and unregister it before it dies (a
// destroyed window is skipped meanwhile).
void RegisterDialogWindow(HWND window);
void UnregisterDialogWindow(HWND window);
// Offers `msg` to the registered window it belongs to; true when handled.
bool HandleDialogMessage(MSG& msg);

void MarkProgramEnding();
bool ProgramEnding();
// For a new run inside the same process (tests): forgets an earlier end.
void ClearProgramEnding();

}  // namespace rollkeep::win32
