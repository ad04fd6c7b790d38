#include "platform/win32/files/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <new>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/files/safe_replace.h"
#include "platform/win32/files/system_error_text.h"
#include "platform/win32/files/wide_path.h"
#include "rosterfile/device_names.h"

namespace rollkeep::win32 {

namespace {

constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kMostPerRead = 1u << 20;

// Reads up to `size` bytes into `data`; a file that shrank meanwhile gives
// what it still holds.
IoStatus ReadInto(HANDLE file, std::string& data) {
  std::size_t total = 0;
  while (total < data.size()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - total, kMostPerRead));
    DWORD got = 0;
    if (!ReadFile(file, data.data() + total, want, &got, nullptr)) return LastErrorStatus();
    if (got == 0) break;
    total += got;
  }
  data.resize(total);
  return IoStatus::Ok();
}

constexpr char kDevice[] = "it is a device, not a file";

DWORD AttributesOf(const std::wstring& path) {
  return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
}

}  // namespace

bool Win32FileSystem::IsOrdinaryFile(const std::string& path) {
  if (NamesDosDevice(path)) return false;
  const DWORD attributes = AttributesOf(FullWidePath(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotOrdinary) == 0;
}

// Only a file on a disk is read: a device ("nul.txt" is the null device)
// would read as an empty roster and empty the list.
IoStatus Win32FileSystem::ReadAll(const std::string& path, std::string& bytes) {
  if (NamesDosDevice(path)) return IoStatus::Failed(kDevice);
  const std::wstring wide = FullWidePath(path);
  if (wide.empty()) return LastErrorStatus();
  const DWORD attributes = AttributesOf(wide);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return IoStatus::Failed("it is a folder");
  }
  UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) return LastErrorStatus();
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return IoStatus::Failed(kDevice);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return LastErrorStatus();
  std::string data;
  try {
    if (static_cast<unsigned long long>(size.QuadPart) > data.max_size()) throw std::bad_alloc();
    data.resize(static_cast<std::size_t>(size.QuadPart));
  } catch (const std::bad_alloc&) {
    return IoStatus::Failed("the file is too large to read");
  }
  if (IoStatus status = ReadInto(file.get(), data); !status.ok) return status;
  bytes.swap(data);
  return IoStatus::Ok();
}

// A device is refused too: "saving" to the null device would report a saved
// list that was written nowhere.
IoStatus Win32FileSystem::WriteAllSafely(const std::string& path, std::string_view bytes) {
  if (NamesDosDevice(path)) return IoStatus::Failed(kDevice);
  const DWORD attributes = AttributesOf(FullWidePath(path));
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return IoStatus::Failed("it is a folder");
  if (exists && (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))) {
    return IoStatus::Failed("it is a hidden or system file");
  }
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) return IoStatus::Failed("the file is read-only");
  return ReplaceWithBytes(path, bytes, exists);
}

}  // namespace rollkeep::win32
