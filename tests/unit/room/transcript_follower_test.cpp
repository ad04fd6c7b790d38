#include "room/transcript_follower.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "room/room_posting.h"
#include "roster/chat_commands.h"
#include "roster/roster.h"
#include "support/fake_ports.h"

namespace rollkeep {
namespace {

using Lines = std::vector<std::string>;

// A transcript holding `lines`, each ended by CR LF, then `partial`.
std::string Transcript(const Lines& lines, const std::string& partial = "") {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text + partial;
}

// "<name>:\t<n>" for n in [from, to], then `more`.
Lines Numbered(int from, int to, const Lines& more = {}, const std::string& name = "Ann") {
  Lines lines;
  for (int n = from; n <= to; ++n) lines.push_back(name + ":\t" + std::to_string(n));
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

TEST(TranscriptFollower, ReportsExactlyTheNewCompleteLines) {
  const std::string hi = "Ann:\thi", half = "Bob:\thalf", big(1 << 20, 'x');
  const std::string long1 = hi + big, long2 = big + ":\t" + big;
  const struct {
    const char* name;
    std::string baseline;
    std::vector<std::pair<std::string, Lines>> steps;  // snapshot, lines it reports
  } cases[] = {
      {"BaselineIsNotReplayed", Transcript(Numbered(1, 3)),
       {{Transcript(Numbered(1, 3)), {}}, {Transcript(Numbered(1, 4)), Numbered(4, 4)}}},
      {"PartialLineIsReportedOnceItsCrLfIsThere", Transcript(Numbered(1, 1), "Bob:\tha"),
       {{Transcript(Numbered(1, 1), "Bob:\thal"), {}},
        {Transcript(Numbered(1, 1), half + "\r"), {}},
        {Transcript(Numbered(1, 1, {half})), {half}},
        {Transcript(Numbered(1, 1, {half})), {}}}},
      {"LoneCrOrLfNoticesAndEmptyLinesAreLines", "",
       {{Transcript({"Ann:\ta\rb\nc", "*** Bob has entered the room", "", hi}),
         {"Ann:\ta\rb\nc", "*** Bob has entered the room", "", hi}}}},
      {"TrimmedFromTheTop", Transcript(Numbered(1, 40)),
       {{Transcript(Numbered(2, 40)), {}},                 // without appends
        {Transcript(Numbered(4, 42)), Numbered(41, 42)},   // with appends
        {Transcript(Numbered(40, 45)), Numbered(43, 45)},  // past the remembered lines
        {Transcript(Numbered(45, 46)), Numbered(46, 46)}}},  // to the last line seen
      {"RepeatedLineIsReportedEachTime", Transcript({hi}),
       {{Transcript({hi, hi, hi}), {hi, hi}}, {Transcript({hi, hi, hi, hi}), {hi}}}},
      {"RepeatedLinesWhileTrimmed", Transcript({"Bob:\tx", hi, hi}),
       {{Transcript({hi, hi, hi}), {hi}}, {Transcript({hi, hi, hi}), {}}}},
      {"RepeatedRunAppendedAgain", Transcript(Numbered(1, 3)),
       {{Transcript(Numbered(1, 3, Numbered(1, 3))), Numbered(1, 3)}}},
      {"ReplacedTranscriptBecomesTheBaseline", Transcript(Numbered(1, 3)),
       {{Transcript(Numbered(1, 2, {}, "Zed")), {}},
        {Transcript(Numbered(1, 3, {}, "Zed")), Numbered(3, 3, {}, "Zed")}}},
      {"ClearedThenRefilled", Transcript(Numbered(1, 2)),
       {{"", {}}, {Transcript(Numbered(9, 9)), Numbered(9, 9)}}},
      {"OneMegabyteLines", Transcript({hi}),
       {{Transcript({hi}, long1), {}},
        {Transcript({hi, long1, long2}), {long1, long2}},
        {Transcript({long2, hi}), {hi}}}},
  };
  for (const auto& c : cases) {
    TranscriptFollower follower;
    follower.Reset(c.baseline);
    int step = 0;
    for (const auto& [snapshot, expected] : c.steps) {
      EXPECT_EQ(follower.Update(snapshot), expected) << c.name << ", step " << step++;
    }
  }
}

// A client that appends random lines, sometimes stops mid-line, and keeps
// only its last `cap` lines: every line said is reported once, in order.
TEST(TranscriptFollower, FollowsARandomClientThatTrims) {
  std::mt19937 random(20240611);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  auto sayLine = [&] {
    const char* names[] = {"Ann", "Bob Smith", "c:d", "Eve"};
    return std::string(names[pick(4)]) + ":\t" + std::string(1 + pick(3), 'a' + pick(26)) +
           std::to_string(pick(50));
  };
  for (int cap : {4, 10, 40}) {
    Lines shown = {sayLine()};
    std::string pending;  // the next line, as said so far (its CR LF may be missing)
    TranscriptFollower follower;
    follower.Reset(Transcript(shown));
    for (int step = 0; step < 400; ++step) {
      Lines said;
      if (!pending.empty() && pick(2) == 0) said.push_back(std::exchange(pending, ""));
      // Nothing comes after a line still being appended. At most cap - 1
      // lines per step, so the last line seen stays in view.
      if (pending.empty()) {
        for (int n = pick(cap - static_cast<int>(said.size())); n > 0; --n) {
          said.push_back(sayLine());
        }
        if (pick(3) == 0) pending = sayLine();
      }
      shown.insert(shown.end(), said.begin(), said.end());
      if (shown.size() > static_cast<std::size_t>(cap)) {
        shown.erase(shown.begin(), shown.end() - cap);
      }
      // Caught mid-append: some of the pending line, at most up to its CR.
      const std::string cut =
          pending.empty() ? "" : (pending + "\r").substr(0, 1 + pick(pending.size() + 1));
      ASSERT_EQ(follower.Update(Transcript(shown, cut)), said) << "cap " << cap << " step " << step;
    }
  }
}

TEST(ParseChatLine, SplitsAtTheFirstColonTab) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Bob Smith:\tlist me", "Bob Smith|list me"}, {"a:b:\thi", "a:b|hi"},
      {"Bob:\tx:\ty", "Bob|x:\ty"},                 {"Bob:\t list me ", "Bob| list me "},
      {"Bob:\t", "Bob|"},                           {"J\xF6rg:\t\xE9t\xE9", "J\xF6rg|\xE9t\xE9"},
      {"*** Bob has entered the room", "notice"},   {"Bob: hi", "notice"},
      {"", "notice"},
  };
  for (const auto& [line, expected] : cases) {
    const auto parts = ParseChatLine(line);
    EXPECT_EQ(parts ? parts->screenName + "|" + parts->text : "notice", expected) << line;
  }
}

// Rollkeep's own announcements come back as lines said by the operator. Fed
// to the chat command handler they change nothing and answer nothing, so the
// program never talks to itself.
TEST(ParseChatLine, OwnAnnouncementsFedBackChangeNothing) {
  Roster roster;
  roster.assign({"Bob", "Host"});
  roster.select(0);
  testing::FakePoster poster;
  testing::FakeWaiter waiter;
  ChatCommandHandler handler(roster, poster, waiter);
  // As the client shows them (tags removed), and as they were typed.
  for (const std::string& text : {std::string(":: Rollkeep: Bob has been added to the list"),
                                  std::string(Brask32::StylePrefix) + "Rollkeep: <u>Bob</u>"}) {
    const auto parts = ParseChatLine("Host:\t" + text).value();
    EXPECT_TRUE(handler.ChatLine(parts.screenName, parts.text));
  }
  EXPECT_EQ(roster.entries(), (Lines{"Bob", "Host"}));
  EXPECT_EQ(roster.selection(), 0);
  EXPECT_TRUE(poster.posts.empty());
  EXPECT_TRUE(waiter.waits.empty());
}

}  // namespace
}  // namespace rollkeep
