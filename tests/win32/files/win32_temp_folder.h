#pragma once
// A fresh folder under the Windows temporary folder, removed with everything
// in it (hidden, system and read-only files included), and whole-file helpers.

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace rollkeep::win32::testing {

struct Win32TempFolder {
  Win32TempFolder() { std::filesystem::create_directories(path); }
  ~Win32TempFolder() {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored)) {
      SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(path, ignored);
  }
  Win32TempFolder(const Win32TempFolder&) = delete;

  std::string file(const std::string& name) const { return path + "\\" + name; }
  // How many files and folders it holds: a temporary file left behind shows here.
  long entries() const { return std::distance(std::filesystem::directory_iterator(path), {}); }

  const std::string path = (std::filesystem::temp_directory_path() /
                            ("rollkeep-w32-" + std::to_string(std::random_device{}()))).string();
};

inline void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace rollkeep::win32::testing
