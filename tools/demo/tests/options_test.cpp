#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options.h"
#include "own_desktop.h"

namespace rollkeep::demo {
namespace {

constexpr char kTemp[] = "C:\\users\\me\\Temp\\";

TEST(DemoOptions, DefaultsLiveInTheTempFolder) {
  const auto parsed = ParseDemoOptions({}, kTemp);
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.workDir.windows, "C:\\users\\me\\Temp\\rollkeep-demo");
  EXPECT_EQ(parsed.options.screenshot.windows,
            "C:\\users\\me\\Temp\\rollkeep-demo\\rollkeep-demo.bmp");
  EXPECT_EQ(parsed.options.desktop.width, 0);
  EXPECT_FALSE(parsed.options.help);
}

TEST(DemoOptions, LinuxPathsAreShownAsGivenAndOpenedThroughDriveZ) {
  const auto parsed = ParseDemoOptions(
      {"--work=/tmp/demo/", "--rollkeep", "/b/rollkeep.exe", "--roomsim", "C:\\r.exe"}, kTemp);
  ASSERT_EQ(parsed.error, "");
  const DemoOptions& o = parsed.options;
  EXPECT_EQ(o.workDir.shown, "/tmp/demo");
  EXPECT_EQ(o.workDir.windows, "Z:\\tmp\\demo");
  EXPECT_EQ(o.screenshot.shown, "/tmp/demo/rollkeep-demo.bmp");
  EXPECT_EQ(o.screenshot.windows, "Z:\\tmp\\demo\\rollkeep-demo.bmp");
  EXPECT_EQ(o.rollkeepExe.windows, "Z:\\b\\rollkeep.exe");
  EXPECT_EQ(o.roomsimExe.windows, "C:\\r.exe");
}

TEST(DemoOptions, ScreenshotAndDesktopAndHelp) {
  const auto parsed =
      ParseDemoOptions({"--screenshot", "/x/s.bmp", "--desktop", "1100x640", "--help"}, kTemp);
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.screenshot.windows, "Z:\\x\\s.bmp");
  EXPECT_EQ(parsed.options.desktop.width, 1100);
  EXPECT_EQ(parsed.options.desktop.height, 640);
  EXPECT_TRUE(parsed.options.help);
}

TEST(DemoOptions, BadArgumentsAreRefusedWithAReason) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
      {{"--bogus", "1"}, "unknown option '--bogus'"},
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--bogus=1"}, "unknown option '--bogus'"},
      {{"stray"}, "unexpected argument 'stray'"},
      {{"--work"}, "--work needs a value"},
      {{"--work="}, "--work needs a non-empty value"},
      {{"--desktop", "1100"}, "--desktop needs a size such as 1100x640, got '1100'"},
  };
  for (const auto& [args, error] : cases) {
    EXPECT_EQ(ParseDemoOptions(args, kTemp).error, error) << args.front();
  }
}

TEST(DesktopSize, OnlyWidthByHeightInRangeIsASize) {
  struct Case {
    const char* text;
    int width;
    int height;
  };
  const Case cases[] = {
      {"1100x640", 1100, 640}, {"1x1", 1, 1},       {"16384x16384", 16384, 16384},
      {"1100", 0, 0},          {"x640", 0, 0},      {"0x640", 0, 0},
      {"-5x5", 0, 0},          {"16385x10", 0, 0},  {"1100x640x", 0, 0},
      {"1100x640 ", 0, 0},     {"1100X640", 0, 0},  {"", 0, 0},
  };
  for (const auto& c : cases) {
    const DesktopSize size = ParseDesktopSize(c.text);
    EXPECT_EQ(size.width, c.width) << '"' << c.text << '"';
    EXPECT_EQ(size.height, c.height) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace rollkeep::demo
