#include "platform/win32/client/user32_window_ops.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win32/ui/message_pump.h"
#include "room/posting_queue.h"
#include "room/room_posting.h"

namespace rollkeep::win32 {
namespace {

// Every WM_SETTEXT and WM_CHAR that windows of the chat client's classes
// received, from any thread, in order: (window, "text <text>" or "char <code>").
using Log = std::vector<std::pair<HWND, std::string>>;
std::mutex g_logMutex;
Log g_log;

Log Received() {
  std::lock_guard lock(g_logMutex);
  return g_log;
}

// What one post of `line` must bring to the entry box.
Log FivePostMessages(HWND entry, const std::string& line) {
  Log log(3, {entry, "text "});  // emptied three times
  log.insert(log.end(), {{entry, "text " + line}, {entry, "char 13"}});
  return log;
}

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    std::lock_guard lock(g_logMutex);
    if (message == WM_CHAR) g_log.emplace_back(window, "char " + std::to_string(wParam));
    if (message == EM_SETSEL) {
      g_log.emplace_back(window, "sel " + std::to_string(wParam) + " " + std::to_string(lParam));
    }
    if (message == WM_SETTEXT) {
      g_log.emplace_back(
          window, "text " + std::string(lParam ? reinterpret_cast<const char*>(lParam) : ""));
    }
  } catch (...) {
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

// Hidden windows of the client's classes, made on the calling thread and
// destroyed with this object.
class ClientWindows {
public:
  struct Room {
    HWND room, entry, transcript;
  };

  ClientWindows() {
    for (const char* name : {"AOL Frame25", "MDIClient", "AOL Child", "RICHCNTL", "_AOL_Listbox",
                             "_AOL_Icon", "_AOL_Static"}) {
      WNDCLASSEXA wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = LoggingProc;
      wc.hInstance = ::GetModuleHandleA(nullptr);
      wc.lpszClassName = name;
      ::RegisterClassExA(&wc);  // fails harmlessly once registered
    }
    std::lock_guard lock(g_logMutex);
    g_log.clear();
  }
  ~ClientWindows() {
    for (HWND window : topLevel_) ::DestroyWindow(window);
  }
  ClientWindows(const ClientWindows&) = delete;
  ClientWindows& operator=(const ClientWindows&) = delete;

  HWND Window(const char* className, HWND parent = nullptr) {
    HWND window = ::CreateWindowExA(0, className, "", parent ? WS_CHILD : 0, 0, 0, 50, 20, parent,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (parent == nullptr) topLevel_.push_back(window);
    return window;
  }
  // The client's frame; returns its document area.
  HWND AddClient() { return Window("MDIClient", Window("AOL Frame25")); }
  Room AddRoom(HWND area) {
    const HWND room = Window("AOL Child", area);
    const Room r{room, Window("RICHCNTL", room), Window("RICHCNTL", room)};
    for (const char* mark : {"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) Window(mark, room);
    return r;
  }

private:
  std::vector<HWND> topLevel_;
};

const std::string kPrefix(Brask32::StylePrefix);

// Text the operator had typed into the box goes back after the Enter, the
// caret at its end.
TEST(User32Posting, TheFirstRoomsEntryBoxAloneReceivesThePost) {
  const std::string announcement = "Rollkeep: <u>Ann caf\xE9</u> has been added to the list";
  const struct {
    const char* name;
    int rooms;
    bool otherDocumentFirst;
    std::string typed;
  } cases[] = {{"no client, a stranger's top-level RICHCNTL", 0, false, ""},
               {"a document that is no room, then a room", 1, true, ""},
               {"two rooms", 2, false, ""},
               {"the operator's half-typed text", 1, false, "hello wor"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ClientWindows windows;
    const HWND area = c.rooms ? windows.AddClient() : nullptr;
    if (c.rooms == 0) windows.Window("RICHCNTL");  // must get nothing
    if (c.otherDocumentFirst) windows.Window("AOL Child", area);
    const auto first = c.rooms ? windows.AddRoom(area) : ClientWindows::Room{};
    if (c.rooms == 2) windows.AddRoom(area);
    // Typed, not sent: the box holds the text without a message logged.
    if (first.entry) {
      ::DefWindowProcA(first.entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed.c_str()));
    }
    User32WindowOps ops;
    EXPECT_EQ(Brask32::LocateRoom(ops), FromHwnd(first.room));
    Brask32::PostToRoom(ops, announcement);
    Log expected = first.entry ? FivePostMessages(first.entry, kPrefix + announcement) : Log{};
    if (!c.typed.empty()) {
      expected.insert(expected.end(), {{first.entry, "text " + c.typed},
                                       {first.entry, "sel 9 9"}});  // 9 characters
      char text[64] = {};
      ::GetWindowTextA(first.entry, text, sizeof text);
      EXPECT_EQ(text, c.typed);
    }
    EXPECT_EQ(Received(), expected);
  }
}

TEST(ReadWindowText, ReadsALongTextWholeAndFailsForAWindowGone) {
  ClientWindows windows;
  const HWND transcript = windows.Window("RICHCNTL");
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
  ClientWindows windows;
  const HWND transcript = windows.Window("RICHCNTL");
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
  const LRESULT result = LoggingProc(window, message, wParam, lParam);
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
  ClientWindows::Room room{};
  std::latch ready{1};
  std::thread client([&] {
    ClientWindows windows;
    room = windows.AddRoom(windows.AddClient());
    ::SetWindowLongPtrA(room.entry, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BusyProc));
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
  Log expected = FivePostMessages(room.entry, kPrefix + "first");
  expected.resize(4);  // the first try, up to the busy WM_SETTEXT
  for (const char* text : {"first", "second", "third"}) {
    const Log post = FivePostMessages(room.entry, kPrefix + text);
    expected.insert(expected.end(), post.begin(), post.end());
  }
  EXPECT_EQ(Received(), expected);
  ::PostMessageA(room.entry, WM_QUIT, 0, 0);
  client.join();
}

}  // namespace
}  // namespace rollkeep::win32
