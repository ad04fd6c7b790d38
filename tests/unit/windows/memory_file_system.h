#pragma once
// An in-memory file system for the main window's tests: files are a map from
// path to bytes; chosen paths can be made to fail on write or read.

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "rosterfile/file_system.h"

namespace rollkeep::testing {

class MemoryFileSystem final : public FileSystem {
public:
  bool IsOrdinaryFile(const std::string& path) override { return files.count(path) != 0; }

  IoStatus ReadAll(const std::string& path, std::string& bytes) override {
    const auto found = files.find(path);
    if (found == files.end() || unreadable.count(path)) return IoStatus::Failed("no such file");
    bytes = found->second;
    return IoStatus::Ok();
  }

  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override {
    if (unwritable.count(path)) return IoStatus::Failed("access is denied");
    files[path] = std::string(bytes);
    return IoStatus::Ok();
  }

  std::map<std::string, std::string> files;
  std::set<std::string> unwritable;
  std::set<std::string> unreadable;
};

}  // namespace rollkeep::testing
