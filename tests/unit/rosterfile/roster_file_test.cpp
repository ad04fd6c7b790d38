#include "rosterfile/roster_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "roster/windows_1252.h"

namespace rollkeep {
namespace {

using Lines = std::vector<std::string>;

TEST(DecodeRoster, FollowsTheReadingRuleUpToOneLinePastTheLimit) {
  struct Case { std::string bytes; Lines lines;
                std::size_t limit = std::numeric_limits<std::size_t>::max(); };
  const Case cases[] = {
      {"\r\r\n\r\n\r", {}},                                      // only endings
      {"Ann\r\r\nBob\r\r\n", {"Ann", "Bob"}},                    // the records Rollkeep prints
      {"Ann\r\n\r\n\r\nBob", {"Ann", "Bob"}},                    // blank lines; no final ending
      {"Ann\r\nBob\nCy", {"Ann", "Bob", "Cy"}},                   // mixed CR LF and LF
      {"Ann\n\rBob\r\n\nCy", {"Ann", "Bob", "Cy"}},
      {std::string("Jos\xe9\r\xff\0b\r", 9), {"Jos\xe9", std::string("\xff\0b", 3)}},
      {"a\rb\rc\rd\r", {"a", "b", "c"}, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeRoster(c.bytes, c.limit), c.lines) << c.bytes;
}

TEST(RosterFormat, WritesRecordsAndReadsThemBack) {
  struct Case { Lines saved; std::string bytes; Lines loaded; };
  const Case cases[] = {
      {{}, "", {}},
      {{"Ann", " Bob ", "Ann"}, "Ann\r\r\n Bob \r\r\nAnn\r\r\n", {"Ann", " Bob ", "Ann"}},
      {{"a\nb"}, "a\nb\r\r\n", {"a", "b"}},
      {{"Ann\rBob"}, "Ann\rBob\r\r\n", {"Ann", "Bob"}},  // a CR inside splits the entry
      {{"", "Ann", ""}, "\r\r\nAnn\r\r\n\r\r\n", {"Ann"}},  // empty entries are dropped
      // A first name that begins like a byte-order mark is not read as one.
      {{"\xEF\xBB\xBF" "Ann"}, "\r\r\n\xEF\xBB\xBF" "Ann\r\r\n", {"\xEF\xBB\xBF" "Ann"}},
      {{"\xFF\xFEZo", "\xFE\xFF"}, "\r\r\n\xFF\xFEZo\r\r\n\xFE\xFF\r\r\n", {"\xFF\xFEZo", "\xFE\xFF"}},
      {{"\xFE\xFF" "Bo"}, "\r\r\n\xFE\xFF" "Bo\r\r\n", {"\xFE\xFF" "Bo"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeRoster(c.saved), c.bytes);
    EXPECT_EQ(DecodeRosterFile(c.bytes, Windows1252()).names, c.loaded) << c.bytes;
  }
}

// Files of other editors: byte-order marks, UTF-8 and UTF-16 converted to
// the code page, and what is refused rather than loaded as garbage.
TEST(DecodeRosterFile, ConvertsMarkedUnicodeAndRefusesWhatIsNoRoster) {
  using namespace std::string_literals;
  const std::string_view unicode = "it is not valid Unicode text";
  const std::string_view cannot = "it holds characters that this system's code page cannot show";
  const std::string_view nul = "it holds a NUL byte, so it is not a text file";
  struct Case { std::string bytes; Lines names; std::string_view refused = {}; };
  const Case cases[] = {
      {"\xEF\xBB\xBF" "Ann\nZo\xC3\xAB\r\n\xE2\x82\xAC", {"Ann", "Zo\xEB", "\x80"}},  // UTF-8
      {"\xEF\xBB\xBF", {}},
      {"\xEF\xBB\xBF" "Zo\xEB", {}, unicode},                     // 1252 bytes after the mark
      {"\xEF\xBB\xBF\xC0\x80", {}, unicode},                      // overlong NUL
      {"\xEF\xBB\xBF" "Ann\n\xC5\x81ukasz", {}, cannot},          // Polish L stroke
      {"\xEF\xBB\xBF" "Ann \xF0\x9F\x98\x80", {}, cannot},         // beyond 16 bits
      {"\xFF\xFE" "A\0n\0n\0\r\0\n\0Z\0o\0\xEB\0"s, {"Ann", "Zo\xEB"}},  // Notepad's "Unicode"
      {"\xFE\xFF\0A\0n\0n\0\n\x20\xAC"s, {"Ann", "\x80"}},      // big-endian
      {"\xFF\xFE" "A\0n"s, {}, unicode},                           // half a character
      {"\xFF\xFE" "A\0\x00\xD8"s, {}, unicode},                    // a lone surrogate
      {"\xFF\xFE" "A\0\x41\x01"s, {}, cannot},
      {"\xFF\xFE" "A\0\0\0B\0"s, {}, nul},
      {"Ann\r\nB\0b\r\n"s, {}, nul},
  };
  for (const Case& c : cases) {
    const DecodedRoster decoded = DecodeRosterFile(c.bytes, Windows1252());
    EXPECT_EQ(decoded.names, c.names) << c.bytes;
    EXPECT_EQ(decoded.refused, c.refused) << c.bytes;
  }
}

}  // namespace
}  // namespace rollkeep
