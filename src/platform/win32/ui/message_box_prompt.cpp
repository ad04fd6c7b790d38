#include "platform/win32/ui/message_box_prompt.h"

namespace rollkeep::win32 {

// The portable answers and styles are the message box's own values.
static_assert(kAnswerOk == IDOK && kAnswerCancel == IDCANCEL && kAnswerYes == IDYES &&
              kAnswerNo == IDNO);
static_assert(kStyleOk == MB_OK && kStyleOkCancel == MB_OKCANCEL && kStyleYesNo == MB_YESNO);
static_assert(kStyleError == MB_ICONERROR && kStyleQuestion == MB_ICONQUESTION &&
              kStyleWarning == MB_ICONWARNING && kStyleInformation == MB_ICONINFORMATION);

int MessageBoxPrompt::Show(const std::string& text, const std::string& title, unsigned style) {
  return ::MessageBoxA(owner_, text.c_str(), title.c_str(), style);
}

}  // namespace rollkeep::win32
