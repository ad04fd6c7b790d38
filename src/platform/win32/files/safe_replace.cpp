#include "platform/win32/files/safe_replace.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/files/system_error_text.h"

namespace rollkeep::win32 {

namespace {

constexpr DWORD kMostPerWrite = 1u << 20;
constexpr char kTempPrefix[] = "rk";
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
  explicit ScratchFile(std::string name) : name_(std::move(name)) {}
  ~ScratchFile() {
    if (!name_.empty()) DeleteFileA(name_.c_str());
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ScratchFile(ScratchFile&& other) noexcept : name_(std::exchange(other.name_, {})) {}

  const char* name() const { return name_.c_str(); }
  explicit operator bool() const { return !name_.empty(); }
  // The name no longer names a file of ours (it was moved into place).
  void forget() { name_.clear(); }

private:
  std::string name_;
};

// The folder that holds `path`, from its full form.
IoStatus FolderOf(const std::string& path, std::string& folder) {
  char full[MAX_PATH * 4];
  char* namePart = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, &namePart);
  if (length == 0) return LastErrorStatus();
  if (length >= sizeof full) return IoStatus::Failed("the path is too long");
  folder.assign(full, namePart ? static_cast<std::size_t>(namePart - full) : length);
  return IoStatus::Ok();
}

// A new, empty file of a unique name in `folder`.
ScratchFile NewScratchFile(const std::string& folder) {
  char name[MAX_PATH];
  if (!GetTempFileNameA(folder.c_str(), kTempPrefix, 0, name)) return {};
  return ScratchFile(name);
}

IoStatus WriteAndFlush(const char* name, std::string_view bytes) {
  UniqueFile file(
      CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return LastErrorStatus();
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
IoStatus ReplaceExisting(const std::string& path, const std::string& folder,
                         ScratchFile& replacement) {
  ScratchFile backup = NewScratchFile(folder);
  if (!backup) return LastErrorStatus();
  DeleteFileA(backup.name());  // only the unique name is wanted
  if (ReplaceFileA(path.c_str(), replacement.name(), backup.name(), ReplaceFlags(), nullptr,
                   nullptr)) {
    replacement.forget();
    return IoStatus::Ok();
  }
  const DWORD error = GetLastError();
  if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2 &&
      !MoveFileExA(backup.name(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    // The old file sits under the backup name and could not be moved back:
    // keep it there and say where, rather than delete the only copy.
    const std::string kept = backup.name();
    backup.forget();
    return IoStatus::Failed(SystemErrorText(error) + "; the old list is kept as " + kept);
  }
  return IoStatus::Failed(SystemErrorText(error));
}

IoStatus MoveIntoPlace(const std::string& path, ScratchFile& replacement) {
  if (!MoveFileExA(replacement.name(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return LastErrorStatus();
  }
  replacement.forget();
  return IoStatus::Ok();
}

}  // namespace

IoStatus ReplaceWithBytes(const std::string& path, std::string_view bytes, bool exists) {
  std::string folder;
  if (IoStatus status = FolderOf(path, folder); !status.ok) return status;
  ScratchFile temp = NewScratchFile(folder);
  if (!temp) return LastErrorStatus();
  if (IoStatus status = WriteAndFlush(temp.name(), bytes); !status.ok) return status;
  return exists ? ReplaceExisting(path, folder, temp) : MoveIntoPlace(path, temp);
}

}  // namespace rollkeep::win32
