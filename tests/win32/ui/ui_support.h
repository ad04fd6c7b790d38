#pragma once
// The real program run in the test's own process beside a model chat room of
// real windows, and helpers to drive and read both.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/common/tick_deadline.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/ui/main_layout.h"
#include "room/room_posting.h"

namespace rollkeep::uitest {

// Handles this thread's messages until `done` holds or `timeoutMs` passed.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  const win32::TickDeadline deadline = win32::TickDeadline::After(static_cast<DWORD>(timeoutMs));
  while (!done()) {
    if (deadline.Passed()) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return true;
}

inline std::string TextOf(HWND window) {
  char text[4096] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// What a list box shows, read with LB_GETCOUNT and LB_GETTEXT.
inline std::vector<std::string> ListItems(HWND listBox) {
  std::vector<std::string> items;
  for (WPARAM i = 0; i < static_cast<WPARAM>(::SendMessageA(listBox, LB_GETCOUNT, 0, 0)); ++i) {
    std::string text(static_cast<size_t>(::SendMessageA(listBox, LB_GETTEXTLEN, i, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        ::SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

// "AOL Frame25" > "MDIClient" > "AOL Child" holding the entry box and the
// transcript ("RICHCNTL"), "_AOL_Listbox", "_AOL_Icon" and "_AOL_Static".
// Like the client, WM_CHAR 13 sends the entry box's text: it is kept in
// `sent` and shown in the transcript as said by the operator "Host".
class ModelChatRoom {
public:
  ModelChatRoom() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    for (auto name : {"AOL Frame25", "AOL Child", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon",
                      "_AOL_Static"}) {
      wc.lpszClassName = name;
      ::RegisterClassA(&wc);  // fails harmlessly when already registered
    }
    frame_ = ::CreateWindowExA(0, "AOL Frame25", "Model client", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                               300, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    CLIENTCREATESTRUCT mdi{nullptr, 1000};
    HWND chat = Child(Child(frame_, "MDIClient", &mdi), "AOL Child");
    entry_ = Child(chat, "RICHCNTL");
    ::SetWindowLongPtrA(entry_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    transcript_ = Child(chat, "RICHCNTL");
    for (auto name : {"_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) Child(chat, name);
  }
  ~ModelChatRoom() { ::DestroyWindow(frame_); }
  ModelChatRoom(const ModelChatRoom&) = delete;
  ModelChatRoom& operator=(const ModelChatRoom&) = delete;

  void Say(const std::string& name, const std::string& text) {
    const std::string shown = TextOf(transcript_) + name + ":\t" + text + "\r\n";
    ::DefWindowProcA(transcript_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }

  std::vector<std::string> sent;  // without the style prefix; "(unstyled) ..." if it lacked it

private:
  static HWND Child(HWND parent, const char* className, void* param = nullptr) {
    return ::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, parent,
                             nullptr, ::GetModuleHandleA(nullptr), param);
  }
  // Only the entry box knows its room; every other window is a plain one.
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<ModelChatRoom*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self || message != WM_CHAR) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    if (wParam != 13) return 0;
    const std::string line = TextOf(hwnd);
    const std::string_view prefix = Brask32::StylePrefix;
    self->sent.push_back(line.starts_with(prefix) ? line.substr(prefix.size())
                                                  : "(unstyled) " + line);
    ::DefWindowProcA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    self->Say("Host", line);
    return 0;
  }

  HWND frame_ = nullptr, entry_ = nullptr, transcript_ = nullptr;
};

// Presses, in order, one button in each dialog the program opens (message
// boxes, file dialogs) from a thread timer that fires inside their modal
// loops, and records each dialog as "title: message".
class DialogAnswerer {
public:
  explicit DialogAnswerer(std::deque<int> buttons) : buttons_(std::move(buttons)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 40, &Tick);
  }
  ~DialogAnswerer() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  std::vector<std::string> seen;

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    HWND dialog = ::FindWindowA("#32770", nullptr);
    DialogAnswerer* self = current_;
    if (!self || !dialog || !::IsWindowVisible(dialog) || self->buttons_.empty() ||
        std::ranges::count(self->answered_, dialog) > 0) {
      return;
    }
    self->answered_.push_back(dialog);
    // A message box shows its message in the static control 0xFFFF.
    self->seen.push_back(TextOf(dialog) + ": " + TextOf(::GetDlgItem(dialog, 0xFFFF)));
    const int button = self->buttons_.front();
    self->buttons_.pop_front();
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
  }

  static inline DialogAnswerer* current_ = nullptr;
  std::deque<int> buttons_;
  std::vector<HWND> answered_;
  UINT_PTR timer_ = 0;
};

class AppTest : public ::testing::Test {
protected:
  void SetUp() override {
    room = std::make_unique<ModelChatRoom>();
    app = std::make_unique<win32::Application>(
        win32::ApplicationOptions{::GetModuleHandleA(nullptr), false});
    ASSERT_TRUE(app->Start());
  }
  void TearDown() override {
    app.reset();
    room.reset();
    MSG msg;  // the program ended inside the test must leave no quit request behind
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  }
  void OpenMain() const {  // the operator double-clicks the splash
    ::SendMessageA(app->splashWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  }
  HWND Control(int id) const { return ::GetDlgItem(app->mainWindow(), id); }
  void Click(int id) const { ::SendMessageA(Control(id), BM_CLICK, 0, 0); }
  std::vector<std::string> List1() const { return ListItems(Control(win32::kList1Id)); }

  std::unique_ptr<ModelChatRoom> room;
  std::unique_ptr<win32::Application> app;
};

}  // namespace rollkeep::uitest
