#pragma once
// Where the recovery copy and its record live, and where an unreadable copy
// is set aside.

#include <string>

namespace rollkeep {

// Where the copy lives. An empty file means no copy is kept (a second
// running instance, or a test without one).
struct RecoveryPlace {
  std::string folder;
  std::string file;
  bool enabled() const { return !file.empty(); }
  // The record of what was written to the copy, beside it (recovery_record.h).
  std::string record() const;
};

// The record beside a copy: "x.txt" -> "x.record".
std::string RecordName(const std::string& file);

// Where an unreadable copy is set aside: "x.txt" -> "x.unreadable-<stamp>.txt".
std::string AsideName(const std::string& file, const std::string& stamp);

}  // namespace rollkeep
