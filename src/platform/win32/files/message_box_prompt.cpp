#include "platform/win32/files/message_box_prompt.h"

namespace rollkeep::win32 {

int MessageBoxPrompt::Show(const std::string& text, const std::string& title, unsigned style) {
  return MessageBoxA(owner_, text.c_str(), title.c_str(), style);
}

}  // namespace rollkeep::win32
