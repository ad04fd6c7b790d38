#pragma once
// The FileDialog on the standard open and save dialogs (comdlg32, wide).

#include <windows.h>

#include "rosterfile/file_dialog.h"

namespace rollkeep::win32 {

class CommonFileDialog final : public FileDialog {
public:
  explicit CommonFileDialog(HWND owner = nullptr) : owner_(owner) {}

  // The window the dialogs are modal to; null for none.
  void setOwner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }

  // Each shows its dialog with FileName as the initial name and leaves the
  // chosen path in FileName. Cancel throws DialogCancelled when CancelError
  // is set and otherwise returns with FileName empty; a dialog that fails
  // throws DialogFailed.
  void ShowOpen() override;
  void ShowSave() override;

private:
  void Show(bool save);

  HWND owner_;
};

}  // namespace rollkeep::win32
