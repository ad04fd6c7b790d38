// Every session's end checks that each line Rollkeep typed into the room was
// the five messages of a post behind the style prefix, as the client's log
// records them; these rows make sure that check can fail.

#include <gtest/gtest.h>

#include "driver/room_log.h"
#include "room/room_posting.h"

namespace rollkeep::driver {
namespace {

std::vector<LogEvent> Group(long long ms, const std::string& line, const char* key = "13") {
  return {{ms, LogKind::SetText, ""},     {ms + 1, LogKind::SetText, ""},
          {ms + 2, LogKind::SetText, ""}, {ms + 3, LogKind::SetText, line},
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
  EXPECT_EQ(scan.putBack, (std::vector<Post>{{105, "hello wor"}}));
  EXPECT_EQ(Announcements(scan.posts),
            (std::vector<Announcement>{{100, "one"}, {900, "<no prefix> two"}}));

  auto tooFew = Group(0, "x");
  tooFew.erase(tooFew.begin());
  auto notEmptied = Group(0, "x");
  notEmptied[1].payload = "y";
  for (const auto& bad : {tooFew, notEmptied, Group(0, "x", "10"),
                          std::vector<LogEvent>{{0, LogKind::Char, "13"}}}) {
    EXPECT_NE(ScanPosts(bad).fault, "");
  }
}

}  // namespace
}  // namespace rollkeep::driver
