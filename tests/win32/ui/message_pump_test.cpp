#include "platform/win32/ui/message_pump.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/common/unique_handle.h"

namespace rollkeep::win32 {
namespace {

constexpr UINT kPing = WM_APP + 1;
std::vector<UINT> g_seen;  // the kPing and WM_TIMER the test window handled, in order
// What its timer does besides: mark the program ending, then post a ping that
// must never run; post WM_QUIT 3.
bool g_endOnTimer = false, g_quitOnTimer = false;

LRESULT CALLBACK TestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == kPing || message == WM_TIMER) g_seen.push_back(message);
  if (message != WM_TIMER) return ::DefWindowProcA(window, message, wParam, lParam);
  ::KillTimer(window, 1);
  if (g_endOnTimer) MarkProgramEnding();
  if (g_endOnTimer) ::PostMessageA(window, kPing, 0, 0);
  if (g_quitOnTimer) ::PostQuitMessage(3);
  return 0;
}

class CountingPump final : public EventPump {
public:
  bool PumpFor(double timeoutSeconds) override {
    ++calls;
    return inner.PumpFor(timeoutSeconds);
  }
  Win32EventPump inner;
  int calls = 0;
};

TEST(Win32Wait, TakesTheTimeHandlingMessagesAndStopsPromptlyWhenTheProgramEnds) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TestProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = "RollkeepPumpTest";
  ::RegisterClassExA(&wc);
  const struct { bool end, quit; } cases[] = {{false, false}, {true, true}, {false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "end " << c.end << ", quit " << c.quit);
    g_seen.clear();
    g_endOnTimer = c.end;
    g_quitOnTimer = c.quit;
    UniqueWindow w(::CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                     wc.hInstance, nullptr));
    ::PostMessageA(w.get(), kPing, 0, 0);
    ::SetTimer(w.get(), 1, 100, nullptr);
    CountingPump pump;
    QpcClock clock;
    const bool stops = c.end || c.quit;
    // A stopped wait ends with the timer (0.1 s), long before its 20 s; the
    // upper bound leaves a loaded machine room.
    EXPECT_EQ(Brask32::WaitSeconds(stops ? 20.0 : 0.7, clock, pump), !stops);
    EXPECT_GE(clock.NowSeconds(), stops ? 0.0 : 0.7);
    EXPECT_LT(clock.NowSeconds(), 10.0);
    EXPECT_LE(pump.calls, 10);  // a spin would wake thousands of times
    EXPECT_EQ(g_seen, (std::vector<UINT>{kPing, WM_TIMER}));
    MSG msg{};  // WM_QUIT is left for the main loop
    EXPECT_EQ(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 3,
              c.quit);
    EXPECT_EQ(pump.PumpFor(0.1), !c.end);  // once ended, every wait ends at once
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    ClearProgramEnding();
  }
}

}  // namespace
}  // namespace rollkeep::win32
