#pragma once
// A program started as a separate process, stopped when its owner goes.

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/common/unique_handle.h"

namespace rollkeep::driver {

class Process {
public:
  // Starts arguments[0] with the given arguments in `workingDirectory` (the
  // current directory when empty). Throws DriverError when it cannot start.
  static Process Start(const std::vector<std::string>& arguments,
                       const std::string& workingDirectory = {});

  Process() = default;
  Process(Process&&) noexcept = default;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  // Kills the process if it is still running.
  ~Process();

  explicit operator bool() const { return static_cast<bool>(process_); }
  DWORD Id() const { return id_; }
  bool Running() const;
  // True once the process has ended, false when `timeout` passed first.
  bool WaitForExit(std::chrono::milliseconds timeout) const;
  // The exit code, or nothing while the process runs.
  std::optional<DWORD> ExitCode() const;
  // Terminates the process if it still runs and waits until it has gone.
  void Kill();

private:
  Process(win32::UniqueKernelHandle process, DWORD id)
      : process_(std::move(process)), id_(id) {}

  win32::UniqueKernelHandle process_;
  DWORD id_ = 0;
};

}  // namespace rollkeep::driver
