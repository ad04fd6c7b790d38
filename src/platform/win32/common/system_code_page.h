#pragma once
// The system's ANSI code page for the portable core: names fold case the way
// Windows lower-cases their characters, and UTF-16 text converts exactly or
// not at all.

#include <optional>
#include <string>
#include <string_view>

#include "ports/code_page.h"

namespace rollkeep::win32 {

class SystemCodePage final : public CodePage {
public:
  SystemCodePage();
  std::optional<std::string> FromUtf16(std::u16string_view text) const override;
};

// `text` in the ANSI code page; nullopt when a character has no exact
// counterpart there (WC_NO_BEST_FIT_CHARS and the default-character check).
std::optional<std::string> AnsiFromUtf16(std::wstring_view text);

}  // namespace rollkeep::win32
