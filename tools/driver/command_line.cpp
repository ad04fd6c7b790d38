#include "driver/command_line.h"

#include <algorithm>

namespace rollkeep::driver {

namespace {

bool NeedsQuotes(std::string_view argument) {
  return argument.empty() ||
         argument.find_first_of(" \t\n\v\"") != std::string_view::npos;
}

}  // namespace

std::string QuoteArgument(std::string_view argument) {
  if (!NeedsQuotes(argument)) return std::string(argument);
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count double only in front of a quote.
    const std::size_t copies = c == '"' ? backslashes * 2 + 1 : backslashes;
    quoted.append(copies, '\\');
    quoted += c;
    backslashes = 0;
  }
  // Trailing backslashes sit in front of the closing quote.
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
  std::string line;
  for (const auto& argument : arguments) {
    if (!line.empty()) line += ' ';
    line += QuoteArgument(argument);
  }
  return line;
}

std::string ToWinePath(std::string_view path) {
  if (path.empty() || path.front() != '/') return std::string(path);
  std::string converted = "Z:" + std::string(path);
  std::replace(converted.begin(), converted.end(), '/', '\\');
  return converted;
}

}  // namespace rollkeep::driver
