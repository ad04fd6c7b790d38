#include "roster/chat_commands.h"

#include <algorithm>
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

bool ApplyChatCommand(const ChatCommand& command, Roster& roster) {
  if (command.kind == ChatCommand::Kind::List) {
    // A full roster takes no one more.
    if (!roster.append(command.screenName)) return false;
    Brask32::DropDuplicates(roster);
    return true;
  }
  if (!Brask32::MarkMatches(command.screenName, roster)) return false;
  Brask32::DropSelected(roster);
  return true;
}

bool ChatCommandHandler::ChatLine(const std::string& screenName, const std::string& text) {
  const std::optional<ChatCommand> command = ParseChatCommand(screenName, text);
  return command ? Handle(*command) : true;
}

bool ChatCommandHandler::Handle(const ChatCommand& command) {
  // Announcing a change the roster did not take would be false.
  if (!ApplyChatCommand(command, roster_)) return true;
  if (command.kind == ChatCommand::Kind::Remove) {
    poster_.Post(Announcement(command.screenName, " has been removed from list"));
    return true;
  }
  // The answer belongs to the room the line was said in, even if another
  // room is open by the end of the pause.
  const RoomId room = poster_.RoomNow();
  // The roster is complete before the wait: lines handled inside it see it.
  if (!waiter_.Wait(kAnnouncementPause)) return false;
  // A handler nested in the wait ("clear list", "remove selected", "remove
  // me", a load, an undo) may have taken the name off: then the answer would
  // be false.
  if (!IsListed(command.screenName)) return true;
  poster_.PostFor(room, Announcement(command.screenName, " has been added to the list"));
  return true;
}

bool ChatCommandHandler::IsListed(const std::string& screenName) const {
  return std::ranges::find(roster_.entries(), screenName) != roster_.entries().end();
}

}  // namespace rollkeep
