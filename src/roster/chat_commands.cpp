#include "roster/chat_commands.h"

#include <cstddef>
#include <string_view>

#include "roster/name_matching.h"

namespace rollkeep {

namespace {

// Split positions count from 1 and must fit a 16-bit signed integer together
// with the position after them; longer lines are never commands.
constexpr std::size_t kFirstUnhandledSplit = 32767;

constexpr std::string_view kOwnArgument = "me";
constexpr std::string_view kListWord = "list";
constexpr std::string_view kRemoveWord = "remove";

std::string Announcement(const std::string& screenName, std::string_view ending) {
  std::string text = kAnnouncementPrefix;
  text += "<u>";
  text += screenName;
  text += "</u>";
  text += ending;
  return text;
}

}  // namespace

std::optional<ChatCommand> ParseChatCommand(const std::string& screenName,
                                            const std::string& text) {
  const std::string_view line = text;
  const std::size_t space = line.find(' ');
  const std::size_t wordLength = space == std::string_view::npos ? line.size() : space;
  if (wordLength + 1 >= kFirstUnhandledSplit) return std::nullopt;

  const std::string_view word = line.substr(0, wordLength);
  const std::string_view argument =
      space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
  if (argument != kOwnArgument) return std::nullopt;
  // The word holds no space, so its name key is the word lower-cased the way
  // names are.
  const std::string command = NameKey(word);
  if (command == kListWord) return ChatCommand{ChatCommand::Kind::List, screenName};
  if (command == kRemoveWord) return ChatCommand{ChatCommand::Kind::Remove, screenName};
  return std::nullopt;
}

ChatOutcome ApplyChatCommand(const ChatCommand& command, Roster& roster) {
  if (command.kind == ChatCommand::Kind::List) {
    if (!roster.append(command.screenName)) return ChatOutcome::Full;
    Brask32::DropDuplicates(roster);
    return ChatOutcome::Listed;
  }
  if (!Brask32::MarkMatches(command.screenName, roster)) return ChatOutcome::NotListed;
  Brask32::DropSelected(roster);
  return ChatOutcome::Removed;
}

// Only a change the roster took is answered: anything else would be false.
// The "added" answer is posted even when the name was listed already.
ChatOutcome ChatCommandHandler::Handle(const ChatCommand& command) {
  const ChatOutcome outcome = ApplyChatCommand(command, roster_);
  if (outcome == ChatOutcome::Listed) {
    answerer_.Added(command.screenName,
                    Announcement(command.screenName, " has been added to the list"));
  } else if (outcome == ChatOutcome::Removed) {
    answerer_.Removed(Announcement(command.screenName, " has been removed from list"));
  }
  return outcome;
}

}  // namespace rollkeep
