#include "roster/undo_journal.h"

#include <utility>

#include "roster/roster.h"

namespace rollkeep {

void UndoJournal::Begin(std::string change, std::vector<std::string> before) {
  change_ = std::move(change);
  before_ = std::move(before);
  since_.clear();
}

void UndoJournal::Record(const ChatCommand& command) {
  if (CanUndo()) since_.push_back(command);
}

std::vector<std::string> UndoJournal::TakeUndone() {
  // A scratch roster: the replay goes through the same rules as the room's
  // commands, and nobody watches its intermediate states.
  Roster replay;
  replay.assign(std::exchange(before_, {}));
  for (const ChatCommand& command : since_) ApplyChatCommand(command, replay);
  change_.reset();
  since_.clear();
  return replay.entries();
}

}  // namespace rollkeep
