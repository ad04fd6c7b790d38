#pragma once
// Saving and loading the roster through the file dialogs.

#include <string>

#include "ports/prompt.h"
#include "roster/roster.h"
#include "rosterfile/file_dialog.h"
#include "rosterfile/file_system.h"

namespace rollkeep {

struct FileOutcome {
  enum class Kind { Done, Cancelled, Failed };
  Kind kind = Kind::Done;
  std::string reason;  // set when Failed
  bool done() const { return kind == Kind::Done; }
};

}  // namespace rollkeep

namespace Brask32 {
// Asks for a path (save dialog, overwrite prompt) and writes the roster
// there safely. A failure is also shown to the operator; Cancel is silent.
rollkeep::FileOutcome SaveRoster(const rollkeep::Roster& roster, rollkeep::FileDialog& dialog,
                                 rollkeep::Prompt& prompt, rollkeep::FileSystem& files);
// Asks for a path (open dialog) and replaces the roster with the file's
// non-empty lines; the roster is only touched when the whole file was read.
rollkeep::FileOutcome LoadRoster(rollkeep::Roster& roster, rollkeep::FileDialog& dialog,
                                 rollkeep::Prompt& prompt, rollkeep::FileSystem& files);
}  // namespace Brask32
