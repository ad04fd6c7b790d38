// Loading and saving the roster through the common file dialogs.

#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/list_box.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

const std::string kLoaded = "Rollkeep: loaded";
const std::string kListLoaded = "Rollkeep: list loaded";
const std::string kListSaved = "Rollkeep: list saved";
const std::string kTurnedOff = "Rollkeep: turned off no more listing";

// Blank lines, CR and CR LF endings, spaces kept, an LF inside a name, a
// duplicate, and a last line without an ending.
const std::string kRosterFile = "Ann\r\n\r\nBob Smith\r cy  \r\r\nLee\nMay\r\rAnn";
const std::vector<std::string> kRoster{"Ann", "Bob Smith", " cy  ", "Lee\nMay", "Ann"};

std::string Saved(const std::vector<std::string>& names) {
  std::string bytes;
  for (const auto& name : names) bytes += name + "\r\r\n";
  return bytes;
}

TEST_F(EndToEnd, LoadListThroughTheOpenDialog) {
  StartBoth();
  const std::string path = WorkPath("roster.txt");
  driver::WriteFileBytes(path, kRosterFile);
  LoadFrom(path);
  WaitForPost(kListLoaded);
  EXPECT_EQ(Roster(), (driver::ListBoxState{kRoster, -1}));

  // Cancel leaves the roster as it was and announces nothing.
  Press(kLoad);
  driver::CancelDialog(driver::WaitForFileDialog(RollkeepId(), kDeadline));
  Press(kOff);
  EXPECT_EQ(WaitForAnnouncements(3),
            (std::vector<std::string>{kLoaded, kListLoaded, kTurnedOff}));
  EXPECT_EQ(Roster().items, kRoster);
}

TEST_F(EndToEnd, SaveListAsksBeforeReplacingAFile) {
  StartBoth();
  const std::string source = WorkPath("roster.txt");
  driver::WriteFileBytes(source, kRosterFile);
  LoadFrom(source);
  WaitForPost(kListLoaded);

  const std::string target = WorkPath("saved.txt");
  SaveTo(target);
  WaitForPost(kListSaved);
  EXPECT_EQ(driver::ReadFileBytes(target), Saved(kRoster));

  driver::SelectListItem(driver::Control(main_, kList), 0);
  Press(kRemoveSelected);
  WaitForPost("Rollkeep: Ann has been removed from list");
  const std::vector<std::string> rest(kRoster.begin() + 1, kRoster.end());

  // Cancel in the save dialog, then Cancel in the overwrite prompt: the
  // file stays as it was and nothing is announced before "off".
  Press(kSave);
  driver::CancelDialog(driver::WaitForFileDialog(RollkeepId(), kDeadline));
  SaveTo(target);
  auto prompt = driver::WaitForMessageBox(RollkeepId(), "Error", kDeadline);
  EXPECT_EQ(prompt.text,
            "This file already exists: " + target + ", do you wish replace it?");
  EXPECT_NE(driver::FindControl(prompt.window, kOk), nullptr);
  driver::AnswerMessageBox(prompt.window, kCancel);
  Press(kOff);
  WaitForPost(kTurnedOff);
  EXPECT_EQ(driver::ReadFileBytes(target), Saved(kRoster));

  SaveTo(target);
  prompt = driver::WaitForMessageBox(RollkeepId(), "Error", kDeadline);
  driver::AnswerMessageBox(prompt.window, kOk);
  EXPECT_EQ(WaitForAnnouncements(6),
            (std::vector<std::string>{kLoaded, kListLoaded, kListSaved,
                                      "Rollkeep: Ann has been removed from list",
                                      kTurnedOff, kListSaved}));
  EXPECT_EQ(driver::ReadFileBytes(target), Saved(rest));
}

}  // namespace
}  // namespace rollkeep::e2e
