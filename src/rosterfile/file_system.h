#pragma once
// The few file operations that loading and saving a roster need.

#include <string>
#include <string_view>

namespace rollkeep {

struct IoStatus {
  bool ok = true;
  std::string reason;  // what went wrong, for the operator, when !ok
  static IoStatus Ok() { return {}; }
  static IoStatus Failed(std::string why) { return {false, std::move(why)}; }
};

class FileSystem {
public:
  virtual ~FileSystem() = default;
  // Whether `path` names an existing ordinary file: not a directory, and not
  // hidden or system.
  virtual bool IsOrdinaryFile(const std::string& path) = 0;
  // Reads the whole file into `bytes`; on failure `bytes` is left unchanged.
  virtual IoStatus ReadAll(const std::string& path, std::string& bytes) = 0;
  // Writes a temporary file beside `path`, flushes it, then replaces `path`
  // in one step. On failure the old file is left whole.
  virtual IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) = 0;
};

}  // namespace rollkeep
