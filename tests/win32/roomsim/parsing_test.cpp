// The simulator's command line, options and scripts, and what its room shows
// and its log records of a line.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "command_line.h"
#include "options.h"
#include "room_state.h"
#include "script.h"
#include "seconds.h"
#include "text.h"

namespace roomsim {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheRuntimeRules) {
  const std::pair<const char*, Args> cases[] = {
      {"\"C:\\Program Files\\r.exe\" --log x", {"C:\\Program Files\\r.exe", "--log", "x"}},
      {"C:\\a\\x.exe\t --a  \t b ", {"C:\\a\\x.exe", "--a", "b"}},
      {"x a\\\\b a\\\"b a\\\\\"b c\"", {"x", "a\\\\b", "a\"b", "a\\b c"}},
      {"x \"a\"\"b\" \"\" \"C:\\dir\\\\\" ab\"c d\"e", {"x", "a\"b", "", "C:\\dir\\", "abc de"}},
      {"x \"unclosed arg", {"x", "unclosed arg"}},
  };
  for (const auto& [line, args] : cases) EXPECT_EQ(SplitCommandLine(line), args) << line;
}

TEST(ParseOptions, ReadsBothFormsAndTakesAValueEvenIfItLooksLikeAnOption) {
  EXPECT_EQ(ParseOptions({}).options.operatorName, "Host");
  EXPECT_EQ(ParseOptions({"--exit-after=.0005"}).options.exitAfterMs, 1);  // rounded
  EXPECT_EQ(ParseOptions({"--hang-after=2147483.647"}).options.hangAfterMs, kMaxMilliseconds);
  const ParsedOptions parsed =
      ParseOptions({"--operator", "--log", "--script=C:\\s p\\a.txt", "--log", "l.txt",
                    "--exit-after", "2.5", "--keep-lines=3", "--hang-after", "0", "--help"});
  ASSERT_EQ(parsed.error, "");
  const Options& o = parsed.options;
  EXPECT_EQ(o.operatorName + "|" + o.scriptPath + "|" + o.logPath, "--log|C:\\s p\\a.txt|l.txt");
  EXPECT_EQ(std::tuple(o.exitAfterMs.value_or(-1), o.hangAfterMs.value_or(-1), o.keepLines, o.help),
            std::tuple(2500, 0, 3, true));
}

TEST(ParseOptions, ReadsTheTranscriptFormat) {
  const struct {
    Args args;
    LineEnd lineEnd;
    SpeakerMark mark;
  } cases[] = {{{}, LineEnd::CrLf, SpeakerMark::Tab},
               {{"--line-end=cr"}, LineEnd::Cr, SpeakerMark::Tab},
               {{"--line-end", "lf", "--speaker-mark", "space"}, LineEnd::Lf, SpeakerMark::Space},
               {{"--speaker-mark=tab", "--line-end=separate"}, LineEnd::Separate, SpeakerMark::Tab},
               {{"--line-end=lf", "--line-end=crlf"}, LineEnd::CrLf, SpeakerMark::Tab}};
  for (const auto& c : cases) {
    const ParsedOptions parsed = ParseOptions(c.args);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(std::tuple(parsed.options.lineEnd, parsed.options.speakerMark),
              std::tuple(c.lineEnd, c.mark));
  }
}

TEST(RoomState, WritesItsTranscriptInTheFormatSet) {
  const struct {
    LineEnd lineEnd;
    SpeakerMark mark;
    const char* appended;  // what each of the three lines added, then the whole text
    const char* text;
  } cases[] = {
      {LineEnd::CrLf, SpeakerMark::Tab, "A:\ta\r\n|B:\tb\r\n|C:\tc\r\n", "B:\tb\r\nC:\tc\r\n"},
      {LineEnd::Cr, SpeakerMark::Space, "A: a\r|B: b\r|C: c\r", "B: b\rC: c\r"},
      {LineEnd::Lf, SpeakerMark::Tab, "A:\ta\n|B:\tb\n|C:\tc\n", "B:\tb\nC:\tc\n"},
      {LineEnd::Separate, SpeakerMark::Space, "A: a|\r\nB: b|\r\nC: c", "B: b\r\nC: c"}};
  for (const auto& c : cases) {
    RoomState room(2, c.lineEnd, c.mark);
    std::string appended;
    for (const char* name : {"A", "B", "C"}) {
      const RoomState::Said said = room.Say(name, std::string(1, static_cast<char>(*name + 32)));
      EXPECT_EQ(said.line, std::string(name) + ":\t" + static_cast<char>(*name + 32));
      appended += (appended.empty() ? "" : "|") + said.appended;
    }
    EXPECT_EQ(appended, c.appended);
    EXPECT_EQ(room.Text(), c.text);
  }
}

TEST(ParseOptions, RefusesBadArgumentsNamingThem) {
  const std::pair<Args, const char*> cases[] = {
      {{"--bogus=1"}, "--bogus"},         {{"stray"}, "stray"},
      {{"--log"}, "--log"},               {{"--operator", ""}, "--operator"},
      {{"--operator", "a\nb"}, "--operator"}, {{"--keep-lines", "0"}, "--keep-lines"},
      {{"--keep-lines", "1.5"}, "1.5"},   {{"--keep-lines", "99999999999"}, "99999999999"},
      {{"--keep-lines="}, "--keep-lines"}, {{"--exit-after", "soon"}, "soon"},
      {{"--hang-after", "1e9"}, "1e9"},   {{"--hang-after", "2147483.648"}, "2147483.648"},
      {{"--exit-after", "+1"}, "+1"},     {{"--exit-after", "1.2.3"}, "1.2.3"},
      {{"--line-end", "CRLF"}, "crlf|cr|lf|separate"}, {{"--line-end"}, "--line-end"},
      {{"--speaker-mark=colon"}, "tab|space, got 'colon'"},
      {{"--hang-for", "10"}, "--hang-after"}, {{"--hang-after=1", "--hang-for", "-2"}, "-2"},
      {{"--hang-after=1", "--hang-for"}, "--hang-for"}};
  for (const auto& [args, named] : cases) {
    const std::string error = ParseOptions(args).error;
    EXPECT_NE(error.find(named), std::string::npos) << args.front() << ": " << error;
  }
}

TEST(ParseOptions, AHangLastsForGoodOrForItsLength) {
  const std::pair<Args, std::tuple<std::int64_t, std::int64_t>> cases[] = {
      {{"--hang-after", "2"}, {2000, -1}},
      {{"--hang-after", "2", "--hang-for", "10"}, {2000, 10000}},
      {{"--hang-for=0.25", "--hang-after=0"}, {0, 250}},  // in any order
  };
  for (const auto& [args, hang] : cases) {
    const ParsedOptions parsed = ParseOptions(args);
    EXPECT_EQ(parsed.error, "") << args.front();
    const Options& o = parsed.options;
    EXPECT_EQ(std::tuple(o.hangAfterMs.value_or(-1), o.hangForMs.value_or(-1)), hang)
        << args.front();
  }
}

TEST(ParseScript, ReadsEventsInTimeOrderOrNamesTheBadLine) {
  struct Case {
    const char* content;
    std::vector<ScriptEvent> events;
    const char* error;  // how the error starts; "" for none
  };
  const Case cases[] = {
      {"0.25 Bob Smith: list me\n0 Bob:", {{0, "Bob", ""}, {250, "Bob Smith", "list me"}}, ""},
      {"0 a:b: c: d\r\n3 B:   x  \r", {{0, "a:b", "c: d"}, {3000, "B", "  x  "}}, ""},
      {"0  B\xE9la: tab\there <b>x</b>", {{0, " B\xE9la", "tab\there <b>x</b>"}}, ""},
      {"# m\r\n2 Cy: 3\r\n\r\n \t \n.5 Ann: 1\n2 Ann: 4\n#0 No: x\n1. Bo: 2",
       {{500, "Ann", "1"}, {1000, "Bo", "2"}, {2000, "Cy", "3"}, {2000, "Ann", "4"}}, ""},
      {"1Bob: x", {}, "line 1: "},       {"-1 Bob: x", {}, "line 1: bad time '-1'"},
      {"1 Bob x", {}, "line 1: no ': '"}, {"1 Bob:x", {}, "line 1: no ': '"},
      {"1 : x", {}, "line 1: empty screen name"}, {"\t1 Bob: x", {}, "line 1: "},
      {"1 Bo\tb: x", {}, "line 1: control character"}, {"1 B: ok\n\n#\n2 bad", {}, "line 4: "}};
  for (const Case& c : cases) {
    const ParsedScript parsed = ParseScript(c.content);
    EXPECT_EQ(parsed.events, c.events) << c.content;
    EXPECT_EQ(parsed.error.empty(), *c.error == '\0') << c.content;
    EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << c.content << " -> " << parsed.error;
  }
}

TEST(StripTags, DropsEveryTagAndKeepsAnUnclosedOne) {
  const std::pair<const char*, const char*> cases[] = {
      {"Rollkeep: <u>Bob</u> has been added", "Rollkeep: Bob has been added"},
      {"<font color=#f40000><font face=\"arial black\">::<font color=#000001> x", ":: x"},
      {"<>a<>", "a"}, {"a < b", "a < b"}, {"<b>bold<", "bold<"}, {"x > y", "x > y"},
      {"a <b> c <i", "a  c <i"}, {"a <x <y> b", "a  b"}, {"<<b>>", ">"}, {"l\r\nb", "l\r\nb"}};
  for (const auto& [text, shown] : cases) EXPECT_EQ(StripTags(text), shown) << text;
}

TEST(EscapeLogPayload, KeepsEveryEventOnOneLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"Bob:\tlist me", "Bob:\\tlist me"}, {"a\\b", "a\\\\b"}, {"\r\n", "\\r\\n"},
      {std::string("\x00\x01\x1f", 3), "\\x00\\x01\\x1F"}, {"\x7f\x80\xe9\xff", "\x7f\x80\xe9\xff"},
      {"\\x41", "\\\\x41"}};
  for (const auto& [payload, escaped] : cases) EXPECT_EQ(EscapeLogPayload(payload), escaped);
}

}  // namespace
}  // namespace roomsim
