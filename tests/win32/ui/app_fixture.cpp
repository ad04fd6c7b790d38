#include "app_fixture.h"

#include "ui_test_support.h"

namespace rollkeep::uitest {

void AppTest::SetUp() {
  client = std::make_unique<ModelChatClient>("Host");
  app = std::make_unique<win32::Application>(
      win32::ApplicationOptions{::GetModuleHandleA(nullptr), false});
  ASSERT_TRUE(app->Start());
}

void AppTest::TearDown() {
  app.reset();
  client.reset();
  // No test may leave a quit request behind for the next one.
  MSG msg;
  EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  PumpFor(20);
}

void AppTest::OpenMain() {
  ::SendMessageA(app->splashWindow(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  ASSERT_NE(main(), nullptr);
}

void AppTest::Click(int controlId) { ::SendMessageA(Control(controlId), BM_CLICK, 0, 0); }

void AppTest::SelectInList(int index) {
  HWND list = Control(win32::kList1Id);
  ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(main(), WM_COMMAND, MAKEWPARAM(win32::kList1Id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

HWND AppTest::Control(int controlId) const { return ::GetDlgItem(main(), controlId); }

bool AppTest::WaitForAnnouncements(size_t count, int timeoutMs) {
  return PumpUntil([&] { return client->Announcements().size() >= count; }, timeoutMs);
}

}  // namespace rollkeep::uitest
