// Answers that fall due while the chat client is hung wait in Rollkeep,
// which goes on answering its own window, and reach the room once the client
// answers again: in order, none twice.

#include <thread>

#include "driver/input.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

TEST_F(EndToEnd, AnswersDueWhileTheClientIsHungArriveOnceItAnswersAgain) {
  StartClient();
  const auto on = StartRollkeepTurnedOn();
  const std::vector<std::string> members{"Ann", "Bob Smith", "Cy", "Dee", "Eve", "Fay"};
  SayAll(members, "list me");
  // The next answer is due 0.7 s after this one: the hang starts between
  // two posts.
  WaitForPost(Added(members[0]));
  std::size_t beforeHang = 0;
  {
    const ThreadHang hang(programs_.ClientFrame());
    beforeHang = Posted().size();
    EXPECT_TRUE(Answers(programs_.Main(), kDeadline));
    // Long enough for a post to fall due and give up on its 3 s timeout,
    // also with Rollkeep's thread held in a read of the transcript first.
    std::this_thread::sleep_for(8s);
    EXPECT_TRUE(Answers(programs_.Main(), kDeadline));
    EXPECT_EQ(Posted().size(), beforeHang);  // the client's log stood still
  }
  EXPECT_LE(beforeHang, 4u);

  std::vector<std::string> expected{"Rollkeep: loaded", on.text};
  for (const auto& name : members) expected.push_back(Added(name));
  WaitForPost(expected.back());
  // Nothing more arrives late: Rollkeep's window answers only between posts.
  EXPECT_TRUE(Answers(programs_.Main(), kDeadline));
  EXPECT_EQ(WaitForAnnouncements(expected.size()), expected);
  ExpectRoster(members);
}

}  // namespace
}  // namespace rollkeep::e2e
