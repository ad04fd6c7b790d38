#pragma once
// Test helpers: roomsim.exe as a child process, and reading its windows and
// log from outside, as Rollkeep and the end-to-end tests do.

#include "platform/win32/common/unique_handle.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace roomsim::testing {

// Waits until `done` holds or `timeout` passes; returns whether it held.
bool WaitFor(const std::function<bool()>& done,
             std::chrono::milliseconds timeout = std::chrono::seconds(30));

std::string ClassOf(HWND window);
// WM_GETTEXT through a timed send, as another process reads it.
std::string TextOf(HWND window);
// The direct children of `parent` in child order, as FindWindowExA walks them.
std::vector<HWND> ChildrenOf(HWND parent);
std::vector<std::string> ListItems(HWND listBox);

// A file in the temp folder, removed at the end of the test.
class TempFile {
public:
  explicit TempFile(const std::string& content = "");
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& Path() const { return path_; }
  std::string Read() const;

private:
  std::string path_;
};

class SimProcess {
public:
  // Starts roomsim.exe with `arguments` (already quoted as needed).
  explicit SimProcess(const std::string& arguments);
  ~SimProcess();  // ends the process if it still runs
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool Started() const { return static_cast<bool>(process_); }
  // The process's "AOL Frame25" window, waiting for it to appear.
  HWND WaitForFrame();
  // The exit code, or STILL_ACTIVE if it did not end in time.
  DWORD WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30));
  // What it wrote to standard error and output; read after it ended.
  std::string Stderr() { return Drain(stderr_); }
  std::string Stdout() { return Drain(stdout_); }

private:
  static std::string Drain(rollkeep::win32::UniqueKernelHandle& pipe);

  rollkeep::win32::UniqueKernelHandle process_;
  rollkeep::win32::UniqueKernelHandle stdout_;
  rollkeep::win32::UniqueKernelHandle stderr_;
  DWORD processId_ = 0;
};

}  // namespace roomsim::testing
