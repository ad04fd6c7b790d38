#pragma once
// The recovery copy's file operations on the Win32 file API, and where the
// copy lives.

#include <string>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/files/win32_file_system.h"
#include "recovery/recovery_keeper.h"

namespace rollkeep::win32 {

class Win32RecoveryFiles final : public RecoveryFiles {
public:
  bool Exists(const std::string& path) override;
  IoStatus Read(const std::string& path, std::string& bytes) override;
  IoStatus Write(const std::string& path, std::string_view bytes) override;
  IoStatus Remove(const std::string& path) override;
  IoStatus Rename(const std::string& from, const std::string& to) override;
  std::string ModifiedText(const std::string& path) override;
  std::string NowStamp() override;

private:
  Win32FileSystem files_;
};

inline constexpr char kRecoveryFolderVariable[] = "ROLLKEEP_RECOVERY_DIR";
inline constexpr char kRecoveryFileName[] = "roster-recovery.txt";

// The folder named by ROLLKEEP_RECOVERY_DIR when set (tests, a portable
// set-up), otherwise "<local application data>\Rollkeep". Empty when neither
// can be found.
std::string RecoveryFolder();
RecoveryPlace RecoveryPlaceIn(const std::string& folder);

// Held by the one running Rollkeep, which keeps the recovery copy.
class RecoveryLock {
public:
  RecoveryLock();
  bool owned() const { return owned_; }
  // Another Rollkeep of this logon session holds it.
  bool heldElsewhere() const { return heldElsewhere_; }

private:
  UniqueKernelHandle mutex_;
  bool owned_ = false;
  bool heldElsewhere_ = false;
};

}  // namespace rollkeep::win32
