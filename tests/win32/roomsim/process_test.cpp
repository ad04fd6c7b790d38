// roomsim.exe as another program sees it: its window tree, its entry box, its
// transcript, its log and how it ends.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "controls.h"
#include "platform/win32/common/unique_handle.h"

namespace roomsim {
namespace {

using ::testing::ElementsAre;

// Polls `done` for at most 60 s; returns what its last call returned, so the
// state that ended the wait is the one the caller sees.
bool WaitFor(const std::function<bool()>& done) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (done()) return true;
    if (::GetTickCount() - start >= 60000) return false;
    ::Sleep(20);
  }
}

// WM_GETTEXT through a timed send, as another process reads a window.
std::string TextOf(HWND window) {
  char text[4096] = {};
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, nullptr);
  return text;
}

struct TempFile {
  TempFile(const char* name, const std::string& content) {
    char dir[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, dir);
    path = std::string(dir) + "roomsim test " + std::to_string(::GetCurrentProcessId()) + name;
    std::ofstream(path, std::ios::binary) << content;
  }
  ~TempFile() { ::DeleteFileA(path.c_str()); }
  std::string path;
};

// roomsim.exe started with `arguments`, ended with the test if still running.
struct Sim {
  explicit Sim(const std::string& arguments) {
    std::string exe = std::string("Z:") + ROOMSIM_EXE;  // a Linux path, seen through Wine's Z:
    std::replace(exe.begin(), exe.end(), '/', '\\');
    std::string line = "\"" + exe + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &info)) {
      process.reset(info.hProcess);
      ::CloseHandle(info.hThread);
      id = info.dwProcessId;
    }
  }
  ~Sim() { ::TerminateProcess(process.get(), 99); }
  DWORD ExitCode() {
    DWORD code = STILL_ACTIVE;
    ::WaitForSingleObject(process.get(), 60000);
    ::GetExitCodeProcess(process.get(), &code);
    return code;
  }
  // The children of its frame's first room, in child order, as found by the
  // walk that saw the room with all its controls (the "Say" button is made
  // last); empty when none did.
  std::vector<HWND> Room() {
    std::vector<HWND> room;
    WaitFor([&] {
      std::vector<HWND> children = RoomChildren();
      if (children.empty() || ::GetDlgCtrlID(children.back()) != kSayButtonId) return false;
      room = std::move(children);
      return true;
    });
    return room;
  }
  std::vector<HWND> RoomChildren() const {
    HWND frame = nullptr, room = nullptr;
    DWORD owner = 0;
    while ((frame = ::FindWindowExA(nullptr, frame, "AOL Frame25", nullptr)) != nullptr &&
           (::GetWindowThreadProcessId(frame, &owner), owner != id)) {
    }
    HWND area = frame ? ::FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
    if (area) room = ::FindWindowExA(area, nullptr, "AOL Child", nullptr);
    std::vector<HWND> children;
    for (HWND c = room ? ::FindWindowExA(room, nullptr, nullptr, nullptr) : nullptr; c;
         c = ::FindWindowExA(room, c, nullptr, nullptr)) {
      children.push_back(c);
    }
    return children;
  }
  rollkeep::win32::UniqueKernelHandle process;
  DWORD id = 0;
};

// The log's lines as {ms, "KIND payload"}.
std::vector<std::pair<long long, std::string>> LogOf(const TempFile& log) {
  std::ifstream in(log.path, std::ios::binary);
  std::vector<std::pair<long long, std::string>> events;
  for (std::string line; std::getline(in, line);) {
    const std::size_t first = line.find('\t'), second = line.find('\t', first + 1);
    if (second == std::string::npos) continue;  // not written in full yet
    std::string event = line.substr(first + 1);
    event[second - first - 1] = ' ';
    events.emplace_back(std::atoll(line.c_str()), event);
  }
  return events;
}

TEST(RoomsimProcess, PlaysTheRoomForOtherProgramsRefusesBadOptionsAndHangsOnRequest) {
  TempFile script(".txt", "0.4 Bob Smith: list me\r\n# note\r\n\r\n0.2 Ann:  <b>hi</b>\r\n");
  TempFile log(".log", "");
  // The hung one ends itself 15 s after its start: time enough, on a loaded
  // machine, to be seen hung while it still runs.
  Sim bad("--keep-lines 0 --exit-after 60"), hung("--hang-after 0.3 --exit-after 15");
  Sim sim("--operator \"Ann Lee\" --exit-after 120 --script \"" + script.path + "\" --log \"" +
          log.path + "\"");
  EXPECT_EQ(bad.ExitCode(), 2u);

  const std::vector<HWND> hungRoom = hung.Room();
  ASSERT_FALSE(hungRoom.empty());
  EXPECT_TRUE(WaitFor([&] {
    return !::SendMessageTimeoutA(hungRoom[0], WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, nullptr);
  }));
  EXPECT_EQ(::WaitForSingleObject(hung.process.get(), 0), WAIT_TIMEOUT) << "hung, not ended";

  const std::vector<HWND> room = sim.Room();
  ASSERT_GE(room.size(), 5u);
  char classes[5][32] = {};
  for (int i = 0; i < 5; ++i) ::GetClassNameA(room[i], classes[i], sizeof classes[i]);
  EXPECT_THAT(std::vector<std::string>(classes, classes + 5),
              ElementsAre("RICHCNTL", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"));
  const std::string replayed = "Ann:\t <b>hi</b>\r\nBob Smith:\tlist me\r\n";
  EXPECT_TRUE(WaitFor([&] { return TextOf(room[1]) == replayed; })) << TextOf(room[1]);

  const char typed[] = "<font face=\"arial black\">::<font> Rollkeep: <u>Bob\tSmith</u> x <";
  ::SendMessageA(room[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
  ::SendMessageA(room[0], WM_CHAR, 13, 0);
  EXPECT_EQ(TextOf(room[1]), replayed + "Ann Lee:\t:: Rollkeep: Bob\tSmith x <\r\n");
  EXPECT_EQ(TextOf(room[0]), "");
  std::vector<std::pair<long long, std::string>> events;
  ASSERT_TRUE(WaitFor([&] { return (events = LogOf(log)).size() >= 7; })) << events.size();
  EXPECT_GE(events[2].first, 200);  // script lines come no sooner than due
  EXPECT_GE(events[3].first, 400);
  std::vector<std::string> texts;
  for (const auto& event : events) texts.push_back(event.second);
  EXPECT_THAT(texts, ElementsAre("INFO started, operator Ann Lee", "ROOM opened Lobby 1",
                                 "LINE Ann:\\t <b>hi</b>", "LINE Bob Smith:\\tlist me",
                                 "SETTEXT <font face=\"arial black\">::<font> Rollkeep: "
                                 "<u>Bob\\tSmith</u> x <",
                                 "CHAR 13", "LINE Ann Lee:\\t:: Rollkeep: Bob\\tSmith x <"));
  EXPECT_EQ(hung.ExitCode(), 0u);  // at its exit time, hung all the same
}

}  // namespace
}  // namespace roomsim
