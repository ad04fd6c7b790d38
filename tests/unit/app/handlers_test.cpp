// The main window's handlers: their steps in order, what they do to the
// roster, and the on/off state table. Handlers also run inside the
// advertisement's 0.7 s pause, and see the roster as it was left; once one of
// them ends the program, the interrupted handler does nothing more.

#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

const Lines kThree = {"Ann", "Bob Smith", "cy"};
const std::string kNotOn =
    "prompt Rollkeep 0x10: Rollkeep could not be turned on: Windows refused it a timer, which "
    "happens when Windows is short of resources. Close some programs or windows and press on "
    "again.";

TEST(FrmMain, HandlersRunTheirStepsInOrder) {
  // `nested` runs inside the handler's pause, if any; `setup` before the handler.
  struct Case { const char* name; Handler handler; Lines before; int selected; Lines steps, after;
                void (*nested)(FrmMain&) = nullptr; void (*setup)(MainWindow&) = nullptr; };
  const Case cases[] = {
      {"load", &FrmMain::Form_Load, kThree, 1,
       {"KeepOnTop", "post Rollkeep: loaded", "Timer1 off", "EndWatch"}, kThree},
      {"on", &FrmMain::Command1_Click, kThree, -1,
       {"Timer1 on", "Command1 off", "Command2 on", "BeginWatch",
        "post Rollkeep: turned on, type <u><b>list me</b></u> to be listed"}, kThree},
      {"on, its timer refused", &FrmMain::Command1_Click, kThree, -1,
       {"Timer1 refused", kNotOn}, kThree, nullptr, [](MainWindow& w) { w.timer1.refuse = true; }},
      {"on, the scanner's timer refused", &FrmMain::Command1_Click, kThree, -1,
       {"Timer1 on", "Command1 off", "Command2 on", "BeginWatch refused", "Timer1 off",
        "Command1 on", "Command2 off", kNotOn},
       kThree, nullptr, [](MainWindow& w) { w.iChat2.refuse = true; }},
      {"off", &FrmMain::Command2_Click, kThree, -1,
       {"Timer1 off", "Command1 on", "Command2 off", "EndWatch",
        "post Rollkeep: turned off no more listing"}, kThree},
      {"remove", &FrmMain::Command5_Click, kThree, 1,
       {"post Rollkeep: Bob Smith has been removed from list"}, {"Ann", "cy"}},
      {"remove, nothing selected", &FrmMain::Command5_Click, kThree, -1, {}, kThree},
      {"clear", &FrmMain::Command6_Click, kThree, 0, {"post Rollkeep: list cleared"}, {}},
      {"advertisement", &FrmMain::Timer1_Timer, kThree, -1,
       {kAdvertiseList, "wait 0.7", "waited", kAdvertiseRemove}, kThree},
      {"chat line in the pause: listed at once, answered later", &FrmMain::Timer1_Timer,
       {"Ann"}, 0, {kAdvertiseList, "wait 0.7", "waited", kAdvertiseRemove},
       {"Ann", "Bob"}, [](FrmMain& frm) { frm.ChatLine("Bob", "list me"); }},
      {"off in the pause", &FrmMain::Timer1_Timer, {"Ann"}, 0,
       {kAdvertiseList, "wait 0.7", "Timer1 off", "Command1 on", "Command2 off", "EndWatch",
        "post Rollkeep: turned off no more listing", "waited", kAdvertiseRemove},
       {"Ann"}, [](FrmMain& frm) { frm.Command2_Click(); }},
      {"close in the pause", &FrmMain::Timer1_Timer, {"Ann"}, 0,
       {kAdvertiseList, "wait 0.7", kQuestion, kUnloaded, "EndProgram",
        "wait ended by the program's end"},
       {"Ann"}, [](FrmMain& frm) { frm.Form_Unload(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w(c.before, c.selected);
    if (c.setup) c.setup(w);
    if (c.nested) w.waiter.nested = [&] { c.nested(w.frm); };
    (w.frm.*c.handler)();
    EXPECT_EQ(w.log, c.steps);
    EXPECT_EQ(w.roster.entries(), c.after);
  }
}

TEST(FrmMain, ButtonsTimerAndScannerAgreeAfterClicks) {
  // The clicks follow Form_Load; then the timer, the scanner, the on and the off button.
  struct Case { const char* name; std::vector<Handler> clicks; std::vector<bool> state; };
  const Handler on = &FrmMain::Command1_Click, off = &FrmMain::Command2_Click;
  const Case cases[] = {
      {"load", {}, {false, false, true, true}},
      {"off", {off}, {false, false, true, false}},
      {"on off on", {on, off, on}, {true, true, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w({"Ann", "Bob"});
    w.frm.Form_Load();
    for (Handler click : c.clicks) (w.frm.*click)();
    EXPECT_EQ((std::vector<bool>{w.timer1.enabled, w.iChat2.watching, w.command1.enabled,
                                 w.command2.enabled}),
              c.state);
  }
}

// Message boxes run a modal loop, so other events can arrive while the close's
// save question is up. The room is not held up by the box: a chat line is
// handled (its answer goes with the end); every other handler does nothing.
// After the end nothing runs.
TEST(FrmMain, DuringTheCloseOnlyChatLinesRunAndAfterTheEndNothing) {
  MainWindow w({"Ann", "Bob"}, 1);
  const auto everything = [&](const char* speaker) {
    for (Handler handler : {&FrmMain::Form_Load, &FrmMain::Command1_Click,
                            &FrmMain::Command2_Click, &FrmMain::Command3_Click,
                            &FrmMain::Command4_Click, &FrmMain::Command5_Click,
                            &FrmMain::Command6_Click, &FrmMain::Timer1_Timer,
                            &FrmMain::Form_Unload}) {
      (w.frm.*handler)();
    }
    w.frm.ChatLine(speaker, "list me");
  };
  w.prompt.duringShow = [&] { everything("Cy"); };
  w.frm.Form_Unload();
  everything("Dee");
  w.RunUntil(60000);
  EXPECT_EQ(w.log, (Lines{kQuestion, kUnloaded, "EndProgram"}));
  EXPECT_EQ(w.roster.entries(), (Lines{"Ann", "Bob", "Cy"}));
}

}  // namespace
}  // namespace rollkeep::testing
