// What the room shows and what the log records.

#include "event_log.h"
#include "room_state.h"
#include "text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace roomsim {
namespace {

TEST(StripTags, DropsEveryTagAndKeepsAnUnclosedOne) {
  struct Case {
    const char* text;
    const char* shown;
  };
  const Case cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"Rollkeep: <u>Bob</u> has been added", "Rollkeep: Bob has been added"},
      {"<font color=#f40000><font face=\"arial black\">::<font color=#000001> x", ":: x"},
      {"<>a<>", "a"},
      {"a < b", "a < b"},
      {"a <b", "a <b"},
      {"<b>bold<", "bold<"},
      {"x > y", "x > y"},
      {"a <b> c <i", "a  c <i"},
      {"a <x <y> b", "a  b"},
      {"<<b>>", ">"},
      {"line\r\nbreak", "line\r\nbreak"},
  };
  for (const Case& c : cases) EXPECT_EQ(StripTags(c.text), c.shown) << c.text;
}

TEST(EscapeLogPayload, KeepsEveryEventOnOneLine) {
  struct Case {
    std::string payload;
    std::string escaped;
  };
  const Case cases[] = {
      {"plain text", "plain text"},
      {"a\\b", "a\\\\b"},
      {"\r\n\t", "\\r\\n\\t"},
      {std::string("\x00\x01\x1f", 3), "\\x00\\x01\\x1F"},
      {"\x7f\x80\xe9\xff", "\x7f\x80\xe9\xff"},
      {"Bob:\tlist me", "Bob:\\tlist me"},
      {"\\x41", "\\\\x41"},
  };
  for (const Case& c : cases) EXPECT_EQ(EscapeLogPayload(c.payload), c.escaped) << c.payload;
}

TEST(FormatLogLine, IsTimeKindAndEscapedPayload) {
  EXPECT_EQ(FormatLogLine(1234, "LINE", "Ann:\thi\r\n"), "1234\tLINE\tAnn:\\thi\\r\\n\n");
  EXPECT_EQ(FormatLogLine(0, "CHAR", "13"), "0\tCHAR\t13\n");
  EXPECT_EQ(FormatLogLine(7, "SETTEXT", ""), "7\tSETTEXT\t\n");
}

TEST(EventLog, WritesEachEventThroughAtOnce) {
  const std::string path =
      (std::filesystem::temp_directory_path() / "roomsim-event-log-test.txt").string();
  {
    EventLog log;
    ASSERT_TRUE(log.Open(path));
    log.StartClock(Stopwatch());
    log.Write("SETTEXT", "a\tb");
    std::ifstream in(path, std::ios::binary);  // read while the log is still open
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_NE(content.find('\t'), std::string::npos);
    EXPECT_EQ(content.substr(content.find('\t')), "\tSETTEXT\ta\\tb\n");
    EXPECT_GE(std::stoll(content), 0);
  }
  std::remove(path.c_str());
  EventLog unopened;
  unopened.Write("LINE", "goes nowhere");
  EXPECT_FALSE(unopened.Open(path + "/no/such/dir/log.txt"));
}

TEST(RoomState, AppendsLinesAndListsEachSpeakerOnce) {
  RoomState room(1000);
  struct Step {
    const char* name;
    const char* text;
    const char* line;
    bool newMember;
  };
  const Step steps[] = {
      {"Bob Smith", "list me", "Bob Smith:\tlist me", true},
      {"Ann", "", "Ann:\t", true},
      {"bob smith", "x", "bob smith:\tx", true},
      {"Bob Smith", "  again", "Bob Smith:\t  again", false},
      {"Ann", "a\r\nb\rc\nd", "Ann:\ta  b c d", false},
      {"Tab\tName", "t\tt", "Tab Name:\tt\tt", true},
  };
  for (const Step& s : steps) {
    RoomState::Said said = room.Say(s.name, s.text);
    EXPECT_EQ(said.line, s.line);
    EXPECT_EQ(said.newMember, s.newMember) << s.line;
    EXPECT_FALSE(said.trimmed);
  }
  EXPECT_EQ(room.Members(),
            (std::vector<std::string>{"Bob Smith", "Ann", "bob smith", "Tab Name"}));
  EXPECT_EQ(room.Text().rfind("Bob Smith:\tlist me\r\nAnn:\t\r\nbob smith:\tx\r\n", 0), 0u);
}

TEST(RoomState, KeepsOnlyTheNewestLines) {
  RoomState room(2);
  EXPECT_FALSE(room.Say("A", "1").trimmed);
  EXPECT_FALSE(room.Say("B", "2").trimmed);
  EXPECT_TRUE(room.Say("C", "3").trimmed);
  EXPECT_EQ(room.Text(), "B:\t2\r\nC:\t3\r\n");
  EXPECT_TRUE(room.Say("A", "4").trimmed);
  EXPECT_EQ(room.Text(), "C:\t3\r\nA:\t4\r\n");
  EXPECT_EQ(room.Members().size(), 3u);  // members stay when their lines scroll away
}

}  // namespace
}  // namespace roomsim
