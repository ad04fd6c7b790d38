// The operator's buttons with the client running, and with no client or a
// hung one.

#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

const std::string kOff = "Rollkeep: turned off no more listing";
const std::string kSaved = "Rollkeep: list saved";
const std::string kCleared = "Rollkeep: list cleared";

const std::vector<std::string> kRoster{"Ann", "Bob Smith", " cy  "};

std::string Saved(const std::vector<std::string>& names) {
  std::string bytes;
  for (const auto& name : names) bytes += name + "\r\r\n";
  return bytes;
}

// Real file dialogs, a real file, a real message box, and what each button
// tells the room.
TEST_F(EndToEnd, ButtonsAnnounceWhatTheyDo) {
  StartClient();
  StartRollkeep();
  EXPECT_FALSE(IsVisible(programs_.Splash()));
  for (bool on : {true, false}) {
    programs_.Press(on ? kOnButton : kOffButton);
    WaitForBot(on);
  }
  const std::string source = WorkPath("roster.txt");
  const std::string target = WorkPath("saved.txt");
  WriteFileBytes(source, "Ann\r\nBob Smith\n cy  ");
  ChooseFileAfter(kLoadButton, source);
  ExpectRoster(kRoster);
  ChooseFileAfter(kSaveButton, target);
  WaitForAnnouncements(5);
  EXPECT_EQ(ReadFileBytes(target), Saved(kRoster));

  SelectListItem(programs_.RosterBox(), 1);
  programs_.Press(kRemoveSelectedButton);
  const std::vector<std::string> rest{"Ann", " cy  "};
  ExpectRoster(rest);
  // Cancel at the question whether to replace the file: the file stays.
  ChooseFileAfter(kSaveButton, target);
  auto prompt = Prompt("Error");
  EXPECT_EQ(prompt.text, "This file already exists: " + target + ", do you wish replace it?");
  AnswerMessageBox(prompt.window, IDCANCEL);
  EXPECT_TRUE(Answers(programs_.Main(), kDeadline));  // once the save has returned
  EXPECT_EQ(ReadFileBytes(target), Saved(kRoster));
  ChooseFileAfter(kSaveButton, target);
  AnswerMessageBox(Prompt("Error").window, IDOK);
  programs_.Press(kClearButton);
  EXPECT_EQ(WaitForAnnouncements(8),
            (std::vector<std::string>{"Rollkeep: loaded", kTurnedOn, kOff, "Rollkeep: list loaded",
                                      kSaved, "Rollkeep: Bob Smith has been removed from list",
                                      kSaved, kCleared}));
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

  StartClient();
  const ThreadHang hang(programs_.ClientFrame());
  exercise("hung.txt", 60s);
}

}  // namespace
}  // namespace rollkeep::e2e
