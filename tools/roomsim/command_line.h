#pragma once
// Splitting a Windows command line into arguments.

#include <string>
#include <string_view>
#include <vector>

namespace roomsim {

// Splits a command line the way the Microsoft C runtime builds argv: the
// program name ends at the first space or tab outside double quotes (quotes
// are removed, backslashes kept); in later arguments 2n backslashes before a
// quote give n backslashes and a quote that toggles quoting, 2n+1 give n
// backslashes and a literal quote, and "" inside quotes gives one quote.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace roomsim
