#include "console.h"

#include "platform/win32/common/unique_handle.h"

#include <windows.h>

namespace roomsim {
namespace {

void WriteTo(DWORD which, std::string_view text) {
  rollkeep::win32::UniqueFile console;
  HANDLE target = ::GetStdHandle(which);
  if (target == nullptr || target == INVALID_HANDLE_VALUE) {
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    console.reset(::CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!console) return;
    target = console.get();
  }
  DWORD written = 0;
  ::WriteFile(target, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace

void WriteStdout(std::string_view text) { WriteTo(STD_OUTPUT_HANDLE, text); }
void WriteStderr(std::string_view text) { WriteTo(STD_ERROR_HANDLE, text); }

}  // namespace roomsim
