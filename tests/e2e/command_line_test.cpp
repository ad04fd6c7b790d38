// Command lines and paths the driver hands to Wine.

#include <gtest/gtest.h>

#include "driver/command_line.h"

namespace rollkeep::driver {
namespace {

TEST(CommandLine, QuotesOnlyWhatNeedsIt) {
  const struct {
    std::string argument;
    std::string quoted;
  } cases[] = {
      {"plain", "plain"},
      {"C:\\dir\\file.txt", "C:\\dir\\file.txt"},
      {"", "\"\""},
      {"two words", "\"two words\""},
      {"say \"hi\"", "\"say \\\"hi\\\"\""},
      {"C:\\my dir\\", "\"C:\\my dir\\\\\""},
      {"a\\\\\"b", "\"a\\\\\\\\\\\"b\""},
      {"tab\there", "\"tab\there\""},
  };
  for (const auto& c : cases) EXPECT_EQ(QuoteArgument(c.argument), c.quoted);
  EXPECT_EQ(JoinCommandLine({"x.exe", "--log", "a b.log"}), "x.exe --log \"a b.log\"");
}

TEST(CommandLine, MapsLinuxPathsToDriveZ) {
  EXPECT_EQ(ToWinePath("/work/build/x.exe"), "Z:\\work\\build\\x.exe");
  EXPECT_EQ(ToWinePath("/"), "Z:\\");
  EXPECT_EQ(ToWinePath("C:\\already\\windows"), "C:\\already\\windows");
  EXPECT_EQ(ToWinePath("relative/path"), "relative/path");
}

}  // namespace
}  // namespace rollkeep::driver
