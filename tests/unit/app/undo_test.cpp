// Undo of the operator's last "clear list", "remove selected" or "load list":
// the roster as if that change had never been made, with the chat commands
// handled since replayed on it.

#include <gtest/gtest.h>

#include <utility>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

const Lines kStart = {"Ann", "Bob Smith", "Cy"};
const std::string kPath = "C:\\rosters\\other.txt";
const std::string kRestored = "Rollkeep: list restored";

using Chat = std::vector<std::pair<std::string, std::string>>;  // screen name, text

void Say(FrmMain& frm, const Chat& lines) {
  for (const auto& [name, text] : lines) frm.ChatLine(name, text);
}

TEST(FrmMainUndo, GivesTheRosterAsIfTheChangeHadNeverBeenMade) {
  const Handler clear = &FrmMain::Command6_Click, remove = &FrmMain::Command5_Click,
                load = &FrmMain::Command4_Click;
  // `during`: lines heard while the load's dialog is up.
  struct Case { const char* name; Handler click; std::string change; Chat since;
                Lines beforeUndo, afterUndo; Chat during = {}; };
  const Case cases[] = {
      {"clear, nothing since", clear, "clear list", {}, {}, kStart},
      {"clear, one listed and one removed", clear, "clear list",
       {{"Dee", "list me"}, {"Cy", "list me now"}, {"bobsmith", "remove me"}},
       {"Dee"}, {"Ann", "Cy", "Dee"}},
      {"remove selected, the removed one lists again, another leaves", remove,
       "remove selected", {{"Ann", "list me"}, {"Cy", "remove me"}},
       {"Bob Smith", "Ann"}, {"Ann", "Bob Smith"}},
      {"load, a loaded one leaves, a new one lists", load, "load list",
       {{"Zed", "remove me"}, {"Eve", "LIST me"}, {"Ann", "list me"}},
       {"Yo", "Eve", "Ann"}, {"Ann", "Bob Smith", "Cy", "Eve"}},
      {"load, with a line heard while its dialog was up", load, "load list",
       {{"Ann", "remove me"}}, {"Zed", "Yo"}, {"Bob Smith", "Cy", "Dee"}, {{"Dee", "list me"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The operator's change, with entry 0 selected and kPath holding "Zed"
    // and "Yo" for the load.
    MainWindow w(kStart, 0);
    w.files.files[kPath] = "Zed\r\nYo\r\n";
    w.dialog.choices = {kPath};
    w.dialog.duringShow = [&] { Say(w.frm, c.during); };
    (w.frm.*c.click)();
    Say(w.frm, c.since);
    EXPECT_EQ(w.roster.entries(), c.beforeUndo);
    EXPECT_EQ(w.frm.undoableChange(), c.change);

    w.frm.Undo();
    EXPECT_EQ(w.roster.entries(), c.afterUndo);
    EXPECT_EQ(w.roster.selection(), std::nullopt);
    EXPECT_EQ(w.poster.posts.back(), kRestored);
    EXPECT_EQ(w.frm.undoableChange(), "");
  }
}

TEST(FrmMainUndo, OnlyTheLastRealChangeCanBeUndoneAndOnlyOnce) {
  MainWindow w(kStart);
  EXPECT_EQ(w.frm.undoableChange(), "");
  w.frm.Undo();  // nothing to undo: nothing changes, nothing is said
  EXPECT_TRUE(w.poster.posts.empty());

  w.frm.Command6_Click();
  w.frm.ChatLine("Dee", "list me");
  w.frm.Command6_Click();  // clears Dee: this is now the change to undo
  w.frm.Command6_Click();  // an empty list: keeps the undo above
  w.frm.Command5_Click();  // nothing selected: no change either
  w.dialog.choices = {FakeFileDialog::kCancel};
  w.frm.Command4_Click();  // a load that did not happen
  w.frm.ChatLine("Eve", "list me");
  EXPECT_EQ(w.frm.undoableChange(), "clear list");
  EXPECT_EQ(w.poster.posts, Lines(3, "Rollkeep: list cleared"));  // no removal of nobody

  w.frm.Undo();
  EXPECT_EQ(w.roster.entries(), (Lines{"Dee", "Eve"}));
  const std::size_t posts = w.poster.posts.size();
  w.frm.Undo();
  EXPECT_EQ(w.roster.entries(), (Lines{"Dee", "Eve"}));
  EXPECT_EQ(w.poster.posts.size(), posts);
}

}  // namespace
}  // namespace rollkeep::testing
