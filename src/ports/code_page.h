#pragma once
// The system's ANSI code page, as far as the portable core needs it: how
// "remove me" lower-cases a byte, and how text in UTF-16 becomes ANSI text.
// Names are held, shown, posted and stored as bytes of this code page.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace rollkeep {

class CodePage {
public:
  using FoldTable = std::array<unsigned char, 256>;

  virtual ~CodePage() = default;
  // Each byte's lower-case byte; bytes without one map to themselves.
  const FoldTable& foldTable() const { return fold_; }
  unsigned char Lower(unsigned char c) const { return fold_[c]; }
  // `text` in this code page; nullopt when a character has no exact
  // counterpart here (a best-fit look-alike would be another name).
  virtual std::optional<std::string> FromUtf16(std::u16string_view text) const = 0;

protected:
  explicit CodePage(const FoldTable& fold) : fold_(fold) {}

private:
  FoldTable fold_;
};

}  // namespace rollkeep
