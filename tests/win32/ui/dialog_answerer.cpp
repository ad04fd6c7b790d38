#include "dialog_answerer.h"

#include <algorithm>

namespace rollkeep::uitest {

namespace {

DialogAnswerer* current = nullptr;

// The message box's text sits in a static control with id 0xFFFF.
constexpr int kMessageBoxTextId = 0xFFFF;
// Name boxes of the file dialogs: the combo box of the explorer style, and
// the edit of the old style.
constexpr int kFileNameIds[] = {0x47C, 0x480};

std::string TextOf(HWND hwnd) {
  char buffer[512] = {};
  ::GetWindowTextA(hwnd, buffer, sizeof buffer);
  return buffer;
}

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM found) {
  char className[32] = {};
  ::GetClassNameA(hwnd, className, sizeof className);
  if (std::string_view(className) != "#32770" || !::IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::deque<DialogAnswer> answers) : answers_(std::move(answers)) {
  current = this;
  timer_ = ::SetTimer(nullptr, 0, 40, &DialogAnswerer::Tick);
}

DialogAnswerer::~DialogAnswerer() {
  ::KillTimer(nullptr, timer_);
  current = nullptr;
}

void CALLBACK DialogAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
  if (current != nullptr) current->AnswerOpenDialog();
}

void DialogAnswerer::AnswerOpenDialog() {
  HWND dialog = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
  if (dialog == nullptr || answers_.empty()) return;
  if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) return;
  handled_.push_back(dialog);

  seen_.push_back({TextOf(dialog), TextOf(::GetDlgItem(dialog, kMessageBoxTextId))});
  const DialogAnswer answer = answers_.front();
  answers_.pop_front();
  if (!answer.fileName.empty()) {
    for (int id : kFileNameIds) {
      if (::SetDlgItemTextA(dialog, id, answer.fileName.c_str())) break;
    }
  }
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, answer.button)));
}

}  // namespace rollkeep::uitest
