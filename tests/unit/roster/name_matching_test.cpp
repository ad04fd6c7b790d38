#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "roster/name_matching.h"
#include "roster/roster.h"
#include "roster_test_util.h"

namespace rollkeep {
namespace {

using testing::Fill;
using testing::MirrorObserver;
using Entries = std::vector<std::string>;

TEST(NameMatching, CompactNameDropsOnlySpacesAndNameKeyFoldsOnlyAToZ) {
  struct Case {
    std::string text, compact, key;
  };
  const std::vector<Case> cases = {
      {"x y  z", "xyz", "xyz"},
      {"   ", "", ""},
      {"", "", ""},
      {"a\tb", "a\tb", "a\tb"},
      {" Bob Smith ", "BobSmith", "bobsmith"},
      {"Bob_Smith", "Bob_Smith", "bob_smith"},
      {"@AZ[`az{", "@AZ[`az{", "@az[`az{"},  // neighbours of the letters stay
      {"\xC4\xD6 \xDC", "\xC4\xD6\xDC", "\xC4\xD6\xDC"},  // ANSI letters beyond A-Z stay
      {std::string("a\0 B", 4), std::string("a\0B", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Brask32::CompactName(c.text), c.compact);
    EXPECT_EQ(NameKey(c.text), c.key);
  }
  const std::string longText(70000, ' ');
  EXPECT_EQ(Brask32::CompactName(longText + "x" + longText), "x");
}

struct ListCase {
  Entries before;
  std::optional<int> selectedBefore;
  Entries after;
  std::optional<int> selectedAfter;
};

void ExpectProcedure(void (*procedure)(Roster&), const std::vector<ListCase>& cases) {
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& c = cases[i];
    Roster roster;
    Fill(roster, c.before, c.selectedBefore);
    procedure(roster);
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
  }
}

TEST(NameMatching, DropDuplicatesKeepsFirstOccurrences) {
  const std::optional<int> none;
  ExpectProcedure(Brask32::DropDuplicates, {
      {{"Ann", "Bob", "Ann"}, none, {"Ann", "Bob"}, none},
      {{"Ann", "Ann", "Ann", "Ann", "Ann"}, none, {"Ann"}, none},
      {{"Bob", "Ann", "Bob", "Bob", "Ann"}, none, {"Bob", "Ann"}, none},
      {{"Ann", "ann", "A nn"}, none, {"Ann", "ann", "A nn"}, none},
      {{"", "x", ""}, none, {"", "x"}, none},
      {{}, none, {}, none},
      {{"a", "b", "c"}, 2, {"a", "b", "c"}, 2},
      {{"a", "b", "a", "c"}, 3, {"a", "b", "c"}, 2},  // removed before the selection
      {{"a", "b", "a", "c"}, 2, {"a", "b", "c"}, none},  // the selected copy goes
      {{"a", "b", "a", "c"}, 0, {"a", "b", "c"}, 0},  // the first occurrence keeps it
  });
}

TEST(NameMatching, DropSelectedRemovesOnlyTheSelectedEntry) {
  const std::optional<int> none;
  ExpectProcedure(Brask32::DropSelected, {
      {{"a", "b", "c", "d", "e"}, none, {"a", "b", "c", "d", "e"}, none},
      {{"a", "b", "c", "d", "e"}, 2, {"a", "b", "d", "e"}, none},
      {{"a", "a"}, 1, {"a"}, none},
      {{}, none, {}, none},
  });
}

TEST(NameMatching, MarkMatchesSelectsTheLastEntryWithTheSameKey) {
  struct Case {
    std::string name;
    Entries entries;
    std::optional<int> selectedBefore;
    bool matched;
    std::optional<int> selectedAfter;
  };
  const std::optional<int> none;
  const std::vector<Case> cases = {
      {"Bob Smith", {"bobsmith", "Ann"}, none, true, 0},
      {"BOB", {"bob", "Ann", "B o b"}, none, true, 2},
      {"bob", {"bob", "Ann", "B o b"}, 2, true, 2},
      {"BOB", {"Ann", "bob"}, 0, true, 1},
      {"Zed", {"Ann"}, 0, false, 0},
      {"Zed", {"Ann"}, none, false, none},
      {"Zed", {}, none, false, none},
      {"", {"Ann", "", "  ", "x"}, none, true, 2},
      {"  ", {"", "Ann"}, none, true, 0},
      {"Bob Smith", {"Bob_Smith", "Bob\tSmith"}, none, false, none},
      {"bobsmith", {"Bob Smith", "bobsmit", "bobsmithh"}, none, true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + " " + std::to_string(c.entries.size()));
    Roster roster;
    Fill(roster, c.entries, c.selectedBefore);
    EXPECT_EQ(Brask32::MarkMatches(c.name, roster), c.matched);
    EXPECT_EQ(roster.entries(), c.entries);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
  }
}

// The pairwise walk: compare every entry with every later one, removing
// exact copies one at a time and taking the count afresh after each removal.
void PairwiseDropDuplicates(Roster& roster) {
  for (int i = 0; i < roster.count(); ++i) {
    int j = i + 1;
    while (j < roster.count()) {
      if (roster.at(j) == roster.at(i)) {
        roster.removeAt(j);
      } else {
        ++j;
      }
    }
  }
}

TEST(NameMatching, DropDuplicatesGivesThePairwiseWalksResult) {
  std::mt19937 random(20240611);
  const std::string alphabet = "aA b";
  for (int round = 0; round < 2000; ++round) {
    Entries entries(std::uniform_int_distribution<int>(0, 40)(random));
    for (auto& entry : entries) {
      const int length = std::uniform_int_distribution<int>(0, 2)(random);
      for (int k = 0; k < length; ++k) {
        entry += alphabet[std::uniform_int_distribution<std::size_t>(0, 3)(random)];
      }
    }
    std::optional<int> selected;
    const int pick = std::uniform_int_distribution<int>(-1, static_cast<int>(entries.size()) - 1)(random);
    if (pick >= 0) selected = pick;

    Roster expected;
    Fill(expected, entries, selected);
    PairwiseDropDuplicates(expected);
    Roster actual;
    Fill(actual, entries, selected);
    MirrorObserver view(actual);
    view.items = entries;
    view.selection = selected;
    actual.setObserver(&view);
    Brask32::DropDuplicates(actual);

    ASSERT_EQ(actual.entries(), expected.entries()) << "round " << round;
    ASSERT_EQ(actual.selection(), expected.selection()) << "round " << round;
    ASSERT_EQ(view.items, actual.entries()) << "round " << round;
    ASSERT_EQ(view.selection, actual.selection()) << "round " << round;
  }
}

}  // namespace
}  // namespace rollkeep
