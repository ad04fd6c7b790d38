#include "room/transcript_follower.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "room/room_posting.h"
#include "roster/chat_commands.h"
#include "roster/roster.h"
#include "support/fake_ports.h"

namespace rollkeep {

// Found by GoogleTest through the type's namespace.
static void PrintTo(const ChatLineParts& parts, std::ostream* out) {
  *out << '{' << ::testing::PrintToString(parts.screenName) << ", "
       << ::testing::PrintToString(parts.text) << '}';
}

namespace {

using Lines = std::vector<std::string>;

// A transcript holding `lines`, each ended by CR LF, then `partial`.
std::string Transcript(const Lines& lines, const std::string& partial = "") {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text + partial;
}

// "<name>:\t<n>" for n in [from, to].
Lines Numbered(int from, int to, const std::string& name = "Ann") {
  Lines lines;
  for (int n = from; n <= to; ++n) lines.push_back(name + ":\t" + std::to_string(n));
  return lines;
}

Lines Join(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct Step {
  std::string snapshot;
  Lines expected;
};

struct FollowCase {
  const char* name;
  std::string baseline;
  std::vector<Step> steps;
};

void PrintTo(const FollowCase& c, std::ostream* out) { *out << c.name; }

class FollowTest : public ::testing::TestWithParam<FollowCase> {};

TEST_P(FollowTest, ReportsExactlyTheNewCompleteLines) {
  const FollowCase& c = GetParam();
  TranscriptFollower follower;
  follower.Reset(c.baseline);
  for (std::size_t i = 0; i < c.steps.size(); ++i) {
    EXPECT_EQ(follower.Update(c.steps[i].snapshot), c.steps[i].expected) << "step " << i;
  }
}

const std::string kHi = "Ann:\thi";
const std::string kLong(1 << 20, 'x');

INSTANTIATE_TEST_SUITE_P(
    Transcripts, FollowTest,
    ::testing::Values(
        FollowCase{
            "BaselineIsNotReplayed",
            Transcript(Numbered(1, 3)),
            {{Transcript(Numbered(1, 3)), {}}, {Transcript(Numbered(1, 4)), Numbered(4, 4)}}},
        FollowCase{"PartialLineIsReportedOnceComplete",
                   Transcript(Numbered(1, 1)),
                   {{Transcript(Numbered(1, 1), "Bob:\thel"), {}},
                    {Transcript(Numbered(1, 1), "Bob:\thello"), {}},
                    {Transcript(Join(Numbered(1, 1), {"Bob:\thello"})), {"Bob:\thello"}},
                    {Transcript(Join(Numbered(1, 1), {"Bob:\thello"})), {}}}},
        FollowCase{"PartialLineAtBaselineIsReportedOnceComplete",
                   Transcript(Numbered(1, 1), "Bob:\tha"),
                   {{Transcript(Join(Numbered(1, 1), {"Bob:\thalf"})), {"Bob:\thalf"}}}},
        FollowCase{"CrLfSplitAcrossReads",
                   Transcript(Numbered(1, 1)),
                   {{Transcript(Numbered(1, 1), "Bob:\tyes\r"), {}},
                    {Transcript(Join(Numbered(1, 1), {"Bob:\tyes"})), {"Bob:\tyes"}}}},
        FollowCase{"LoneCrOrLfStaysInsideTheLine",
                   "",
                   {{Transcript({"Ann:\ta\rb\nc"}), {"Ann:\ta\rb\nc"}}}},
        FollowCase{"TrimmedFromTheTopWithAppends",
                   Transcript(Numbered(1, 5)),
                   {{Transcript(Numbered(3, 7)), Numbered(6, 7)}}},
        FollowCase{
            "TrimmedWithoutAppendsThenAppended",
            Transcript(Numbered(1, 5)),
            {{Transcript(Numbered(2, 5)), {}}, {Transcript(Numbered(2, 6)), Numbered(6, 6)}}},
        FollowCase{"TrimmedPastTheRememberedLines",
                   Transcript(Numbered(1, 40)),
                   {{Transcript(Numbered(38, 42)), Numbered(41, 42)}}},
        FollowCase{"TrimmedToTheLastSeenLine",
                   Transcript(Numbered(1, 3)),
                   {{Transcript(Numbered(3, 4)), Numbered(4, 4)}}},
        FollowCase{
            "RepeatedLineIsReportedEachTime",
            Transcript({kHi}),
            {{Transcript({kHi, kHi, kHi}), {kHi, kHi}}, {Transcript({kHi, kHi, kHi, kHi}), {kHi}}}},
        FollowCase{"RepeatedLinesWhileTrimmed",
                   Transcript({"Bob:\tx", kHi, kHi}),
                   {{Transcript({kHi, kHi, kHi}), {kHi}}, {Transcript({kHi, kHi, kHi}), {}}}},
        FollowCase{"RepeatedRunAppendedAgain",
                   Transcript(Numbered(1, 3)),
                   {{Transcript(Join(Numbered(1, 3), Numbered(1, 3))), Numbered(1, 3)}}},
        FollowCase{"ReplacedTranscriptBecomesTheBaseline",
                   Transcript(Numbered(1, 3)),
                   {{Transcript(Numbered(1, 2, "Zed")), {}},
                    {Transcript(Numbered(1, 3, "Zed")), Numbered(3, 3, "Zed")}}},
        FollowCase{"EmptyTranscript", "", {{"", {}}, {Transcript(Numbered(1, 2)), Numbered(1, 2)}}},
        FollowCase{"ClearedTranscriptThenRefilled",
                   Transcript(Numbered(1, 2)),
                   {{"", {}}, {Transcript(Numbered(9, 9)), Numbered(9, 9)}}},
        FollowCase{"RoomNoticesAreLinesToo",
                   "",
                   {{Transcript({"*** Bob has entered the room", kHi}),
                     {"*** Bob has entered the room", kHi}}}},
        FollowCase{"EmptyLines", Transcript({""}), {{Transcript({"", "", kHi}), {"", kHi}}}},
        FollowCase{"OneMegabyteLines",
                   Transcript({kHi}),
                   {{Transcript({kHi}, "Ann:\t" + kLong), {}},
                    {Transcript({kHi, "Ann:\t" + kLong, "Bob:\t" + kLong}),
                     {"Ann:\t" + kLong, "Bob:\t" + kLong}},
                    {Transcript({"Bob:\t" + kLong, kHi}), {kHi}}}}),
    [](const auto& info) { return std::string(info.param.name); });

// A client that appends random lines, sometimes stops mid-line, and keeps
// only its last `cap` lines: every line said is reported once, in order.
TEST(TranscriptFollower, FollowsARandomClientThatTrims) {
  std::mt19937 random(20240611);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  const Lines names = {"Ann", "Bob Smith", "c:d", "Eve"};
  auto sayLine = [&] {
    return names[pick(4)] + ":\t" + std::string(1 + pick(3), 'a' + pick(26)) +
           std::to_string(pick(50));
  };
  for (int cap : {4, 10, 40}) {
    Lines shown = {sayLine()};
    std::string pending;  // the next line, as said so far (its CR LF may be missing)
    TranscriptFollower follower;
    follower.Reset(Transcript(shown));
    for (int step = 0; step < 400; ++step) {
      Lines said;
      if (!pending.empty() && pick(2) == 0) {
        said.push_back(pending);
        pending.clear();
      }
      // Nothing comes after a line still being appended. At most cap - 1
      // lines per step, so the last line seen stays in view.
      if (pending.empty()) {
        for (int n = pick(cap - static_cast<int>(said.size())); n > 0; --n)
          said.push_back(sayLine());
        if (pick(3) == 0) pending = sayLine();
      }
      shown = Join(shown, said);
      if (shown.size() > static_cast<std::size_t>(cap))
        shown.erase(shown.begin(), shown.end() - cap);
      // Caught mid-append: some of the pending line, at most up to its CR.
      const std::string cut =
          pending.empty()
              ? ""
              : (pending + "\r").substr(0, 1 + pick(static_cast<int>(pending.size()) + 1));
      ASSERT_EQ(follower.Update(Transcript(shown, cut)), said)
          << "cap " << cap << ", step " << step;
    }
  }
}

struct ParseCase {
  const char* name;
  std::string line;
  std::optional<ChatLineParts> expected;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << c.name; }

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, SplitsAtTheFirstColonTab) {
  EXPECT_EQ(ParseChatLine(GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseTest,
    ::testing::Values(
        ParseCase{"Plain", "Bob:\tlist me", ChatLineParts{"Bob", "list me"}},
        ParseCase{"NameWithSpaces", "Bob Smith:\tremove me",
                  ChatLineParts{"Bob Smith", "remove me"}},
        ParseCase{"NameWithColon", "a:b:\thi", ChatLineParts{"a:b", "hi"}},
        ParseCase{"TextWithColonTab", "Bob:\tx:\ty", ChatLineParts{"Bob", "x:\ty"}},
        ParseCase{"TextKeptExactly", "Bob:\t list me ", ChatLineParts{"Bob", " list me "}},
        ParseCase{"EmptyText", "Bob:\t", ChatLineParts{"Bob", ""}},
        ParseCase{"HighBytes", "J\xF6rg:\t\xE9t\xE9", ChatLineParts{"J\xF6rg", "\xE9t\xE9"}},
        ParseCase{"RoomNotice", "*** Bob has entered the room", std::nullopt},
        ParseCase{"ColonWithoutTab", "Bob: hi", std::nullopt},
        ParseCase{"Empty", "", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Rollkeep's own announcements come back as lines said by the operator. Fed
// to the chat command handler they change nothing and answer nothing, so the
// program never talks to itself.
TEST(TranscriptFollower, OwnAnnouncementsFedBackChangeNothing) {
  const std::string shown = "Host:\t:: Rollkeep: Bob has been added to the list";
  const std::string raw = "Host:\t" + std::string(Brask32::StylePrefix) +
                          "Rollkeep: <u>Bob</u> has been added to the list";
  for (const std::string& line : {shown, raw}) {
    Roster roster;
    roster.append("Bob");
    roster.append("Host");
    roster.select(0);
    testing::FakePoster poster;
    testing::FakeWaiter waiter;
    ChatCommandHandler handler(roster, poster, waiter);

    TranscriptFollower follower;
    follower.Reset("");
    for (const std::string& said : follower.Update(Transcript({line}))) {
      const auto parts = ParseChatLine(said);
      ASSERT_TRUE(parts.has_value());
      EXPECT_EQ(parts->screenName, "Host");
      EXPECT_TRUE(handler.ChatLine(parts->screenName, parts->text));
    }
    EXPECT_EQ(roster.entries(), (Lines{"Bob", "Host"}));
    EXPECT_EQ(roster.selection(), std::optional<int>(0));
    EXPECT_TRUE(poster.posts.empty());
    EXPECT_TRUE(waiter.waits.empty());
  }
}

}  // namespace
}  // namespace rollkeep
