#include "room_watch.h"

#include <optional>

#include "driver/poll.h"
#include "failure.h"

namespace rollkeep::demo {

driver::SaidLine RoomWatch::WaitForSaid(const std::string& speaker, const std::string& text,
                                        std::chrono::milliseconds timeout) {
  std::optional<driver::SaidLine> found;
  driver::PollFor(timeout, [&] {
    for (auto& said : driver::SaidLines(feed_.Events())) {
      if (said.speaker == speaker && said.text == text) return (found = said).has_value();
    }
    return false;
  });
  Expect(found.has_value(), speaker + " never said \"" + text + "\" in the room");
  return *found;
}

Announcement RoomWatch::WaitForAnnouncement(const std::string& text, long long sinceMs,
                                            std::chrono::milliseconds timeout) {
  std::optional<Announcement> found;
  driver::PollFor(timeout, [&] {
    for (auto& announcement : AnnouncementsSince(sinceMs)) {
      if (announcement.text == text) return (found = announcement).has_value();
    }
    return false;
  });
  Expect(found.has_value(), "Rollkeep did not announce \"" + text + "\" within " +
                                std::to_string(timeout.count() / 1000) + " s");
  WaitForOperatorLine(found->ms, timeout);
  return *found;
}

void RoomWatch::WaitForOperatorLine(long long sinceMs, std::chrono::milliseconds timeout) {
  const bool shown = driver::PollFor(timeout, [&] {
    for (const auto& said : driver::SaidLines(feed_.Events())) {
      if (said.ms >= sinceMs && said.speaker == operator_) return true;
    }
    return false;
  });
  Expect(shown, "the room did not show a line Rollkeep typed into the entry box");
}

std::vector<Announcement> RoomWatch::AnnouncementsSince(long long sinceMs) {
  std::vector<Announcement> since;
  for (auto& announcement : driver::Announcements(driver::ScanPosts(feed_.Events()).posts)) {
    if (announcement.ms >= sinceMs) since.push_back(std::move(announcement));
  }
  return since;
}

std::string RoomWatch::PostingFault() {
  const auto scan = driver::ScanPosts(feed_.Events());
  if (!scan.fault.empty()) return scan.fault;
  for (const auto& announcement : driver::Announcements(scan.posts)) {
    if (announcement.text.starts_with(driver::kNoPrefix)) {
      return "a line was posted without the style prefix: " + announcement.text;
    }
  }
  return {};
}

}  // namespace rollkeep::demo
