// Rollkeep hears a transcript that is not the client's default (lines ended
// by CR alone, the speaker followed by ": ") and that keeps fewer lines than
// a burst brings: every name still in the transcript when Rollkeep reads it
// is listed, in order, and nothing dropped from its top is heard again. A
// line said with a space before the command is no command.

#include <algorithm>

#include "session.h"

namespace rollkeep::e2e {
namespace {

class TranscriptFormat : public EndToEnd {};

TEST_F(TranscriptFormat, CrEndsAndSpaceMarksWithABurstLargerThanTheTranscriptKeeps) {
  StartClient({"--line-end", "cr", "--speaker-mark", "space", "--keep-lines", "20"});
  StartRollkeepTurnedOn();
  programs_.SayInRoom("Ann Lee", "list me");
  ExpectRoster({"Ann Lee"});
  programs_.SayInRoom("Bob", " list me");
  programs_.SayInRoom("annlee", "remove me");
  ExpectRoster({});

  const auto names = Members(40);
  SayAll(names, "list me");
  const auto listed = PollListBox(programs_.RosterBox(), kDeadline, [&](const auto& shown) {
    return !shown.items.empty() && shown.items.back() == names.back();
  });
  // Rollkeep may read between two lines of the burst: what it heard is the
  // burst in order, none twice, at least the 20 lines the transcript keeps
  // but for a few of Rollkeep's answers among them.
  EXPECT_GE(listed.items.size(), 15u);
  auto next = names.begin();
  for (const auto& item : listed.items) {
    next = std::find(next, names.end(), item);
    ASSERT_NE(next, names.end()) << item << " out of order or not of the burst";
    ++next;
  }
}

}  // namespace
}  // namespace rollkeep::e2e
