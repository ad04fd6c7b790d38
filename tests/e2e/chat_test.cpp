// A session in the room: members list and remove themselves, the answers
// come in order, each "added" one 0.7 s after its line at least, the advertisement comes a minute after "on", lines said after
// "off" change nothing, and closing the window ends it all.

#include <cstdio>
#include <optional>
#include <ostream>
#include <thread>

#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::driver {
void PrintTo(const EntryBoxState& box, std::ostream* out) {
  *out << '"' << box.text << "\" selection " << box.selectionStart << "-" << box.selectionEnd;
}
}  // namespace rollkeep::driver

namespace rollkeep::e2e {
namespace {

struct ScriptLine {
  double seconds;  // after the client started
  std::string speaker;
  std::string text;
};

// Time enough for Rollkeep to start and be turned on before the first line,
// also on a loaded machine; the advertisement comes after the last line all
// the same (a minute after "on").
constexpr double kLead = 30.0;
const std::vector<ScriptLine> kScript{
    {kLead + 0.0, "Ann", "list me"},   {kLead + 0.3, "Bob Smith", "List me"},
    {kLead + 0.6, "Cy", "LIST me"},    {kLead + 0.9, "Dee", "list Me"},
    {kLead + 1.2, "Eve", "list me "},  {kLead + 1.5, "Fay", "list  me"},
    {kLead + 1.8, "Gus", " list me"},  {kLead + 2.1, "Hal", "listme"},
    {kLead + 2.4, "Ivy", "list me please"}, {kLead + 2.7, "Jo", "list\tme"},
    {kLead + 3.0, "Kim", "me list"},   {kLead + 3.3, "Lee", "list"},
    {kLead + 3.6, "Ann", "list me"},   // listed already: answered, not listed again
    {kLead + 3.9, "ann", "list me"},   // another name
    {kLead + 4.2, "Max", "remove me"}, // not listed: nothing
    {kLead + 4.5, "bob smith", "list me"},
    {kLead + 5.4, "BOBSMITH", "remove  me"},
    {kLead + 6.3, "BOBSMITH", "Remove me"},  // takes "bob smith", the last match
    {kLead + 6.6, "Zoe", "list me"},
};

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

const std::vector<std::string> kAnswers{
    Added("Ann"), Added("Bob Smith"), Added("Cy"), Added("Ann"), Added("ann"),
    Added("bob smith"), "Rollkeep: <u>BOBSMITH</u> has been removed from list", Added("Zoe")};

std::string ScriptText() {
  std::string text;
  for (const auto& line : kScript) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f ", line.seconds);
    text += seconds + line.speaker + ": " + line.text + "\n";
  }
  return text;
}

TEST_F(EndToEnd, MembersListAndRemoveThemselvesWhileTheBotIsOn) {
  WriteFileBytes(WorkPath("script.txt"), ScriptText());
  StartClient({"--script", WorkPath("script.txt")});
  const auto on = StartRollkeepTurnedOn();
  ASSERT_LT(on.ms, kLead * 1000) << "start-up took longer than the script's lead";

  const auto ad = WaitForPost("Rollkeep: type <b><u>list me</u></b> to be listed", 120s);
  const auto ad2 = WaitForPost("Rollkeep: type <b><u>remove me</b></u> to be removed");
  EXPECT_GE(ad.ms - on.ms, 59000);
  EXPECT_LE(ad.ms - on.ms, 90000);
  EXPECT_GE(ad2.ms - ad.ms, 700);

  programs_.Press(kOffButton);
  WaitForBot(false);
  const auto off = WaitForPost("Rollkeep: turned off no more listing");
  programs_.SayInRoom("Pat", "list me");  // once the bot is off
  const auto pat = WaitFor(kDeadline, "Pat's line", [&]() -> std::optional<SaidLine> {
    for (const auto& line : SaidLines(LogEvents())) {
      if (line.speaker == "Pat") return line;
    }
    return std::nullopt;
  });
  ASSERT_LT(off.ms, pat->ms);
  std::this_thread::sleep_for(1500ms);  // for a wrongly handled line to show
  ExpectRoster({"Ann", "Bob Smith", "Cy", "ann", "Zoe"});

  Close(programs_.Main());
  const auto prompt = Prompt("Rollkeep");
  EXPECT_EQ(prompt.text, "do you wish to save your list?");
  EXPECT_NE(FindControl(prompt.window, IDYES), nullptr);
  AnswerMessageBox(prompt.window, IDNO);
  EXPECT_TRUE(programs_.Rollkeep().WaitForExit(kDeadline));

  // The answers come in the order of the lines they answer.
  const auto posted = WaitForAnnouncements(kAnswers.size() + 6);
  std::vector<std::string> expected{"Rollkeep: loaded", on.text};
  expected.insert(expected.end(), kAnswers.begin(), kAnswers.end());
  expected.insert(expected.end(), {ad.text, ad2.text, off.text,
                                   "Rollkeep: unloaded, no more listing"});
  EXPECT_EQ(posted, expected);

  // Each answer comes at least 0.7 s after the line it answers.
  for (const std::string name : {"Ann", "Bob Smith", "Cy", "ann", "bob smith", "Zoe"}) {
    std::vector<long long> said, answered;
    for (const auto& line : SaidLines(LogEvents())) {
      if (line.speaker == name) said.push_back(line.ms);
    }
    for (const auto& post : Posted()) {
      if (post.text == Added(name)) answered.push_back(post.ms);
    }
    ASSERT_EQ(said.size(), answered.size()) << name;
    for (std::size_t i = 0; i < said.size(); ++i) EXPECT_GE(answered[i] - said[i], 700) << name;
  }
}

// The host is half-way through a line in the entry box when an answer is
// due: the answer goes out whole, the box gets the host's text back with the
// caret at its end, and the host's next keys finish the line.
TEST_F(EndToEnd, TheHostsHalfTypedLineSurvivesAnAnswer) {
  StartClient();
  StartRollkeepTurnedOn();
  programs_.TypeInEntryBox("hello wor");
  programs_.SayInRoom("Ann", "list me");
  const auto answer = WaitForPost(Added("Ann"));
  // The caret comes a message after the text: wait for both.
  const EntryBoxState typed{"hello wor", 9, 9};
  PollFor(kDeadline, [&] { return programs_.ReadEntryBox() == typed; });
  EXPECT_EQ(programs_.ReadEntryBox(), typed);
  const auto putBack = ScanPosts(LogEvents()).putBack;
  ASSERT_EQ(putBack.size(), 1u);
  EXPECT_EQ(putBack[0].line, "hello wor");
  EXPECT_GE(putBack[0].ms, answer.ms);

  programs_.TypeInEntryBox("ld");
  programs_.SendEntryBox();
  WaitFor(kDeadline, "the host's line", [&] {
    for (const auto& line : SaidLines(LogEvents())) {
      if (line.speaker == "Host" && line.text == "hello world") return true;
    }
    return false;
  });
  EXPECT_EQ(programs_.ReadEntryBox(), (EntryBoxState{"", 0, 0}));
}

}  // namespace
}  // namespace rollkeep::e2e
