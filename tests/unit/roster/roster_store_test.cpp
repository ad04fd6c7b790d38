#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "roster/roster.h"
#include "roster_test_util.h"

namespace rollkeep {
namespace {

using testing::Fill;
using testing::Join;
using testing::MirrorObserver;
using testing::NumberedNames;
using Entries = std::vector<std::string>;

TEST(RosterStore, AppendKeepsOrderAndSelectionAndNotifies) {
  Roster roster;
  MirrorObserver view(roster);
  roster.setObserver(&view);
  roster.append("Ann");
  roster.select(0);
  roster.append("");
  roster.append("Ann");
  EXPECT_EQ(roster.entries(), (Entries{"Ann", "", "Ann"}));
  EXPECT_EQ(roster.selection(), 0);
  EXPECT_EQ(roster.selectedText(), "Ann");
  EXPECT_EQ(view.log, (Entries{"append 0 Ann", "select 0", "append 1 ", "append 2 Ann"}));
  EXPECT_EQ(view.items, roster.entries());
}

TEST(RosterStore, RefusesAppendBeyondCapacity) {
  Roster roster;
  ASSERT_TRUE(roster.assign(NumberedNames(Roster::kCapacity - 1)));
  EXPECT_TRUE(roster.append("last"));
  MirrorObserver view(roster);
  roster.setObserver(&view);
  EXPECT_FALSE(roster.append("one too many"));
  EXPECT_EQ(roster.count(), Roster::kCapacity);
  EXPECT_EQ(roster.at(Roster::kCapacity - 1), "last");
  EXPECT_TRUE(view.log.empty());
}

TEST(RosterStore, AssignBeyondCapacityChangesNothing) {
  Roster roster;
  Fill(roster, {"Ann", "Bob"}, 1);
  EXPECT_FALSE(roster.assign(NumberedNames(Roster::kCapacity + 1)));
  EXPECT_EQ(roster.entries(), (Entries{"Ann", "Bob"}));
  EXPECT_EQ(roster.selection(), 1);
}

TEST(RosterStore, ClearAndAssignDropTheSelectionAndReset) {
  Roster roster;
  MirrorObserver view(roster);
  roster.setObserver(&view);
  Fill(roster, {"Ann", "Bob"}, 1);
  roster.clear();
  EXPECT_EQ(roster.count(), 0);
  EXPECT_EQ(roster.selection(), std::nullopt);
  EXPECT_EQ(roster.selectedText(), "");
  Fill(roster, {"Cy"});
  EXPECT_EQ(view.log, (Entries{"reset", "select 1", "reset", "reset"}));
  EXPECT_EQ(view.items, (Entries{"Cy"}));
  EXPECT_EQ(view.selection, std::nullopt);
}

TEST(RosterStore, SelectionIsSingleAndNotifiedOnlyOnChange) {
  Roster roster;
  MirrorObserver view(roster);
  Fill(roster, {"Ann", "Bob", "Cy"});
  roster.setObserver(&view);
  roster.select(2);
  roster.select(0);
  roster.select(0);
  EXPECT_TRUE(roster.isSelected(0));
  EXPECT_FALSE(roster.isSelected(2));
  roster.deselect();
  roster.deselect();
  EXPECT_EQ(view.log, (Entries{"select 2", "select 0", "select none"}));
}

struct RemoveAtCase {
  std::optional<int> selectedBefore;
  int removed;
  Entries after;
  std::optional<int> selectedAfter;
};

TEST(RosterStore, RemoveAtMovesLaterEntriesAndSelectionFollowsItsEntry) {
  const std::vector<RemoveAtCase> cases = {
      {std::nullopt, 0, {"b", "c", "d"}, std::nullopt},
      {3, 1, {"a", "c", "d"}, 2},   // entry before the selection: same entry stays selected
      {1, 1, {"a", "c", "d"}, std::nullopt},  // the selected entry itself
      {1, 3, {"a", "b", "c"}, 1},   // entry after the selection
      {0, 0, {"b", "c", "d"}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.removed);
    Roster roster;
    Fill(roster, {"a", "b", "c", "d"}, c.selectedBefore);
    MirrorObserver view(roster);
    view.items = roster.entries();
    view.selection = roster.selection();
    roster.setObserver(&view);
    roster.removeAt(c.removed);
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
    EXPECT_EQ(view.log, (Entries{Join({"remove ", std::to_string(c.removed)})}));
    EXPECT_EQ(view.items, roster.entries());
    EXPECT_EQ(view.selection, roster.selection());
  }
}

struct RemoveWhereCase {
  std::vector<bool> flags;
  std::optional<int> selectedBefore;
  Entries after;
  std::optional<int> selectedAfter;
  Entries log;
};

TEST(RosterStore, RemoveWhereRemovesInOnePassAndTellsTheViewFromTheEnd) {
  const std::vector<RemoveWhereCase> cases = {
      {{false, false, false, false, false}, 2, {"a", "b", "c", "d", "e"}, 2, {}},
      {{true, false, true, false, false}, 3, {"b", "d", "e"}, 1, {"remove 2", "remove 0"}},
      {{false, true, false, true, true}, 3, {"a", "c"}, std::nullopt,
       {"remove 4", "remove 3", "remove 1"}},
      {{true, true, true, true, true}, 0, {}, std::nullopt,
       {"remove 4", "remove 3", "remove 2", "remove 1", "remove 0"}},
      {{false, false, false, true, true}, 1, {"a", "b", "c"}, 1, {"remove 4", "remove 3"}},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    const auto& c = cases[i];
    Roster roster;
    Fill(roster, {"a", "b", "c", "d", "e"}, c.selectedBefore);
    MirrorObserver view(roster);
    view.items = roster.entries();
    view.selection = roster.selection();
    roster.setObserver(&view);
    roster.removeWhere(c.flags);
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
    EXPECT_EQ(view.log, c.log);
    EXPECT_EQ(view.items, roster.entries());
    EXPECT_EQ(view.selection, roster.selection());
  }
}

}  // namespace
}  // namespace rollkeep
