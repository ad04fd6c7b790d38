// The operator's commands and the room's chat lines through the real windows:
// what the model chat room receives, what List1 shows, and how the program
// ends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "dialog_answerer.h"
#include "platform/win32/room/message_pump.h"
#include "ui_test_support.h"

namespace rollkeep::uitest {
namespace {

using namespace rollkeep::win32;

constexpr char kLoaded[] = "Rollkeep: loaded";
constexpr char kTurnedOn[] = "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";
constexpr char kTurnedOff[] = "Rollkeep: turned off no more listing";
constexpr char kAdvertiseList[] = "Rollkeep: type <b><u>list me</u></b> to be listed";
constexpr char kAdvertiseRemove[] = "Rollkeep: type <b><u>remove me</b></u> to be removed";
constexpr char kUnloaded[] = "Rollkeep: unloaded, no more listing";

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

// Whether the advertisement timer is running; stops it as a side effect.
bool TakeTimer1(HWND main) { return ::KillTimer(main, kTimer1Id) != FALSE; }

std::string TempPath(const std::string& name) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  return std::string(folder) + "rollkeep-ui-" + std::to_string(::GetCurrentProcessId()) + "-" +
         name;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

struct SwitchStep {
  int button;
  bool onEnabled;
  bool offEnabled;
  bool timerRunning;
  const char* announcement;  // nullptr: nothing posted
};

TEST_F(AppTest, OnAndOffSwitchTheButtonsTheTimerAndAnnounce) {
  OpenMain();
  const SwitchStep steps[] = {
      {kCommand2Id, true, false, false, kTurnedOff},  // "off" right after loading
      {kCommand1Id, false, true, true, kTurnedOn},
      {kCommand1Id, false, true, true, nullptr},  // "on" is disabled now
      {kCommand2Id, true, false, false, kTurnedOff},
      {kCommand2Id, true, false, false, nullptr},  // and now "off" is
      {kCommand1Id, false, true, true, kTurnedOn},
      {kCommand2Id, true, false, false, kTurnedOff},
  };
  for (const SwitchStep& step : steps) {
    const size_t before = Announcements().size();
    Click(step.button);
    SCOPED_TRACE("after clicking " + std::to_string(step.button));
    EXPECT_EQ(::IsWindowEnabled(Control(kCommand1Id)) != FALSE, step.onEnabled);
    EXPECT_EQ(::IsWindowEnabled(Control(kCommand2Id)) != FALSE, step.offEnabled);
    const auto posted = Announcements();
    if (step.announcement == nullptr) {
      EXPECT_EQ(posted.size(), before);
    } else {
      ASSERT_EQ(posted.size(), before + 1);
      EXPECT_EQ(posted.back(), step.announcement);
    }
    const bool running = TakeTimer1(main());
    EXPECT_EQ(running, step.timerRunning);
    if (running) ::SetTimer(main(), kTimer1Id, 60000, nullptr);
  }
}

TEST_F(AppTest, EveryPostTypesThePrefixedLineAndPressesEnter) {
  OpenMain();
  std::vector<std::string> log = client->entryLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log.back(), "char:13");
  log.pop_back();
  EXPECT_EQ(log.back(), "text:" + std::string(Brask32::StylePrefix) + kLoaded);
  log.pop_back();
  for (const std::string& earlier : log) EXPECT_EQ(earlier, "text:") << "only emptying before";
}

TEST_F(AppTest, MembersAreListedAndRemovedWhileTheBotIsOn) {
  OpenMain();
  client->Say("Early Bird", "list me");  // said before "on": not heard
  Click(kCommand1Id);
  client->Say("Alice B", "list me");
  client->Say("Carl", "LIST me");
  ASSERT_TRUE(WaitForAnnouncements(4)) << "posted: " << ::testing::PrintToString(Announcements())
                                       << "\ntranscript: " << WindowText(client->transcript());
  EXPECT_EQ(ListItems(Control(kList1Id)), (std::vector<std::string>{"Alice B", "Carl"}));
  // Carl's line may be handled inside the pause of Alice's, and then is
  // announced first.
  EXPECT_THAT(Announcements(), ::testing::IsSupersetOf({Added("Alice B"), Added("Carl")}));

  client->Say("alice b", "remove me");
  ASSERT_TRUE(PumpUntil([&] { return app->roster().count() == 1; }));
  EXPECT_EQ(ListItems(Control(kList1Id)), std::vector<std::string>{"Carl"});

  Click(kCommand2Id);
  client->Say("Dora", "list me");
  PumpFor(400);
  EXPECT_EQ(ListItems(Control(kList1Id)), std::vector<std::string>{"Carl"});
}

TEST_F(AppTest, RemoveSelectedTakesTheOperatorsChoice) {
  OpenMain();
  app->roster().assign({"Ann", "Bob", "Cy"});
  SelectInList(1);
  EXPECT_EQ(app->roster().selectedText(), "Bob");
  Click(kCommand5Id);
  EXPECT_EQ(ListItems(Control(kList1Id)), (std::vector<std::string>{"Ann", "Cy"}));
  EXPECT_EQ(ListSelection(Control(kList1Id)), LB_ERR);
  EXPECT_EQ(Announcements().back(), "Rollkeep: Bob has been removed from list");
}

TEST_F(AppTest, ClearListEmptiesListAndStore) {
  OpenMain();
  app->roster().assign({"Ann", "Bob"});
  SelectInList(0);
  Click(kCommand6Id);
  EXPECT_EQ(::SendMessageA(Control(kList1Id), LB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(app->roster().count(), 0);
  EXPECT_EQ(Announcements().back(), "Rollkeep: list cleared");
}

TEST_F(AppTest, AdvertisementPausesAndAChatLineIsHandledInThePause) {
  OpenMain();
  Click(kCommand1Id);
  client->Say("Zed", "list me");
  const double start = NowSeconds();
  ::SendMessageA(main(), WM_TIMER, kTimer1Id, 0);
  const double elapsed = NowSeconds() - start;
  EXPECT_GE(elapsed, 0.7);
  EXPECT_LT(elapsed, 10.0);
  const std::vector<std::string> expected = {kLoaded, kTurnedOn, kAdvertiseList, Added("Zed"),
                                             kAdvertiseRemove};
  EXPECT_EQ(Announcements(), expected);
  EXPECT_EQ(ListItems(Control(kList1Id)), std::vector<std::string>{"Zed"});
}

TEST_F(AppTest, ClosingAsksToSaveAndAnsweringNoEndsTheProgram) {
  OpenMain();
  HWND mainWindow = main();
  HWND splash = app->splashWindow();
  DialogAnswerer answerer({{IDNO, ""}});
  ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return app->ended(); }));

  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].title, "Rollkeep");
  EXPECT_EQ(answerer.seen()[0].text, "do you wish to save your list?");
  EXPECT_EQ(Announcements().back(), kUnloaded);
  EXPECT_FALSE(::IsWindow(mainWindow));
  EXPECT_FALSE(::IsWindow(splash));
  EXPECT_TRUE(ProgramEnding());
}

TEST_F(AppTest, ClosingInsideTheAdvertisementPauseStopsItsSecondLine) {
  OpenMain();
  HWND mainWindow = main();
  DialogAnswerer answerer({{IDNO, ""}});
  ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  ::SendMessageA(mainWindow, WM_TIMER, kTimer1Id, 0);

  EXPECT_TRUE(app->ended());
  const std::vector<std::string> expected = {kLoaded, kAdvertiseList, kUnloaded};
  EXPECT_EQ(Announcements(), expected);
  EXPECT_FALSE(::IsWindow(mainWindow));
}

TEST_F(AppTest, AnsweringYesSavesTheListWhereTheOperatorSays) {
  const std::string path = TempPath("saved.txt");
  ::DeleteFileA(path.c_str());
  OpenMain();
  app->roster().assign({"Ann", "Bob Z"});
  DialogAnswerer answerer({{IDYES, ""}, {IDOK, path}});
  ::PostMessageA(main(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return app->ended(); }, 10000));

  EXPECT_TRUE(answerer.finished());
  const std::string saved = ReadFile(path);
  EXPECT_NE(saved.find("Ann"), std::string::npos);
  EXPECT_LT(saved.find("Ann"), saved.find("Bob Z"));
  EXPECT_EQ(Announcements().back(), kUnloaded);
  ::DeleteFileA(path.c_str());
}

TEST_F(AppTest, LoadListFillsList1FromTheChosenFile) {
  const std::string path = TempPath("load.txt");
  {
    std::ofstream out(path, std::ios::binary);
    out << "Xena\r\n\r\nYuri P\r\nzed\r\n";
  }
  OpenMain();
  {
    DialogAnswerer answerer({{IDOK, path}});
    Click(kCommand4Id);
    EXPECT_TRUE(answerer.finished());
  }
  EXPECT_EQ(ListItems(Control(kList1Id)), (std::vector<std::string>{"Xena", "Yuri P", "zed"}));
  EXPECT_EQ(app->roster().entries(), ListItems(Control(kList1Id)));
  ::DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace rollkeep::uitest
