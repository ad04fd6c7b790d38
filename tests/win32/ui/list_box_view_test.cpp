// List1 against the roster store: after any sequence of store changes the
// list box holds the same names and the same selection.

#include "platform/win32/ui/list_box_view.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "roster/name_matching.h"
#include "roster/roster.h"
#include "ui_test_support.h"

namespace rollkeep::uitest {
namespace {

class ListBoxViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    parent_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    list_ = ::CreateWindowExA(
        0, "LISTBOX", "",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0,
        0, 120, 95, parent_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(list_, nullptr);
  }
  void TearDown() override { ::DestroyWindow(parent_); }

  void ExpectMirrors(const Roster& roster) {
    EXPECT_EQ(ListItems(list_), roster.entries());
    EXPECT_EQ(ListSelection(list_), roster.selection().value_or(LB_ERR));
  }

  HWND parent_ = nullptr;
  HWND list_ = nullptr;
};

struct Step {
  const char* what;
  std::function<void(Roster&)> change;
};

TEST_F(ListBoxViewTest, FollowsEveryKindOfChange) {
  Roster roster;
  roster.append("kept before");
  roster.select(0);
  win32::ListBoxView view(roster, list_);
  ExpectMirrors(roster);

  const std::vector<Step> steps = {
      {"append", [](Roster& r) { r.append("Bob Smith"); }},
      {"append more",
       [](Roster& r) {
         for (auto n : {"carol", "Dave", "bob smith"}) r.append(n);
       }},
      {"select", [](Roster& r) { r.select(3); }},
      {"remove before the selection", [](Roster& r) { r.removeAt(0); }},
      {"remove after the selection", [](Roster& r) { r.removeAt(3); }},
      {"remove the selection", [](Roster& r) { r.removeAt(2); }},
      {"select last", [](Roster& r) { r.select(1); }},
      {"remove several",
       [](Roster& r) {
         r.removeWhere({true, false});
       }},
      {"duplicates dropped",
       [](Roster& r) {
         for (auto n : {"x", "y", "x", "x", "z"}) r.append(n);
         r.select(4);
         Brask32::DropDuplicates(r);
       }},
      {"matches marked", [](Roster& r) { Brask32::MarkMatches("Y", r); }},
      {"selected dropped", [](Roster& r) { Brask32::DropSelected(r); }},
      {"deselect",
       [](Roster& r) {
         r.select(0);
         r.deselect();
       }},
      {"assign",
       [](Roster& r) {
         r.assign({"one", "two", "three"});
       }},
      {"names with odd bytes", [](Roster& r) { r.append("\xE9t\xE9  tab\there"); }},
      {"clear", [](Roster& r) { r.clear(); }},
      {"append after clear", [](Roster& r) { r.append("again"); }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.change(roster);
    ExpectMirrors(roster);
  }
}

TEST_F(ListBoxViewTest, OperatorsClickSelectsInTheStore) {
  Roster roster;
  win32::ListBoxView view(roster, list_);
  for (auto n : {"a", "b", "c"}) roster.append(n);

  ::SendMessageA(list_, LB_SETCURSEL, 2, 0);
  view.OnOperatorSelected();
  EXPECT_EQ(roster.selection(), 2);
  EXPECT_EQ(roster.selectedText(), "c");
}

TEST_F(ListBoxViewTest, DetachesFromTheStoreWhenGone) {
  Roster roster;
  {
    win32::ListBoxView view(roster, list_);
    roster.append("seen");
  }
  roster.append("after the view");
  EXPECT_EQ(ListItems(list_), std::vector<std::string>{"seen"});
}

// A full roster fills the list box in one go; the figure is printed for the
// record, only the count is checked.
TEST_F(ListBoxViewTest, FillsAFullRosterAtOnce) {
  std::vector<std::string> names;
  for (int i = 0; i < Roster::kCapacity; ++i) names.push_back("Member " + std::to_string(i));
  Roster roster;
  win32::ListBoxView view(roster, list_);

  const double start = NowSeconds();
  ASSERT_TRUE(roster.assign(names));
  const double elapsed = NowSeconds() - start;

  std::printf("[ figure   ] filling %d names took %.1f ms\n", Roster::kCapacity, elapsed * 1000);
  EXPECT_EQ(::SendMessageA(list_, LB_GETCOUNT, 0, 0), Roster::kCapacity);
  EXPECT_EQ(ListItems(list_).back(), names.back());
  EXPECT_FALSE(roster.append("one too many"));
  EXPECT_EQ(::SendMessageA(list_, LB_GETCOUNT, 0, 0), Roster::kCapacity);
}

}  // namespace
}  // namespace rollkeep::uitest
