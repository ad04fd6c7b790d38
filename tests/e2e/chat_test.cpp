// One session in the room from "on" to the close, waiting for the real
// advertisement a minute after "on" and using that minute: twenty members
// who speak at once are listed at once and answered in order, paced; a
// command word in another case works, a wrong one does nothing; the host's
// half-typed line survives the answers; a line said after "off" changes
// nothing; and the close prompt asks again after a cancelled save, ends on
// No and says "unloaded".

#include <algorithm>
#include <ostream>

#include "driver/dialogs.h"
#include "driver/input.h"
#include "session.h"

namespace rollkeep::driver {
void PrintTo(const EntryBoxState& box, std::ostream* out) {
  *out << '"' << box.text << "\" selection " << box.selectionStart << "-" << box.selectionEnd;
}
}  // namespace rollkeep::driver

namespace rollkeep::e2e {
namespace {

const std::string kAd1 = "Rollkeep: type <b><u>list me</u></b> to be listed";
const std::string kAd2 = "Rollkeep: type <b><u>remove me</b></u> to be removed";
const std::string kOff = "Rollkeep: turned off no more listing";
const std::string kSaveQuestion = "do you wish to save your list?";

TEST_F(EndToEnd, ARoomFromOnToCloseWithTheAdvertisementAMinuteAfterOn) {
  StartClient();
  const auto on = StartRollkeepTurnedOn();

  // Handled one pause after another, the twentieth would be listed only
  // with the nineteenth answer out.
  const auto names = Members(20);
  SayAll(names, "list me");
  EXPECT_EQ(WaitForItemCount(programs_.RosterBox(), names.size(), kDeadline).items, names);
  const auto early = Posted();
  EXPECT_LT(std::ranges::count_if(early, [](const auto& p) { return p.text.ends_with("list"); }),
            10);
  WaitForPost(Added(names.back()));

  // The host types between two answers, so no post is under way.
  programs_.TypeInEntryBox("hello wor");
  const struct {
    const char* speaker;
    const char* text;
    std::string answer;  // empty: none
  } rows[] = {
      {"Bob Smith", "LIST me", Added("Bob Smith")},
      {"Kim", "list  me", ""},
      {"BOBSMITH", "remove me", "Rollkeep: <u>BOBSMITH</u> has been removed from list"},
  };
  std::vector<std::string> expected{"Rollkeep: loaded", on.text};
  for (const auto& name : names) expected.push_back(Added(name));
  for (const auto& row : rows) {
    programs_.SayInRoom(row.speaker, row.text);
    if (row.answer.empty()) continue;
    // An "added" answer is taken back by a "remove me" before it goes out.
    WaitForPost(row.answer);
    expected.push_back(row.answer);
  }
  ExpectRoster(names);
  const EntryBoxState typed{"hello wor", 9, 9};
  // The caret comes a message after the text: wait for both.
  EXPECT_TRUE(PollFor(kDeadline, [&] { return programs_.ReadEntryBox() == typed; }));
  const auto putBack = ScanPosts(LogEvents()).putBack;
  EXPECT_EQ(putBack.size(), 2u);
  for (const auto& text : putBack) EXPECT_EQ(text.line, "hello wor");
  programs_.TypeInEntryBox("ld");
  programs_.SendEntryBox();
  WaitFor(kDeadline, "the host's line", [&] {
    return std::ranges::any_of(SaidLines(LogEvents()), [](const SaidLine& line) {
      return line.speaker == "Host" && line.text == "hello world";
    });
  });

  const auto ad = WaitForPost(kAd1, 120s);
  const auto ad2 = WaitForPost(kAd2);
  EXPECT_GE(ad.ms - on.ms, 59000);
  EXPECT_LE(ad.ms - on.ms, 120000);
  EXPECT_GE(ad2.ms - ad.ms, 700);

  programs_.Press(kOffButton);
  WaitForBot(false);
  WaitForPost(kOff);
  programs_.SayInRoom("Pat", "list me");

  Close(programs_.Main());
  auto prompt = Prompt("Rollkeep");
  EXPECT_EQ(prompt.text, kSaveQuestion);
  AnswerMessageBox(prompt.window, IDYES);
  CancelDialog(WaitForFileDialog(programs_.RollkeepId(), kDeadline));
  prompt = Prompt("Rollkeep");
  EXPECT_EQ(prompt.text, kSaveQuestion);
  // The room is heard while a box is open: by now Pat would be listed.
  ExpectRoster(names);
  AnswerMessageBox(prompt.window, IDNO);
  EXPECT_TRUE(programs_.Rollkeep().WaitForExit(kDeadline));

  expected.insert(expected.end(), {ad.text, ad2.text, kOff, "Rollkeep: unloaded, no more listing"});
  EXPECT_EQ(WaitForAnnouncements(expected.size()), expected);

  // Each "added" answer 0.7 s after its line and after the one before.
  const auto said = SaidLines(LogEvents());
  long long previous = 0;
  for (const auto& post : Posted()) {
    if (!post.text.ends_with("added to the list")) continue;
    const auto line = std::ranges::find_if(
        said, [&](const SaidLine& l) { return Added(l.speaker) == post.text; });
    ASSERT_NE(line, said.end()) << post.text;
    EXPECT_GE(post.ms - line->ms, 700) << post.text;
    EXPECT_GE(post.ms - previous, 700) << post.text;
    previous = post.ms;
  }
}

}  // namespace
}  // namespace rollkeep::e2e
