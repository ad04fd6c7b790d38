// The main window's buttons and what they announce.

#include "driver/files.h"
#include "driver/input.h"
#include "driver/list_box.h"
#include "driver/poll.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

const std::string kLoaded = "Rollkeep: loaded";
const std::string kTurnedOn =
    "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";
const std::string kTurnedOff = "Rollkeep: turned off no more listing";

TEST_F(EndToEnd, SplashGivesWayToTheMainWindowAndOnOffToggle) {
  StartBoth();
  EXPECT_FALSE(driver::IsVisible(splash_));
  const struct {
    int id;
    const char* caption;
  } buttons[] = {{kOn, "on"},          {kOff, "off"},
                 {kSave, "save list"}, {kLoad, "load list"},
                 {kRemoveSelected, "remove selected"},
                 {kClear, "clear list"}};
  for (const auto& button : buttons) {
    EXPECT_EQ(driver::Caption(Button(button.id)), button.caption);
    EXPECT_TRUE(driver::IsEnabled(Button(button.id))) << button.caption;
  }
  EXPECT_EQ(Roster(), driver::ListBoxState{});

  const struct {
    int press;
    bool onEnabled;
  } steps[] = {{kOn, false}, {kOff, true}, {kOn, false}, {kOff, true}};
  for (const auto& step : steps) {
    Press(step.press);
    driver::WaitFor(kDeadline, "the on/off buttons to toggle", [&] {
      return driver::IsEnabled(Button(kOn)) == step.onEnabled &&
             driver::IsEnabled(Button(kOff)) != step.onEnabled;
    });
  }
  EXPECT_EQ(WaitForAnnouncements(5),
            (std::vector<std::string>{kLoaded, kTurnedOn, kTurnedOff, kTurnedOn,
                                      kTurnedOff}));
}

TEST_F(EndToEnd, RemoveSelectedAndClearList) {
  StartBoth();
  const std::string roster = WorkPath("roster.txt");
  driver::WriteFileBytes(roster, "Ann\r\r\nBob Smith\r\r\nCy\r\r\n");
  LoadFrom(roster);
  WaitForPost("Rollkeep: list loaded");
  ASSERT_EQ(Roster().items, (std::vector<std::string>{"Ann", "Bob Smith", "Cy"}));

  // Nothing selected: nothing removed and nothing posted before "off".
  Press(kRemoveSelected);
  Press(kOff);
  EXPECT_EQ(WaitForAnnouncements(3),
            (std::vector<std::string>{kLoaded, "Rollkeep: list loaded", kTurnedOff}));
  EXPECT_EQ(Roster().items.size(), 3u);

  driver::SelectListItem(driver::Control(main_, kList), 1);
  EXPECT_EQ(Roster().selection, 1);
  Press(kRemoveSelected);
  WaitForPost("Rollkeep: Bob Smith has been removed from list");
  EXPECT_EQ(Roster(), (driver::ListBoxState{{"Ann", "Cy"}, -1}));

  Press(kClear);
  Press(kClear);  // an empty list is cleared and announced all the same
  EXPECT_EQ(WaitForAnnouncements(6),
            (std::vector<std::string>{
                kLoaded, "Rollkeep: list loaded", kTurnedOff,
                "Rollkeep: Bob Smith has been removed from list",
                "Rollkeep: list cleared", "Rollkeep: list cleared"}));
  EXPECT_EQ(Roster(), driver::ListBoxState{});
}

}  // namespace
}  // namespace rollkeep::e2e
