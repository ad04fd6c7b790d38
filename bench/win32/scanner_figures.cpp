// Figures of the room scanner at work: the CPU it costs while a room with a
// long transcript is quiet, and how soon a line said is raised. Printed for
// the record; the program fails only when a line is not heard at all.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/common/qpc_clock.h"
#include "platform/win32/scanner/room_chat_scanner.h"
#include "support/win32_client.h"

namespace {

using namespace rollkeep;

double ThreadCpuSeconds() {
  FILETIME unused, kernel, user;
  ::GetThreadTimes(::GetCurrentThread(), &unused, &unused, &kernel, &user);
  const auto seconds = [](const FILETIME& t) {
    return ((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

}  // namespace

int main() {
  testing::ChatClient client;
  std::string history;
  for (int n = 0; n < 1000; ++n) history += "Member " + std::to_string(n) + ":\tsaid this\r\n";
  const HWND room = client.OpenRoom(history);
  win32::QpcClock clock;
  double heardAt = 0;
  std::size_t heard = 0;
  win32::RoomChatScanner scanner([&](const std::string&, const std::string&) {
    heardAt = clock.NowSeconds();
    ++heard;
  });
  scanner.BeginWatch();

  const double cpuBefore = ThreadCpuSeconds(), quietFrom = clock.NowSeconds();
  testing::PumpFor(3000);
  const double cpu = ThreadCpuSeconds() - cpuBefore, quiet = clock.NowSeconds() - quietFrom;

  constexpr std::size_t kLines = 10;
  double totalMs = 0, longestMs = 0;
  for (std::size_t n = 0; n < kLines; ++n) {
    testing::PumpFor(static_cast<DWORD>(37 * n % 150));  // at different points of the period
    const double saidAt = clock.NowSeconds();
    testing::Say(room, "Ann", "line " + std::to_string(n));
    if (!testing::PumpUntil([&] { return heard > n; })) {
      std::printf("line %zu was not heard\n", n);
      return 1;
    }
    totalMs += 1000 * (heardAt - saidAt);
    longestMs = std::max(longestMs, 1000 * (heardAt - saidAt));
  }
  std::printf("quiet room, 1000-line transcript, %.1f s: CPU of the scanner's thread %.2f%%\n",
              quiet, 100 * cpu / quiet);
  std::printf("line said -> raised: mean %.0f ms, max %.0f ms\n", totalMs / kLines, longestMs);
  return 0;
}
