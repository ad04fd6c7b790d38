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
#include <vector>

#include "platform/win32/common/tick_deadline.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/ui/main_layout.h"
#include "support/win32_client.h"

namespace rollkeep::uitest {

using namespace rollkeep::testing;

// The chat client with one room, where members speak; what Rollkeep posted
// there is read with SentLines().
class ModelChatRoom {
public:
  void Say(const std::string& name, const std::string& text) const {
    testing::Say(room_, name, text);
  }

private:
  ChatClient client_;
  HWND room_ = client_.OpenRoom();
};

// Presses, in order, one button in each dialog the program opens (message
// boxes, file dialogs) from a thread timer that fires inside their modal
// loops, and records each dialog as "title: message". A dialog is answered
// at the first tick at which `ready` (called at every tick while it is up)
// says so.
class DialogAnswerer {
public:
  explicit DialogAnswerer(std::deque<int> buttons, std::function<bool(HWND)> ready = {})
      : buttons_(std::move(buttons)), ready_(std::move(ready)) {
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
    if (self->ready_ && !self->ready_(dialog)) return;
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
  std::function<bool(HWND)> ready_;
  std::vector<HWND> answered_;
  UINT_PTR timer_ = 0;
};

class AppTest : public ::testing::Test {
protected:
  void SetUp() override {
    room = std::make_unique<ModelChatRoom>();
    app = std::make_unique<win32::Application>(
        win32::ApplicationOptions{::GetModuleHandleA(nullptr), false, {}});
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
