#include "std_file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <system_error>

namespace rollkeep {

namespace fs = std::filesystem;

namespace {

constexpr int kTempNameAttempts = 100;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueStdFile = std::unique_ptr<std::FILE, FileCloser>;

bool IsHiddenName(const fs::path& path) {
  const std::string name = path.filename().string();
  return !name.empty() && name.front() == '.';
}

IoStatus FailedWith(const std::error_code& error) { return IoStatus::Failed(error.message()); }

// The reason for the last failed C library call, or `fallback` when the
// library left none.
IoStatus FailedFromErrno(const char* fallback) {
  const int error = errno;
  if (error == 0) return IoStatus::Failed(fallback);
  return FailedWith(std::error_code(error, std::generic_category()));
}

// Refuses a target that may not be replaced: a folder or a hidden file.
IoStatus CheckTarget(const fs::path& target) {
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (!fs::exists(status)) return IoStatus::Ok();
  if (fs::is_directory(status)) return IoStatus::Failed("it is a folder");
  if (IsHiddenName(target)) return IoStatus::Failed("it is a hidden file");
  return IoStatus::Ok();
}

// Creates a file of a new, unused name beside `target`. The name carries a
// random part, so two saves into one folder do not meet; an existing name is
// never opened.
UniqueStdFile CreateTempBeside(const fs::path& target, fs::path& tempPath) {
  std::random_device entropy;
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    std::string name(1, '.');
    name += target.filename().string();
    name += '.';
    name += std::to_string(entropy() & 0xffffffu);
    name += ".tmp";
    tempPath = target.parent_path() / name;
    std::error_code error;
    if (fs::exists(tempPath, error) || error) continue;
    errno = 0;
    return UniqueStdFile(std::fopen(tempPath.string().c_str(), "wb"));
  }
  errno = EEXIST;
  return nullptr;
}

IoStatus WriteAndClose(UniqueStdFile file, std::string_view bytes) {
  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    return FailedFromErrno("the file could not be written");
  }
  if (std::fflush(file.get()) != 0) return FailedFromErrno("the file could not be written");
  if (std::fclose(file.release()) != 0) return FailedFromErrno("the file could not be written");
  return IoStatus::Ok();
}

}  // namespace

bool StdFileSystem::IsOrdinaryFile(const std::string& path) {
  std::error_code error;
  return fs::is_regular_file(fs::path(path), error) && !IsHiddenName(path);
}

IoStatus StdFileSystem::ReadAll(const std::string& path, std::string& bytes) {
  std::error_code error;
  if (fs::is_directory(fs::path(path), error)) return IoStatus::Failed("it is a folder");
  errno = 0;
  UniqueStdFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return FailedFromErrno("the file could not be opened");
  std::string data;
  char buffer[64 * 1024];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) data.append(buffer, got);
  if (std::ferror(file.get())) return FailedFromErrno("the file could not be read");
  bytes.swap(data);
  return IoStatus::Ok();
}

IoStatus StdFileSystem::WriteAllSafely(const std::string& path, std::string_view bytes) {
  std::error_code error;
  const fs::path target = fs::absolute(fs::path(path), error);
  if (error) return FailedWith(error);
  if (IoStatus check = CheckTarget(target); !check.ok) return check;
  fs::path tempPath;
  UniqueStdFile temp = CreateTempBeside(target, tempPath);
  if (!temp) return FailedFromErrno("a temporary file could not be created");
  IoStatus status = WriteAndClose(std::move(temp), bytes);
  if (status.ok) {
    fs::rename(tempPath, target, error);
    if (error) status = FailedWith(error);
  }
  if (!status.ok) {
    std::error_code ignored;
    fs::remove(tempPath, ignored);
  }
  return status;
}

}  // namespace rollkeep
