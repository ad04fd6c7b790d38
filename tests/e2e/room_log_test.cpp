// The reading of the client's log that every end-to-end check rests on.

#include <gtest/gtest.h>

#include "driver/poll.h"
#include "driver/room_log.h"

namespace rollkeep::driver {
namespace {

TEST(RoomLog, UnescapesEveryEscape) {
  const struct {
    std::string escaped;
    std::string plain;
  } cases[] = {
      {"plain text", "plain text"},
      {"a\\\\b", "a\\b"},
      {"\\r\\n\\t", "\r\n\t"},
      {"\\x01\\x1f\\x1F", std::string("\x01\x1f\x1f")},
      {"\\x00end", std::string("\0end", 4)},
      {"\\\\x41", "\\x41"},  // an escaped backslash, then plain text
      {"\xe9t\xe9", "\xe9t\xe9"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Unescape(c.escaped), c.plain) << c.escaped;
}

TEST(RoomLog, RejectsMalformedEscapesAndLines) {
  for (const char* bad : {"a\\", "\\q", "\\x4", "\\xg0"}) {
    EXPECT_THROW(Unescape(bad), DriverError) << bad;
  }
  for (const char* bad : {"12\tSETTEXT\n", "x\tLINE\ta\n", "5\tLINE\ta\\\n"}) {
    EXPECT_THROW(ParseLog(bad), DriverError) << bad;
  }
}

TEST(RoomLog, ParsesCompleteLinesOnly) {
  const auto events = ParseLog(
      "0\tSETTEXT\t\n"
      "12\tSETTEXT\t<b>a\\tb</b>\r\n"
      "15\tCHAR\t13\n"
      "18\tROOM\topened Lobby 1\n"
      "20\tLINE\tHost:\\ta b\n"
      "25\tLINE\tcut off mid-wri");
  const std::vector<LogEvent> expected{
      {0, LogKind::SetText, ""},
      {12, LogKind::SetText, "<b>a\tb</b>"},
      {15, LogKind::Char, "13"},
      {18, LogKind::Other, "opened Lobby 1"},
      {20, LogKind::Line, "Host:\ta b"},
  };
  EXPECT_EQ(events, expected);
}

std::vector<LogEvent> Group(long long ms, const std::string& line) {
  return {{ms, LogKind::SetText, ""},
          {ms + 1, LogKind::SetText, ""},
          {ms + 2, LogKind::SetText, ""},
          {ms + 3, LogKind::SetText, line},
          {ms + 4, LogKind::Char, "13"}};
}

TEST(RoomLog, GroupsFiveMessagesIntoOnePost) {
  auto events = Group(100, "one");
  events.push_back({104, LogKind::Line, "Host:\tone"});
  events.push_back({105, LogKind::Other, "hang"});
  const auto second = Group(900, "two");
  events.insert(events.end(), second.begin(), second.end());
  // A post still being typed is not counted.
  events.push_back({950, LogKind::SetText, ""});

  const auto scan = ScanPosts(events);
  EXPECT_EQ(scan.fault, "");
  EXPECT_EQ(scan.posts, (std::vector<Post>{{100, "one"}, {900, "two"}}));
}

TEST(RoomLog, ReportsMalformedPosts) {
  const std::vector<std::vector<LogEvent>> malformed{
      // Only two empty texts first.
      {{0, LogKind::SetText, ""}, {1, LogKind::SetText, ""},
       {2, LogKind::SetText, "x"}, {3, LogKind::Char, "13"}},
      // A text that is not empty where the box is emptied.
      {{0, LogKind::SetText, ""}, {1, LogKind::SetText, "y"},
       {2, LogKind::SetText, ""}, {3, LogKind::SetText, "x"},
       {4, LogKind::Char, "13"}},
      // Another character than Enter.
      [] { auto g = Group(0, "x"); g.back().payload = "10"; return g; }(),
      // Enter alone.
      {{0, LogKind::Char, "13"}},
  };
  for (const auto& events : malformed) {
    const auto scan = ScanPosts(events);
    EXPECT_NE(scan.fault, "");
    EXPECT_TRUE(scan.posts.empty());
  }
}

TEST(RoomLog, SplitsChatLinesAndSkipsNotices) {
  const auto lines = SaidLines({
      {5, LogKind::Line, "Bob Smith:\tlist me"},
      {6, LogKind::Line, "*** Ann has entered the room"},
      {7, LogKind::Line, "Eve:\tone:\ttwo"},
      {8, LogKind::SetText, "Ann:\tnot a line"},
  });
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].ms, 5);
  EXPECT_EQ(lines[0].speaker, "Bob Smith");
  EXPECT_EQ(lines[0].text, "list me");
  EXPECT_EQ(lines[1].speaker, "Eve");
  EXPECT_EQ(lines[1].text, "one:\ttwo");
}

}  // namespace
}  // namespace rollkeep::driver
