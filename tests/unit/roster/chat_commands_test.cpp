#include "roster/chat_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "roster/roster.h"
#include "support/fake_ports.h"

namespace rollkeep {
namespace {

using Entries = std::vector<std::string>;
constexpr std::optional<int> kNone;

std::string Added(const std::string& name) {
  return std::string("Rollkeep: <u>") + name + "</u> has been added to the list";
}
std::string Removed(const std::string& name) {
  return std::string("Rollkeep: <u>") + name + "</u> has been removed from list";
}

class ChatCommands : public ::testing::Test {
protected:
  Roster roster;
  testing::FakePoster poster;
  testing::FakeWaiter waiter;
  ChatCommandHandler handler{roster, poster, waiter};
};

TEST_F(ChatCommands, ListMeAndRemoveMe) {
  struct Case {
    std::string speaker, text;
    Entries before;
    std::optional<int> selected;
    Entries after;
    std::optional<int> selectedAfter;
    std::string post;  // empty: nothing is posted
  };
  const Entries full(Roster::kCapacity, "n");
  std::vector<Case> cases = {
      {"Bob Smith", "list me", {"Ann"}, 0, {"Ann", "Bob Smith"}, 0, Added("Bob Smith")},
      {"Bob Smith", "LIST me", {"Bob Smith", "Ann"}, kNone, {"Bob Smith", "Ann"}, kNone,
       Added("Bob Smith")},  // already listed: the new copy goes
      {"Bob Smith", "List me", {"bobsmith"}, kNone, {"bobsmith", "Bob Smith"}, kNone,
       Added("Bob Smith")},
      {"Bob Smith", "list me", full, kNone, full, kNone, ""},  // full: no one added, no post
      {"Bob Smith", "Remove me", {"Bob Smith", "Ann", "Cy", "BobSmith"}, kNone,
       {"Bob Smith", "Ann", "Cy"}, kNone, Removed("Bob Smith")},  // the last match goes
      {"bobsmith", "remove me", {"Ann", "Bob Smith"}, 0, {"Ann"}, kNone, Removed("bobsmith")},
      {"Bob Smith", "REMOVE me", {"Ann", "Cy"}, 1, {"Ann", "Cy"}, 1, ""},  // not listed
  };
  // Not commands: nothing changes and nothing is posted, though "bob" is listed.
  const Entries notCommands = {
      "list Me", "list me ", "list  me", " list me", "list", "listme", "list me please",
      "list\tme", "me list", "", "remove  me", "remove Me", "removeme", "remove\tme",
      "lists me", "add me", std::string(40000, 'x'),
      std::string(32766, 'x') + " me",  // the first space at position 32,767
      std::string("list") + std::string(40000, ' ') + "me"};
  for (const std::string& text : notCommands)
    cases.push_back({"bob", text, {"Ann", "bob"}, 0, {"Ann", "bob"}, 0, ""});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    roster.assign(c.before);
    if (c.selected) roster.select(*c.selected);
    poster.posts.clear();
    waiter.waits.clear();
    EXPECT_TRUE(handler.ChatLine(c.speaker, c.text));
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
    EXPECT_EQ(poster.posts, c.post.empty() ? Entries{} : Entries{c.post});
    // Only an addition waits.
    EXPECT_EQ(waiter.waits, std::vector<double>(c.post == Added(c.speaker), 0.7));
  }
}

TEST_F(ChatCommands, ALineHandledInsideTheWaitSeesTheRosterAndIsAnnouncedFirst) {
  roster.assign({"Ann"});  // the new copy goes before the wait
  waiter.nested = [&] {
    EXPECT_EQ(roster.entries(), (Entries{"Ann"}));  // listed before the wait
    EXPECT_TRUE(handler.ChatLine("Cy", "list me"));
    EXPECT_TRUE(handler.ChatLine("Ann", "remove me"));
  };
  EXPECT_TRUE(handler.ChatLine("Ann", "list me"));
  EXPECT_EQ(roster.entries(), (Entries{"Cy"}));
  EXPECT_EQ(waiter.waits, std::vector<double>(2, 0.7));
  // Ann went off the list inside the wait: she is not told she was added.
  EXPECT_EQ(poster.posts, (Entries{Added("Cy"), Removed("Ann")}));
}

// What the operator or the room did inside the pause decides whether the
// speaker is still listed, and so whether the answer goes out.
TEST_F(ChatCommands, TheAdditionIsAnnouncedOnlyWhenTheNameIsStillListedAfterThePause) {
  struct Case {
    const char* name;
    Entries before;
    std::function<void()> insidePause;
    bool announced;
  };
  const Case cases[] = {
      {"nothing happened", {}, [] {}, true},
      {"already listed, nothing happened", {"Bob Smith"}, [] {}, true},
      {"list cleared", {"Ann"}, [&] { roster.clear(); }, false},
      {"selected entry removed", {"Ann"}, [&] {
         roster.select(1);
         roster.removeAt(1);
       }, false},
      {"removed himself", {"Ann"}, [&] { handler.ChatLine("bobsmith", "remove me"); }, false},
      {"a list without him loaded", {}, [&] { roster.assign({"Ann", "bob smith"}); }, false},
      {"a list with him loaded", {}, [&] { roster.assign({"Ann", "Bob Smith"}); }, true},
      {"cleared, then listed again", {}, [&] {
         roster.clear();
         roster.append("Bob Smith");
       }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    roster.assign(c.before);
    poster.posts.clear();
    waiter.nested = c.insidePause;
    EXPECT_TRUE(handler.ChatLine("Bob Smith", "list me"));
    EXPECT_EQ(std::ranges::count(poster.posts, Added("Bob Smith")), c.announced ? 1 : 0);
  }
}

TEST_F(ChatCommands, NothingIsPostedAfterTheProgramEndedDuringTheWait) {
  roster.assign({"Cy"});
  waiter.result = false;
  waiter.nested = [&] { EXPECT_TRUE(handler.ChatLine("Cy", "remove me")); };
  EXPECT_FALSE(handler.ChatLine("Ann", "list me"));
  EXPECT_EQ(roster.entries(), (Entries{"Ann"}));
  EXPECT_EQ(poster.posts, (Entries{Removed("Cy")}));  // handled before the end
  waiter.nested = [&] { EXPECT_FALSE(handler.ChatLine("Cy", "list me")); };
  EXPECT_FALSE(handler.ChatLine("Bob", "list me"));
  EXPECT_EQ(roster.entries(), (Entries{"Ann", "Bob", "Cy"}));
  EXPECT_EQ(poster.posts, (Entries{Removed("Cy")}));  // nothing more
}

}  // namespace
}  // namespace rollkeep
