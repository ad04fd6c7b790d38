#include "rosterfile/std_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "file_fakes.h"

namespace rollkeep {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

class StdFileSystemTest : public ::testing::Test {
protected:
  TempFolder folder;
  StdFileSystem files;
};

TEST_F(StdFileSystemTest, OrdinaryFilesAreVisibleRegularFiles) {
  WriteBytes(folder.file("list.txt"), "x");
  WriteBytes(folder.file(".list.txt"), "x");
  std::filesystem::create_directory(folder.path() / "dir.txt");

  EXPECT_TRUE(files.IsOrdinaryFile(folder.file("list.txt")));
  EXPECT_FALSE(files.IsOrdinaryFile(folder.file(".list.txt")));
  EXPECT_FALSE(files.IsOrdinaryFile(folder.file("dir.txt")));
  EXPECT_FALSE(files.IsOrdinaryFile(folder.file("missing.txt")));
  EXPECT_FALSE(files.IsOrdinaryFile(""));
}

TEST_F(StdFileSystemTest, WriteCreatesOrFullyReplacesAndLeavesNoTemporaryFile) {
  const std::string path = folder.file("list.txt");
  ASSERT_TRUE(files.WriteAllSafely(path, "a much longer first content\r\n").ok);
  EXPECT_EQ(ReadBytes(path), "a much longer first content\r\n");

  ASSERT_TRUE(files.WriteAllSafely(path, "short").ok);
  EXPECT_EQ(ReadBytes(path), "short");

  ASSERT_TRUE(files.WriteAllSafely(path, "").ok);
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(folder.names(), Lines{"list.txt"});
}

TEST_F(StdFileSystemTest, AFailureBeforeTheReplaceKeepsTheOldFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows paths cannot hold a name this long";
#endif
  // The name fits, the temporary file's longer name beside it does not.
  const std::string path = folder.file(std::string(250, 'n'));
  WriteBytes(path, "old content\r\n");

  const IoStatus status = files.WriteAllSafely(path, "new");

  EXPECT_FALSE(status.ok);
  EXPECT_FALSE(status.reason.empty());
  EXPECT_EQ(ReadBytes(path), "old content\r\n");
  EXPECT_EQ(folder.names(), Lines{std::string(250, 'n')});
}

}  // namespace
}  // namespace rollkeep
