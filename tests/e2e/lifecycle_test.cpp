// Closing, the advertisement, and working without a client or with a hung
// one.

#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/list_box.h"
#include "driver/poll.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

const std::string kTurnedOn =
    "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";
const std::string kUnloaded = "Rollkeep: unloaded, no more listing";

// Waits until the on/off buttons show the bot `on` or off.
void WaitForBotState(HWND on, HWND off, bool isOn, milliseconds timeout) {
  driver::WaitFor(timeout, isOn ? "the bot on" : "the bot off", [&] {
    return driver::IsEnabled(on) != isOn && driver::IsEnabled(off) == isOn;
  });
}

TEST_F(EndToEnd, CloseAsksToSaveThenAnnouncesAndExits) {
  StartBoth();
  driver::Close(main_);
  const auto prompt = driver::WaitForMessageBox(RollkeepId(), "Rollkeep", kDeadline);
  EXPECT_EQ(prompt.text, "do you wish to save your list?");
  EXPECT_NE(driver::FindControl(prompt.window, kYes), nullptr);
  driver::AnswerMessageBox(prompt.window, kNo);

  ASSERT_TRUE(rollkeep_.WaitForExit(kDeadline));
  EXPECT_EQ(Announcements(), (std::vector<std::string>{"Rollkeep: loaded", kUnloaded}));
}

TEST_F(EndToEnd, AdvertisesBothCommandsAMinuteAfterOn) {
  StartBoth();
  Press(kOn);
  const auto on = WaitForPost(kTurnedOn);
  const auto list = WaitForPost("Rollkeep: type <b><u>list me</u></b> to be listed", 120s);
  const auto remove =
      WaitForPost("Rollkeep: type <b><u>remove me</b></u> to be removed", kDeadline);
  EXPECT_GE(list.ms - on.ms, 59000);
  EXPECT_LE(list.ms - on.ms, 90000);
  EXPECT_GE(remove.ms - list.ms, 700);
  EXPECT_EQ(Announcements().size(), 4u);
}

TEST_F(EndToEnd, EveryButtonWorksWithoutAClient) {
  StartRollkeep();
  HWND on = Button(kOn);
  HWND off = Button(kOff);
  Press(kOn);
  WaitForBotState(on, off, true, kDeadline);
  Press(kOff);
  WaitForBotState(on, off, false, kDeadline);

  const std::string source = WorkPath("roster.txt");
  driver::WriteFileBytes(source, "Ann\r\r\nBob\r\r\n");
  LoadFrom(source);
  WaitForRoster({"Ann", "Bob"});
  const std::string target = WorkPath("saved.txt");
  SaveTo(target);
  driver::WaitFor(kDeadline, "the saved file",
                  [&] { return driver::ReadFileBytes(target) == "Ann\r\r\nBob\r\r\n"; });

  driver::SelectListItem(driver::Control(main_, kList), 0);
  Press(kRemoveSelected);
  EXPECT_EQ(WaitForRoster({"Bob"}).items, (std::vector<std::string>{"Bob"}));
  Press(kClear);
  EXPECT_EQ(WaitForRoster({}).items.size(), 0u);
  EXPECT_TRUE(driver::Answers(main_, 5s));

  // Yes saves the (now empty) roster before the program ends.
  driver::Close(main_);
  const auto prompt = driver::WaitForMessageBox(RollkeepId(), "Rollkeep", kDeadline);
  driver::AnswerMessageBox(prompt.window, kYes);
  const std::string closing = WorkPath("closing.txt");
  driver::ChooseFile(driver::WaitForFileDialog(RollkeepId(), kDeadline), closing);
  EXPECT_TRUE(rollkeep_.WaitForExit(kDeadline));
  EXPECT_EQ(driver::ReadFileBytes(closing), "");
}

TEST_F(EndToEnd, StaysResponsiveWhenTheClientHangs) {
  StartClient({.hangAfterSeconds = 2});
  StartRollkeep();
  driver::WaitFor(kDeadline, "the client to hang",
                  [&] { return !driver::Answers(clientFrame_, 500ms); });

  // Each step needs the one before it handled: a click is a posted message,
  // so a thread stuck on the client would leave it waiting.
  HWND on = Button(kOn);
  HWND off = Button(kOff);
  Press(kOn);
  WaitForBotState(on, off, true, 60s);
  EXPECT_TRUE(driver::Answers(main_, 5s));
  Press(kOff);
  WaitForBotState(on, off, false, 60s);
  const std::string source = WorkPath("roster.txt");
  driver::WriteFileBytes(source, "Ann\r\r\n");
  LoadFrom(source);
  EXPECT_EQ(WaitForRoster({"Ann"}, 60s).items, (std::vector<std::string>{"Ann"}));
  Press(kClear);
  EXPECT_EQ(WaitForRoster({}, 60s).items.size(), 0u);
  EXPECT_TRUE(driver::Answers(main_, 5s));

  driver::Close(main_);
  const auto prompt = driver::WaitForMessageBox(RollkeepId(), "Rollkeep", 60s);
  driver::AnswerMessageBox(prompt.window, kNo);
  EXPECT_TRUE(rollkeep_.WaitForExit(60s));
}

}  // namespace
}  // namespace rollkeep::e2e
