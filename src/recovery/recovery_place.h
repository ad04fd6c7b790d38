#pragma once
// Where the recovery copy lives, and where an unreadable one is set aside.

#include <string>

namespace rollkeep {

// Where the copy lives. An empty file means no copy is kept (a second
// running instance, or a test without one).
struct RecoveryPlace {
  std::string folder;
  std::string file;
  bool enabled() const { return !file.empty(); }
};

// Where an unreadable copy is set aside: "x.txt" -> "x.unreadable-<stamp>.txt".
std::string AsideName(const std::string& file, const std::string& stamp);

}  // namespace rollkeep
