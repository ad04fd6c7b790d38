#pragma once
// Building Windows command lines and turning Linux paths into the paths a
// Windows program sees under Wine.

#include <string>
#include <string_view>
#include <vector>

namespace rollkeep::driver {

// One argument quoted so that CommandLineToArgvW and the C runtime read it
// back unchanged.
std::string QuoteArgument(std::string_view argument);

// The arguments quoted and joined by single spaces.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// "/a/b" becomes "Z:\a\b" (Wine maps the Linux root to drive Z:); a path
// that does not start with '/' is returned unchanged.
std::string ToWinePath(std::string_view path);

}  // namespace rollkeep::driver
