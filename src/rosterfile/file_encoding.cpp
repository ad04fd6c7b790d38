#include "rosterfile/file_encoding.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace rollkeep {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

constexpr std::string_view kMalformed = "it is not valid Unicode text";
constexpr std::string_view kUnconvertible =
    "it holds characters that this system's code page cannot show";

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void AppendUtf16(std::u16string& text, char32_t code) {
  if (code < 0x10000) {
    text.push_back(static_cast<char16_t>(code));
    return;
  }
  code -= 0x10000;
  text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
  text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
}

// One UTF-8 sequence at `i` (advanced past it); nullopt when malformed,
// overlong, a surrogate or beyond U+10FFFF.
std::optional<char32_t> NextUtf8(std::string_view bytes, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(bytes[i++]);
  if (lead < 0x80) return lead;
  const int trail = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (trail < 0 || lead > 0xF4 || bytes.size() - i < static_cast<std::size_t>(trail)) {
    return std::nullopt;
  }
  char32_t code = lead & (0x3F >> trail);
  for (int k = 0; k < trail; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i++]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = (code << 6) | (next & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (code < kLeast[trail] || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
    return std::nullopt;
  }
  return code;
}

std::optional<std::u16string> Utf16FromUtf8(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const std::optional<char32_t> code = NextUtf8(bytes, i);
    if (!code) return std::nullopt;
    AppendUtf16(text, *code);
  }
  return text;
}

// The code units of UTF-16 bytes in either order; nullopt when a byte is
// left over or a surrogate is unpaired.
std::optional<std::u16string> Utf16FromBytes(std::string_view bytes, bool bigEndian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  std::u16string text(bytes.size() / 2, u'\0');
  for (std::size_t k = 0; k < text.size(); ++k) {
    const auto first = static_cast<unsigned char>(bytes[2 * k]);
    const auto second = static_cast<unsigned char>(bytes[2 * k + 1]);
    text[k] = static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (IsHighSurrogate(text[k]) && k + 1 < text.size() && IsLowSurrogate(text[k + 1])) {
      ++k;
    } else if (IsHighSurrogate(text[k]) || IsLowSurrogate(text[k])) {
      return std::nullopt;
    }
  }
  return text;
}

FileText Converted(const std::optional<std::u16string>& text, const CodePage& page) {
  if (!text) return {FileText::Form::Refused, {}, kMalformed};
  std::optional<std::string> ansi = page.FromUtf16(*text);
  if (!ansi) return {FileText::Form::Refused, {}, kUnconvertible};
  return {FileText::Form::Converted, std::move(*ansi), {}};
}

}  // namespace

FileText ReadFileText(std::string_view bytes, const CodePage& page) {
  if (bytes.starts_with(kUtf8Mark)) {
    return Converted(Utf16FromUtf8(bytes.substr(kUtf8Mark.size())), page);
  }
  if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
    return Converted(Utf16FromBytes(bytes.substr(2), bytes.starts_with(kUtf16BeMark)), page);
  }
  return {};
}

bool LooksMarked(std::string_view text) {
  return text.starts_with(kUtf8Mark) || text.starts_with(kUtf16LeMark) ||
         text.starts_with(kUtf16BeMark);
}

}  // namespace rollkeep
