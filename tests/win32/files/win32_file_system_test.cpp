#include "platform/win32/files/win32_file_system.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win32/common/unique_handle.h"
#include "support/win32_client.h"

namespace rollkeep::win32 {
namespace {

using namespace rollkeep::testing;

class Win32FileSystemTest : public ::testing::Test {
protected:
  TempFolder folder;
  Win32FileSystem files;
};

// Lookup passes over folders, hidden and system files; only a plain file is replaced.
TEST_F(Win32FileSystemTest, OnlyOrdinaryFilesAreFoundAndOnlyWritableOnesReplaced) {
  struct Case { const char* name; DWORD attributes; bool ordinary, replaced; };
  const Case cases[] = {{"plain.txt", FILE_ATTRIBUTE_NORMAL, true, true},
                        {"readonly.txt", FILE_ATTRIBUTE_READONLY, true, false},
                        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, false, false},
                        {"system.txt", FILE_ATTRIBUTE_SYSTEM, false, false}};
  for (const Case& c : cases) {
    const std::string path = folder.file(c.name);
    WriteFileBytes(path, "old content");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
    EXPECT_EQ(files.IsOrdinaryFile(path), c.ordinary) << c.name;
    EXPECT_EQ(files.WriteAllSafely(path, "new").ok, c.replaced) << c.name;
    EXPECT_EQ(ReadFileBytes(path), c.replaced ? "new" : "old content") << c.name;
  }
  ASSERT_TRUE(CreateDirectoryA(folder.file("folder.txt").c_str(), nullptr));
  EXPECT_FALSE(files.IsOrdinaryFile(folder.file("folder.txt")));
  EXPECT_FALSE(files.IsOrdinaryFile(folder.file("missing.txt")));
  EXPECT_FALSE(files.WriteAllSafely(folder.file("folder.txt"), "new").ok);
  EXPECT_FALSE(files.WriteAllSafely(folder.file("missing\\list.txt"), "new").ok);
  EXPECT_EQ(folder.entries(), 5);
}

TEST_F(Win32FileSystemTest, AFirstSaveCreatesTheFileAndReadsBackEveryByte) {
  std::string content;
  for (int i = 0; i < 300000; ++i) content += static_cast<char>(i % 251);
  ASSERT_TRUE(files.WriteAllSafely(folder.file("list.txt"), content).ok);
  std::string bytes = "stale";
  ASSERT_TRUE(files.ReadAll(folder.file("list.txt"), bytes).ok);
  EXPECT_EQ(bytes, content);
  EXPECT_EQ(folder.entries(), 1);
  EXPECT_FALSE(files.ReadAll(folder.file("missing.txt"), bytes).ok);
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
    EXPECT_EQ(status.reason.find_first_of("\r\n"), std::string::npos) << status.reason;
  }
  EXPECT_EQ(ReadFileBytes(path), "old content\r\n");
  EXPECT_EQ(folder.entries(), 1);
}

}  // namespace
}  // namespace rollkeep::win32
