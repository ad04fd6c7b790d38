// "save list", "load list" and the close's save question through the real
// roster files: an existing file is replaced only after an explicit OK, a
// failure is shown with the file and the reason while a Cancel stays
// silent, the list is replaced only by a load that worked, and the room
// hears only of what was really done. The close asks again until the roster
// is saved or the operator says No.

#include <gtest/gtest.h>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

const std::string kPath = "C:\\rosters\\room.txt";
const Lines kNames = {"Ann", "Bob Smith"};
const std::string kNamesBytes = "Ann\r\r\nBob Smith\r\r\n";
const std::string kSaved = "post Rollkeep: list saved", kLoaded = "post Rollkeep: list loaded";

std::string Overwrite(const std::string& path) {
  return "prompt Error 0x21: This file already exists: " + path + ", do you wish replace it?";
}
std::string Warning(const std::string& verb, const std::string& path, const std::string& reason) {
  const std::string preposition = verb == "saved" ? " to " : " from ";
  return "prompt Rollkeep 0x30: The list could not be " + verb +
         (path.empty() ? "" : preposition + path) + ": " + reason + ".";
}

const std::string kOverwrite = Overwrite(kLocked);
const std::string kFailure = Warning("saved", kLocked, "access is denied");

TEST(FrmMain, SaveAndLoadChangeOnlyWhatWasDoneAndAnnounceOnlyThat) {
  const Handler save = &FrmMain::Command3_Click, load = &FrmMain::Command4_Click;
  const std::string cancel = FakeFileDialog::kCancel, fail = FakeFileDialog::kFail;
  Lines full;
  std::string fullBytes;
  for (int i = 0; i < Roster::kCapacity; ++i) {
    full.push_back(std::to_string(i));
    fullBytes += full.back() + "\r\n\r\n";
  }
  const std::string polish("\xFF\xFE" "A\0\x41\x01", 6);  // "AŁ" in UTF-16
  // The dialog answers `choice`, holding `file` beforehand (none: no file
  // there); the operator answers `answer` to the overwrite question.
  struct Case { const char* name; Handler click; std::string choice;
                std::optional<std::string> file; int answer; Lines log; std::optional<std::string> fileAfter; Lines roster; };
  const Case cases[] = {
      {"first save", save, kPath, {}, 0, {"ShowSave", kSaved}, kNamesBytes, kNames},
      {"overwrite", save, kPath, "Zed\r", kAnswerOk, {"ShowSave", Overwrite(kPath), kSaved},
       kNamesBytes, kNames},
      {"overwrite cancelled", save, kPath, "Zed\r", kAnswerCancel,
       {"ShowSave", Overwrite(kPath)}, "Zed\r", kNames},
      // Answer 0: the box could not be shown, which must not count as OK.
      {"overwrite not asked", save, kPath, "Zed\r", 0, {"ShowSave", Overwrite(kPath)}, "Zed\r",
       kNames},
      {"write failed", save, kLocked, "old\r", kAnswerOk, {"ShowSave", kOverwrite, kFailure},
       "old\r", kNames},
      {"no such folder: nothing to overwrite", save, kLockedFolder, {}, kAnswerOk,
       {"ShowSave", Warning("saved", kLockedFolder, "access is denied")}, {}, kNames},
      {"save dialog cancelled", save, cancel, {}, 0, {"ShowSave"}, {}, kNames},
      {"save dialog failed", save, fail, {}, 0,
       {"ShowSave", Warning("saved", "", "the dialog could not be shown")}, {}, kNames},
      {"load", load, kPath, "Zed\r\n\r\nYo", 0, {"ShowOpen", kLoaded}, "Zed\r\n\r\nYo",
       {"Zed", "Yo"}},
      {"load of a full list", load, kPath, fullBytes, 0, {"ShowOpen", kLoaded}, fullBytes, full},
      {"one name too many", load, kPath, fullBytes + "x", 0,
       {"ShowOpen", Warning("loaded", kPath, "it holds more than 32,767 names")},
       fullBytes + "x", kNames},
      {"no such file", load, kPath, {}, 0,
       {"ShowOpen", Warning("loaded", kPath, "no such file")}, {}, kNames},
      {"a name the code page cannot show", load, kPath, polish, 0,
       {"ShowOpen", Warning("loaded", kPath,
                            "it holds characters that this system's code page cannot show")},
       polish, kNames},
      {"open dialog cancelled", load, cancel, {}, 0, {"ShowOpen"}, {}, kNames},
      {"open dialog failed", load, fail, {}, 0,
       {"ShowOpen", Warning("loaded", "", "the dialog could not be shown")}, {}, kNames},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w(kNames, 1);
    if (c.file) w.files.files[c.choice] = *c.file;
    w.dialog.choices = {c.choice};
    w.prompt.answers = {c.answer};
    (w.frm.*c.click)();
    EXPECT_EQ(w.log, c.log);
    const auto file = w.files.files.find(c.choice);
    EXPECT_EQ(file == w.files.files.end() ? std::nullopt : std::optional(file->second),
              c.fileAfter);
    EXPECT_EQ(w.files.files.size(), 1 + (c.fileAfter && c.choice != kLocked));
    EXPECT_EQ(w.roster.entries(), c.roster);
    // A load leaves nothing selected; anything else keeps the selection.
    EXPECT_EQ(w.roster.selection(), c.roster == kNames ? std::optional(1) : std::nullopt);
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

// The close counts as answered after a completed save or No, not when the
// box could not be shown at all; either way the program ends.
TEST(FrmMain, CloseAsksAgainUntilSavedOrNoThenEnds) {
  struct Case { const char* name; std::deque<int> answers; std::deque<std::string> choices;
                Lines prompts; bool saved, answered; };
  const Case cases[] = {
      {"yes", {kAnswerYes}, {kPath}, {kQuestion}, true, true},
      {"no", {kAnswerNo}, {}, {kQuestion}, false, true},
      {"the box could not be shown", {0}, {}, {kQuestion}, false, false},
      {"dialog cancelled", {kAnswerYes, kAnswerNo}, {FakeFileDialog::kCancel},
       {kQuestion, kQuestion}, false, true},
      {"overwrite cancelled", {kAnswerYes, kAnswerCancel, kAnswerNo}, {kLocked},
       {kQuestion, kOverwrite, kQuestion}, false, true},
      {"write failed", {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerYes}, {kLocked, kPath},
       {kQuestion, kOverwrite, kFailure, kQuestion}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainWindow w(kNames);
    w.prompt.answers = c.answers;
    w.dialog.choices = c.choices;
    w.frm.Form_Unload();
    Lines prompts;
    for (const std::string& event : w.log) {
      if (event.starts_with("prompt ")) prompts.push_back(event);
    }
    EXPECT_EQ(prompts, c.prompts);
    EXPECT_EQ(w.files.files[kPath], c.saved ? kNamesBytes : "");
    EXPECT_EQ(Lines(w.log.end() - 2, w.log.end()), (Lines{kUnloaded, "EndProgram"}));
    EXPECT_TRUE(w.frm.ended());
    EXPECT_EQ(w.frm.closeAnswered(), c.answered);
  }
}

}  // namespace
}  // namespace rollkeep::testing
