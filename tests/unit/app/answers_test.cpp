// Members' lines are handled the moment they are heard; their answers follow
// in the order of the lines, an "added" answer 0.7 s after its line and after
// the "added" answer before it, and only while the name is still listed. The
// operator's actions between a line and its answer act on the roster at
// once. Times are milliseconds on the test's clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "main_window_fixture.h"
#include "support/fake_ports.h"

namespace rollkeep::testing {
namespace {

using Action = std::function<void(MainWindow&)>;

Action Say(const char* name, const char* text) {
  return [=](MainWindow& w) { w.frm.ChatLine(name, text); };
}
Action Click(Handler handler, int select = -1) {
  return [=](MainWindow& w) {
    if (select >= 0) w.roster.select(select);
    (w.frm.*handler)();
  };
}
const Action kUndo = [](MainWindow& w) { w.frm.Undo(); };
const Handler kOff = &FrmMain::Command2_Click, kLoad = &FrmMain::Command4_Click,
              kRemoveSelected = &FrmMain::Command5_Click, kClear = &FrmMain::Command6_Click;

std::string At(long long ms, const std::string& text) { return std::to_string(ms) + " " + text; }
std::string Added(long long ms, const std::string& name) { return At(ms, testing::Added(name)); }
std::string Removed(long long ms, const std::string& name) {
  return At(ms, testing::Removed(name));
}

TEST(Answers, FollowTheLinesInOrderAndPaceWhileTheRosterChangesAtOnce) {
  struct Step { long long ms; Action act; Lines roster; };
  struct Case { const char* name; Lines start; std::vector<Step> steps; Lines posts; };
  const Case cases[] = {
      {"a burst, then a line after a quiet while", {},
       {{0, Say("Ann", "list me"), {"Ann"}}, {0, Say("Bob", "LIST me"), {"Ann", "Bob"}},
        {0, Say("Cy", "list me"), {"Ann", "Bob", "Cy"}},
        {100, Say("Dee", "list me"), {"Ann", "Bob", "Cy", "Dee"}},
        {5000, Say("Eve", "list me"), {"Ann", "Bob", "Cy", "Dee", "Eve"}}},
       {Added(700, "Ann"), Added(1400, "Bob"), Added(2100, "Cy"), Added(2800, "Dee"),
        Added(5700, "Eve")}},
      {"remove me waits for the answers before it; a name gone is not announced", {},
       {{0, Say("Ann", "list me"), {"Ann"}}, {0, Say("Bob", "list me"), {"Ann", "Bob"}},
        {200, Say("ann", "remove me"), {"Bob"}}, {3000, Say("Cy", "list me"), {"Bob", "Cy"}},
        {3100, Say("Bob", "remove me"), {"Cy"}}, {5000, Say("Cy", "remove me"), {}}},
       {Added(700, "Bob"), Removed(700, "ann"), Added(3700, "Cy"), Removed(3700, "Bob"),
        Removed(5000, "Cy")}},
      {"duplicates are listed once and answered each time", {"Ann"},
       {{0, Say("Ann", "list me"), {"Ann"}}, {0, Say("Ann", "list me"), {"Ann"}},
        {0, Say("Bob", "remove me"), {"Ann"}}},
       {Added(700, "Ann"), Added(1400, "Ann")}},
      {"clear", {"Zed"},
       {{0, Say("Ann", "list me"), {"Zed", "Ann"}}, {300, Click(kClear), {}}},
       {At(300, "Rollkeep: list cleared")}},
      {"remove selected", {"Zed"},
       {{0, Say("Ann", "list me"), {"Zed", "Ann"}}, {300, Click(kRemoveSelected, 1), {"Zed"}}},
       {At(300, "Rollkeep: Ann has been removed from list")}},
      {"clear, then undo", {"Zed"},
       {{0, Say("Ann", "list me"), {"Zed", "Ann"}}, {200, Click(kClear), {}},
        {400, kUndo, {"Zed", "Ann"}}},
       {At(200, "Rollkeep: list cleared"), At(400, "Rollkeep: list restored"),
        Added(700, "Ann")}},
      {"load", {},
       {{0, Say("Ann", "list me"), {"Ann"}}, {0, Say("Bob", "list me"), {"Ann", "Bob"}},
        {300, Click(kLoad), {"Bob", "Cy"}}},
       {At(300, "Rollkeep: list loaded"), Added(700, "Bob")}},
      {"off keeps the answers", {},
       {{0, Say("Ann", "list me"), {"Ann"}}, {100, Click(kOff), {"Ann"}}},
       {At(100, "Rollkeep: turned off no more listing"), Added(700, "Ann")}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w(c.start);
    w.files.files["C:\\bob.txt"] = "Bob\r\nCy\r\n";
    w.dialog.choices = {"C:\\bob.txt"};
    for (const Step& step : c.steps) {
      w.RunUntil(step.ms);
      step.act(w);
      EXPECT_EQ(w.roster.entries(), step.roster) << "at " << step.ms;
    }
    w.RunUntil(60000);
    EXPECT_EQ(w.poster.timed, c.posts);
    EXPECT_FALSE(w.time.dueMs);
  }
}

// A full list takes nobody and answers nobody; the operator is told once
// each time the bot is turned on, in a box that waits for nobody.
TEST(Answers, AFullListIsToldOncePerWatch) {
  MainWindow w(Lines(Roster::kCapacity, "n"));
  const auto full = [&] {
    return std::ranges::count_if(w.log, [](const std::string& event) {
      return event.starts_with("prompt Rollkeep 0x30: The list is full");
    });
  };
  w.frm.Command1_Click();
  w.frm.ChatLine("Ann", "list me");
  w.frm.ChatLine("Bob", "list me");
  EXPECT_EQ(full(), 1);
  w.frm.Command2_Click();
  w.frm.Command1_Click();
  w.frm.ChatLine("Cy", "list me");
  w.RunUntil(60000);
  EXPECT_EQ(full(), 2);
}

}  // namespace
}  // namespace rollkeep::testing
