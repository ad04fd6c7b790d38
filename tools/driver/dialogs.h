#pragma once
// Answering another program's message boxes and common file dialogs.

#include <windows.h>

#include <chrono>
#include <string>

namespace rollkeep::driver {

// The window class of dialog boxes, message boxes and common dialogs alike.
inline constexpr char kDialogClass[] = "#32770";

struct MessageBoxInfo {
  HWND window = nullptr;
  std::string text;  // the message, as its static control shows it
};

// Waits for a visible message box of the process with the caption `title`
// (a dialog without a file name box). Throws DriverError at the deadline.
MessageBoxInfo WaitForMessageBox(DWORD processId, const std::string& title,
                                 std::chrono::milliseconds timeout);

// Clicks the button `buttonId` (IDOK, IDCANCEL, IDYES, IDNO...) of a
// message box and waits until it has closed. Throws DriverError when the box
// has no such button or stays open.
void AnswerMessageBox(HWND box, int buttonId);

// Waits for a visible common file dialog (open or save) of the process.
HWND WaitForFileDialog(DWORD processId, std::chrono::milliseconds timeout);

// Puts `path` into the dialog's file name box, confirms with OK and waits
// until the dialog has closed.
void ChooseFile(HWND dialog, const std::string& path);

// Closes a dialog with Cancel and waits until it has gone.
void CancelDialog(HWND dialog);

}  // namespace rollkeep::driver
