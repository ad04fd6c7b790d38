// Where the recovery copy lives, who keeps it, and its file operations on the
// Win32 API.

#include <gtest/gtest.h>

#include "platform/win32/files/win32_recovery_files.h"
#include "support/win32_client.h"

namespace rollkeep::win32::testing {
namespace {

TEST(RecoveryPlace, TheEnvironmentNamesTheFolderAndOnlyTheFirstLockOwnsIt) {
  ::SetEnvironmentVariableA(kRecoveryFolderVariable, "C:\\some where\\rk");
  EXPECT_EQ(RecoveryFolder(), "C:\\some where\\rk");
  ::SetEnvironmentVariableA(kRecoveryFolderVariable, nullptr);
  EXPECT_TRUE(RecoveryFolder().ends_with("\\Rollkeep")) << RecoveryFolder();
  EXPECT_EQ(RecoveryPlaceIn("C:\\x").file, "C:\\x\\roster-recovery.txt");
  EXPECT_FALSE(RecoveryPlaceIn("").enabled());

  const RecoveryLock first;
  const RecoveryLock second;
  EXPECT_TRUE(first.owned() && !first.heldElsewhere());
  EXPECT_TRUE(!second.owned() && second.heldElsewhere());
}

TEST(Win32RecoveryFiles, WritesIntoANewFolderRenamesWithoutReplacingAndTellsTheTime) {
  rollkeep::testing::TempFolder temp;
  Win32RecoveryFiles files;
  const std::string copy = temp.file("Rollkeep") + "\\roster-recovery.txt";
  ASSERT_TRUE(files.Write(copy, "Ann\r\r\n").ok);
  EXPECT_TRUE(files.Exists(copy));
  std::string bytes;
  ASSERT_TRUE(files.Read(copy, bytes).ok);
  EXPECT_EQ(bytes, "Ann\r\r\n");

  // "YYYY-MM-DD HH:MM:SS" and "YYYYMMDD-HHMMSS".
  const std::string when = files.ModifiedText(copy);
  ASSERT_EQ(when.size(), 19u) << when;
  EXPECT_EQ(when.substr(4, 1) + when.substr(7, 1) + when.substr(10, 1), "-- ");
  const std::string stamp = files.NowStamp();
  ASSERT_EQ(stamp.size(), 15u) << stamp;
  EXPECT_EQ(stamp[8], '-');
  EXPECT_EQ(files.ModifiedText(copy + ".missing"), "");

  const std::string other = temp.file("Rollkeep") + "\\other.txt";
  rollkeep::testing::WriteFileBytes(other, "kept");
  EXPECT_FALSE(files.Rename(copy, other).ok);
  EXPECT_EQ(rollkeep::testing::ReadFileBytes(other), "kept");
  ASSERT_TRUE(files.Remove(other).ok);
  ASSERT_TRUE(files.Rename(copy, other).ok);
  EXPECT_FALSE(files.Exists(copy));
  EXPECT_FALSE(files.Remove(copy).ok);
}

}  // namespace
}  // namespace rollkeep::win32::testing
