#pragma once
// Scripts of member lines replayed into the room.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace roomsim {

struct ScriptEvent {
  std::int64_t atMs = 0;  // since the program started
  std::string name;
  std::string text;

  bool operator==(const ScriptEvent&) const = default;
};

struct ParsedScript {
  std::vector<ScriptEvent> events;  // ordered by time; equal times keep file order
  std::string error;                // "line N: ..." when a line is bad
};

// Parses a script, one event per line: "<seconds> <screen name>: <text>".
// The name runs up to the first ": " and the text is the rest of the line,
// exactly; a name followed by a bare ':' at the end of the line says the empty
// text. Lines end at LF or CR LF. Blank lines and lines starting with '#' are
// skipped.
ParsedScript ParseScript(std::string_view content);

}  // namespace roomsim
