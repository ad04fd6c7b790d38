#include "platform/win32/files/win32_file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/common/unique_handle.h"
#include "win32_temp_folder.h"

namespace rollkeep::win32 {
namespace {

using testing::ReadFileBytes;
using testing::Win32TempFolder;
using testing::WriteFileBytes;
using Names = std::vector<std::string>;

class Win32FileSystemTest : public ::testing::Test {
protected:
  void MakeFile(const std::string& name, const std::string& bytes, DWORD attributes) {
    WriteFileBytes(folder.file(name), bytes);
    ASSERT_TRUE(SetFileAttributesA(folder.file(name).c_str(), attributes));
  }

  Win32TempFolder folder;
  Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, LookupPassesOverFoldersHiddenAndSystemFiles) {
  MakeFile("plain.txt", "x", FILE_ATTRIBUTE_NORMAL);
  MakeFile("readonly.txt", "x", FILE_ATTRIBUTE_READONLY);
  MakeFile("hidden.txt", "x", FILE_ATTRIBUTE_HIDDEN);
  MakeFile("system.txt", "x", FILE_ATTRIBUTE_SYSTEM);
  ASSERT_TRUE(CreateDirectoryA(folder.file("folder.txt").c_str(), nullptr));

  struct Case {
    const char* name;
    bool ordinary;
  };
  for (const Case& c : {Case{"plain.txt", true}, Case{"readonly.txt", true},
                        Case{"hidden.txt", false}, Case{"system.txt", false},
                        Case{"folder.txt", false}, Case{"missing.txt", false}}) {
    EXPECT_EQ(files.IsOrdinaryFile(folder.file(c.name)), c.ordinary) << c.name;
  }
}

TEST_F(Win32FileSystemTest, ReadAllReadsEveryByte) {
  std::string content;
  for (int i = 0; i < 300000; ++i) content += static_cast<char>(i % 251);
  WriteFileBytes(folder.file("bin"), content);

  std::string bytes = "stale";
  ASSERT_TRUE(files.ReadAll(folder.file("bin"), bytes).ok);
  EXPECT_EQ(bytes, content);
}

TEST_F(Win32FileSystemTest, FailedReadsSayWhyAndLeaveTheBuffer) {
  ASSERT_TRUE(CreateDirectoryA(folder.file("dir").c_str(), nullptr));
  for (const std::string name : {"missing.txt", "dir"}) {
    std::string bytes = "kept";
    const IoStatus status = files.ReadAll(folder.file(name), bytes);
    EXPECT_FALSE(status.ok) << name;
    EXPECT_FALSE(status.reason.empty()) << name;
    EXPECT_EQ(status.reason.find_first_of("\r\n"), std::string::npos) << status.reason;
    EXPECT_EQ(bytes, "kept") << name;
  }
}

TEST_F(Win32FileSystemTest, FirstSaveCreatesTheFileAndLeavesNothingElse) {
  const std::string path = folder.file("list.txt");
  ASSERT_TRUE(files.WriteAllSafely(path, "Ann\r\r\nBob\r\r\n").ok);
  EXPECT_EQ(ReadFileBytes(path), "Ann\r\r\nBob\r\r\n");
  EXPECT_EQ(folder.names(), Names{"list.txt"});
}

TEST_F(Win32FileSystemTest, ReplacingPutsTheWholeNewContentInPlace) {
  const std::string path = folder.file("list.txt");
  WriteFileBytes(path, std::string(100000, 'o'));

  ASSERT_TRUE(files.WriteAllSafely(path, "new").ok);
  EXPECT_EQ(ReadFileBytes(path), "new");
  ASSERT_TRUE(files.WriteAllSafely(path, "").ok);
  EXPECT_EQ(ReadFileBytes(path), "");
  EXPECT_EQ(folder.names(), Names{"list.txt"});
}

TEST_F(Win32FileSystemTest, AReplaceThatFailsKeepsTheOldFileWhole) {
  const std::string path = folder.file("list.txt");
  WriteFileBytes(path, "old content\r\n");
  {
    // Held open without delete sharing, the file cannot be replaced.
    UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    const IoStatus status = files.WriteAllSafely(path, "new");

    EXPECT_FALSE(status.ok);
    EXPECT_FALSE(status.reason.empty());
  }
  EXPECT_EQ(ReadFileBytes(path), "old content\r\n");
  EXPECT_EQ(folder.names(), Names{"list.txt"});
}

TEST_F(Win32FileSystemTest, TargetsThatMayNotBeReplacedAreRefused) {
  MakeFile("hidden.txt", "old", FILE_ATTRIBUTE_HIDDEN);
  MakeFile("system.txt", "old", FILE_ATTRIBUTE_SYSTEM);
  MakeFile("readonly.txt", "old", FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(CreateDirectoryA(folder.file("dir").c_str(), nullptr));

  for (const std::string name :
       {"hidden.txt", "system.txt", "readonly.txt", "dir", "missing\\list.txt"}) {
    const IoStatus status = files.WriteAllSafely(folder.file(name), "new");
    EXPECT_FALSE(status.ok) << name;
    EXPECT_FALSE(status.reason.empty()) << name;
  }
  for (const std::string name : {"hidden.txt", "system.txt", "readonly.txt"}) {
    EXPECT_EQ(ReadFileBytes(folder.file(name)), "old") << name;
  }
  EXPECT_EQ(folder.names(), (Names{"dir", "hidden.txt", "readonly.txt", "system.txt"}));
}

}  // namespace
}  // namespace rollkeep::win32
