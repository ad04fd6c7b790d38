#pragma once
// Answers the modal dialogs (message boxes, file dialogs) that this thread
// opens, from a thread timer that keeps firing inside their modal loops.
// Each dialog seen gets the next scripted answer, in order.

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace rollkeep::uitest {

struct DialogAnswer {
  int button;            // IDYES, IDNO, IDOK, IDCANCEL...
  std::string fileName;  // for a file dialog: typed into its name box first
};

struct SeenDialog {
  std::string title;
  std::string text;  // a message box's message; empty for other dialogs
};

class DialogAnswerer {
public:
  explicit DialogAnswerer(std::deque<DialogAnswer> answers);
  ~DialogAnswerer();
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  const std::vector<SeenDialog>& seen() const { return seen_; }
  bool finished() const { return answers_.empty(); }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept;
  void AnswerOpenDialog();

  std::deque<DialogAnswer> answers_;
  std::vector<SeenDialog> seen_;
  std::vector<HWND> handled_;
  UINT_PTR timer_ = 0;
};

}  // namespace rollkeep::uitest
