#pragma once
// Waiting on a condition with a deadline, and the error the driver throws
// when a window, a process or a file does not behave as expected.

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

namespace rollkeep::driver {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class DriverError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr milliseconds kPollInterval{25};

// Calls `probe` until its result tests true or `timeout` has passed, and
// returns the last result.
template <typename Probe>
auto PollFor(milliseconds timeout, Probe probe) -> decltype(probe()) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    auto result = probe();
    if (result || Clock::now() >= deadline) return result;
    std::this_thread::sleep_for(kPollInterval);
  }
}

// As PollFor, but a result that is still false at the deadline throws a
// DriverError naming `what` was waited for.
template <typename Probe>
auto WaitFor(milliseconds timeout, const std::string& what, Probe probe)
    -> decltype(probe()) {
  auto result = PollFor(timeout, probe);
  if (!result) {
    throw DriverError("timed out after " + std::to_string(timeout.count()) +
                      " ms waiting for " + what);
  }
  return result;
}

}  // namespace rollkeep::driver
