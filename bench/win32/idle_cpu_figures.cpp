// Figures for the record: the CPU rollkeep.exe uses with the bot on in a
// quiet room whose transcript holds 1,000 or 200,000 lines (about a minute in
// all; --gtest_filter picks one). Only the hearing is checked. Uses the
// end-to-end fixture, which starts both programs from outside.

#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "driver/files.h"
#include "platform/win32/common/unique_handle.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

double ProcessCpuSeconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!::GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  auto seconds = [](const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) |
                               time.dwLowDateTime) / 1e7;
  };
  return seconds(kernel) + seconds(user);
}

// The room's transcript: the second "RICHCNTL" child of the open room.
HWND Transcript(HWND frame) {
  const HWND documents = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  const HWND room = ::FindWindowExA(documents, nullptr, "AOL Child", nullptr);
  const HWND entry = ::FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
  return ::FindWindowExA(room, entry, "RICHCNTL", nullptr);
}

class IdleCpu : public EndToEnd {
protected:
  void Measure(int lines) {
    StartClient({"--keep-lines", "1000000"});
    std::string history;
    for (int n = 0; n < lines; ++n) {
      history += "Member " + std::to_string(n % 500) + ":\tsaid something in the room\r\n";
    }
    const HWND transcript = Transcript(programs_.ClientFrame());
    ASSERT_NE(transcript, nullptr);
    // Appended in pieces: Wine refuses a single cross-process message of
    // several megabytes.
    constexpr std::size_t kPiece = 256 * 1024;
    for (std::size_t at = 0; at < history.size(); at += kPiece) {
      const std::string piece = history.substr(at, kPiece);
      DWORD_PTR result = 0;
      ::SendMessageTimeoutA(transcript, EM_SETSEL, static_cast<WPARAM>(-1), -1, SMTO_NORMAL,
                            60000, &result);
      ASSERT_NE(::SendMessageTimeoutA(transcript, EM_REPLACESEL, FALSE,
                                      reinterpret_cast<LPARAM>(piece.c_str()), SMTO_NORMAL,
                                      60000, &result), 0u);
    }
    StartRollkeepTurnedOn(120s);
    std::this_thread::sleep_for(2s);

    win32::UniqueKernelHandle process(
        ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, programs_.RollkeepId()));
    ASSERT_TRUE(process);
    const double before = ProcessCpuSeconds(process.get());
    const auto start = Clock::now();
    std::this_thread::sleep_for(15s);
    const double cpu = ProcessCpuSeconds(process.get()) - before;
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("bot on, quiet room, %d-line transcript (%lu characters): rollkeep.exe used "
                "%.2f CPU-s in %.1f s (%.1f%% of a core)\n",
                lines, static_cast<unsigned long>(history.size()), cpu, wall, 100 * cpu / wall);
  }
};

TEST_F(IdleCpu, ThousandLines) { Measure(1000); }
TEST_F(IdleCpu, TwoHundredThousandLines) { Measure(200000); }

}  // namespace
}  // namespace rollkeep::e2e
