// "save list" and "load list" through the real roster files: they announce
// only what really happened.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

using Choice = FakeFileDialog::Choice;

const std::string kPath = "C:\\rosters\\room.txt";
const std::string kOldBytes = "old\r";
const std::vector<std::string> kNames = {"Ann", "Bob Smith", "Ann"};

struct SaveCase {
  const char* name;
  Choice choice;
  bool fileExists;
  bool writeFails;
  std::vector<int> answers;  // to the overwrite or failure message
  bool written;
  std::vector<std::string> promptTitles;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

const SaveCase kSaveCases[] = {
    {"NewFile", FakeFileDialog::Choose(kPath), false, false, {}, true, {}},
    {"ReplaceAfterOk", FakeFileDialog::Choose(kPath), true, false, {kAnswerOk}, true, {"Error"}},
    {"KeepAfterCancel", FakeFileDialog::Choose(kPath), true, false, {kAnswerCancel}, false,
     {"Error"}},
    {"DialogCancelled", FakeFileDialog::Cancel(), false, false, {}, false, {}},
    {"DialogFailed", FakeFileDialog::Fail(), false, false, {kAnswerOk}, false, {"Rollkeep"}},
    {"WriteFails", FakeFileDialog::Choose(kPath), true, true, {kAnswerOk, kAnswerOk}, false,
     {"Error", "Rollkeep"}},
};

class SaveListTest : public MainWindowTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveListTest, AnnouncesOnlyAWrittenFile) {
  const SaveCase& c = GetParam();
  SetRoster(kNames);
  if (c.fileExists) files.files[kPath] = kOldBytes;
  if (c.writeFails) files.unwritable.insert(kPath);
  dialog.choices = {c.choice};
  prompt.answers = {c.answers.begin(), c.answers.end()};

  frm.Command3_Click();

  std::vector<std::string> titles;
  for (const auto& shown : prompt.shown) titles.push_back(shown.title);
  EXPECT_EQ(titles, c.promptTitles);
  const std::vector<std::string> announced =
      c.written ? std::vector<std::string>{"Rollkeep: list saved"} : std::vector<std::string>{};
  EXPECT_EQ(posts.posts, announced);
  const bool changed = files.files.count(kPath) && files.files[kPath] != kOldBytes;
  EXPECT_EQ(changed, c.written);
  EXPECT_EQ(roster.entries(), kNames);
}

INSTANTIATE_TEST_SUITE_P(Save, SaveListTest, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct LoadCase {
  const char* name;
  Choice choice;
  bool fileExists;
  bool loaded;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

const LoadCase kLoadCases[] = {
    {"ExistingFile", FakeFileDialog::Choose(kPath), true, true},
    {"DialogCancelled", FakeFileDialog::Cancel(), true, false},
    {"DialogFailed", FakeFileDialog::Fail(), true, false},
    {"NoSuchFile", FakeFileDialog::Choose(kPath), false, false},
};

class LoadListTest : public MainWindowTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadListTest, AnnouncesOnlyARosterReadFromFile) {
  const LoadCase& c = GetParam();
  SetRoster({"Zed"}, 0);
  if (c.fileExists) files.files[kPath] = "Ann\r\r\nBob Smith\r\n\r Cy ";
  dialog.choices = {c.choice};

  frm.Command4_Click();

  const std::vector<std::string> expected =
      c.loaded ? std::vector<std::string>{"Ann", "Bob Smith", " Cy "}
               : std::vector<std::string>{"Zed"};
  EXPECT_EQ(roster.entries(), expected);
  const std::vector<std::string> announced =
      c.loaded ? std::vector<std::string>{"Rollkeep: list loaded"} : std::vector<std::string>{};
  EXPECT_EQ(posts.posts, announced);
}

INSTANTIATE_TEST_SUITE_P(Load, LoadListTest, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, SavedRosterLoadsBackAfterClear) {
  SetRoster(kNames);
  dialog.choices = {FakeFileDialog::Choose(kPath), FakeFileDialog::Choose(kPath)};
  frm.Command3_Click();
  frm.Command6_Click();
  frm.Command4_Click();
  EXPECT_EQ(roster.entries(), kNames);
  EXPECT_EQ(log.events(),
            (Steps{"ShowSave", "post Rollkeep: list saved", "post Rollkeep: list cleared",
                   "ShowOpen", "post Rollkeep: list loaded"}));
}

}  // namespace
}  // namespace rollkeep::testing
