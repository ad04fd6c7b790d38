#pragma once
// The roster file operations on the Win32 file API.

#include "rosterfile/file_system.h"

namespace rollkeep::win32 {

// Paths are ANSI strings; the work goes through the wide functions on the
// full path, with "\\?\" when it is longer than MAX_PATH.
class Win32FileSystem final : public FileSystem {
public:
  // An existing file that is not a folder, hidden, a system file or a device.
  bool IsOrdinaryFile(const std::string& path) override;
  // Refuses what is not a file on a disk: a device name (NUL, CON, COM1...,
  // with any extension) or a handle whose type is not FILE_TYPE_DISK.
  IoStatus ReadAll(const std::string& path, std::string& bytes) override;
  // Writes and flushes a temporary file in the target's folder, then puts it
  // in the target's place in one step: ReplaceFileW over an existing file
  // (which keeps its attributes and security), MoveFileExW otherwise. A
  // folder, a device, or a hidden, system or read-only file at the path is
  // refused, not replaced.
  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override;
};

}  // namespace rollkeep::win32
