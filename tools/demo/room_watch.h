#pragma once
// What the chat room shows, read from the client's log: the lines members
// said and the announcements Rollkeep posted through the entry box.

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "driver/room_log.h"
#include "transcript_feed.h"

namespace rollkeep::demo {

// What Rollkeep puts in front of every line it posts.
inline constexpr std::string_view kStylePrefix =
    "<font color=#f40000><font face=\"arial black\">::"
    "<font color=#000001 face=\"arial black\"> ";

struct Announcement {
  long long ms = 0;  // when its first message reached the entry box
  std::string text;  // the line without the style prefix
};

// The posts as announcements; a post without the style prefix keeps its
// whole line behind "<no prefix> " so that it shows in a failure message.
std::vector<Announcement> Announcements(const std::vector<driver::Post>& posts);

class RoomWatch {
public:
  RoomWatch(TranscriptFeed& feed, std::string operatorName)
      : feed_(feed), operator_(std::move(operatorName)) {}

  // The first line `speaker` said with exactly `text`, waited for.
  driver::SaidLine WaitForSaid(const std::string& speaker, const std::string& text,
                               std::chrono::milliseconds timeout);
  // The first announcement `text` posted at `sinceMs` or later, waited for
  // until the room shows it as the operator's line.
  Announcement WaitForAnnouncement(const std::string& text, long long sinceMs,
                                   std::chrono::milliseconds timeout);
  // Everything Rollkeep posted at `sinceMs` or later.
  std::vector<Announcement> AnnouncementsSince(long long sinceMs);
  // Empty when every message to the entry box belonged to a well-formed
  // post behind the style prefix; otherwise what was wrong.
  std::string PostingFault();

private:
  void WaitForOperatorLine(long long sinceMs, std::chrono::milliseconds timeout);

  TranscriptFeed& feed_;
  std::string operator_;
};

}  // namespace rollkeep::demo
