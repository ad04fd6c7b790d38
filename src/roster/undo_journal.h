#pragma once
// One level of undo for the operator's changes to the roster ("clear list",
// "remove selected", "load list"). The journal keeps the roster from just
// before the change and every chat command handled since, so undoing gives
// the roster as if the change had never been made while members who listed
// or removed themselves meanwhile keep what they asked for.

#include <optional>
#include <string>
#include <vector>

#include "roster/chat_commands.h"

namespace rollkeep {

class UndoJournal {
public:
  // Forgets any earlier change: from now on `change` is the one to undo,
  // and `before` the roster just before it.
  void Begin(std::string change, std::vector<std::string> before);
  // A chat command handled after the change; ignored while there is nothing
  // to undo.
  void Record(const ChatCommand& command);

  bool CanUndo() const { return change_.has_value(); }
  // The name of the change to undo ("clear list"); empty when there is none.
  std::string change() const { return change_.value_or(std::string()); }

  // The roster before the change with the recorded commands replayed on it,
  // in order. The journal is empty afterwards. Call only when CanUndo().
  std::vector<std::string> TakeUndone();

private:
  std::optional<std::string> change_;
  std::vector<std::string> before_;
  std::vector<ChatCommand> since_;
};

}  // namespace rollkeep
