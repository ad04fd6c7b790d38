#include "rosterfile/roster_io.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "file_fakes.h"
#include "support/fake_windows.h"
#include "support/std_file_system.h"

namespace rollkeep {
namespace {

using namespace rollkeep::testing;
using ::testing::ElementsAre;
using ::testing::StartsWith;
using Kind = FileOutcome::Kind;
using Lines = std::vector<std::string>;

std::string Warning(const std::string& text) { return "prompt Rollkeep 0x30: " + text; }

class RosterIoTest : public ::testing::Test {
protected:
  // The dialog answers with the file `name` in the folder, or with `choice` when set.
  FileOutcome Save(const std::string& name) {
    dialog.choices = {choice.empty() ? folder.file(name) : choice};
    return Brask32::SaveRoster(roster, dialog, prompt, files);
  }
  FileOutcome Load(const std::string& name) {
    dialog.choices = {choice.empty() ? folder.file(name) : choice};
    return Brask32::LoadRoster(roster, dialog, prompt, files);
  }

  std::string choice;
  TempFolder folder;
  StdFileSystem disk;
  FailingFileSystem files{disk};
  EventLog log;
  FakeFileDialog dialog{log};
  FakePrompt prompt{log};
  Roster roster;
};

TEST_F(RosterIoTest, BothDialogsAskForAnyFileAndRaiseCancel) {
  for (const bool save : {true, false}) {
    dialog.CancelError = false;  // as an earlier use may have left them
    dialog.FilterIndex = 2;
    save ? Save("a.txt") : Load("a.txt");
    EXPECT_TRUE(dialog.CancelError);
    EXPECT_EQ(dialog.Filter, "All Files (*.*)|*.*");
    EXPECT_EQ(dialog.FilterIndex, 0);
  }
}

TEST_F(RosterIoTest, ACancelledDialogIsSilentAFailedOneIsShownNeitherChangesAnything) {
  roster.assign({"Ann", "Bob"});
  roster.select(1);
  for (const std::string& answer : {FakeFileDialog::kCancel, FakeFileDialog::kFail}) {
    choice = answer;
    const Kind kind = answer == FakeFileDialog::kCancel ? Kind::Cancelled : Kind::Failed;
    EXPECT_EQ(Save("a.txt").kind, kind);
    EXPECT_EQ(Load("a.txt").kind, kind);
  }
  EXPECT_EQ(log, (Lines{"ShowSave", "ShowOpen", "ShowSave",
                        Warning("The list could not be saved: the dialog could not be shown."),
                        "ShowOpen",
                        Warning("The list could not be loaded: the dialog could not be shown.")}));
  EXPECT_EQ(folder.entries(), 0);
  EXPECT_EQ(roster.entries(), (Lines{"Ann", "Bob"}));
  EXPECT_TRUE(roster.isSelected(1));
}

TEST_F(RosterIoTest, AFirstSaveAsksNothingAndLoadsBack) {
  const Lines names{"Ann", " Bob Smith ", "Ann"};
  roster.assign(names);
  ASSERT_TRUE(Save("new.txt").done());
  EXPECT_EQ(ReadBytes(folder.file("new.txt")), "Ann\r\r\n Bob Smith \r\r\nAnn\r\r\n");
  EXPECT_EQ(folder.entries(), 1);
  roster.assign({"Zed"});
  roster.select(0);
  ASSERT_TRUE(Load("new.txt").done());
  EXPECT_EQ(roster.entries(), names);
  EXPECT_EQ(roster.selection(), std::nullopt);
  EXPECT_EQ(log, (Lines{"ShowSave", "ShowOpen"}));
}

TEST_F(RosterIoTest, OverwriteAsksFirstAndAFailedWriteKeepsTheOldFile) {
  struct Case { int answer; bool failWrite; Kind kind; std::string bytes; };  // bytes: afterwards
  const std::string path = folder.file("old.txt");
  const std::string asked =
      "prompt Error 0x21: This file already exists: " + path + ", do you wish replace it?";
  const std::string failure =
      Warning("The list could not be saved to " + path + ": access is denied.");
  roster.assign({"Ann"});
  // Answer 0: the box could not be shown, which must not count as OK.
  for (const Case& c : {Case{kAnswerCancel, false, Kind::Cancelled, "Zed\r\nYan\r\n"},
                        Case{0, false, Kind::Cancelled, "Zed\r\nYan\r\n"},
                        Case{kAnswerOk, true, Kind::Failed, "Zed\r\nYan\r\n"},
                        Case{kAnswerOk, false, Kind::Done, "Ann\r\r\n"}}) {
    WriteBytes(path, "Zed\r\nYan\r\n");
    log.clear();
    prompt.answers = {c.answer};
    files.failWrites = c.failWrite;
    EXPECT_EQ(Save("old.txt").kind, c.kind);
    EXPECT_EQ(ReadBytes(path), c.bytes);
    EXPECT_EQ(log, (c.failWrite ? Lines{"ShowSave", asked, failure} : Lines{"ShowSave", asked}));
  }
  EXPECT_EQ(folder.entries(), 1);
}

TEST_F(RosterIoTest, FoldersHiddenFilesAndMissingFoldersAreNotWritten) {
  std::filesystem::create_directory(folder.file("sub"));
  WriteBytes(folder.file(".hidden"), "Zed\r\n");
  roster.assign({"Ann"});
  for (const std::string name : {"sub", ".hidden", "missing/a.txt"}) {
    log.clear();
    EXPECT_EQ(Save(name).kind, Kind::Failed) << name;
    // No overwrite prompt, only the failure.
    EXPECT_THAT(log, ElementsAre("ShowSave", StartsWith(Warning("The list could not be saved to " +
                                                                folder.file(name)))));
  }
  EXPECT_EQ(ReadBytes(folder.file(".hidden")), "Zed\r\n");
  EXPECT_EQ(folder.entries(), 2);
}

TEST_F(RosterIoTest, AMissingOversizeOrUnconvertibleFileLeavesTheRoster) {
  std::string full;
  for (int i = 0; i < Roster::kCapacity; ++i) full += std::to_string(i) + "\r\n\r\n";
  WriteBytes(folder.file("fits.txt"), full);
  WriteBytes(folder.file("over.txt"), full + "one more");
  WriteBytes(folder.file("polish.txt"), std::string("\xFF\xFE" "A\0\x41\x01", 6));  // "AŁ"
  ASSERT_TRUE(Load("fits.txt").done());
  EXPECT_EQ(roster.count(), Roster::kCapacity);
  roster.assign({"Ann", "Bob"});
  roster.select(1);

  EXPECT_EQ(Load("over.txt").kind, Kind::Failed);
  EXPECT_EQ(Load("missing").kind, Kind::Failed);
  EXPECT_EQ(Load("polish.txt").kind, Kind::Failed);

  const std::string failedFrom = "The list could not be loaded from ";
  EXPECT_THAT(log, ElementsAre("ShowOpen", "ShowOpen",
                               Warning(failedFrom + folder.file("over.txt") +
                                       ": it holds more than 32,767 names."),
                               "ShowOpen", StartsWith(Warning(failedFrom + folder.file("missing"))),
                               "ShowOpen",
                               Warning(failedFrom + folder.file("polish.txt") +
                                       ": it holds characters that this system's code page "
                                       "cannot show.")));
  EXPECT_EQ(roster.entries(), (Lines{"Ann", "Bob"}));
  EXPECT_TRUE(roster.isSelected(1));
}

// The file system beneath: a failure before the replace keeps the old file.
TEST_F(RosterIoTest, StdFileSystemKeepsTheOldFileWhenTheTemporaryFileFails) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows paths cannot hold a name this long";
#endif
  // The name fits, the temporary file's longer name beside it does not.
  const std::string name(250, 'n');
  WriteBytes(folder.file(name), "old content\r\n");
  EXPECT_FALSE(disk.WriteAllSafely(folder.file(name), "new").ok);
  EXPECT_EQ(ReadBytes(folder.file(name)), "old content\r\n");
  EXPECT_EQ(folder.entries(), 1);
}

}  // namespace
}  // namespace rollkeep
