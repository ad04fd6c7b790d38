#include "driver/process.h"

#include "driver/command_line.h"
#include "driver/poll.h"

namespace rollkeep::driver {

namespace {

constexpr DWORD kKilledExitCode = 0xDEAD;
constexpr std::chrono::milliseconds kKillTimeout{10000};

}  // namespace

Process Process::Start(const std::vector<std::string>& arguments,
                       const std::string& workingDirectory) {
  if (arguments.empty()) throw DriverError("no program to start");
  std::string commandLine = JoinCommandLine(arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const BOOL started = ::CreateProcessA(
      nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
      workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
      &info);
  if (!started) {
    throw DriverError("cannot start " + commandLine + " (error " +
                      std::to_string(::GetLastError()) + ")");
  }
  win32::UniqueKernelHandle thread(info.hThread);
  return Process(win32::UniqueKernelHandle(info.hProcess), info.dwProcessId);
}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Kill();
    process_ = std::move(other.process_);
    id_ = std::exchange(other.id_, 0);
  }
  return *this;
}

Process::~Process() { Kill(); }

bool Process::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool Process::WaitForExit(std::chrono::milliseconds timeout) const {
  if (!process_) return true;
  const auto ms = static_cast<DWORD>(timeout.count());
  return ::WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0;
}

std::optional<DWORD> Process::ExitCode() const {
  DWORD code = 0;
  if (Running() || !process_ || !::GetExitCodeProcess(process_.get(), &code)) {
    return std::nullopt;
  }
  return code;
}

void Process::Kill() {
  if (!Running()) return;
  ::TerminateProcess(process_.get(), kKilledExitCode);
  WaitForExit(kKillTimeout);
}

}  // namespace rollkeep::driver
