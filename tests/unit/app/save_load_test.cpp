// "save list", "load list" and the close's save question through the real
// roster files: they announce only what really happened, and the close asks
// again until the roster is saved or the operator says No.

#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

const std::string kPath = "C:\\rosters\\room.txt";
const Lines kNames = {"Ann", "Bob Smith"};
const std::string kNamesBytes = "Ann\r\r\nBob Smith\r\r\n";
const std::string kOverwrite =
    "prompt Error 0x21: This file already exists: " + kLocked + ", do you wish replace it?";
const std::string kFailure =
    "prompt Rollkeep 0x30: The list could not be saved to " + kLocked + ": access is denied.";

TEST(FrmMain, SaveAndLoadAnnounceOnlyWhatWasDone) {
  const Handler save = &FrmMain::Command3_Click, load = &FrmMain::Command4_Click;
  // `answer` to the overwrite prompt; `fileAfter` at kPath.
  struct Case { const char* name; Handler click; std::string choice; bool pathExists; int answer;
                Lines posts; std::string fileAfter; };
  const Case cases[] = {
      {"first save", save, kPath, false, kAnswerOk, {"Rollkeep: list saved"}, kNamesBytes},
      {"overwrite cancelled", save, kPath, true, kAnswerCancel, {}, "Zed\r"},
      {"dialog cancelled", save, FakeFileDialog::kCancel, true, kAnswerOk, {}, "Zed\r"},
      {"write failed", save, kLocked, true, kAnswerOk, {}, "Zed\r"},
      {"load", load, kPath, true, kAnswerOk, {"Rollkeep: list loaded"}, "Zed\r"},
      {"no such file", load, kPath, false, kAnswerOk, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w(kNames);
    if (c.pathExists) w.files.files[kPath] = "Zed\r";
    w.dialog.choices = {c.choice};
    w.prompt.answers = {c.answer};
    (w.frm.*c.click)();
    EXPECT_EQ(w.poster.posts, c.posts);
    EXPECT_EQ(w.files.files[kPath], c.fileAfter);
    EXPECT_EQ(w.files.files[kLocked], "old\r");
    const bool loaded = c.click == load && !c.posts.empty();
    EXPECT_EQ(w.roster.entries(), loaded ? Lines{"Zed"} : kNames);
  }
}

// The room goes on while the dialog and the overwrite question wait for the
// operator: the file holds the roster as it is when it is written.
TEST(FrmMain, SaveWritesTheRosterAsItIsWhenWritten) {
  MainWindow w(kNames);
  w.files.files[kPath] = "Zed\r";
  w.dialog.choices = {kPath};
  w.prompt.answers = {kAnswerOk};
  w.dialog.duringShow = [&] { w.frm.ChatLine("Cy", "list me"); };
  w.prompt.duringShow = [&] { w.frm.ChatLine("Ann", "remove me"); };
  w.frm.Command3_Click();
  EXPECT_EQ(w.files.files[kPath], "Bob Smith\r\r\nCy\r\r\n");
}

TEST(FrmMain, CloseAsksAgainUntilSavedOrNoThenEnds) {
  struct Case { const char* name; std::deque<int> answers; std::deque<std::string> choices;
                Lines prompts; bool saved; };
  const Case cases[] = {
      {"yes", {kAnswerYes}, {kPath}, {kQuestion}, true},
      {"dialog cancelled", {kAnswerYes, kAnswerNo}, {FakeFileDialog::kCancel},
       {kQuestion, kQuestion}, false},
      {"overwrite cancelled", {kAnswerYes, kAnswerCancel, kAnswerNo}, {kLocked},
       {kQuestion, kOverwrite, kQuestion}, false},
      {"write failed", {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerYes}, {kLocked, kPath},
       {kQuestion, kOverwrite, kFailure, kQuestion}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w(kNames);
    w.prompt.answers = c.answers;
    w.dialog.choices = c.choices;
    w.frm.Form_Unload();
    Lines prompts;
    for (const std::string& event : w.log) {
      if (event.rfind("prompt ", 0) == 0) prompts.push_back(event);
    }
    EXPECT_EQ(prompts, c.prompts);
    EXPECT_EQ(w.files.files[kPath], c.saved ? kNamesBytes : "");
    EXPECT_EQ(Lines(w.log.end() - 2, w.log.end()), (Lines{kUnloaded, "EndProgram"}));
  }
}

}  // namespace
}  // namespace rollkeep::testing
