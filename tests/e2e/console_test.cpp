// The operator's buttons with the client running, and with no client or a
// hung one.

#include <algorithm>

#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

const std::string kOn = "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";
const std::string kOff = "Rollkeep: turned off no more listing";
const std::string kSaved = "Rollkeep: list saved";
const std::string kCleared = "Rollkeep: list cleared";

// Blank lines, CR, CR LF and LF endings, spaces kept, a duplicate, and a
// last line without an ending.
const std::string kRosterFile = "Ann\r\n\r\nBob Smith\r cy  \r\r\nLee\nMay\r\rAnn";
const std::vector<std::string> kRoster{"Ann", "Bob Smith", " cy  ", "Lee", "May", "Ann"};

std::string Saved(const std::vector<std::string>& names) {
  std::string bytes;
  for (const auto& name : names) bytes += name + "\r\r\n";
  return bytes;
}

TEST_F(EndToEnd, ButtonsAnnounceWhatTheyDo) {
  StartClient();
  StartRollkeep();
  EXPECT_EQ(WaitForAnnouncements(1), std::vector<std::string>{"Rollkeep: loaded"});
  EXPECT_FALSE(IsVisible(programs_.Splash()));
  const std::pair<int, std::string> buttons[] = {
      {kOnButton, "on"},         {kOffButton, "off"}, {kSaveButton, "save list"},
      {kLoadButton, "load list"}, {kRemoveSelectedButton, "remove selected"},
      {kClearButton, "clear list"}};
  for (const auto& [id, caption] : buttons) {
    EXPECT_EQ(Caption(programs_.Button(id)), caption);
    EXPECT_TRUE(IsEnabled(programs_.Button(id))) << caption;
  }
  ExpectRoster({});
  for (bool on : {true, false, true, false}) {
    programs_.Press(on ? kOnButton : kOffButton);
    WaitForBot(on);
  }

  const std::string source = WorkPath("roster.txt");
  const std::string target = WorkPath("saved.txt");
  WriteFileBytes(source, kRosterFile);
  ChooseFileAfter(kLoadButton, source);
  ExpectRoster(kRoster);
  // Cancelled load, "remove selected" with nothing selected: no change, no post.
  programs_.Press(kLoadButton);
  CancelDialog(WaitForFileDialog(programs_.RollkeepId(), kDeadline));
  programs_.Press(kRemoveSelectedButton);
  ChooseFileAfter(kSaveButton, target);
  WaitForAnnouncements(7);
  EXPECT_EQ(ReadFileBytes(target), Saved(kRoster));
  ExpectRoster(kRoster);

  SelectListItem(programs_.RosterBox(), 1);
  EXPECT_EQ(programs_.Roster().selection, 1);
  programs_.Press(kRemoveSelectedButton);
  const std::vector<std::string> rest{"Ann", " cy  ", "Lee", "May", "Ann"};
  ExpectRoster(rest);

  // A cancelled save dialog, then Cancel at the prompt: the file stays.
  programs_.Press(kSaveButton);
  CancelDialog(WaitForFileDialog(programs_.RollkeepId(), kDeadline));
  ChooseFileAfter(kSaveButton, target);
  auto prompt = Prompt("Error");
  EXPECT_EQ(prompt.text, "This file already exists: " + target + ", do you wish replace it?");
  EXPECT_NE(FindControl(prompt.window, IDOK), nullptr);
  AnswerMessageBox(prompt.window, IDCANCEL);
  EXPECT_TRUE(Answers(programs_.Main(), kDeadline));  // once the save has returned
  EXPECT_EQ(ReadFileBytes(target), Saved(kRoster));

  ChooseFileAfter(kSaveButton, target);
  AnswerMessageBox(Prompt("Error").window, IDOK);
  programs_.Press(kClearButton);
  programs_.Press(kClearButton);  // an empty list is cleared all the same
  EXPECT_EQ(WaitForAnnouncements(11),
            (std::vector<std::string>{"Rollkeep: loaded", kOn, kOff, kOn, kOff,
                                      "Rollkeep: list loaded", kSaved,
                                      "Rollkeep: Bob Smith has been removed from list",
                                      kSaved, kCleared, kCleared}));
  EXPECT_EQ(ReadFileBytes(target), Saved(rest));
  ExpectRoster({});
}

// Each step waits for the one before it: a click is a posted message, so a
// thread stuck on the client would leave it waiting.
TEST_F(EndToEnd, ButtonsWorkWithoutAClientAndWithAHungOne) {
  StartRollkeep();
  const auto exercise = [&](const std::string& saved, milliseconds timeout) {
    programs_.Press(kOnButton);
    WaitForBot(true, timeout);
    programs_.Press(kOffButton);
    WaitForBot(false, timeout);
    WriteFileBytes(WorkPath("roster.txt"), "Ann\r\r\nBob\r\r\n");
    ChooseFileAfter(kLoadButton, WorkPath("roster.txt"));
    ExpectRoster({"Ann", "Bob"}, timeout);
    ChooseFileAfter(kSaveButton, WorkPath(saved));
    const auto written = [&] { return ReadFileBytes(WorkPath(saved)) == Saved({"Ann", "Bob"}); };
    EXPECT_TRUE(PollFor(timeout, written)) << saved;
    SelectListItem(programs_.RosterBox(), 0);
    programs_.Press(kRemoveSelectedButton);
    ExpectRoster({"Bob"}, timeout);
    programs_.Press(kClearButton);
    ExpectRoster({}, timeout);
    EXPECT_TRUE(Answers(programs_.Main(), timeout));
  };
  exercise("alone.txt", kDeadline);

  StartClient({"--hang-after", "2"});
  // The client logs "hang" as it stops handling messages; a slow answer
  // alone would not tell a hung client from a busy one.
  WaitFor(kDeadline, "the client to hang", [&] {
    const auto events = LogEvents();
    return std::ranges::any_of(events, [](const LogEvent& event) {
      return event.kind == LogKind::Other && event.payload == "hang";
    });
  });
  exercise("hung.txt", 60s);

  // Yes saves the (now empty) roster before the program ends.
  Close(programs_.Main());
  AnswerMessageBox(Prompt("Rollkeep", 60s).window, IDYES);
  ChooseFile(WaitForFileDialog(programs_.RollkeepId(), 60s), WorkPath("closing.txt"));
  EXPECT_TRUE(programs_.Rollkeep().WaitForExit(60s));
  EXPECT_EQ(ReadFileBytes(WorkPath("closing.txt")), "");
}

}  // namespace
}  // namespace rollkeep::e2e
