#pragma once
// The file operations the recovery copy needs beyond reading and writing.

#include <string>
#include <string_view>

#include "rosterfile/file_system.h"

namespace rollkeep {

// The file operations the recovery copy needs beyond reading and writing.
class RecoveryFiles {
public:
  virtual ~RecoveryFiles() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual IoStatus Read(const std::string& path, std::string& bytes) = 0;
  // Creates the folder when it is missing, then writes safely (whole or not at all).
  virtual IoStatus Write(const std::string& path, std::string_view bytes) = 0;
  virtual IoStatus Remove(const std::string& path) = 0;
  // Renames without replacing an existing file.
  virtual IoStatus Rename(const std::string& from, const std::string& to) = 0;
  // The file's last change in local time, "YYYY-MM-DD HH:MM:SS"; empty when unknown.
  virtual std::string ModifiedText(const std::string& path) = 0;
  // The local time now as "YYYYMMDD-HHMMSS", for the names of files set aside.
  virtual std::string NowStamp() = 0;
};

}  // namespace rollkeep
