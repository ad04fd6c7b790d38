// The room bridge with a client that is not there or not answering: with no
// chat room open nothing is typed into another program's window of the entry
// box's class, and answers due while the client is hung all reach the room
// once it answers again, in order, none twice.

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <latch>
#include <mutex>
#include <thread>

#include "driver/files.h"
#include "driver/input.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

// A top-level window of the entry box's class in another program (this
// one), on a thread of its own that handles its messages, and everything
// it received.
class StrangerWindow {
public:
  StrangerWindow() {
    std::latch ready{1};
    thread_ = std::thread([this, &ready] {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = &Proc;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = "RICHCNTL";
      ::RegisterClassExA(&wc);
      threadId_ = ::GetCurrentThreadId();
      window_ = ::CreateWindowExA(0, "RICHCNTL", "stranger", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
      ready.count_down();
      MSG msg{};
      while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
      if (window_ != nullptr) ::DestroyWindow(window_);
    });
    ready.wait();
  }
  ~StrangerWindow() {
    ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  StrangerWindow(const StrangerWindow&) = delete;
  StrangerWindow& operator=(const StrangerWindow&) = delete;

  HWND Window() const { return window_; }
  static std::vector<UINT> Received() {
    std::lock_guard lock(mutex_);
    return received_;
  }

private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_SETTEXT || message == WM_CHAR) {
      std::lock_guard lock(mutex_);
      received_.push_back(message);
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  static inline std::mutex mutex_;
  static inline std::vector<UINT> received_;
  std::thread thread_;
  DWORD threadId_ = 0;
  HWND window_ = nullptr;
};

TEST_F(EndToEnd, WithNoChatRoomNothingIsTypedIntoAnotherProgramsWindow) {
  StrangerWindow stranger;
  ASSERT_NE(stranger.Window(), nullptr);
  StartRollkeep();  // posts "loaded"
  // Each state below is reached only after the click before it was handled,
  // and with it the post of "turned on" or "turned off".
  for (const bool on : {true, false, true}) {
    programs_.Press(on ? kOnButton : kOffButton);
    WaitForBot(on);
  }
  EXPECT_TRUE(Answers(programs_.Main(), kDeadline));
  EXPECT_EQ(StrangerWindow::Received(), std::vector<UINT>{});
}

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

// Time enough for Rollkeep to start and be turned on before the first line.
constexpr double kLead = 10.0;
constexpr double kHangSeconds = 10.0;
// The members speak from kLead on, one every 0.2 s, all before the hang.
// Rollkeep answers the first at about kLead + 0.8 to 1.0 and the second a
// pause later, from about kLead + 1.45 on: the client hangs between the two,
// while Rollkeep is not typing, so every answer but the first falls due
// while the client does not answer.
constexpr double kHangAfter = kLead + 1.2;
const std::vector<std::string> kMembers{"Ann", "Bob Smith", "Cy", "Dee", "Eve", "Fay"};

std::string ListMeScript() {
  std::string text;
  for (std::size_t i = 0; i < kMembers.size(); ++i) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f ", kLead + 0.2 * static_cast<double>(i));
    text += seconds + kMembers[i] + ": list me\n";
  }
  return text;
}

TEST_F(EndToEnd, AnswersDueWhileTheClientIsHungArriveOnceItAnswersAgain) {
  WriteFileBytes(WorkPath("script.txt"), ListMeScript());
  char hangAfter[32], hangFor[32];
  std::snprintf(hangAfter, sizeof hangAfter, "%.3f", kHangAfter);
  std::snprintf(hangFor, sizeof hangFor, "%.3f", kHangSeconds);
  StartClient({"--script", WorkPath("script.txt"), "--hang-after", hangAfter, "--hang-for",
               hangFor});
  StartRollkeep();
  programs_.Press(kOnButton);
  WaitForBot(true);
  const auto on = WaitForPost("Rollkeep: turned on, type <u><b>list me</b></u> to be listed");
  ASSERT_LT(on.ms, kLead * 1000) << "start-up took longer than the script's lead";

  ExpectRoster(kMembers, 90s);
  std::vector<std::string> expected{"Rollkeep: loaded", on.text};
  for (const std::string& name : kMembers) expected.push_back(Added(name));
  std::vector<std::string> texts;
  PollFor(90s, [&] {
    texts.clear();
    for (const auto& post : Posted()) texts.push_back(post.text);
    return texts.size() >= expected.size();
  });
  // Every answer, in order, none twice: also nothing more arrives late.
  EXPECT_TRUE(Answers(programs_.Main(), kDeadline));
  texts.clear();
  const auto posted = Posted();
  for (const auto& post : posted) texts.push_back(post.text);
  EXPECT_EQ(texts, expected);

  // The hang really held answers back, and the box was left empty: the last
  // entry-box message is an Enter.
  const auto events = LogEvents();
  long long hangOver = -1, lastEntryMessage = -1;
  LogKind lastKind = LogKind::Other;
  for (const auto& event : events) {
    if (event.kind == LogKind::Other && event.payload == "hang over") hangOver = event.ms;
    if (event.kind == LogKind::SetText || event.kind == LogKind::Char) {
      lastEntryMessage = event.ms;
      lastKind = event.kind;
    }
  }
  ASSERT_GE(hangOver, 0) << "the client's hang did not end";
  EXPECT_EQ(lastKind, LogKind::Char);
  std::size_t afterHang = 0;
  for (const auto& post : posted) afterHang += post.ms >= hangOver ? 1 : 0;
  EXPECT_GE(afterHang, kMembers.size() - 1);
  std::cout << "answers after the hang: " << afterHang << " of " << kMembers.size()
            << "; the last one " << (lastEntryMessage - hangOver) << " ms after the hang ended\n";
}

}  // namespace
}  // namespace rollkeep::e2e
