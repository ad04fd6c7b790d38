// The driver's reading of the client's log, which every end-to-end check
// rests on, and the command lines it hands to Wine.

#include <gtest/gtest.h>

#include <tuple>

#include "driver/command_line.h"
#include "driver/poll.h"
#include "driver/room_log.h"
#include "room/room_posting.h"

namespace rollkeep::driver {
namespace {

TEST(RoomLog, UnescapesPayloadsAndRejectsMalformedLines) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\\\\b", "a\\b"},    {"\\r\\n\\t", "\r\n\t"}, {"\\x01\\x1F", "\x01\x1f"},
      {"\\x00", std::string(1, '\0')}, {"\\\\x41", "\\x41"}, {"\xe9t\xe9", "\xe9t\xe9"}};
  for (const auto& [escaped, plain] : cases) EXPECT_EQ(Unescape(escaped), plain) << escaped;
  for (const char* bad : {"a\\", "\\q", "\\x4", "\\xg0"}) {
    EXPECT_THROW(Unescape(bad), DriverError) << bad;
  }
  for (const char* bad : {"12\tSETTEXT\n", "x\tLINE\ta\n", "5\tLINE\ta\\\n"}) {
    EXPECT_THROW(ParseLog(bad), DriverError) << bad;
  }
}

TEST(RoomLog, ParsesCompleteLinesAndSplitsChatLines) {
  const auto events = ParseLog(
      "12\tSETTEXT\t<b>a\\tb</b>\r\n15\tCHAR\t13\n18\tROOM\topened\n"
      "20\tLINE\tHost:\\ta:\\tb\n21\tLINE\t*** Ann has entered\n25\tLINE\tcut off");
  EXPECT_EQ(events, (std::vector<LogEvent>{{12, LogKind::SetText, "<b>a\tb</b>"},
                                           {15, LogKind::Char, "13"},
                                           {18, LogKind::Other, "opened"},
                                           {20, LogKind::Line, "Host:\ta:\tb"},
                                           {21, LogKind::Line, "*** Ann has entered"}}));
  const auto said = SaidLines(events);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(std::tie(said[0].ms, said[0].speaker, said[0].text),
            std::make_tuple(20LL, std::string("Host"), std::string("a:\tb")));
}

std::vector<LogEvent> Group(long long ms, const std::string& line, const char* key = "13") {
  return {{ms, LogKind::SetText, ""},       {ms + 1, LogKind::SetText, ""},
          {ms + 2, LogKind::SetText, ""},   {ms + 3, LogKind::SetText, line},
          {ms + 4, LogKind::Char, key}};
}

TEST(RoomLog, PostsAreFiveMessagesBehindTheStylePrefix) {
  const std::string styled = std::string(Brask32::StylePrefix) + "one";
  auto events = Group(100, styled);
  events.push_back({104, LogKind::Line, "Host:\tone"});
  events.push_back({105, LogKind::SetText, "hello wor"});  // the operator's text put back
  for (const auto& e : Group(900, "two")) events.push_back(e);
  events.push_back({950, LogKind::SetText, ""});  // a post still being typed
  const auto scan = ScanPosts(events);
  EXPECT_EQ(scan.fault, "");
  EXPECT_EQ(scan.posts, (std::vector<Post>{{100, styled}, {900, "two"}}));
  EXPECT_EQ(scan.putBack, (std::vector<Post>{{105, "hello wor"}}));
  EXPECT_EQ(Announcements(scan.posts),
            (std::vector<Announcement>{{100, "one"}, {900, "<no prefix> two"}}));

  auto tooFew = Group(0, "x");
  tooFew.erase(tooFew.begin());
  auto notEmptied = Group(0, "x");
  notEmptied[1].payload = "y";
  auto typedFirst = Group(1, "x");  // a text before any post is no put-back
  typedFirst.insert(typedFirst.begin(), {0, LogKind::SetText, "typed"});
  for (const auto& bad : {tooFew, notEmptied, typedFirst, Group(0, "x", "10"),
                          std::vector<LogEvent>{{0, LogKind::Char, "13"}}}) {
    const auto bad_scan = ScanPosts(bad);
    EXPECT_NE(bad_scan.fault, "");
    EXPECT_TRUE(bad_scan.posts.empty());
  }
}

TEST(CommandLine, QuotesOnlyWhatNeedsItAndMapsPathsToDriveZ) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\dir\\f.txt", "C:\\dir\\f.txt"}, {"", "\"\""}, {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\my dir\\", "\"C:\\my dir\\\\\""}, {"a\\\\\"b c", "\"a\\\\\\\\\\\"b c\""},
      {"tab\there", "\"tab\there\""}};
  for (const auto& [argument, quoted] : cases) EXPECT_EQ(QuoteArgument(argument), quoted);
  EXPECT_EQ(JoinCommandLine({"x.exe", "--log", "a b.log"}), "x.exe --log \"a b.log\"");
  EXPECT_EQ(ToWinePath("/work/x.exe"), "Z:\\work\\x.exe");
  EXPECT_EQ(ToWinePath("C:\\windows"), "C:\\windows");
}

}  // namespace
}  // namespace rollkeep::driver
