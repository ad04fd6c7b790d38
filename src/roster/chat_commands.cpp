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

bool ChatCommandHandler::ChatLine(const std::string& screenName, const std::string& text) {
  const std::string_view line = text;
  const std::size_t space = line.find(' ');
  const std::size_t wordLength = space == std::string_view::npos ? line.size() : space;
  if (wordLength + 1 >= kFirstUnhandledSplit) return true;

  const std::string_view word = line.substr(0, wordLength);
  const std::string_view argument =
      space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
  if (argument != kOwnArgument) return true;
  // The word holds no space, so its name key is the word lower-cased the way
  // names are.
  const std::string command = NameKey(word);
  if (command == kListWord) return ListCommand(screenName);
  if (command == kRemoveWord) RemoveCommand(screenName);
  return true;
}

bool ChatCommandHandler::ListCommand(const std::string& screenName) {
  // A full roster takes no one more; announcing the addition would be false.
  if (!roster_.append(screenName)) return true;
  Brask32::DropDuplicates(roster_);
  // The roster is complete before the wait: lines handled inside it see it.
  if (!waiter_.Wait(kAnnouncementPause)) return false;
  // A handler nested in the wait ("clear list", "remove selected", "remove
  // me", a load) may have taken the name off: then the answer would be false.
  if (!IsListed(screenName)) return true;
  poster_.Post(Announcement(screenName, " has been added to the list"));
  return true;
}

bool ChatCommandHandler::IsListed(const std::string& screenName) const {
  return std::ranges::find(roster_.entries(), screenName) != roster_.entries().end();
}

void ChatCommandHandler::RemoveCommand(const std::string& screenName) {
  if (!Brask32::MarkMatches(screenName, roster_)) return;
  Brask32::DropSelected(roster_);
  poster_.Post(Announcement(screenName, " has been removed from list"));
}

}  // namespace rollkeep
