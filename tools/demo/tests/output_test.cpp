#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "driver/poll.h"
#include "member_script.h"
#include "narrator.h"
#include "screenshot.h"
#include "transcript_feed.h"

namespace rollkeep::demo {
namespace {

TEST(Narration, ClockIsMinutesAndSecondsRoundedDown) {
  const std::pair<long long, const char*> cases[] = {
      {0, "00:00"},       {999, "00:00"},       {1000, "00:01"},     {61'500, "01:01"},
      {3'599'999, "59:59"}, {3'600'000, "60:00"}, {-5, "00:00"},
  };
  for (const auto& [ms, text] : cases) EXPECT_EQ(FormatClock(ms), text) << ms;
}

TEST(Narration, LinesHaveTheirFixedShapes) {
  std::ostringstream out;
  Narrator narrator(out);
  narrator.Said(83'200, "Bob", "LIST me");
  narrator.Notice(1000, "Lobby opened");
  narrator.Operator("clicks \"on\"");
  narrator.Note("list: Alice");
  EXPECT_EQ(out.str(),
            "  [01:23] Bob: LIST me\n"
            "  [00:01] Lobby opened\n"
            "  >> operator clicks \"on\"\n"
            "     list: Alice\n");
}

TEST(MemberScript, OneTimedLinePerMemberLine) {
  EXPECT_EQ(ScriptText({{9, "Alice", "hi everyone"}, {11.5, "Big Bob", "list  me"}}),
            "9.0 Alice: hi everyone\n"
            "11.5 Big Bob: list  me\n");
  EXPECT_EQ(ScriptText({}), "");
}

TEST(Screenshot, BmpFileHasHeadersThenTheRowsAsGiven) {
  const std::string pixels = "\x01\x02\x03\x04\x05\x06\x00\x00";  // one row of 2, padded
  const std::string pixelBytes(pixels.data(), 8);
  const std::string file = BmpFile(2, 1, pixelBytes);
  BITMAPFILEHEADER header{};
  BITMAPINFOHEADER info{};
  ASSERT_EQ(file.size(), sizeof header + sizeof info + 8);
  std::memcpy(&header, file.data(), sizeof header);
  std::memcpy(&info, file.data() + sizeof header, sizeof info);
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(header.bfSize, file.size());
  EXPECT_EQ(header.bfOffBits, sizeof header + sizeof info);
  EXPECT_EQ(info.biWidth, 2);
  EXPECT_EQ(info.biHeight, 1);
  EXPECT_EQ(info.biBitCount, 24);
  EXPECT_EQ(info.biSizeImage, 8u);
  EXPECT_EQ(file.substr(header.bfOffBits), pixelBytes);
}

class TranscriptFeedTest : public ::testing::Test {
protected:
  void SetUp() override {
    char dir[MAX_PATH + 1] = {};
    char file[MAX_PATH + 1] = {};
    ASSERT_NE(::GetTempPathA(sizeof dir, dir), 0u);
    ASSERT_NE(::GetTempFileNameA(dir, "rkd", 0, file), 0u);
    path_ = file;
  }
  void TearDown() override { ::DeleteFileA(path_.c_str()); }

  void Append(const std::string& text) {
    std::ofstream(path_, std::ios::binary | std::ios::app) << text;
  }

  std::string path_;
  std::ostringstream out_;
  Narrator narrator_{out_};
};

TEST_F(TranscriptFeedTest, PrintsEachCompleteTranscriptLineOnce) {
  TranscriptFeed feed(path_, narrator_);
  Append("5\tINFO\tstarted\n100\tLINE\tAlice:\\tlist me\n150\tSETTEXT\t\n");
  Append("200\tLINE\tno speaker here\n61000\tLINE\tBob:\\ta\\\\b");  // Bob's is unfinished
  EXPECT_EQ(feed.Events().size(), 4u);
  EXPECT_EQ(out_.str(), "  [00:00] Alice: list me\n  [00:00] no speaker here\n");

  Append("\n");
  const auto events = feed.Events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events.back().payload, "Bob:\ta\\b");
  EXPECT_EQ(out_.str(),
            "  [00:00] Alice: list me\n  [00:00] no speaker here\n  [01:01] Bob: a\\b\n");
}

TEST_F(TranscriptFeedTest, FollowingOnItsOwnShowsEverythingByTheTimeItStops) {
  TranscriptFeed feed(path_, narrator_);
  feed.Start();
  Append("100\tLINE\tAlice:\\tone\n");
  Append("200\tLINE\tAlice:\\ttwo\n");
  feed.Stop();
  EXPECT_EQ(out_.str(), "  [00:00] Alice: one\n  [00:00] Alice: two\n");
}

TEST_F(TranscriptFeedTest, AMalformedLogIsReportedNotSkipped) {
  TranscriptFeed feed(path_, narrator_);
  Append("not a log line\n");
  EXPECT_THROW(feed.Events(), driver::DriverError);
}

TEST(TranscriptFeed, NoLogYetMeansNoEvents) {
  std::ostringstream out;
  Narrator narrator(out);
  TranscriptFeed feed("Z:\\nonexistent\\folder\\room.log", narrator);
  EXPECT_TRUE(feed.Events().empty());
  EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace rollkeep::demo
