// Fuzzes the roster file format: reading any bytes must not crash and must
// follow the reading rule; whatever a file gives must be written back and
// read again unchanged; and a roster written out by another editor, as UTF-8
// or UTF-16 with a byte-order mark, must read back as the roster itself.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "roster/windows_1252.h"
#include "rosterfile/file_encoding.h"
#include "rosterfile/roster_file.h"

namespace {

using Lines = std::vector<std::string>;
const rollkeep::CodePage& kPage = rollkeep::Windows1252();

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// The reading rule, one byte at a time: the plainest form it can take.
Lines ReadByteByByte(std::string_view bytes) {
  Lines lines;
  std::string line;
  for (char c : bytes) {
    if (!IsLineEnd(c)) {
      line += c;
      continue;
    }
    if (!line.empty()) lines.push_back(line);
    line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// A roster made from the input: pieces split at NUL, with CRs and LFs
// removed and empty pieces dropped.
Lines RosterFrom(std::string_view bytes) {
  std::string text;
  for (char c : bytes) {
    if (!IsLineEnd(c)) text += c == '\0' ? '\n' : c;
  }
  return ReadByteByByte(text);
}

// The character of each byte of the code page, found by asking the code page.
std::array<char16_t, 256> CharactersOfBytes() {
  std::array<char16_t, 256> characters{};
  for (char32_t u = 0; u < 0x10000; ++u) {
    const auto byte = kPage.FromUtf16(std::u16string(1, static_cast<char16_t>(u)));
    if (byte && byte->size() == 1) characters[static_cast<unsigned char>((*byte)[0])] = static_cast<char16_t>(u);
  }
  return characters;
}

std::u16string Utf16Of(const std::string& ansi) {
  static const std::array<char16_t, 256> characters = CharactersOfBytes();
  std::u16string text;
  for (char c : ansi) text += characters[static_cast<unsigned char>(c)];
  return text;
}

std::string Utf16File(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : text) {
    const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// Every character of a Windows-1252 text is in the basic plane.
std::string Utf8File(const std::u16string& text) {
  std::string bytes = "\xEF\xBB\xBF";
  for (char16_t u : text) {
    if (u < 0x80) {
      bytes += static_cast<char>(u);
    } else if (u < 0x800) {
      bytes += static_cast<char>(0xC0 | (u >> 6));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      bytes += static_cast<char>(0xE0 | (u >> 12));
      bytes += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
      bytes += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Any bytes read by the reading rule, up to one line past a limit; a file
  // refused gives nothing, one without a mark reads by the rule.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const Lines lines = rollkeep::DecodeRoster(bytes);
  Require(lines == ReadByteByByte(bytes));
  const std::size_t limit = size == 0 ? 0 : data[0] % 8;
  const Lines limited = rollkeep::DecodeRoster(bytes, limit);
  Require(limited.size() == std::min(lines.size(), limit + 1));
  Require(std::equal(limited.begin(), limited.end(), lines.begin()));
  const rollkeep::DecodedRoster file = rollkeep::DecodeRosterFile(bytes, kPage);
  Require(file.read() ? rollkeep::LooksMarked(bytes) || file.names == lines : file.names.empty());

  // Any roster written out and read again.

  const Lines roster = RosterFrom(bytes);
  Require(rollkeep::DecodeRosterFile(rollkeep::EncodeRoster(roster), kPage).names == roster);

  // The same roster as another editor saves it, one name per line.
  std::u16string text;
  for (const auto& name : roster) text += Utf16Of(name) + u"\r\n";
  for (const std::string& file : {Utf16File(text, false), Utf16File(text, true), Utf8File(text)}) {
    Require(rollkeep::DecodeRosterFile(file, kPage).names == roster);
  }
  return 0;
}
