#include "roster/windows_1252.h"

#include <cstddef>

namespace rollkeep {

namespace {

// The characters of bytes 0x80-0x9F; the rest of the code page is Latin-1.
// The five bytes the code page leaves free map to the C1 controls of the same
// value, as Windows maps them.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr CodePage::FoldTable MakeFoldTable() {
  CodePage::FoldTable fold{};
  for (std::size_t b = 0; b < fold.size(); ++b) fold[b] = static_cast<unsigned char>(b);
  for (unsigned b = 'A'; b <= 'Z'; ++b) fold[b] = static_cast<unsigned char>(b + 0x20);
  // À-Þ except the multiplication sign.
  for (unsigned b = 0xC0; b <= 0xDE; ++b) {
    if (b != 0xD7) fold[b] = static_cast<unsigned char>(b + 0x20);
  }
  fold[0x8A] = 0x9A;  // Š
  fold[0x8C] = 0x9C;  // Œ
  fold[0x8E] = 0x9E;  // Ž
  fold[0x9F] = 0xFF;  // Ÿ
  return fold;
}

std::optional<char> ByteOf(char16_t unit) {
  if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<char>(unit);
  for (std::size_t i = 0; i < std::size(kHighControls); ++i) {
    if (kHighControls[i] == unit) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

class Windows1252CodePage final : public CodePage {
public:
  Windows1252CodePage() : CodePage(MakeFoldTable()) {}

  std::optional<std::string> FromUtf16(std::u16string_view text) const override {
    std::string ansi;
    ansi.reserve(text.size());
    for (const char16_t unit : text) {
      const std::optional<char> byte = ByteOf(unit);
      if (!byte) return std::nullopt;
      ansi.push_back(*byte);
    }
    return ansi;
  }
};

}  // namespace

const CodePage& Windows1252() {
  static const Windows1252CodePage page;
  return page;
}

}  // namespace rollkeep
