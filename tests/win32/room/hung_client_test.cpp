#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "client_windows.h"
#include "platform/win32/common/unique_handle.h"
#include "platform/win32/room/user32_window_ops.h"
#include "room/room_posting.h"

namespace rollkeep {
namespace {

using testing::ClientWindows;
using testing::FivePostMessages;
using testing::ReceivedBy;
using testing::SetTextMsg;
using win32::UniqueKernelHandle;

double Seconds() {
  LARGE_INTEGER now{}, frequency{};
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// A chat client on its own thread that stops answering messages until
// Release(), then answers them until it is dropped.
class HungClient {
public:
  HungClient()
      : ready_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        release_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        thread_([this] { Run(); }) {
    ::WaitForSingleObject(ready_.get(), INFINITE);
  }
  ~HungClient() {
    Release();
    ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }

  void Release() { ::SetEvent(release_.get()); }
  // Returns once the client has handled every message sent to it so far.
  void Settle() const {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(room.entry, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  }

  ClientWindows::Room room{};

private:
  void Run() {
    ClientWindows windows;
    room = windows.AddRoom(windows.AddClient());
    MSG msg{};
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // make the thread's queue
    threadId_ = ::GetCurrentThreadId();
    ::SetEvent(ready_.get());
    ::WaitForSingleObject(release_.get(), INFINITE);  // hung: no message is handled
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
  }

  UniqueKernelHandle ready_;
  UniqueKernelHandle release_;
  DWORD threadId_ = 0;
  std::thread thread_;
};

constexpr UINT kTimeoutMs = 300;
constexpr ULONGLONG kUnresponsiveMs = 3000;

TEST(HungClient, OnePostCostsOneTimeoutAndLaterPostsAreSkipped) {
  HungClient client;
  win32::User32WindowOps ops(kTimeoutMs, kUnresponsiveMs);

  const double start = Seconds();
  Brask32::PostToRoom(ops, "first");
  const double firstPost = Seconds() - start;
  Brask32::PostToRoom(ops, "second");
  const double bothPosts = Seconds() - start;
  EXPECT_GE(firstPost, kTimeoutMs / 1000.0 * 0.9);
  EXPECT_LT(bothPosts, 4 * kTimeoutMs / 1000.0);  // five timeouts would be 1.5 s

  client.Release();
  client.Settle();
  Brask32::PostToRoom(ops, "third");  // answering again, but still left alone
  client.Settle();
  if (Seconds() - start < kUnresponsiveMs / 1000.0) {
    // Only the first message was ever sent. Windows hands a timed-out message
    // to the client once it answers again; Wine drops it.
    const auto received = ReceivedBy(client.room.entry);
    EXPECT_LE(received.size(), 1u);
    if (!received.empty()) {
      EXPECT_EQ(received.front(), SetTextMsg(""));
    }
  }
}

TEST(HungClient, WindowIsTriedAgainAfterItsTimeOut) {
  HungClient client;
  win32::User32WindowOps ops(kTimeoutMs, 500);
  Brask32::PostToRoom(ops, "lost");
  client.Release();
  client.Settle();
  const std::size_t before = ReceivedBy(client.room.entry).size();
  ::Sleep(600);
  Brask32::PostToRoom(ops, "delivered");
  client.Settle();
  const auto received = ReceivedBy(client.room.entry);
  ASSERT_EQ(received.size(), before + 5);
  EXPECT_EQ(std::vector(received.begin() + before, received.end()),
            FivePostMessages(std::string(Brask32::StylePrefix) + "delivered"));
}

TEST(HungClient, ReadWindowTextGivesUpOnAHungWindow) {
  HungClient client;
  std::string text = "stale";
  EXPECT_FALSE(win32::ReadWindowText(client.room.transcript, text, 200));
  EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace rollkeep
