#include "client_thread.h"

#include <memory>
#include <stdexcept>

#include "chat_client_windows.h"

namespace rollkeep::win32::testing {

namespace {

constexpr UINT kHangThenSay = WM_APP + 1;

struct HangThenSayOrder {
  DWORD ms;
  std::string screenName;
  std::string text;
};

}  // namespace

ClientThread::ClientThread(std::string history)
    : ready_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  if (!ready_) throw std::runtime_error("cannot create an event");
  thread_ = std::thread([this, history = std::move(history)] { Run(history); });
  ::WaitForSingleObject(ready_, INFINITE);
}

ClientThread::~ClientThread() {
  ::PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  ::CloseHandle(ready_);
}

void ClientThread::HangThenSay(DWORD ms, const std::string& screenName, const std::string& text) {
  auto order = std::make_unique<HangThenSayOrder>(HangThenSayOrder{ms, screenName, text});
  if (::PostThreadMessageA(threadId_, kHangThenSay, 0, reinterpret_cast<LPARAM>(order.get()))) {
    order.release();  // the client thread owns it now
  }
}

std::chrono::steady_clock::time_point ClientThread::LastSaidAt() const {
  return std::chrono::steady_clock::time_point(
      std::chrono::steady_clock::duration(lastSaidAt_.load()));
}

void ClientThread::Run(std::string history) {
  ChatClientWindows client;
  room_ = client.OpenRoom(history);
  threadId_ = ::GetCurrentThreadId();
  ::SetEvent(ready_);
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.hwnd == nullptr && message.message == kHangThenSay) {
      std::unique_ptr<HangThenSayOrder> order(reinterpret_cast<HangThenSayOrder*>(message.lParam));
      ::Sleep(order->ms);
      ChatClientWindows::Say(room_, order->screenName, order->text);
      lastSaidAt_ = std::chrono::steady_clock::now().time_since_epoch().count();
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace rollkeep::win32::testing
