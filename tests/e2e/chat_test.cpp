// Members list and remove themselves by what they say in the room.

#include <algorithm>
#include <thread>

#include "driver/input.h"
#include "driver/list_box.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}
std::string Removed(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been removed from list";
}

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// Announcements after the first `skip`, in any order: a line said during
// another's 0.7 s pause is answered inside that pause.
std::vector<std::string> SortedAfter(const std::vector<std::string>& all,
                                     std::size_t skip) {
  return Sorted({all.begin() + std::min(skip, all.size()), all.end()});
}

// When `speaker` said something, in order.
std::vector<long long> SaidTimes(const std::vector<driver::LogEvent>& events,
                                 const std::string& speaker) {
  std::vector<long long> times;
  for (const auto& line : driver::SaidLines(events)) {
    if (line.speaker == speaker) times.push_back(line.ms);
  }
  return times;
}

// When `announcement` was posted, in order.
std::vector<long long> PostTimes(const std::vector<driver::Post>& posts,
                                 const std::string& announcement) {
  std::vector<long long> times;
  for (const auto& post : posts) {
    if (post.line == std::string(kStylePrefix) + announcement) {
      times.push_back(post.ms);
    }
  }
  return times;
}

// Lines that do nothing may still be handled after the last awaited answer.
void Settle() { std::this_thread::sleep_for(1500ms); }

TEST_F(EndToEnd, MembersListThemselvesWithTheExactCommandOnly) {
  StartBoth({.script = {
                 {0.0, "Ann", "list me"},
                 {0.3, "Bob Smith", "List me"},
                 {0.6, "Cy", "LIST me"},
                 {0.9, "Dee", "list Me"},
                 {1.2, "Eve", "list me "},
                 {1.5, "Fay", "list  me"},
                 {1.8, "Gus", " list me"},
                 {2.1, "Hal", "listme"},
                 {2.4, "Ivy", "list me please"},
                 {2.7, "Jo", "list\tme"},
                 {3.0, "Kim", "me list"},
                 {3.3, "Lee", "list"},
                 {3.6, "Ann", "list me"},  // already listed: still answered
                 {3.9, "ann", "list me"},  // another string: listed again
                 {4.2, "Max", "remove me"},
                 {4.5, "Zoe", "list me"},
             }});
  ASSERT_NO_FATAL_FAILURE(TurnOnBeforeScript());

  WaitForPost(Added("Zoe"));
  Settle();
  EXPECT_EQ(Roster().items,
            (std::vector<std::string>{"Ann", "Bob Smith", "Cy", "ann", "Zoe"}));
  EXPECT_EQ(SortedAfter(Announcements(), 2),
            Sorted({Added("Ann"), Added("Bob Smith"), Added("Cy"), Added("Ann"),
                    Added("ann"), Added("Zoe")}));

  // Every answer comes at least 0.7 s after the line it answers.
  for (const std::string name : {"Ann", "Bob Smith", "Cy", "ann", "Zoe"}) {
    const auto said = SaidTimes(LogEvents(), name);
    const auto answered = PostTimes(Posts(), Added(name));
    ASSERT_EQ(said.size(), answered.size()) << name;
    for (std::size_t i = 0; i < said.size(); ++i) {
      EXPECT_GE(answered[i] - said[i], 700) << name;
    }
  }
}

TEST_F(EndToEnd, RemoveMeTakesOffTheLastEntryWithTheSpeakersName) {
  StartBoth({.script = {
                 {0.0, "Bob Smith", "list me"},
                 {0.3, "Ann", "list me"},
                 {0.6, "bob smith", "list me"},
                 {0.9, "BOBSMITH", "remove  me"},
                 {1.2, "Zed", "remove me"},
                 {1.5, "BOBSMITH", "Remove me"},
                 {1.8, "Zoe", "list me"},
             }});
  ASSERT_NO_FATAL_FAILURE(TurnOnBeforeScript());

  WaitForPost(Added("Zoe"));
  Settle();
  // "bob smith" came last, so it went; "Bob Smith" stays.
  EXPECT_EQ(Roster(), (driver::ListBoxState{{"Bob Smith", "Ann", "Zoe"}, -1}));
  EXPECT_EQ(SortedAfter(Announcements(), 2),
            Sorted({Added("Bob Smith"), Added("Ann"), Added("bob smith"),
                    Removed("BOBSMITH"), Added("Zoe")}));
}

TEST_F(EndToEnd, LinesSaidAfterOffChangeNothing) {
  StartBoth({.script = {{0.0, "Ann", "list me"}, {4.0, "Bob", "list me"}}});
  ASSERT_NO_FATAL_FAILURE(TurnOnBeforeScript());
  WaitForPost(Added("Ann"));

  Press(kOff);
  const auto off = WaitForPost("Rollkeep: turned off no more listing");
  const auto bob = WaitForSaid("Bob");
  ASSERT_LT(off.ms, bob.ms) << "\"off\" came too late for the script";
  Settle();

  EXPECT_EQ(Roster().items, (std::vector<std::string>{"Ann"}));
  EXPECT_EQ(Announcements(),
            (std::vector<std::string>{
                "Rollkeep: loaded",
                "Rollkeep: turned on, type <u><b>list me</b></u> to be listed",
                Added("Ann"), "Rollkeep: turned off no more listing"}));
  EXPECT_TRUE(driver::IsEnabled(Button(kOn)));
  EXPECT_FALSE(driver::IsEnabled(Button(kOff)));
}

}  // namespace
}  // namespace rollkeep::e2e
