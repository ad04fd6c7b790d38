#pragma once
// For the roster file procedures over real files: a file system that fails
// writes on demand, and a temporary folder.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "rosterfile/file_system.h"

namespace rollkeep::testing {

// Passes everything to `inner`, but fails every write while `failWrites` is set.
struct FailingFileSystem final : FileSystem {
  explicit FailingFileSystem(FileSystem& inner) : inner(inner) {}
  bool IsOrdinaryFile(const std::string& path) override { return inner.IsOrdinaryFile(path); }
  IoStatus ReadAll(const std::string& path, std::string& bytes) override {
    return inner.ReadAll(path, bytes);
  }
  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override {
    return failWrites ? IoStatus::Failed("Access is denied.") : inner.WriteAllSafely(path, bytes);
  }
  FileSystem& inner;
  bool failWrites = false;
};

// A fresh folder under the system's temporary folder, removed with its contents.
struct TempFolder {
  TempFolder() { std::filesystem::create_directories(path); }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempFolder(const TempFolder&) = delete;

  std::string file(const std::string& name) const { return (path / name).string(); }
  // How many files and folders it holds: a temporary file left behind shows here.
  long entries() const {
    return std::distance(std::filesystem::directory_iterator(path), {});
  }

  const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("rollkeep-test-" + std::to_string(std::random_device{}()));
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace rollkeep::testing
