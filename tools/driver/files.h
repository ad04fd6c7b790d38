#pragma once
// Files the driver prepares for and reads back from the programs it runs.

#include <optional>
#include <string>

namespace rollkeep::driver {

// The whole file, byte for byte, or nothing when it cannot be opened. Reads
// files another process is still writing.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Creates or replaces the file with exactly `bytes`. Throws DriverError.
void WriteFileBytes(const std::string& path, const std::string& bytes);

bool FileExists(const std::string& path);

// Creates the directory and its parents if needed, then deletes the files
// directly inside it, so that a test starts from an empty folder.
void ResetDirectory(const std::string& path);

}  // namespace rollkeep::driver
