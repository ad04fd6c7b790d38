#include "platform/win32/files/win32_recovery_files.h"

#include <windows.h>
// shlobj.h needs the types of windows.h first.
#include <shlobj.h>

#include <cstdio>

#include "platform/win32/files/system_error_text.h"
#include "platform/win32/files/wide_path.h"

namespace rollkeep::win32 {

namespace {

constexpr char kMutexName[] = "Local\\RollkeepRecovery";

std::string Format(const SYSTEMTIME& t, const char* pattern) {
  char text[32] = {};
  std::snprintf(text, sizeof text, pattern, t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

IoStatus StatusOf(BOOL done) { return done ? IoStatus::Ok() : LastErrorStatus(); }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

// Like the roster files, through the wide functions on the full path, so a
// recovery folder of any length works.
bool Win32RecoveryFiles::Exists(const std::string& path) {
  const std::wstring wide = FullWidePath(path);
  return !wide.empty() && ::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

IoStatus Win32RecoveryFiles::Read(const std::string& path, std::string& bytes) {
  return files_.ReadAll(path, bytes);
}

IoStatus Win32RecoveryFiles::Write(const std::string& path, std::string_view bytes) {
  const std::string folder = FolderOf(path);
  // An existing folder is fine; any other failure shows in the write's reason.
  if (!folder.empty()) ::CreateDirectoryW(FullWidePath(folder).c_str(), nullptr);
  return files_.WriteAllSafely(path, bytes);
}

IoStatus Win32RecoveryFiles::Remove(const std::string& path) {
  return StatusOf(::DeleteFileW(FullWidePath(path).c_str()));
}

IoStatus Win32RecoveryFiles::Rename(const std::string& from, const std::string& to) {
  return StatusOf(::MoveFileExW(FullWidePath(from).c_str(), FullWidePath(to).c_str(), 0));
}

std::string Win32RecoveryFiles::ModifiedText(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  SYSTEMTIME time{};
  if (!::GetFileAttributesExW(FullWidePath(path).c_str(), GetFileExInfoStandard, &data) ||
      !::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) ||
      !::FileTimeToSystemTime(&local, &time)) {
    return {};
  }
  return Format(time, "%04u-%02u-%02u %02u:%02u:%02u");
}

std::string Win32RecoveryFiles::NowStamp() {
  SYSTEMTIME time{};
  ::GetLocalTime(&time);
  return Format(time, "%04u%02u%02u-%02u%02u%02u");
}

std::string RecoveryFolder() {
  const DWORD needed = ::GetEnvironmentVariableA(kRecoveryFolderVariable, nullptr, 0);
  if (needed > 1) {
    std::string folder(needed, '\0');
    folder.resize(::GetEnvironmentVariableA(kRecoveryFolderVariable, folder.data(), needed));
    if (!folder.empty()) return folder;
  }
  char buffer[MAX_PATH] = {};
  if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                buffer))) {
    return {};
  }
  return std::string(buffer) + "\\Rollkeep";
}

RecoveryPlace RecoveryPlaceIn(const std::string& folder) {
  if (folder.empty()) return {};
  return {folder, folder + "\\" + kRecoveryFileName};
}

// "Local\" keeps the name per logon session (from Windows 2000 on; it is
// ignored where Terminal Services do not run, which leaves one session anyway).
RecoveryLock::RecoveryLock() : mutex_(::CreateMutexA(nullptr, FALSE, kMutexName)) {
  heldElsewhere_ = mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
  owned_ = mutex_ && !heldElsewhere_;
}

}  // namespace rollkeep::win32
