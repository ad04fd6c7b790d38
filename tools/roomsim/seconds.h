#pragma once
// Times given in seconds on the command line and in scripts.

#include <cstdint>
#include <optional>
#include <string_view>

namespace roomsim {

// The longest delay a Win32 timer takes.
inline constexpr std::int64_t kMaxMilliseconds = 0x7FFFFFFF;

// Milliseconds (rounded to the nearest) from a non-negative decimal number of
// seconds such as "2", "0.75" or ".5". Signs, exponents, spaces and values
// beyond kMaxMilliseconds give nullopt.
std::optional<std::int64_t> ParseSeconds(std::string_view text);

}  // namespace roomsim
