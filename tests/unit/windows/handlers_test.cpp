// The main window's handlers one at a time: their steps in order, what they
// do to the roster, and the on/off state table.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

using Handler = void (FrmMain::*)();
using Steps = std::vector<std::string>;

const std::string kAdvertiseList = "post Rollkeep: type <b><u>list me</u></b> to be listed";
const std::string kAdvertiseRemove =
    "post Rollkeep: type <b><u>remove me</b></u> to be removed";

struct HandlerCase {
  const char* name;
  Handler handler;
  std::vector<std::string> rosterBefore;
  int selected;  // -1: nothing selected
  Steps steps;
  std::vector<std::string> rosterAfter;
};

void PrintTo(const HandlerCase& c, std::ostream* os) { *os << c.name; }

const std::vector<std::string> kThree = {"Ann", "Bob Smith", "cy"};

const HandlerCase kHandlerCases[] = {
    {"Load", &FrmMain::Form_Load, kThree, 1,
     {"KeepOnTop", "post Rollkeep: loaded", "Timer1 off", "EndWatch"}, kThree},
    {"On", &FrmMain::Command1_Click, kThree, -1,
     {"Timer1 on", "Command1 off", "Command2 on", "BeginWatch",
      "post Rollkeep: turned on, type <u><b>list me</b></u> to be listed"},
     kThree},
    {"Off", &FrmMain::Command2_Click, kThree, -1,
     {"Timer1 off", "Command1 on", "Command2 off", "EndWatch",
      "post Rollkeep: turned off no more listing"},
     kThree},
    {"RemoveMiddle", &FrmMain::Command5_Click, kThree, 1,
     {"post Rollkeep: Bob Smith has been removed from list"}, {"Ann", "cy"}},
    {"RemoveOnly", &FrmMain::Command5_Click, {"Ann"}, 0,
     {"post Rollkeep: Ann has been removed from list"}, {}},
    {"RemoveWithNothingSelected", &FrmMain::Command5_Click, kThree, -1, {}, kThree},
    {"RemoveFromEmpty", &FrmMain::Command5_Click, {}, -1, {}, {}},
    {"Clear", &FrmMain::Command6_Click, kThree, 0, {"post Rollkeep: list cleared"}, {}},
    {"ClearEmpty", &FrmMain::Command6_Click, {}, -1, {"post Rollkeep: list cleared"}, {}},
    {"Advertisement", &FrmMain::Timer1_Timer, kThree, -1,
     {kAdvertiseList, "wait 0.7", "waited", kAdvertiseRemove}, kThree},
};

class HandlerStepsTest : public MainWindowTest,
                         public ::testing::WithParamInterface<HandlerCase> {};

TEST_P(HandlerStepsTest, RunsItsStepsInOrder) {
  const HandlerCase& c = GetParam();
  SetRoster(c.rosterBefore, c.selected);
  (frm.*c.handler)();
  EXPECT_EQ(log.events(), c.steps);
  EXPECT_EQ(roster.entries(), c.rosterAfter);
  EXPECT_FALSE(frm.ended());
}

INSTANTIATE_TEST_SUITE_P(Handlers, HandlerStepsTest, ::testing::ValuesIn(kHandlerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The bot's state after a run of the on and off buttons, each run starting
// with Form_Load.
struct StateCase {
  const char* name;
  std::vector<Handler> clicks;
  bool timer;
  bool watching;
  bool onEnabled;
  bool offEnabled;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

const StateCase kStateCases[] = {
    {"AfterLoad", {}, false, false, true, true},
    {"On", {&FrmMain::Command1_Click}, true, true, false, true},
    {"OffRightAfterLoad", {&FrmMain::Command2_Click}, false, false, true, false},
    {"OnOff", {&FrmMain::Command1_Click, &FrmMain::Command2_Click}, false, false, true, false},
    {"OnOffOn",
     {&FrmMain::Command1_Click, &FrmMain::Command2_Click, &FrmMain::Command1_Click},
     true, true, false, true},
    {"OffOn", {&FrmMain::Command2_Click, &FrmMain::Command1_Click}, true, true, false, true},
    {"OnThenListButtons",
     {&FrmMain::Command1_Click, &FrmMain::Command6_Click, &FrmMain::Command5_Click},
     true, true, false, true},
};

class StateTableTest : public MainWindowTest, public ::testing::WithParamInterface<StateCase> {};

TEST_P(StateTableTest, ButtonsTimerAndScannerAgree) {
  const StateCase& c = GetParam();
  SetRoster({"Ann", "Bob"});
  frm.Form_Load();
  for (Handler click : c.clicks) (frm.*click)();
  EXPECT_EQ(timer1.enabled(), c.timer);
  EXPECT_EQ(iChat2.watching(), c.watching);
  EXPECT_EQ(command1.enabled(), c.onEnabled);
  EXPECT_EQ(command2.enabled(), c.offEnabled);
}

INSTANTIATE_TEST_SUITE_P(States, StateTableTest, ::testing::ValuesIn(kStateCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ChatLinesReachTheChatCommands) {
  SetRoster({"Ann"});
  frm.ChatLine("Bob Smith", "LIST me");
  frm.ChatLine("ann", "remove me");
  EXPECT_EQ(roster.entries(), (std::vector<std::string>{"Bob Smith"}));
  EXPECT_EQ(posts.posts.size(), 2u);
}

TEST_F(MainWindowTest, SplashDoubleClickHidesItThenShowsTheLoadedMainWindow) {
  FakeSplashShell splash{log};
  splash.onShowMain = [&] { frm.Form_Load(); };
  Form1 form1{splash};
  form1.Form_DblClick();
  EXPECT_EQ(log.events(), (Steps{"HideSplash", "ShowMain", "KeepOnTop", "post Rollkeep: loaded",
                                 "Timer1 off", "EndWatch"}));
  EXPECT_FALSE(splash.splashVisible());
  EXPECT_TRUE(splash.mainVisible());
}

}  // namespace
}  // namespace rollkeep::testing
