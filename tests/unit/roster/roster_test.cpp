#include "roster/roster.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "roster/name_matching.h"
#include "roster/windows_1252.h"

namespace rollkeep {
namespace {

using Entries = std::vector<std::string>;
constexpr std::optional<int> kNone;

void Fill(Roster& roster, const Entries& entries, std::optional<int> selected = kNone) {
  roster.assign(entries);
  if (selected) roster.select(*selected);
}

// Attaches itself to the roster and applies every notification to a copy the
// way a single-selection list box does: removing an item shifts the selection
// below it and drops it when the selected item goes.
struct MirrorObserver : RosterObserver {
  explicit MirrorObserver(Roster& r) : roster(r), items(r.entries()), selection(r.selection()) {
    roster.addObserver(this);
  }
  void OnAppended(int i, const std::string& s) override { items.insert(items.begin() + i, s); }
  void OnRemoved(int i) override {
    items.erase(items.begin() + i);
    selection = selection == i ? kNone : selection > i ? std::optional(*selection - 1) : selection;
  }
  void OnReset() override { items = roster.entries(), selection.reset(); }
  void OnSelectionChanged(std::optional<int> i) override { selection = i; }

  Roster& roster;
  Entries items;
  std::optional<int> selection;
};

// Every change keeps the order of the rest, moves the selection with its entry
// (dropping it when its entry goes) and tells the view, in an order and with
// indices that keep the view's copy the same as the roster.
TEST(Roster, ChangesMoveTheSelectionWithItsEntryAndKeepTheViewInStep) {
  using Brask32::MarkMatches;
  const Entries abcd = {"a", "b", "c", "d"}, abac = {"a", "b", "a", "c"}, abc = {"a", "b", "c"};
  const Entries bobs = {"bob", "Ann", "B o b"}, full(Roster::kCapacity, "n");
  const Entries noBob = {"Bob_Smith", "Bob\tSmith", "bobsmit", "bobsmithh"};
  const struct {
    std::function<void(Roster&)> op;
    Entries before;
    std::optional<int> selected;
    Entries after;
    std::optional<int> selectedAfter;
  } cases[] = {
      {[](Roster& r) { EXPECT_TRUE(r.append("a")); }, abac, 1, {"a", "b", "a", "c", "a"}, 1},
      {[](Roster& r) { EXPECT_FALSE(r.append("x")); }, full, 0, full, 0},  // at the capacity
      {[](Roster& r) { EXPECT_FALSE(r.assign(Entries(Roster::kCapacity + 1, "n"))); }, abcd, 1,
       abcd, 1},
      {[](Roster& r) { r.select(2); }, abcd, 0, abcd, 2},
      {&Roster::deselect, abcd, 0, abcd, kNone},
      {&Roster::clear, abcd, 0, {}, kNone},
      {[](Roster& r) { EXPECT_TRUE(r.assign({"x"})); }, abcd, 1, {"x"}, kNone},
      {[](Roster& r) { r.removeAt(1); }, abcd, 3, {"a", "c", "d"}, 2},      // before the selection
      {[](Roster& r) { r.removeAt(1); }, abcd, 1, {"a", "c", "d"}, kNone},  // the selected entry
      {[](Roster& r) { r.removeAt(3); }, abcd, 1, abc, 1},                  // after the selection
      {[](Roster& r) { r.removeWhere({1, 0, 1, 0}); }, abcd, 3, {"b", "d"}, 1},
      {[](Roster& r) { r.removeWhere({0, 1, 0, 1}); }, abcd, 3, {"a", "c"}, kNone},
      {Brask32::DropSelected, abcd, kNone, abcd, kNone},
      {Brask32::DropSelected, abac, 2, abc, kNone},
      {Brask32::DropDuplicates, {"Bob", "Ann", "Bob", "Bob", "Ann", "ann", "A nn"}, kNone,
       {"Bob", "Ann", "ann", "A nn"}, kNone},
      {Brask32::DropDuplicates, abac, 3, abc, 2},      // a copy before the selection goes
      {Brask32::DropDuplicates, abac, 2, abc, kNone},  // the selected copy goes
      {Brask32::DropDuplicates, abac, 0, abc, 0},      // the first occurrence stays
      {[](Roster& r) { EXPECT_TRUE(MarkMatches("BOB", r)); }, bobs, kNone, bobs, 2},  // last match
      {[](Roster& r) { EXPECT_TRUE(MarkMatches("Bob Smith", r)); }, {"Ann", "bobsmith"}, 0,
       {"Ann", "bobsmith"}, 1},
      {[](Roster& r) { EXPECT_FALSE(MarkMatches("Zed", r)); }, bobs, 1, bobs, 1},
      {[](Roster& r) { EXPECT_FALSE(MarkMatches("Bob Smith", r)); }, noBob, kNone, noBob, kNone},
      {[](Roster& r) { EXPECT_TRUE(MarkMatches("", r)); }, {"Ann", "", "  ", "x"}, kNone,
       {"Ann", "", "  ", "x"}, 2},
      {[](Roster& r) { EXPECT_TRUE(MarkMatches("ZO\xCB", r)); }, {"Zo\xEB", "x"}, kNone,  // ZOË
       {"Zo\xEB", "x"}, 0},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& c = cases[i];
    Roster roster;
    Fill(roster, c.before, c.selected);
    MirrorObserver view(roster);
    c.op(roster);
    EXPECT_EQ(roster.entries(), c.after) << "case " << i;
    EXPECT_EQ(roster.selection(), c.selectedAfter) << "case " << i;
    EXPECT_EQ(view.items, roster.entries()) << "case " << i;
    EXPECT_EQ(view.selection, roster.selection()) << "case " << i;
  }
}

// A code page whose table folds only A-Z, as a multi-byte one does.
struct AsciiFolding final : CodePage {
  AsciiFolding() : CodePage(Table()) {}
  std::optional<std::string> FromUtf16(std::u16string_view) const override { return {}; }
  static FoldTable Table() {
    FoldTable fold{};
    for (int b = 0; b < 256; ++b) fold[b] = static_cast<unsigned char>(b + (b >= 'A' && b <= 'Z') * 32);
    return fold;
  }
};

TEST(NameMatching, CompactNameDropsOnlySpacesAndNameKeyFoldsAsTheCodePage) {
  const struct {
    std::string text, compact, key;
  } cases[] = {
      {" Bob  Smith\t", "BobSmith\t", "bobsmith\t"},
      {"@AZ[`az{", "@AZ[`az{", "@az[`az{"},                 // neighbours of the letters stay
      {"\xC4\xD6 \xDC", "\xC4\xD6\xDC", "\xE4\xF6\xFC"},  // Windows-1252 letters beyond A-Z
      {"\x8A\x8C\x8E\x9F\xD7\xDF\xFF", "\x8A\x8C\x8E\x9F\xD7\xDF\xFF", "\x9A\x9C\x9E\xFF\xD7\xDF\xFF"},
      {std::string("a\0 B", 4), std::string("a\0B", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Brask32::CompactName(c.text), c.compact) << c.text;
    EXPECT_EQ(NameKey(c.text), c.key) << c.text;
  }
  // "remove me" folds with the roster's code page, not Windows-1252's.
  const AsciiFolding multiByte;
  Roster roster{multiByte};
  roster.assign({"Zo\xEB"});
  EXPECT_FALSE(Brask32::MarkMatches("ZO\xCB", roster));
  EXPECT_TRUE(Brask32::MarkMatches("zO\xEB", roster));
}

// The pairwise walk: compare every entry with every later one, removing
// exact copies one at a time and taking the count afresh after each removal.
void PairwiseDropDuplicates(Roster& roster) {
  for (int i = 0; i < roster.count(); ++i) {
    for (int j = i + 1; j < roster.count();) {
      if (roster.at(j) == roster.at(i)) roster.removeAt(j);
      else ++j;
    }
  }
}

TEST(NameMatching, DropDuplicatesGivesThePairwiseWalksResult) {
  std::mt19937 random(20240611);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  for (int round = 0; round < 2000; ++round) {
    Entries entries(pick(41));
    for (auto& entry : entries) {
      for (int k = pick(3); k > 0; --k) entry += "aA b"[pick(4)];
    }
    const int selected = pick(static_cast<int>(entries.size()) + 1) - 1;
    Roster expected, actual;
    Fill(expected, entries, selected < 0 ? kNone : std::optional(selected));
    Fill(actual, entries, expected.selection());
    MirrorObserver view(actual);
    PairwiseDropDuplicates(expected);
    Brask32::DropDuplicates(actual);
    ASSERT_EQ(actual.entries(), expected.entries()) << "round " << round;
    ASSERT_EQ(actual.selection(), expected.selection()) << "round " << round;
    ASSERT_TRUE(view.items == actual.entries() && view.selection == actual.selection());
  }
}

}  // namespace
}  // namespace rollkeep
