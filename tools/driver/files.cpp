#include "driver/files.h"

#include <windows.h>

#include "driver/poll.h"
#include "platform/win32/common/unique_handle.h"

namespace rollkeep::driver {

namespace {

// A directory search, ended by FindClose.
struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::FindClose(h); }
};
using UniqueFind = win32::UniqueHandle<FindTraits>;

constexpr DWORD kShareAll =
    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

void CreateDirectories(const std::string& path) {
  if (path.empty() || ::GetFileAttributesA(path.c_str()) !=
                          INVALID_FILE_ATTRIBUTES) {
    return;
  }
  const auto slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0) {
    CreateDirectories(path.substr(0, slash));
  }
  if (!::CreateDirectoryA(path.c_str(), nullptr) &&
      ::GetLastError() != ERROR_ALREADY_EXISTS) {
    throw DriverError("cannot create the directory " + path);
  }
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
  win32::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, kShareAll,
                                       nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) &&
         read > 0) {
    bytes.append(buffer, read);
  }
  return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  win32::UniqueFile file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                       nullptr));
  DWORD written = 0;
  if (!file ||
      !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                   &written, nullptr) ||
      written != bytes.size()) {
    throw DriverError("cannot write " + path);
  }
}

bool FileExists(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void ResetDirectory(const std::string& path) {
  CreateDirectories(path);
  WIN32_FIND_DATAA found{};
  UniqueFind search(::FindFirstFileA((path + "\\*").c_str(), &found));
  if (!search) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string file = path + "\\" + found.cFileName;
    if (!::DeleteFileA(file.c_str())) throw DriverError("cannot delete " + file);
  } while (::FindNextFileA(search.get(), &found));
}

}  // namespace rollkeep::driver
