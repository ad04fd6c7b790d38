#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/room/message_pump.h"
#include "windows/wait_seconds.h"

namespace rollkeep {
namespace {

using win32::UniqueWindow;

constexpr UINT kPing = WM_APP + 1;
constexpr UINT_PTR kTimerId = 7;

// What the test window saw, and what it does on its timer.
struct Seen {
  std::vector<UINT> messages;
  bool endOnTimer = false;
  int quitCodeOnTimer = -1;  // >= 0: PostQuitMessage with it on the timer
};
Seen g_seen;

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == kPing || message == WM_TIMER || message == WM_COMMAND || message == WM_KEYDOWN) {
    g_seen.messages.push_back(message == WM_COMMAND ? WM_COMMAND + LOWORD(wParam) : message);
  }
  if (message == WM_TIMER) {
    ::KillTimer(window, kTimerId);
    if (g_seen.endOnTimer) {
      win32::MarkProgramEnding();
      ::PostMessageA(window, kPing, 0, 0);  // must not run: the program has ended
    }
    if (g_seen.quitCodeOnTimer >= 0) ::PostQuitMessage(g_seen.quitCodeOnTimer);
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

UniqueWindow MakeWindow(HWND parent = nullptr) {
  const char* kClass = "RollkeepPumpTest";
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (!::GetClassInfoExA(::GetModuleHandleA(nullptr), kClass, &wc)) {
    wc.lpfnWndProc = TestProc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    ::RegisterClassExA(&wc);
  }
  return UniqueWindow(::CreateWindowExA(0, kClass, "", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0,
                                        10, 10, parent, nullptr, ::GetModuleHandleA(nullptr),
                                        nullptr));
}

// Counts the pump's wake-ups.
class CountingPump final : public EventPump {
public:
  bool PumpFor(double timeoutSeconds) override {
    ++calls;
    return inner.PumpFor(timeoutSeconds);
  }
  win32::Win32EventPump inner;
  int calls = 0;
};

class Win32Wait : public ::testing::Test {
protected:
  void SetUp() override {
    DropQueuedMessages();
    g_seen = Seen{};
    win32::ClearProgramEnding();
  }
  void TearDown() override {
    DropQueuedMessages();
    win32::ClearProgramEnding();
  }
  static void DropQueuedMessages() {
    MSG msg{};
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  // Waits `seconds` and returns how long it took by the clock.
  double TimedWait(double seconds, EventPump& pump, bool& result) {
    const double start = clock.NowSeconds();
    result = Brask32::WaitSeconds(seconds, clock, pump);
    return clock.NowSeconds() - start;
  }

  win32::QpcClock clock;
};

TEST_F(Win32Wait, IdleWaitTakesAtLeastTheTimeWithoutSpinning) {
  CountingPump pump;
  bool result = false;
  const double took = TimedWait(0.7, pump, result);
  EXPECT_TRUE(result);
  EXPECT_GE(took, 0.7);
  EXPECT_LT(took, 5.0);
  EXPECT_LE(pump.calls, 3);  // a spin would wake thousands of times
}

TEST_F(Win32Wait, MessagesAndTimersAreHandledDuringTheWait) {
  UniqueWindow w = MakeWindow();
  ASSERT_TRUE(w);
  ::PostMessageA(w.get(), kPing, 0, 0);
  ::SetTimer(w.get(), kTimerId, 100, nullptr);
  win32::Win32EventPump pump;
  bool result = false;
  const double took = TimedWait(0.7, pump, result);
  EXPECT_TRUE(result);
  EXPECT_GE(took, 0.7);
  EXPECT_EQ(g_seen.messages, (std::vector<UINT>{kPing, WM_TIMER}));
}

TEST_F(Win32Wait, ProgramEndedInsideTheWaitStopsItPromptly) {
  UniqueWindow w = MakeWindow();
  g_seen.endOnTimer = true;
  g_seen.quitCodeOnTimer = 0;
  ::SetTimer(w.get(), kTimerId, 100, nullptr);
  win32::Win32EventPump pump;
  bool result = true;
  const double took = TimedWait(0.7, pump, result);
  EXPECT_FALSE(result);
  EXPECT_LT(took, 0.6);
  EXPECT_EQ(g_seen.messages, std::vector<UINT>{WM_TIMER});  // the ping after the end never ran
  EXPECT_FALSE(pump.PumpFor(0.1));                          // and every later wait ends at once
}

TEST_F(Win32Wait, QuitMessageEndsTheWaitAndIsLeftForTheMainLoop) {
  UniqueWindow w = MakeWindow();
  g_seen.quitCodeOnTimer = 3;
  ::SetTimer(w.get(), kTimerId, 100, nullptr);
  win32::Win32EventPump pump;
  bool result = true;
  const double took = TimedWait(0.7, pump, result);
  EXPECT_FALSE(result);
  EXPECT_LT(took, 0.6);
  MSG msg{};
  ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Win32Wait, RegisteredWindowsGetDialogKeys) {
  UniqueWindow dialog = MakeWindow();
  UniqueWindow child = MakeWindow(dialog.get());
  ASSERT_TRUE(child);
  for (const bool registered : {false, true}) {
    g_seen.messages.clear();
    if (registered) win32::RegisterDialogWindow(dialog.get());
    ::PostMessageA(child.get(), WM_KEYDOWN, VK_ESCAPE, 0);
    win32::Win32EventPump pump;
    EXPECT_TRUE(pump.PumpFor(0.05));
    // IsDialogMessage turns Escape into the dialog's IDCANCEL command.
    const std::vector<UINT> expected =
        registered ? std::vector<UINT>{WM_COMMAND + IDCANCEL} : std::vector<UINT>{WM_KEYDOWN};
    EXPECT_EQ(g_seen.messages, expected) << registered;
  }
  win32::UnregisterDialogWindow(dialog.get());
}

}  // namespace
}  // namespace rollkeep
