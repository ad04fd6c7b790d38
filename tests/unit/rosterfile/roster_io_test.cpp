#include "rosterfile/roster_io.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_fakes.h"
#include "rosterfile/std_file_system.h"

namespace rollkeep {
namespace {

using testing::FailingFileSystem;
using testing::FakeDialog;
using testing::FakePrompt;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Kind = FileOutcome::Kind;
using Lines = std::vector<std::string>;

constexpr unsigned kWarningBox = kStyleOk | kStyleWarning;

class RosterIoTest : public ::testing::Test {
protected:
  RosterIoTest() {
    // Leftovers from an earlier dialog, which the procedures must overwrite.
    dialog.CancelError = false;
    dialog.Filter = "Text (*.txt)|*.txt";
    dialog.FilterIndex = 2;
  }

  void Fill(const Lines& names) {
    for (const auto& name : names) roster.append(name);
  }
  FileOutcome Save(const std::string& path) {
    dialog.chosenPath = path;
    return Brask32::SaveRoster(roster, dialog, prompt, files);
  }
  FileOutcome Load(const std::string& path) {
    dialog.chosenPath = path;
    return Brask32::LoadRoster(roster, dialog, prompt, files);
  }
  void ExpectOneWarning(const std::string& text) {
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, text);
    EXPECT_EQ(prompt.shown[0].title, "Rollkeep");
    EXPECT_EQ(prompt.shown[0].style, kWarningBox);
  }

  TempFolder folder;
  StdFileSystem disk;
  FailingFileSystem files{disk};
  FakeDialog dialog;
  FakePrompt prompt;
  Roster roster;
};

TEST_F(RosterIoTest, BothDialogsAreSetUpTheSameWay) {
  Save(folder.file("a.txt"));
  Load(folder.file("a.txt"));
  ASSERT_EQ(dialog.shown.size(), 2u);
  for (const auto& shown : dialog.shown) {
    EXPECT_TRUE(shown.cancelError) << shown.which;
    EXPECT_EQ(shown.filter, "All Files (*.*)|*.*") << shown.which;
    EXPECT_EQ(shown.filterIndex, 0) << shown.which;
  }
  EXPECT_EQ(dialog.shown[0].which, "save");
  EXPECT_EQ(dialog.shown[1].which, "open");
}

TEST_F(RosterIoTest, CancelledDialogsAreSilentAndChangeNothing) {
  Fill({"Ann", "Bob"});
  roster.select(1);
  dialog.script = FakeDialog::Script::Cancel;

  EXPECT_EQ(Save(folder.file("a.txt")).kind, Kind::Cancelled);
  EXPECT_EQ(Load(folder.file("a.txt")).kind, Kind::Cancelled);

  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(folder.names().empty());
  EXPECT_EQ(roster.entries(), (Lines{"Ann", "Bob"}));
  EXPECT_TRUE(roster.isSelected(1));
}

TEST_F(RosterIoTest, FailedDialogsAreReported) {
  Fill({"Ann"});
  dialog.script = FakeDialog::Script::Fail;

  const FileOutcome saved = Save(folder.file("a.txt"));
  EXPECT_EQ(saved.kind, Kind::Failed);
  EXPECT_EQ(saved.reason, "The list could not be saved: the dialog could not be shown.");
  const FileOutcome loaded = Load(folder.file("a.txt"));
  EXPECT_EQ(loaded.kind, Kind::Failed);
  EXPECT_EQ(loaded.reason, "The list could not be loaded: the dialog could not be shown.");

  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, saved.reason);
  EXPECT_EQ(prompt.shown[1].text, loaded.reason);
  EXPECT_EQ(prompt.shown[1].style, kWarningBox);
  EXPECT_EQ(roster.entries(), Lines{"Ann"});
}

TEST_F(RosterIoTest, SavingToANewPathAsksNothing) {
  Fill({"Ann", "Bob Smith", "Ann"});
  const std::string path = folder.file("new.txt");

  EXPECT_TRUE(Save(path).done());

  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(ReadBytes(path), "Ann\r\r\nBob Smith\r\r\nAnn\r\r\n");
  EXPECT_EQ(folder.names(), Lines{"new.txt"});
}

TEST_F(RosterIoTest, SavingOverAnExistingFileAsksFirst) {
  const std::string path = folder.file("old.txt");
  WriteBytes(path, "Zed\r\nYan\r\nXu\r\n");
  Fill({"Ann"});

  EXPECT_TRUE(Save(path).done());

  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].text, "This file already exists: " + path + ", do you wish replace it?");
  EXPECT_EQ(prompt.shown[0].title, "Error");
  EXPECT_EQ(prompt.shown[0].style, 0x21u);
  EXPECT_EQ(ReadBytes(path), "Ann\r\r\n");
}

TEST_F(RosterIoTest, CancelInTheOverwritePromptLeavesTheFile) {
  const std::string path = folder.file("old.txt");
  WriteBytes(path, "Zed\r\n");
  Fill({"Ann"});
  prompt.answers = {kAnswerCancel};

  EXPECT_EQ(Save(path).kind, Kind::Cancelled);

  EXPECT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(files.writes, 0);
  EXPECT_EQ(ReadBytes(path), "Zed\r\n");
}

TEST_F(RosterIoTest, SavingAnEmptyRosterEmptiesTheFile) {
  const std::string path = folder.file("old.txt");
  WriteBytes(path, "Zed\r\n");

  EXPECT_TRUE(Save(path).done());

  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(folder.names(), Lines{"old.txt"});
}

TEST_F(RosterIoTest, AFailedWriteIsReportedAndKeepsTheOldFile) {
  const std::string path = folder.file("old.txt");
  WriteBytes(path, "Zed\r\nYan\r\n");
  Fill({"Ann"});
  files.failWrites = true;

  const FileOutcome outcome = Save(path);

  EXPECT_EQ(outcome.kind, Kind::Failed);
  EXPECT_EQ(outcome.reason, "The list could not be saved to " + path + ": access is denied.");
  ASSERT_EQ(prompt.shown.size(), 2u);  // the overwrite prompt, then the failure
  EXPECT_EQ(prompt.shown[1].text, outcome.reason);
  EXPECT_EQ(prompt.shown[1].title, "Rollkeep");
  EXPECT_EQ(ReadBytes(path), "Zed\r\nYan\r\n");
  EXPECT_EQ(folder.names(), Lines{"old.txt"});
}

TEST_F(RosterIoTest, NoPromptButAFailureForPathsThatAreNotOrdinaryFiles) {
  std::filesystem::create_directory(folder.path() / "sub");
  WriteBytes(folder.file(".hidden"), "Zed\r\n");
  Fill({"Ann"});

  for (const std::string name : {"sub", ".hidden", "missing/a.txt"}) {
    prompt.shown.clear();
    const FileOutcome outcome = Save(folder.file(name));
    EXPECT_EQ(outcome.kind, Kind::Failed) << name;
    ASSERT_EQ(prompt.shown.size(), 1u) << name;
    EXPECT_EQ(prompt.shown[0].title, "Rollkeep") << name;
    EXPECT_EQ(prompt.shown[0].text.rfind("The list could not be saved to " + folder.file(name) + ": ", 0), 0u)
        << prompt.shown[0].text;
  }
  EXPECT_EQ(ReadBytes(folder.file(".hidden")), "Zed\r\n");
  EXPECT_EQ(folder.names(), (Lines{".hidden", "sub"}));
}

TEST_F(RosterIoTest, LoadingReplacesTheRosterWithTheFilesLines) {
  const std::string path = folder.file("list.txt");
  WriteBytes(path, "Zed\r\n\r\n  Ann \r\nZed\nYan\r\r\nbob");
  Fill({"Old", "Older"});
  roster.select(0);

  EXPECT_TRUE(Load(path).done());

  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_EQ(roster.entries(), (Lines{"Zed", "  Ann ", "Zed\nYan", "bob"}));
  EXPECT_EQ(roster.selection(), std::nullopt);
}

TEST_F(RosterIoTest, SavedRosterLoadsBackTheSame) {
  const Lines names{"Ann", "Bob Smith", "Ann", " spaced "};
  Fill(names);
  const std::string path = folder.file("list.txt");
  ASSERT_TRUE(Save(path).done());
  roster.clear();

  ASSERT_TRUE(Load(path).done());

  EXPECT_EQ(roster.entries(), names);
}

TEST_F(RosterIoTest, AFileThatCannotBeReadLeavesTheRoster) {
  const std::string present = folder.file("list.txt");
  WriteBytes(present, "Zed\r\n");
  Fill({"Ann", "Bob"});
  roster.select(1);

  const FileOutcome missing = Load(folder.file("missing.txt"));
  files.failReads = true;
  const FileOutcome denied = Load(present);

  EXPECT_EQ(missing.kind, Kind::Failed);
  EXPECT_EQ(missing.reason.rfind("The list could not be loaded from " + folder.file("missing.txt") + ": ", 0), 0u)
      << missing.reason;
  EXPECT_EQ(denied.reason, "The list could not be loaded from " + present + ": access is denied.");
  ASSERT_EQ(prompt.shown.size(), 2u);
  EXPECT_EQ(prompt.shown[0].text, missing.reason);
  EXPECT_EQ(prompt.shown[1].text, denied.reason);
  EXPECT_EQ(roster.entries(), (Lines{"Ann", "Bob"}));
  EXPECT_TRUE(roster.isSelected(1));
}

TEST_F(RosterIoTest, AFileOfMoreNamesThanTheRosterHoldsIsRefused) {
  std::string full;
  for (int i = 0; i < Roster::kCapacity; ++i) {
    full += 'n';
    full += std::to_string(i);
    full += "\r\n\r\n";
  }
  const std::string fits = folder.file("fits.txt");
  const std::string over = folder.file("over.txt");
  WriteBytes(fits, full);
  WriteBytes(over, full + "one more");

  ASSERT_TRUE(Load(fits).done());
  EXPECT_EQ(roster.count(), Roster::kCapacity);
  roster.clear();
  roster.append("Ann");

  const FileOutcome outcome = Load(over);

  EXPECT_EQ(outcome.kind, Kind::Failed);
  ExpectOneWarning("The list could not be loaded from " + over + ": it holds more than 32,767 names.");
  EXPECT_EQ(roster.entries(), Lines{"Ann"});
}

}  // namespace
}  // namespace rollkeep
