#pragma once
// The chat client's windows on a thread of their own, as a separate program
// would have them: reads of its transcript are answered only when that thread
// handles messages, and it can be made to stop answering for a while.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace rollkeep::win32::testing {

class ClientThread {
public:
  // Opens one room whose transcript starts with `history`.
  explicit ClientThread(std::string history = "");
  ~ClientThread();
  ClientThread(const ClientThread&) = delete;
  ClientThread& operator=(const ClientThread&) = delete;

  HWND room() const { return room_; }
  // The client handles no message for `ms` milliseconds, then `screenName`
  // says `text`. Returns at once.
  void HangThenSay(DWORD ms, const std::string& screenName, const std::string& text);
  // When the client last finished appending a line said through HangThenSay.
  std::chrono::steady_clock::time_point LastSaidAt() const;

private:
  void Run(std::string history);

  HWND room_ = nullptr;
  DWORD threadId_ = 0;
  HANDLE ready_ = nullptr;
  std::atomic<std::chrono::steady_clock::rep> lastSaidAt_{0};
  std::thread thread_;
};

}  // namespace rollkeep::win32::testing
