#include "rosterfile/roster_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace rollkeep {
namespace {

using Lines = std::vector<std::string>;

TEST(DecodeRoster, FollowsTheReadingRuleUpToOneLinePastTheLimit) {
  struct Case { std::string bytes; Lines lines;
                std::size_t limit = std::numeric_limits<std::size_t>::max(); };
  const Case cases[] = {
      {"", {}},
      {"\r\r\n\r\n\r", {}},                                      // only endings
      {"Ann\rBob\r", {"Ann", "Bob"}},                            // CR ends a line
      {"Ann\r\r\nBob\r\r\n", {"Ann", "Bob"}},                    // the records Rollkeep prints
      {"Ann\r\n\r\n\r\nBob", {"Ann", "Bob"}},                    // blank lines; no final ending
      {"Ann\nBob\n", {"Ann\nBob\n"}},                            // LF alone is text
      {"Ann\r\n\nBob", {"Ann", "\nBob"}},                        // only the first LF ends
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
      {{"a\nb"}, "a\nb\r\r\n", {"a\nb"}},
      {{"Ann\rBob"}, "Ann\rBob\r\r\n", {"Ann", "Bob"}},  // a CR inside splits the entry
      {{"", "Ann", ""}, "\r\r\nAnn\r\r\n\r\r\n", {"Ann"}},  // empty entries are dropped
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeRoster(c.saved), c.bytes);
    EXPECT_EQ(DecodeRoster(c.bytes), c.loaded) << c.bytes;
  }
}

}  // namespace
}  // namespace rollkeep
