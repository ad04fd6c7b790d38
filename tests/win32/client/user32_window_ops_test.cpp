#include "platform/win32/client/user32_window_ops.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/ui/message_pump.h"
#include "room/posting_queue.h"
#include "room/room_posting.h"
#include "support/desktops.h"
#include "support/win32_client.h"

namespace rollkeep::win32 {
namespace {

using namespace rollkeep::testing;
using Messages = std::vector<std::string>;

// The desktops of the unit tests as real windows: the room user32 finds is
// the model's, and its entry box alone receives the post. Text the operator
// had typed there goes back after the Enter, the caret at its end.
TEST(User32Posting, FindsTheRoomOfEveryDesktopAsTheModelDoes) {
  const std::string typed = "hello wor";
  for (const DesktopCase& c : Desktops()) {
    SCOPED_TRACE(c.name);
    Win32Desktop desktop;
    const ChatRoomWindows expected = c.build(desktop);
    const bool delivered = expected.entry != kNoWindow;
    if (delivered) {  // typed, not sent: the box holds the text without a message logged
      ::DefWindowProcA(Hwnd(expected.entry), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    }
    User32WindowOps ops;
    ExpectRoomFoundAndPostedTo(ops, c, expected);
    Messages received;
    if (delivered) {
      received = FivePostMessages(c.text);
      received.insert(received.end(), {"WM_SETTEXT " + typed, "EM_SETSEL 9 9"});
      EXPECT_EQ(TextOf(Hwnd(expected.entry)), typed);
    }
    EXPECT_EQ(MessagesTo(expected.entry), received);
    EXPECT_EQ(Received().size(), received.size());
  }
}

TEST(ReadWindowText, ReadsALongTextWholeAndFailsForAWindowGone) {
  Win32Desktop desktop;
  const HWND transcript = Hwnd(desktop.Create("RICHCNTL"));
  const std::string text = "Bob:\tcaf\xE9\r\n" + std::string(200000, 'x');
  ::SetWindowTextA(transcript, text.c_str());
  std::string out;
  EXPECT_TRUE(ReadWindowText(transcript, out, 1000));
  EXPECT_EQ(out, text);
  ::DestroyWindow(transcript);
  out = "stale";
  EXPECT_FALSE(ReadWindowText(transcript, out, 1000));
  EXPECT_EQ(out, "");
}

// Says its text is 12 characters long, then copies none of them.
LRESULT CALLBACK CopiesNothingProc(HWND window, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
  if (message == WM_GETTEXTLENGTH) return 12;
  if (message == WM_GETTEXT) return 0;
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// An empty text is read as empty; a text said to be there of which nothing
// is copied is a failed read, not an empty transcript.
TEST(ReadWindowText, ACopyOfNothingFailsAnEmptyTextDoesNot) {
  Win32Desktop desktop;
  const HWND transcript = Hwnd(desktop.Create("RICHCNTL"));
  std::string out = "stale";
  EXPECT_EQ(TryReadWindowText(transcript, out, 1000), TextRead::Read);
  EXPECT_EQ(out, "");
  ::SetWindowLongPtrA(transcript, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CopiesNothingProc));
  out = "stale";
  EXPECT_EQ(TryReadWindowText(transcript, out, 1000), TextRead::Failed);
  EXPECT_EQ(out, "");
}

// The first WM_SETTEXT of a non-empty text that the client handles keeps it
// busy for this long; zero: no more delay.
std::atomic<DWORD> g_busyInSetTextMs{0};

LRESULT CALLBACK BusyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const LRESULT result = ClientWindowProc(window, message, wParam, lParam);
  if (message == WM_SETTEXT && lParam && *reinterpret_cast<const char*>(lParam)) {
    if (const DWORD ms = g_busyInSetTextMs.exchange(0)) ::Sleep(ms);
  }
  return result;
}

struct ManualTimer final : Timer {
  bool Start(unsigned) override { return running = true; }
  void Stop() override { running = false; }
  bool running = false;
};

struct NoticeLog final : OperatorNotice {
  void Tell(const std::string& text) override { told.push_back(text); }
  std::vector<std::string> told;
};

// The client on a thread of its own is busy inside the first post's
// WM_SETTEXT for longer than the send timeout: the posts wait, Rollkeep is
// held for one timeout only, and once the client answers again every post
// arrives whole, in order, none twice.
TEST(User32Posting, PostsWaitOutAClientBusyInsideASetTextAndArriveInOrder) {
  constexpr UINT kTimeoutMs = 300;
  constexpr DWORD kBusyMs = 1500;
  ChatRoomWindows room{};
  std::latch ready{1};
  std::thread client([&] {
    Win32Desktop desktop;
    room = AddChatRoom(desktop, AddChatClient(desktop).mdiClient);
    ::SetWindowLongPtrA(Hwnd(room.entry), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BusyProc));
    ready.count_down();
    MSG msg{};
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  });
  ready.wait();
  User32WindowOps ops(kTimeoutMs, 50);
  ManualTimer timer;
  NoticeLog notice;
  QpcClock clock;
  PostingQueue queue(ops, timer, notice, [&] { return clock.NowSeconds(); });
  g_busyInSetTextMs = kBusyMs;
  for (const char* text : {"first", "second", "third"}) queue.Post(text);
  const double posted = clock.NowSeconds();
  EXPECT_GE(posted, 0.9 * kTimeoutMs / 1000);
  EXPECT_LT(posted, 10.0);
  EXPECT_EQ(queue.Waiting(), 3u);  // the later two were not tried: one timeout in all
  EXPECT_TRUE(timer.running);

  // The timer's ticks, until every post is out.
  while (queue.Waiting() > 0 && clock.NowSeconds() < 30) {
    queue.Retry();
    ::Sleep(50);
  }
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_GE(clock.NowSeconds(), 0.9 * kBusyMs / 1000);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(notice.told, std::vector<std::string>{});
  Messages expected = FivePostMessages("first");
  expected.resize(4);  // the first try, up to the busy WM_SETTEXT
  for (const char* text : {"first", "second", "third"}) {
    const Messages post = FivePostMessages(text);
    expected.insert(expected.end(), post.begin(), post.end());
  }
  EXPECT_EQ(MessagesTo(room.entry), expected);
  EXPECT_EQ(Received().size(), expected.size());
  ::PostMessageA(Hwnd(room.entry), WM_QUIT, 0, 0);
  client.join();
}

}  // namespace
}  // namespace rollkeep::win32
