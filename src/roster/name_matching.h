#pragma once
// The roster procedures: exact duplicates, the selected entry, and name
// matching that ignores spaces and case, as the roster's code page folds it.

#include <string>
#include <string_view>

#include "roster/roster.h"

// Brask32 is the module of free procedures: each takes the controls or data
// it works on as arguments (the roster, the dialog, the window operations)
// and keeps no state between calls. Its procedures live in the folders that
// own them: the roster's here, PostToRoom and LocateRoom in room/,
// LoadRoster and SaveRoster in rosterfile/, WaitSeconds in app/, KeepOnTop on
// Windows.
namespace Brask32 {

// The text without its space characters (U+0020 only; tabs stay).
std::string CompactName(std::string_view text);
// Removes every entry that is an exact copy of an earlier one. Linear time.
void DropDuplicates(rollkeep::Roster& roster);
// Removes the selected entry, if any.
void DropSelected(rollkeep::Roster& roster);
// Selects the entries whose name key (in the roster's code page) equals
// `name`'s; the last match ends up
// selected. True when at least one entry matched; otherwise the selection is
// left as it was.
bool MarkMatches(std::string_view name, rollkeep::Roster& roster);

}  // namespace Brask32

namespace rollkeep {
// CompactName lower-cased byte by byte as `page` folds: two names match when
// their keys are equal. A multi-byte code page folds only A-Z.
std::string NameKey(std::string_view text, const CodePage& page);
// The same in Windows-1252.
std::string NameKey(std::string_view text);
}  // namespace rollkeep
