#pragma once
// Putting new content in a file's place without ever leaving it half written.

#include <string>
#include <string_view>

#include "rosterfile/file_system.h"

namespace rollkeep::win32 {

// Writes `bytes` to a temporary file in the folder of `path` (ANSI, any
// length), flushes it to disk, then puts it in place of `path` in one step:
// ReplaceFileW when the file `exists`, MoveFileExW otherwise. On any failure
// the old file is whole and no temporary file is left behind.
IoStatus ReplaceWithBytes(const std::string& path, std::string_view bytes, bool exists);

}  // namespace rollkeep::win32
