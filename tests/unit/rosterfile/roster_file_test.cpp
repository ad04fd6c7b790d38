#include "rosterfile/roster_file.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace rollkeep {
namespace {

using Lines = std::vector<std::string>;

struct DecodeCase {
  const char* name;
  std::string bytes;
  Lines lines;
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, ReadsLinesByTheReadingRule) {
  EXPECT_EQ(DecodeRoster(GetParam().bytes), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    ReadingRule, DecodeTest,
    ::testing::Values(
        DecodeCase{"Empty", "", {}},
        DecodeCase{"OnlyEndings", "\r\r\n\r\n\r", {}},
        DecodeCase{"CrEndings", "Ann\rBob\r", {"Ann", "Bob"}},
        DecodeCase{"CrLfEndings", "Ann\r\nBob\r\n", {"Ann", "Bob"}},
        DecodeCase{"PrintedRecords", "Ann\r\r\nBob\r\r\n", {"Ann", "Bob"}},
        DecodeCase{"LastLineWithoutEnding", "Ann\r\nBob", {"Ann", "Bob"}},
        DecodeCase{"BlankLinesBetween", "Ann\r\n\r\n\r\nBob\r\n", {"Ann", "Bob"}},
        DecodeCase{"LfAloneIsText", "Ann\nBob\n", {"Ann\nBob\n"}},
        DecodeCase{"OnlyFirstLfBelongsToEnding", "Ann\r\n\nBob", {"Ann", "\nBob"}},
        DecodeCase{"LeadingLfIsText", "\nAnn\r", {"\nAnn"}},
        DecodeCase{"LoneLf", "\n", {"\n"}},
        DecodeCase{"SpacesKept", "  Ann \r\n Bob\t\r\n", {"  Ann ", " Bob\t"}},
        DecodeCase{"DuplicatesKept", "Ann\rAnn\rann\r", {"Ann", "Ann", "ann"}},
        DecodeCase{"HighBytesKept", "Jos\xe9\r\n\xff\x80\r\n", {"Jos\xe9", "\xff\x80"}},
        DecodeCase{"NulKept", std::string("a\0b\r", 4), {std::string("a\0b", 3)}},
        DecodeCase{"CrAtEndOnly", "\r", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeRoster, StopsOneLinePastTheLimit) {
  EXPECT_EQ(DecodeRoster("a\rb\rc\rd\r", 2), (Lines{"a", "b", "c"}));
  EXPECT_EQ(DecodeRoster("a\rb\r", 2), (Lines{"a", "b"}));
  EXPECT_EQ(DecodeRoster("\r\ra\r\r", 0), (Lines{"a"}));
}

struct EncodeCase {
  const char* name;
  Lines entries;
  std::string bytes;
};

void PrintTo(const EncodeCase& c, std::ostream* os) { *os << c.name; }

class EncodeTest : public ::testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeTest, PrintsEachEntryWithCrAndALineEnding) {
  EXPECT_EQ(EncodeRoster(GetParam().entries), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Records, EncodeTest,
    ::testing::Values(EncodeCase{"EmptyRosterIsEmptyFile", {}, ""},
                      EncodeCase{"OneName", {"Ann"}, "Ann\r\r\n"},
                      EncodeCase{"InOrder", {"Bob", "Ann", "Bob"}, "Bob\r\r\nAnn\r\r\nBob\r\r\n"},
                      EncodeCase{"EmptyEntry", {""}, "\r\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoundTripCase {
  const char* name;
  Lines saved;
  Lines loaded;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) { *os << c.name; }

class RoundTripTest : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTripTest, ReadsBackWhatWasWritten) {
  EXPECT_EQ(DecodeRoster(EncodeRoster(GetParam().saved)), GetParam().loaded);
}

INSTANTIATE_TEST_SUITE_P(
    Format, RoundTripTest,
    ::testing::Values(
        RoundTripCase{"Names", {"Ann", "Bob Smith", "cat"}, {"Ann", "Bob Smith", "cat"}},
        RoundTripCase{"Duplicates", {"Ann", "Ann", "ann"}, {"Ann", "Ann", "ann"}},
        RoundTripCase{"Spaces", {" Ann", "Bob ", "   "}, {" Ann", "Bob ", "   "}},
        RoundTripCase{"LfInside", {"a\nb", "\n"}, {"a\nb", "\n"}},
        RoundTripCase{"CrInsideSplits", {"Ann\rBob", "cat"}, {"Ann", "Bob", "cat"}},
        RoundTripCase{"CrLfInsideSplits", {"Ann\r\nBob"}, {"Ann", "Bob"}},
        RoundTripCase{"EmptyEntriesDropped", {"", "Ann", "", ""}, {"Ann"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundTrip, FullRoster) {
  Lines names;
  for (int i = 0; i < 32767; ++i) names.push_back("Member " + std::to_string(i));
  EXPECT_EQ(DecodeRoster(EncodeRoster(names)), names);
}

}  // namespace
}  // namespace rollkeep
