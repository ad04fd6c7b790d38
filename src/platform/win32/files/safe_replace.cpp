#include "platform/win32/files/safe_replace.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <utility>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/files/system_error_text.h"
#include "platform/win32/files/wide_path.h"

namespace rollkeep::win32 {

namespace {

constexpr DWORD kMostPerWrite = 1u << 20;
// Names tried before giving up on finding a free one.
constexpr int kNameTries = 100;
// File systems without security or merge support still get the new content.
// REPLACEFILE_IGNORE_ACL_ERRORS came with Vista; XP's headers lack it and XP
// does not know it, so it is passed only from Vista on.
constexpr DWORD kIgnoreAclErrors = 0x00000004;

DWORD ReplaceFlags() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  const bool vistaOrLater = ::GetVersionExA(&version) && version.dwMajorVersion >= 6;
  return REPLACEFILE_IGNORE_MERGE_ERRORS | (vistaOrLater ? kIgnoreAclErrors : 0);
}

// A file name of our own, deleted when the owner goes unless it was kept.
class ScratchFile {
public:
  ScratchFile() = default;
  explicit ScratchFile(std::wstring name) : name_(std::move(name)) {}
  ~ScratchFile() {
    if (!name_.empty()) DeleteFileW(name_.c_str());
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ScratchFile(ScratchFile&& other) noexcept : name_(std::exchange(other.name_, {})) {}

  const wchar_t* name() const { return name_.c_str(); }
  explicit operator bool() const { return !name_.empty(); }
  // The name no longer names a file of ours (it was moved into place).
  void forget() { name_.clear(); }

private:
  std::wstring name_;
};

// The folder that holds the full path `full`, with its final backslash.
std::wstring FolderOf(const std::wstring& full) {
  return full.substr(0, full.find_last_of(L'\\') + 1);
}

// "~rk<pid><n>.tmp": at most 23 characters, so the scratch file fits in the
// target's folder whenever the target does (and "\\?\" lifts MAX_PATH for
// the rest). The counter and the tick count make a name that another save,
// of this process or another, is not using.
std::wstring ScratchName(const std::wstring& folder) {
  static unsigned counter = 0;
  wchar_t name[32];
  std::swprintf(name, sizeof name / sizeof name[0], L"~rk%lx%x.tmp",
                static_cast<unsigned long>(::GetCurrentProcessId()),
                (++counter + ::GetTickCount()) & 0xFFFFFu);
  return WithLongPrefix(folder + name);
}

// Creates a new, empty file of a unique name in `folder` (CREATE_NEW never
// opens a file that was already there) and opens it for writing.
ScratchFile NewScratchFile(const std::wstring& folder, UniqueFile& handle) {
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    std::wstring name = ScratchName(folder);
    handle.reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (handle) return ScratchFile(std::move(name));
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return {};
  }
  return {};
}

// A unique name in `folder` that holds no file: ReplaceFileW moves the old
// file there on its way out.
ScratchFile NewBackupName(const std::wstring& folder) {
  UniqueFile handle;
  ScratchFile backup = NewScratchFile(folder, handle);
  if (backup) {
    handle.reset();
    DeleteFileW(backup.name());
  }
  return backup;
}

IoStatus WriteAndFlush(UniqueFile file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kMostPerWrite));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), want, &written, nullptr)) return LastErrorStatus();
    if (written == 0) return IoStatus::Failed("the file could not be written");
    bytes.remove_prefix(written);
  }
  if (!FlushFileBuffers(file.get())) return LastErrorStatus();
  if (!CloseHandle(file.release())) return LastErrorStatus();
  return IoStatus::Ok();
}

// Swaps `replacement` in for the existing `path`. The old file is moved to a
// backup name on the way, so it can be put back if the swap stops half way.
IoStatus ReplaceExisting(const std::wstring& path, const std::wstring& folder,
                         ScratchFile& replacement) {
  ScratchFile backup = NewBackupName(folder);
  if (!backup) return LastErrorStatus();
  if (ReplaceFileW(path.c_str(), replacement.name(), backup.name(), ReplaceFlags(), nullptr,
                   nullptr)) {
    replacement.forget();
    return IoStatus::Ok();
  }
  const DWORD error = GetLastError();
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
      !MoveFileExW(backup.name(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    // The old file sits under the backup name and could not be moved back:
    // keep it there and say where, rather than delete the only copy.
    const std::string kept = AnsiFromWide(backup.name()).value_or("a file beginning \"~rk\"");
    backup.forget();
    return IoStatus::Failed(SystemErrorText(error) + "; the old list is kept as " + kept);
  }
  return IoStatus::Failed(SystemErrorText(error));
}

IoStatus MoveIntoPlace(const std::wstring& path, ScratchFile& replacement) {
  if (!MoveFileExW(replacement.name(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastErrorStatus();
  }
  replacement.forget();
  return IoStatus::Ok();
}

}  // namespace

IoStatus ReplaceWithBytes(const std::string& path, std::string_view bytes, bool exists) {
  const std::wstring target = FullWidePath(path);
  if (target.empty()) return LastErrorStatus();
  const std::wstring folder = FolderOf(target);
  UniqueFile handle;
  ScratchFile temp = NewScratchFile(folder, handle);
  if (!temp) return LastErrorStatus();
  if (IoStatus status = WriteAndFlush(std::move(handle), bytes); !status.ok) return status;
  return exists ? ReplaceExisting(target, folder, temp) : MoveIntoPlace(target, temp);
}

}  // namespace rollkeep::win32
