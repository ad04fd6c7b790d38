#pragma once
// The file dialog object: open and save dialogs configured by member, like
// the common dialog control that operators know.

#include <stdexcept>
#include <string>

namespace rollkeep {

// Raised by ShowOpen/ShowSave when the operator cancels and CancelError is set.
class DialogCancelled : public std::runtime_error {
public:
  DialogCancelled() : std::runtime_error("the dialog was cancelled") {}
};

// Raised when the dialog itself could not be shown or failed.
class DialogFailed : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class FileDialog {
public:
  virtual ~FileDialog() = default;

  bool CancelError = false;
  // "Description|pattern|Description|pattern..."
  std::string Filter;
  int FilterIndex = 0;
  // The chosen file's full path after a dialog.
  std::string FileName;

  virtual void ShowOpen() = 0;
  virtual void ShowSave() = 0;
};

}  // namespace rollkeep
