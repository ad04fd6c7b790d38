// The main window's handlers: the on/off state table, handlers run inside the
// advertisement's 0.7 s pause (they see the roster as it was left; once one
// of them ends the program, the interrupted handler does nothing more), and
// the close, during which only chat lines run.

#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

// A handler run inside the advertisement's pause acts on the roster at once;
// the advertisement's second line goes out after it unless it ended the program.
TEST(FrmMain, HandlersInTheAdvertisementsPauseRunWholeAndMayEndIt) {
  struct Case { const char* name; void (*nested)(FrmMain&); Lines steps, after; };
  const Case cases[] = {
      {"chat line: listed at once, answered later",
       [](FrmMain& frm) { frm.ChatLine("Bob", "list me"); },
       {kAdvertiseList, "wait 0.7", "waited", kAdvertiseRemove}, {"Ann", "Bob"}},
      {"off", [](FrmMain& frm) { frm.Command2_Click(); },
       {kAdvertiseList, "wait 0.7", "Timer1 off", "Command1 on", "Command2 off", "EndWatch",
        "post Rollkeep: turned off no more listing", "waited", kAdvertiseRemove},
       {"Ann"}},
      {"close", [](FrmMain& frm) { frm.Form_Unload(); },
       {kAdvertiseList, "wait 0.7", kQuestion, kUnloaded, "EndProgram",
        "wait ended by the program's end"},
       {"Ann"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w({"Ann"}, 0);
    w.waiter.nested = [&] { c.nested(w.frm); };
    w.frm.Timer1_Timer();
    EXPECT_EQ(w.log, c.steps);
    EXPECT_EQ(w.roster.entries(), c.after);
  }
}

// Without its timers the bot stays off: the operator is told, the room hears
// nothing.
TEST(FrmMain, ButtonsTimerAndScannerAgreeAfterClicks) {
  // The clicks follow Form_Load; then the timer, the scanner, the on and the off button.
  enum Refused { kNothing, kTimer, kScanner };
  struct Case { const char* name; std::vector<Handler> clicks; std::vector<bool> state;
                Lines posts; Refused refused = kNothing; };
  const Handler on = &FrmMain::Command1_Click, off = &FrmMain::Command2_Click;
  const std::string loaded = "Rollkeep: loaded", turnedOff = "Rollkeep: turned off no more listing",
                    turnedOn = "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";
  const Case cases[] = {
      {"load", {}, {false, false, true, true}, {loaded}},
      {"off", {off}, {false, false, true, false}, {loaded, turnedOff}},
      {"on off on", {on, off, on}, {true, true, false, true},
       {loaded, turnedOn, turnedOff, turnedOn}},
      {"on, its timer refused", {on}, {false, false, true, true}, {loaded}, kTimer},
      {"on, the scanner's timer refused", {on}, {false, false, true, false}, {loaded}, kScanner},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w({"Ann", "Bob"});
    w.timer1.refuse = c.refused == kTimer;
    w.iChat2.refuse = c.refused == kScanner;
    w.frm.Form_Load();
    for (Handler click : c.clicks) (w.frm.*click)();
    EXPECT_EQ((std::vector<bool>{w.timer1.enabled, w.iChat2.watching, w.command1.enabled,
                                 w.command2.enabled}),
              c.state);
    EXPECT_EQ(w.log.front(), "KeepOnTop");
    EXPECT_EQ(w.poster.posts, c.posts);
    EXPECT_EQ(w.log.back().starts_with("prompt Rollkeep 0x10: Rollkeep could not be turned on"),
              c.refused != kNothing);
  }
}

// Message boxes run a modal loop, so other events can arrive while the close's
// save question is up. The room is not held up by the box: a chat line is
// handled (its answer goes with the end); every other handler does nothing.
// After the end nothing runs. Undo is refused from the start of the close.
TEST(FrmMain, DuringTheCloseOnlyChatLinesRunAndAfterTheEndNothing) {
  MainWindow w({"Ann", "Bob"}, 1);
  w.frm.Command5_Click();  // a change that could be undone
  w.log.clear();
  const auto everything = [&](const char* speaker) {
    for (Handler handler : {&FrmMain::Form_Load, &FrmMain::Command1_Click,
                            &FrmMain::Command2_Click, &FrmMain::Command3_Click,
                            &FrmMain::Command4_Click, &FrmMain::Command5_Click,
                            &FrmMain::Command6_Click, &FrmMain::Timer1_Timer,
                            &FrmMain::Undo, &FrmMain::Form_Unload}) {
      (w.frm.*handler)();
    }
    w.frm.ChatLine(speaker, "list me");
  };
  w.prompt.duringShow = [&] { everything("Cy"); };
  w.frm.Form_Unload();
  everything("Dee");
  w.RunUntil(60000);
  EXPECT_EQ(w.log, (Lines{kQuestion, kUnloaded, "EndProgram"}));
  EXPECT_EQ(w.roster.entries(), (Lines{"Ann", "Cy"}));
}

}  // namespace
}  // namespace rollkeep::testing
