#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "roster/chat_commands.h"
#include "roster/roster.h"
#include "roster_test_util.h"
#include "support/fake_ports.h"

namespace rollkeep {
namespace {

using testing::FakePoster;
using testing::FakeWaiter;
using testing::Fill;
using testing::Join;
using testing::NumberedNames;
using Entries = std::vector<std::string>;
using Waits = std::vector<double>;

std::string Added(const std::string& name) {
  return Join({"Rollkeep: <u>", name, "</u> has been added to the list"});
}
std::string Removed(const std::string& name) {
  return Join({"Rollkeep: <u>", name, "</u> has been removed from list"});
}

class ChatCommands : public ::testing::Test {
protected:
  bool Say(const std::string& speaker, const std::string& text) {
    return handler.ChatLine(speaker, text);
  }

  Roster roster;
  FakePoster poster;
  FakeWaiter waiter;
  ChatCommandHandler handler{roster, poster, waiter};
};

TEST_F(ChatCommands, LinesThatAreNotCommandsPassWithoutEffect) {
  const std::vector<std::string> texts = {
      "list Me", "list ME", "list me ", "list  me", " list me", "list", "listme",
      "list me please", "list\tme", "me list", "", "remove  me", "remove Me", "remove",
      "removeme", "remove\tme", "lists me", "l ist me", "add me",
      std::string(40000, 'x'),
      std::string(32766, 'x') + " me",  // first space at position 32,767
      std::string(32766, 'x'),          // no space, split position 32,767
      Join({"list", std::string(40000, ' '), "me"}),
  };
  for (const auto& text : texts) {
    SCOPED_TRACE(text.substr(0, 20));
    Fill(roster, {"Ann", "bob"}, 0);
    EXPECT_TRUE(Say("bob", text));  // "bob" is listed: a wrongly accepted remove would show
    EXPECT_EQ(roster.entries(), (Entries{"Ann", "bob"}));
    EXPECT_EQ(roster.selection(), 0);
    EXPECT_TRUE(poster.posts.empty());
    EXPECT_TRUE(waiter.waits.empty());
  }
}

TEST_F(ChatCommands, ListMeAppendsBeforeTheWaitAndAnnouncesAfterIt) {
  struct Case {
    std::string text;
    Entries before, after;
  };
  const std::vector<Case> cases = {
      {"list me", {"Ann"}, {"Ann", "Bob Smith"}},
      {"List me", {}, {"Bob Smith"}},
      {"LIST me", {"Ann"}, {"Ann", "Bob Smith"}},
      {"list me", {"Bob Smith", "Ann"}, {"Bob Smith", "Ann"}},
      {"list me", {"bobsmith"}, {"bobsmith", "Bob Smith"}},
      {"list me", {"Ann", "Cy", "Ann"}, {"Ann", "Cy", "Bob Smith"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text + " after " + std::to_string(c.before.size()));
    Fill(roster, c.before);
    poster.posts.clear();
    waiter.waits.clear();
    std::optional<Entries> seenInWait;
    std::size_t postsBeforeWaitEnded = 1;
    waiter.nested = [&] {
      seenInWait = roster.entries();
      postsBeforeWaitEnded = poster.posts.size();
    };
    EXPECT_TRUE(Say("Bob Smith", c.text));
    EXPECT_EQ(seenInWait, c.after);
    EXPECT_EQ(postsBeforeWaitEnded, 0u);
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(waiter.waits, (Waits{0.7}));
    EXPECT_EQ(poster.posts, (Entries{Added("Bob Smith")}));
  }
}

TEST_F(ChatCommands, ListMeOnAFullRosterAddsAndAnnouncesNothing) {
  const Entries names = NumberedNames(Roster::kCapacity);
  Fill(roster, names);
  EXPECT_TRUE(Say("Bob Smith", "list me"));
  EXPECT_EQ(roster.count(), Roster::kCapacity);
  EXPECT_EQ(roster.at(Roster::kCapacity - 1), names.back());
  EXPECT_TRUE(poster.posts.empty());
  EXPECT_TRUE(waiter.waits.empty());
}

TEST_F(ChatCommands, RemoveMeRemovesTheLastMatchAtOnce) {
  struct Case {
    std::string speaker, text;
    Entries before;
    std::optional<int> selectedBefore;
    Entries after;
    std::optional<int> selectedAfter;
    Entries posts;
  };
  const std::optional<int> none;
  const std::vector<Case> cases = {
      {"Bob Smith", "remove me", {"Ann", "Bob Smith"}, none, {"Ann"}, none,
       {Removed("Bob Smith")}},
      {"Bob Smith", "Remove me", {"Bob Smith"}, none, {}, none, {Removed("Bob Smith")}},
      {"bobsmith", "remove me", {"Bob Smith"}, none, {}, none, {Removed("bobsmith")}},
      {"Bob Smith", "remove me", {"Bob Smith", "Ann", "Cy", "BobSmith"}, none,
       {"Bob Smith", "Ann", "Cy"}, none, {Removed("Bob Smith")}},
      {"Bob Smith", "remove me", {"Ann", "Cy"}, 0, {"Ann", "Cy"}, 0, {}},
      {"Bob Smith", "remove me", {"Ann", "Bob Smith"}, 0, {"Ann"}, none,
       {Removed("Bob Smith")}},
      {"Bob Smith", "remove me", {}, none, {}, none, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.speaker + " " + std::to_string(c.before.size()));
    Fill(roster, c.before, c.selectedBefore);
    poster.posts.clear();
    EXPECT_TRUE(Say(c.speaker, c.text));
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
    EXPECT_EQ(poster.posts, c.posts);
    EXPECT_TRUE(waiter.waits.empty());
  }
}

TEST_F(ChatCommands, EachRemoveMeTakesTheNextMatchFromTheEnd) {
  Fill(roster, {"Bob Smith", "Ann", "Cy", "BobSmith"});
  EXPECT_TRUE(Say("Bob Smith", "remove me"));
  EXPECT_TRUE(Say("Bob Smith", "remove me"));
  EXPECT_TRUE(Say("Bob Smith", "remove me"));
  EXPECT_EQ(roster.entries(), (Entries{"Ann", "Cy"}));
  EXPECT_EQ(poster.posts, (Entries{Removed("Bob Smith"), Removed("Bob Smith")}));
}

TEST_F(ChatCommands, ALineHandledInsideTheWaitSeesTheRosterAndIsAnnouncedFirst) {
  Entries seenByNested;
  waiter.nested = [&] {
    seenByNested = roster.entries();
    EXPECT_TRUE(Say("Cy", "list me"));
    EXPECT_TRUE(Say("Ann", "remove me"));
  };
  EXPECT_TRUE(Say("Ann", "list me"));
  EXPECT_EQ(seenByNested, (Entries{"Ann"}));
  EXPECT_EQ(roster.entries(), (Entries{"Cy"}));
  EXPECT_EQ(waiter.waits, (Waits{0.7, 0.7}));
  EXPECT_EQ(poster.posts, (Entries{Added("Cy"), Removed("Ann"), Added("Ann")}));
}

TEST_F(ChatCommands, NothingIsPostedAfterTheProgramEndedDuringTheWait) {
  waiter.result = false;
  waiter.nested = [&] { EXPECT_TRUE(Say("Cy", "remove me")); };
  Fill(roster, {"Cy"});
  EXPECT_FALSE(Say("Ann", "list me"));
  EXPECT_EQ(roster.entries(), (Entries{"Ann"}));
  EXPECT_EQ(poster.posts, (Entries{Removed("Cy")}));

  poster.posts.clear();
  waiter.nested = [&] { EXPECT_FALSE(Say("Cy", "list me")); };
  EXPECT_FALSE(Say("Bob", "list me"));
  EXPECT_EQ(roster.entries(), (Entries{"Ann", "Bob", "Cy"}));
  EXPECT_TRUE(poster.posts.empty());
}

}  // namespace
}  // namespace rollkeep
