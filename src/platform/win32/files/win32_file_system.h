#pragma once
// The roster file operations on the Win32 file API.

#include "rosterfile/file_system.h"

namespace rollkeep::win32 {

class Win32FileSystem final : public FileSystem {
public:
  // An existing file that is not a folder, hidden or a system file.
  bool IsOrdinaryFile(const std::string& path) override;
  IoStatus ReadAll(const std::string& path, std::string& bytes) override;
  // Writes and flushes a temporary file in the target's folder, then puts it
  // in the target's place in one step: ReplaceFileA over an existing file
  // (which keeps its attributes and security), MoveFileExA otherwise. A
  // folder, or a hidden, system or read-only file at the path is refused,
  // not replaced.
  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override;
};

}  // namespace rollkeep::win32
