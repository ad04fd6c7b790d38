#pragma once
// Text transformations of the simulator: what the room shows of a line typed
// into the entry box, and how the log keeps each event on one line.

#include <cstdint>
#include <string>
#include <string_view>

namespace roomsim {

// Drops every "<...>" sequence; a '<' with no '>' after it stays as text.
std::string StripTags(std::string_view text);

// Backslash, CR, LF and TAB become \\ \r \n \t; other bytes below 0x20 become
// \xHH (upper-case hex); every other byte stays as it is.
std::string EscapeLogPayload(std::string_view payload);

// "<ms>\t<kind>\t<escaped payload>\n".
std::string FormatLogLine(std::int64_t ms, std::string_view kind, std::string_view payload);

}  // namespace roomsim
