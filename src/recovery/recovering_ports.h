#pragma once
// The prompt, the waiter and the file dialog as the main window uses them:
// each writes a pending change of the recovery copy before the operator is
// asked something or the program pauses.

#include <string>

#include "ports/prompt.h"
#include "recovery/recovery_keeper.h"
#include "roster/chat_ports.h"
#include "rosterfile/file_dialog.h"

namespace rollkeep {

class RecoveringPrompt final : public Prompt {
public:
  RecoveringPrompt(Prompt& inner, RecoveryKeeper& keeper) : inner_(inner), keeper_(keeper) {}
  int Show(const std::string& text, const std::string& title, unsigned style) override {
    keeper_.WriteNow();
    return inner_.Show(text, title, style);
  }

private:
  Prompt& inner_;
  RecoveryKeeper& keeper_;
};

class RecoveringWaiter final : public Waiter {
public:
  RecoveringWaiter(Waiter& inner, RecoveryKeeper& keeper) : inner_(inner), keeper_(keeper) {}
  bool Wait(double seconds) override {
    keeper_.WriteNow();
    return inner_.Wait(seconds);
  }

private:
  Waiter& inner_;
  RecoveryKeeper& keeper_;
};

// Hands its members to the real dialog and takes the chosen file back.
class RecoveringFileDialog final : public FileDialog {
public:
  RecoveringFileDialog(FileDialog& inner, RecoveryKeeper& keeper) : inner_(inner), keeper_(keeper) {}
  void ShowOpen() override { Show(&FileDialog::ShowOpen); }
  void ShowSave() override { Show(&FileDialog::ShowSave); }

private:
  void Show(void (FileDialog::*show)());

  FileDialog& inner_;
  RecoveryKeeper& keeper_;
};

}  // namespace rollkeep
