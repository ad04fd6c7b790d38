// Figures of the scanner at work, printed for the record: the CPU it costs
// while the room is quiet, and how soon a line said is raised. Only the
// behaviour is asserted.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "chat_client_windows.h"
#include "client_thread.h"
#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const FILETIME& time) {
  return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) |
                             time.dwLowDateTime) /
         1e7;
}

// CPU time of the whole process: the scanner and the client's thread.
double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

// CPU time of this thread alone: the scanner's share.
double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

// A busy room's worth of transcript: 1000 lines.
std::string History() {
  std::string text;
  for (int n = 0; n < 1000; ++n) {
    text += "Member " + std::to_string(n % 37) + ":\tsomething said in the room, number " +
            std::to_string(n) + "\r\n";
  }
  return text;
}

TEST_F(ScannerTest, FiguresQuietRoomCpuAndLatency) {
  ClientThread client(History());
  scanner_->BeginWatch();

  const double cpuBefore = ProcessCpuSeconds();
  const double threadBefore = ThreadCpuSeconds();
  const auto wallBefore = Clock::now();
  PumpFor(10000);
  const double cpu = ProcessCpuSeconds() - cpuBefore;
  const double threadCpu = ThreadCpuSeconds() - threadBefore;
  const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
  EXPECT_TRUE(heard_.empty());

  Clock::time_point heardAt;
  onLine_ = [&](const Heard&) { heardAt = Clock::now(); };
  std::mt19937 random(7);
  std::vector<double> latenciesMs;
  for (int n = 0; n < 20; ++n) {
    PumpFor(std::uniform_int_distribution<DWORD>(0, 150)(random));
    const std::size_t before = heard_.size();
    client.HangThenSay(0, "Ann", "line " + std::to_string(n));
    ASSERT_TRUE(PumpUntil([&] { return heard_.size() > before; }));
    latenciesMs.push_back(
        std::chrono::duration<double, std::milli>(heardAt - client.LastSaidAt()).count());
  }
  PumpFor(300);
  EXPECT_EQ(heard_.size(), 20u);

  const double mean =
      std::accumulate(latenciesMs.begin(), latenciesMs.end(), 0.0) / latenciesMs.size();
  std::printf(
      "quiet room, 1000-line transcript, %.1f s: CPU of the process %.3f s = %.2f%% of one "
      "core; of the scanner's thread %.3f s = %.2f%%\n",
      wall, cpu, 100.0 * cpu / wall, threadCpu, 100.0 * threadCpu / wall);
  std::printf("line said -> raised: mean %.0f ms, max %.0f ms over %zu lines\n", mean,
              *std::max_element(latenciesMs.begin(), latenciesMs.end()), latenciesMs.size());
}

}  // namespace
}  // namespace rollkeep::win32::testing
