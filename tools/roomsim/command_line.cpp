#include "command_line.h"

namespace roomsim {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name: quotes toggle, nothing is escaped.
std::string ProgramName(std::string_view line, std::size_t& i) {
  std::string name;
  bool quoted = false;
  for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
    if (line[i] == '"') quoted = !quoted;
    else name += line[i];
  }
  return name;
}

// One later argument, starting at a non-blank character.
std::string Argument(std::string_view line, std::size_t& i) {
  std::string arg;
  bool quoted = false;
  while (i < line.size() && (quoted || !IsBlank(line[i]))) {
    std::size_t slashes = 0;
    while (i < line.size() && line[i] == '\\') ++slashes, ++i;
    if (i < line.size() && line[i] == '"') {
      arg.append(slashes / 2, '\\');
      if (slashes % 2 == 1) {
        arg += '"';
      } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        arg += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
      ++i;
    } else {
      arg.append(slashes, '\\');
      if (slashes == 0 && i < line.size()) arg += line[i++];
    }
  }
  return arg;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  std::size_t i = 0;
  args.push_back(ProgramName(line, i));
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    args.push_back(Argument(line, i));
  }
  return args;
}

}  // namespace roomsim
