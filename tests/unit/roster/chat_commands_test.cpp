#include "roster/chat_commands.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "room/room_posting.h"
#include "roster/roster.h"
#include "support/fake_ports.h"

namespace rollkeep {
namespace {

using Entries = std::vector<std::string>;
constexpr std::optional<int> kNone;

std::string Added(const std::string& name) { return "added " + testing::Added(name); }
std::string Removed(const std::string& name) { return "removed " + testing::Removed(name); }

// Each line is handled at once; its answer is handed on, not waited for.
TEST(ChatCommands, ListMeAndRemoveMe) {
  Roster roster;
  testing::FakeAnswerer answerer;
  ChatCommandHandler handler{roster, answerer};
  struct Case {
    std::string speaker, text;
    Entries before;
    std::optional<int> selected;
    Entries after;
    std::optional<int> selectedAfter;
    std::string answer;  // empty: none
  };
  const Entries full(Roster::kCapacity, "n");
  std::vector<Case> cases = {
      {"Bob Smith", "list me", {"Ann"}, 0, {"Ann", "Bob Smith"}, 0, Added("Bob Smith")},
      {"Bob Smith", "LIST me", {"Bob Smith", "Ann"}, kNone, {"Bob Smith", "Ann"}, kNone,
       Added("Bob Smith")},  // already listed: the new copy goes
      {"Bob Smith", "List me", {"bobsmith"}, kNone, {"bobsmith", "Bob Smith"}, kNone,
       Added("Bob Smith")},
      {"Bob Smith", "list me", full, kNone, full, kNone, ""},  // full: no one added, no answer
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
      std::string("list") + std::string(40000, ' ') + "me",
      // Rollkeep's own announcements heard back, as the client shows them and as typed.
      ":: Rollkeep: Bob has been added to the list",
      std::string(Brask32::StylePrefix) + "Rollkeep: <u>Bob</u>"};
  for (const std::string& text : notCommands)
    cases.push_back({"bob", text, {"Ann", "bob"}, 0, {"Ann", "bob"}, 0, ""});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    roster.assign(c.before);
    if (c.selected) roster.select(*c.selected);
    answerer.answers.clear();
    if (const auto command = ParseChatCommand(c.speaker, c.text)) handler.Handle(*command);
    EXPECT_EQ(roster.entries(), c.after);
    EXPECT_EQ(roster.selection(), c.selectedAfter);
    EXPECT_EQ(answerer.answers, c.answer.empty() ? Entries{} : Entries{c.answer});
  }
}

}  // namespace
}  // namespace rollkeep
