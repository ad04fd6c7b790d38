#pragma once
// What the chat room shows, read from the client's log: the lines members
// said and the announcements Rollkeep posted through the entry box.

#include <chrono>
#include <string>
#include <vector>

#include "driver/room_log.h"
#include "transcript_feed.h"

namespace rollkeep::demo {

using driver::Announcement;

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
