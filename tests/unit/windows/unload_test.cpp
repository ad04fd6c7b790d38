// Closing the main window: the save question, asked again until the roster
// is saved or the operator says No, then the end of the program, after which
// nothing runs.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "rosterfile/roster_io.h"

namespace rollkeep::testing {
namespace {

using Choice = FakeFileDialog::Choice;
using Handler = void (FrmMain::*)();

const std::string kQuestion = "do you wish to save your list?";
const std::string kFirst = "C:\\a.txt";
const std::string kSecond = "C:\\b.txt";
const std::vector<std::string> kNames = {"Ann", "Bob"};

// Which message box each prompt was: the save question, the overwrite
// prompt, or a failure message.
std::string Kind(const FakePrompt::Shown& shown) {
  if (shown.text == kQuestion) return "question";
  if (shown.title == "Error") return "overwrite";
  return "failure";
}

struct UnloadCase {
  const char* name;
  std::vector<int> answers;
  std::vector<Choice> choices;
  std::vector<std::string> prompts;
  std::vector<std::string> written;  // paths that hold the roster afterwards
};

void PrintTo(const UnloadCase& c, std::ostream* os) { *os << c.name; }

// kFirst exists already and holds an old roster; kSecond can be written;
// writing kFirst fails unless the case is "OverwriteOk".
const UnloadCase kUnloadCases[] = {
    {"No", {kAnswerNo}, {}, {"question"}, {}},
    {"YesSaves", {kAnswerYes}, {FakeFileDialog::Choose(kSecond)}, {"question"}, {kSecond}},
    {"YesCancelNo", {kAnswerYes, kAnswerNo}, {FakeFileDialog::Cancel()},
     {"question", "question"}, {}},
    {"YesCancelYesSaves", {kAnswerYes, kAnswerYes},
     {FakeFileDialog::Cancel(), FakeFileDialog::Choose(kSecond)}, {"question", "question"},
     {kSecond}},
    {"OverwriteCancelledNo", {kAnswerYes, kAnswerCancel, kAnswerNo},
     {FakeFileDialog::Choose(kFirst)}, {"question", "overwrite", "question"}, {}},
    {"WriteFailsThenOtherFile", {kAnswerYes, kAnswerOk, kAnswerOk, kAnswerYes},
     {FakeFileDialog::Choose(kFirst), FakeFileDialog::Choose(kSecond)},
     {"question", "overwrite", "failure", "question"}, {kSecond}},
    {"DialogFailsNo", {kAnswerYes, kAnswerOk, kAnswerNo}, {FakeFileDialog::Fail()},
     {"question", "failure", "question"}, {}},
};

class UnloadTest : public MainWindowTest, public ::testing::WithParamInterface<UnloadCase> {};

TEST_P(UnloadTest, AsksUntilSavedOrNoThenEnds) {
  const UnloadCase& c = GetParam();
  SetRoster(kNames);
  files.files[kFirst] = "old\r";
  files.unwritable.insert(kFirst);
  prompt.answers = {c.answers.begin(), c.answers.end()};
  prompt.fallback = kAnswerNo;  // more questions than expected show up in `kinds`
  dialog.choices = {c.choices.begin(), c.choices.end()};

  frm.Form_Unload();

  std::vector<std::string> kinds;
  for (const auto& shown : prompt.shown) {
    kinds.push_back(Kind(shown));
    if (Kind(shown) == "question") {
      EXPECT_EQ(shown.title, "Rollkeep");
      EXPECT_EQ(shown.style, 0x44u);
    }
  }
  EXPECT_EQ(kinds, c.prompts);
  for (const std::string& path : c.written) {
    Roster reread;
    FakeFileDialog openDialog{log};
    openDialog.choices = {FakeFileDialog::Choose(path)};
    ASSERT_TRUE(Brask32::LoadRoster(reread, openDialog, prompt, files).done());
    EXPECT_EQ(reread.entries(), kNames);
  }
  EXPECT_EQ(files.files.count(kSecond), c.written.size());
  EXPECT_EQ(posts.posts.back(), "Rollkeep: unloaded, no more listing");
  EXPECT_TRUE(shell.ended());
  EXPECT_TRUE(frm.ended());
}

INSTANTIATE_TEST_SUITE_P(Close, UnloadTest, ::testing::ValuesIn(kUnloadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, UnloadAnsweredNoRunsItsStepsInOrder) {
  frm.Form_Load();
  frm.Command1_Click();
  log.Clear();
  prompt.answers = {kAnswerNo};
  frm.Form_Unload();
  EXPECT_EQ(log.events(), (Steps{"prompt Rollkeep: " + kQuestion,
                                 "post Rollkeep: unloaded, no more listing", "EndProgram"}));
}

struct AfterEndCase {
  const char* name;
  Handler handler;
};

void PrintTo(const AfterEndCase& c, std::ostream* os) { *os << c.name; }

const AfterEndCase kAfterEndCases[] = {
    {"Load", &FrmMain::Form_Load},         {"On", &FrmMain::Command1_Click},
    {"Off", &FrmMain::Command2_Click},     {"Save", &FrmMain::Command3_Click},
    {"LoadList", &FrmMain::Command4_Click}, {"Remove", &FrmMain::Command5_Click},
    {"Clear", &FrmMain::Command6_Click},   {"Timer", &FrmMain::Timer1_Timer},
    {"Unload", &FrmMain::Form_Unload},
};

class AfterEndTest : public MainWindowTest, public ::testing::WithParamInterface<AfterEndCase> {};

TEST_P(AfterEndTest, DoesNothing) {
  SetRoster(kNames, 0);
  prompt.answers = {kAnswerNo};
  frm.Form_Unload();
  log.Clear();
  dialog.choices = {FakeFileDialog::Choose(kSecond)};
  prompt.fallback = kAnswerYes;

  (frm.*GetParam().handler)();
  frm.ChatLine("Cy", "list me");

  EXPECT_TRUE(log.events().empty());
  EXPECT_EQ(roster.entries(), kNames);
  EXPECT_TRUE(files.files.count(kSecond) == 0);
}

INSTANTIATE_TEST_SUITE_P(Handlers, AfterEndTest, ::testing::ValuesIn(kAfterEndCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Message boxes run a modal loop, so the window's other events can arrive
// while the save question is up; the close has begun and they are ignored.
TEST_F(MainWindowTest, EventsDuringTheSaveQuestionAreIgnored) {
  SetRoster(kNames, 1);
  prompt.answers = {kAnswerNo};
  prompt.duringShow = [&] {
    prompt.duringShow = nullptr;
    frm.ChatLine("Cy", "list me");
    frm.Timer1_Timer();
    frm.Command5_Click();
    frm.Command1_Click();
    frm.Form_Unload();
  };
  frm.Form_Unload();
  EXPECT_EQ(log.events(), (Steps{"prompt Rollkeep: " + kQuestion,
                                 "post Rollkeep: unloaded, no more listing", "EndProgram"}));
  EXPECT_EQ(roster.entries(), kNames);
}

}  // namespace
}  // namespace rollkeep::testing
