#pragma once
// A fresh folder under the Windows temporary folder, removed with everything
// in it (hidden, system and read-only files included).

#include <string>
#include <vector>

namespace rollkeep::win32::testing {

class Win32TempFolder {
public:
  Win32TempFolder();
  ~Win32TempFolder();
  Win32TempFolder(const Win32TempFolder&) = delete;
  Win32TempFolder& operator=(const Win32TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "\\" + name; }
  // Names of everything in the folder, sorted.
  std::vector<std::string> names() const;

private:
  std::string path_;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

}  // namespace rollkeep::win32::testing
