#pragma once
// A chat client made of real windows of the client's classes in this process,
// and a RoomChatScanner with every line it raises recorded.
// Tests pump this thread's messages to let both run.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/common/tick_deadline.h"
#include "platform/win32/scanner/room_chat_scanner.h"

namespace rollkeep::win32::testing {

inline constexpr char kOperator[] = "Host";
inline constexpr int kEntryId = 1, kTranscriptId = 2;

inline std::string TextOf(HWND window) {
  std::string text(1 << 20, '\0');  // more than any transcript here
  text.resize(static_cast<std::size_t>(::GetWindowTextA(window, text.data(), 1 << 20)));
  return text;
}

// Appends to the room's transcript, as the client does.
inline void Append(HWND room, const std::string& text) {
  const HWND transcript = ::GetDlgItem(room, kTranscriptId);
  ::SetWindowTextA(transcript, (TextOf(transcript) + text).c_str());
}

inline void Say(HWND room, const std::string& screenName, const std::string& text) {
  Append(room, screenName + ":\t" + text + "\r\n");
}

// On Enter, the entry box says its text, "<...>" tags removed, as kOperator.
inline LRESULT CALLBACK RichProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message != WM_CHAR || wParam != 13 || ::GetDlgCtrlID(window) != kEntryId) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  Say(::GetParent(window), kOperator,
      std::regex_replace(TextOf(window), std::regex("<[^>]*>"), ""));
  return 0;
}

inline HWND Create(const char* className, HWND parent, int id = 0,
                   WNDPROC proc = ::DefWindowProcA) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  ::RegisterClassExA(&wc);  // fails harmlessly once registered
  CLIENTCREATESTRUCT mdi{nullptr, 1000};
  return ::CreateWindowExA(0, className, "", parent ? WS_CHILD : 0, 0, 0, 300, 200, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), wc.hInstance, &mdi);
}

// The client: its frame "AOL Frame25" with the document area "MDIClient".
inline HWND OpenClient() {
  const HWND frame = Create("AOL Frame25", nullptr);
  Create("MDIClient", frame);
  return frame;
}

// A room: an "AOL Child" document with the children "RICHCNTL" (entry box),
// "RICHCNTL" (transcript, starting with `history`), "_AOL_Listbox",
// "_AOL_Icon", "_AOL_Static".
inline HWND OpenRoom(HWND client, const std::string& history = "") {
  const HWND room = Create("AOL Child", ::GetWindow(client, GW_CHILD));
  Create("RICHCNTL", room, kEntryId, RichProc);
  ::SetWindowTextA(Create("RICHCNTL", room, kTranscriptId, RichProc), history.c_str());
  for (const char* mark : {"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) Create(mark, room);
  return room;
}

// Handles this thread's messages for `ms`.
inline void PumpFor(DWORD ms) {
  const win32::TickDeadline end = win32::TickDeadline::After(ms);
  for (DWORD left = end.RemainingMs(); left > 0; left = end.RemainingMs()) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
}

// Handles this thread's messages until `done()` holds, for at most 30 s (Wine
// on a loaded machine is slow); true when it held.
inline bool PumpUntil(const std::function<bool()>& done) {
  const win32::TickDeadline deadline = win32::TickDeadline::After(30000);
  for (;;) {
    if (done()) return true;
    if (deadline.Passed()) return false;
    PumpFor(10);
  }
}

using Lines = std::vector<std::pair<std::string, std::string>>;  // (screen name, text)

class ScannerTest : public ::testing::Test {
protected:
  ScannerTest() {
    scanner_ = std::make_unique<RoomChatScanner>(
        [this](const std::string& name, const std::string& text) {
          heard_.emplace_back(name, text);
          if (onLine_) onLine_();
        });
  }
  ~ScannerTest() override {
    scanner_.reset();
    ::DestroyWindow(client_);
  }

  // Pumps until `count` lines were heard, then a little longer so that a line
  // raised twice would show.
  void PumpUntilHeard(std::size_t count) {
    PumpUntil([&] { return heard_.size() >= count; });
    PumpFor(400);
  }

  HWND client_ = OpenClient();
  std::unique_ptr<RoomChatScanner> scanner_;
  Lines heard_;
  std::function<void()> onLine_;  // runs inside the scanner's callback, once heard_ has the line
};

}  // namespace rollkeep::win32::testing
