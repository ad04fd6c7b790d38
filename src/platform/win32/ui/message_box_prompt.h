#pragma once
// The Prompt as a standard modal message box.

#include <windows.h>

#include "ports/prompt.h"

namespace rollkeep::win32 {

class MessageBoxPrompt final : public Prompt {
public:
  explicit MessageBoxPrompt(HWND owner = nullptr) : owner_(owner) {}

  // The window the box is modal to; null for none.
  void setOwner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }

  // The button pressed (kAnswerOk...), or 0 when the box could not be shown.
  int Show(const std::string& text, const std::string& title, unsigned style) override;

private:
  HWND owner_;
};

}  // namespace rollkeep::win32
