// The simulator's command line, options and scripts.

#include "command_line.h"
#include "options.h"
#include "script.h"
#include "seconds.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace roomsim {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheRuntimeRules) {
  struct Case {
    const char* line;
    Args args;
  };
  const Case cases[] = {
      {"roomsim.exe", {"roomsim.exe"}},
      {"\"C:\\Program Files\\roomsim.exe\" --log x",
       {"C:\\Program Files\\roomsim.exe", "--log", "x"}},
      {"C:\\a\\b\\x.exe\t --a  \t b ", {"C:\\a\\b\\x.exe", "--a", "b"}},
      {"x \"C:\\My Logs\\a b.txt\"", {"x", "C:\\My Logs\\a b.txt"}},
      {"x a\\\\b", {"x", "a\\\\b"}},
      {"x a\\\"b", {"x", "a\"b"}},
      {"x a\\\\\"b c\"", {"x", "a\\b c"}},
      {"x \"a\"\"b\"", {"x", "a\"b"}},
      {"x \"\"", {"x", ""}},
      {"x \"C:\\dir\\\\\" y", {"x", "C:\\dir\\", "y"}},
      {"x ab\"c d\"e", {"x", "abc de"}},
      {"x \"unclosed arg", {"x", "unclosed arg"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

TEST(ParseSeconds, ReadsNonNegativeDecimalsAsMilliseconds) {
  struct Case {
    const char* text;
    std::optional<std::int64_t> ms;
  };
  const Case cases[] = {
      {"0", 0},           {"2", 2000},        {"0.75", 750},     {".5", 500},
      {"1.", 1000},       {"0.0004", 0},      {"0.0005", 1},     {"1.2345678", 1235},
      {"2147483.647", kMaxMilliseconds},      {"2147483.648", std::nullopt},
      {"99999999999999999999", std::nullopt}, {"", std::nullopt}, {".", std::nullopt},
      {"-1", std::nullopt},  {"+1", std::nullopt}, {"1e3", std::nullopt}, {" 1", std::nullopt},
      {"1 ", std::nullopt},  {"1.2.3", std::nullopt}, {"inf", std::nullopt}, {"0x10", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSeconds(c.text), c.ms) << c.text;
}

TEST(ParseOptions, DefaultsWithoutArguments) {
  ParsedOptions parsed = ParseOptions({});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.operatorName, "Host");
  EXPECT_EQ(parsed.options.keepLines, 1000);
  EXPECT_EQ(parsed.options.scriptPath, "");
  EXPECT_EQ(parsed.options.logPath, "");
  EXPECT_FALSE(parsed.options.exitAfterMs);
  EXPECT_FALSE(parsed.options.hangAfterMs);
  EXPECT_FALSE(parsed.options.help);
}

TEST(ParseOptions, AcceptsEveryOptionInBothForms) {
  ParsedOptions parsed = ParseOptions({"--operator", "Ann Lee", "--script=C:\\s p\\a.txt",
                                       "--log", "log.txt", "--exit-after", "2.5",
                                       "--keep-lines=3", "--hang-after", "0", "--help"});
  ASSERT_EQ(parsed.error, "");
  const Options& o = parsed.options;
  EXPECT_EQ(o.operatorName, "Ann Lee");
  EXPECT_EQ(o.scriptPath, "C:\\s p\\a.txt");
  EXPECT_EQ(o.logPath, "log.txt");
  EXPECT_EQ(o.exitAfterMs, 2500);
  EXPECT_EQ(o.keepLines, 3);
  EXPECT_EQ(o.hangAfterMs, 0);
  EXPECT_TRUE(o.help);
}

TEST(ParseOptions, RefusesBadArgumentsWithAMessageNamingThem) {
  struct Case {
    Args args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"--bogus=1"}, "--bogus"},
      {{"stray"}, "stray"},
      {{"-h"}, "-h"},
      {{"--log"}, "--log"},
      {{"--operator", ""}, "--operator"},
      {{"--operator", "a\nb"}, "--operator"},
      {{"--keep-lines", "0"}, "--keep-lines"},
      {{"--keep-lines", "-5"}, "-5"},
      {{"--keep-lines", "1.5"}, "1.5"},
      {{"--keep-lines", "99999999999"}, "99999999999"},
      {{"--keep-lines="}, "--keep-lines"},
      {{"--exit-after", "-1"}, "-1"},
      {{"--exit-after", "soon"}, "soon"},
      {{"--hang-after", "1e9"}, "1e9"},
  };
  for (const Case& c : cases) {
    ParsedOptions parsed = ParseOptions(c.args);
    EXPECT_NE(parsed.error.find(c.mentions), std::string::npos)
        << c.args.front() << ": " << parsed.error;
  }
}

TEST(ParseOptions, ATakenValueIsNotReadAsAnOption) {
  ParsedOptions parsed = ParseOptions({"--operator", "--log"});
  EXPECT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.operatorName, "--log");
}

TEST(ParseScript, ReadsEventLines) {
  struct Case {
    const char* line;
    ScriptEvent event;
  };
  const Case cases[] = {
      {"1 Bob: list me", {1000, "Bob", "list me"}},
      {"0.25 Bob Smith: list me", {250, "Bob Smith", "list me"}},
      {"0 Bob:   spaced  ", {0, "Bob", "  spaced  "}},
      {"0 Bob: ", {0, "Bob", ""}},
      {"0 Bob:", {0, "Bob", ""}},
      {"0 a:b: c: d", {0, "a:b", "c: d"}},
      {"0 Bob: tab\there <b>x</b>", {0, "Bob", "tab\there <b>x</b>"}},
      {"0  Bob: x", {0, " Bob", "x"}},
      {"0 B\xE9la: \xE9t\xE9", {0, "B\xE9la", "\xE9t\xE9"}},
      {"3 Bob: x\r", {3000, "Bob", "x"}},
  };
  for (const Case& c : cases) {
    ParsedScript parsed = ParseScript(c.line);
    ASSERT_EQ(parsed.error, "") << c.line;
    ASSERT_EQ(parsed.events.size(), 1u) << c.line;
    EXPECT_EQ(parsed.events[0], c.event) << c.line;
  }
}

TEST(ParseScript, RefusesBadLinesNamingTheLine) {
  struct Case {
    const char* content;
    const char* error;
  };
  const Case cases[] = {
      {"1Bob: x", "line 1: "},
      {"x Bob: x", "line 1: bad time 'x'"},
      {"-1 Bob: x", "line 1: bad time '-1'"},
      {"1 Bob x", "line 1: no ': '"},
      {"1 Bob:x", "line 1: no ': '"},
      {"1 : x", "line 1: empty screen name"},
      {"1 Bo\tb: x", "line 1: control character"},
      {"1 Bob: ok\n\n# note\n2 bad", "line 4: "},
      {"\t1 Bob: x", "line 1: "},
  };
  for (const Case& c : cases) {
    ParsedScript parsed = ParseScript(c.content);
    EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << c.content << " -> " << parsed.error;
    EXPECT_TRUE(parsed.events.empty());
  }
}

TEST(ParseScript, SkipsBlankAndCommentLinesAndOrdersByTimeStably) {
  ParsedScript parsed = ParseScript(
      "# members\r\n"
      "2 Cy: third\r\n"
      "\r\n"
      "   \t \n"
      "0.5 Ann: first\n"
      "2 Ann: fourth\n"
      "#0 Not: played\n"
      "1 Bob Smith: second");
  ASSERT_EQ(parsed.error, "");
  const std::vector<ScriptEvent> expected = {
      {500, "Ann", "first"}, {1000, "Bob Smith", "second"},
      {2000, "Cy", "third"}, {2000, "Ann", "fourth"}};
  EXPECT_EQ(parsed.events, expected);
}

TEST(ParseScript, EmptyScriptHasNoEvents) {
  EXPECT_TRUE(ParseScript("").events.empty());
  EXPECT_EQ(ParseScript("\n\n#\n").error, "");
}

}  // namespace
}  // namespace roomsim
