#include "platform/win32/common/system_code_page.h"

#include <windows.h>

namespace rollkeep::win32 {

namespace {

bool IsMultiByte() {
  CPINFO info{};
  return !::GetCPInfo(CP_ACP, &info) || info.MaxCharSize > 1;
}

// The byte of `b`'s lower-case character; `b` itself when the character has
// none, or none that this code page holds.
unsigned char LowerByte(unsigned char b) {
  const char in = static_cast<char>(b);
  wchar_t wide = 0;
  if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &in, 1, &wide, 1) != 1) return b;
  ::CharLowerBuffW(&wide, 1);
  char out = 0;
  BOOL usedDefault = FALSE;
  if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, &out, 1, nullptr,
                            &usedDefault) != 1 ||
      usedDefault) {
    return b;
  }
  return static_cast<unsigned char>(out);
}

// A-Z always fold to a-z, whatever the user's language (a Turkish "I" does
// not become a dotless i). On a multi-byte code page a byte may be the second
// half of a character, so nothing else folds there.
CodePage::FoldTable SystemFoldTable() {
  const bool multiByte = IsMultiByte();
  CodePage::FoldTable fold{};
  for (unsigned b = 0; b < fold.size(); ++b) {
    const auto byte = static_cast<unsigned char>(b);
    if (b >= 'A' && b <= 'Z') {
      fold[b] = static_cast<unsigned char>(b - 'A' + 'a');
    } else {
      fold[b] = (multiByte || b < 0x80) ? byte : LowerByte(byte);
    }
  }
  return fold;
}

}  // namespace

SystemCodePage::SystemCodePage() : CodePage(SystemFoldTable()) {}

std::optional<std::string> SystemCodePage::FromUtf16(std::u16string_view text) const {
  const std::wstring wide(text.begin(), text.end());
  return AnsiFromUtf16(wide);
}

std::optional<std::string> AnsiFromUtf16(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int length = static_cast<int>(text.size());
  // A UTF-8 code page holds every character and takes neither the flag nor
  // the lossy check.
  const bool utf8 = ::GetACP() == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL lossy = FALSE;
  BOOL* const check = utf8 ? nullptr : &lossy;
  const int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr,
                                         check);
  if (size <= 0 || lossy) return std::nullopt;
  std::string ansi(static_cast<std::size_t>(size), '\0');
  if (::WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), size, nullptr,
                            check) != size ||
      lossy) {
    return std::nullopt;
  }
  return ansi;
}

}  // namespace rollkeep::win32
