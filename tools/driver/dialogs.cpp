#include "driver/dialogs.h"

#include "driver/input.h"
#include "driver/poll.h"
#include "driver/window_search.h"

namespace rollkeep::driver {

namespace {

// Control ids of the file name box in the common dialogs: the combo box of
// the Explorer-style dialog, the edit box of the old style.
constexpr int kFileNameCombo = 0x47c;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1
// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

HWND FileNameBox(HWND dialog) {
  HWND box = FindControl(dialog, kFileNameCombo);
  return box ? box : FindControl(dialog, kFileNameEdit);
}

bool IsStatic(HWND window) {
  return Matches(window, {"Static", "", false, {}});
}

std::string MessageText(HWND box) {
  HWND text = FindControl(box, kMessageTextId);
  if (!text) text = FindControl(box, -1);
  if (text) return ControlText(text);
  // Otherwise the one static control that shows text (the icon has none).
  for (HWND child : Children(box)) {
    if (!IsStatic(child)) continue;
    std::string shown = ControlText(child);
    if (!shown.empty()) return shown;
  }
  return {};
}

// A dialog that was answered closes before the program goes on; waiting for
// that keeps the next search from finding the closing one.
constexpr std::chrono::milliseconds kCloseTimeout{30000};

void WaitUntilClosed(HWND dialog, const std::string& what) {
  WaitFor(kCloseTimeout, what + " to close", [&] { return !::IsWindow(dialog); });
}

}  // namespace

MessageBoxInfo WaitForMessageBox(DWORD processId, const std::string& title,
                                 std::chrono::milliseconds timeout) {
  const WindowQuery query{kDialogClass, title, true,
                          [](HWND w) { return FileNameBox(w) == nullptr; }};
  HWND box = WaitForTopLevel(processId, query, timeout);
  return {box, MessageText(box)};
}

void AnswerMessageBox(HWND box, int buttonId) {
  Control(box, buttonId);
  PostCommand(box, buttonId);
  WaitUntilClosed(box, "the message box");
}

HWND WaitForFileDialog(DWORD processId, std::chrono::milliseconds timeout) {
  const WindowQuery query{kDialogClass, "", true,
                          [](HWND w) { return FileNameBox(w) != nullptr; }};
  return WaitForTopLevel(processId, query, timeout);
}

void ChooseFile(HWND dialog, const std::string& path) {
  HWND box = FileNameBox(dialog);
  if (!box) throw DriverError("the file dialog has no file name box");
  SetControlText(box, path);
  PostCommand(dialog, IDOK);
  WaitUntilClosed(dialog, "the file dialog");
}

void CancelDialog(HWND dialog) {
  PostCommand(dialog, IDCANCEL);
  WaitUntilClosed(dialog, "the dialog");
}

}  // namespace rollkeep::driver
