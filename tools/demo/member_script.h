#pragma once
// The lines the members say in the simulated room, as a script for
// roomsim --script.

#include <string>
#include <vector>

namespace rollkeep::demo {

struct MemberLine {
  double seconds = 0;  // after the client started
  std::string name;
  std::string text;
};

// One "<seconds> <screen name>: <text>" line per member line.
std::string ScriptText(const std::vector<MemberLine>& lines);

}  // namespace rollkeep::demo
