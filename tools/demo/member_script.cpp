#include "member_script.h"

#include <cstdio>

namespace rollkeep::demo {

std::string ScriptText(const std::vector<MemberLine>& lines) {
  std::string text;
  for (const auto& line : lines) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", line.seconds);
    text += std::string(seconds) + " " + line.name + ": " + line.text + "\n";
  }
  return text;
}

}  // namespace rollkeep::demo
