#pragma once
// The file operations of loading and saving on the standard library alone,
// for the benchmarks over real folders, where no Windows API is at hand.

#include "rosterfile/file_system.h"

namespace rollkeep {

class StdFileSystem final : public FileSystem {
public:
  // A regular file whose name does not begin with '.', the usual mark of a
  // hidden file outside Windows.
  bool IsOrdinaryFile(const std::string& path) override;
  IoStatus ReadAll(const std::string& path, std::string& bytes) override;
  // Writes a temporary file in the target's folder, flushes and closes it,
  // then renames it over the target. A folder or a hidden file at the path
  // is refused rather than replaced behind the operator's back.
  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override;
};

}  // namespace rollkeep
