// What the operator and automation see of the two windows: captions, styles,
// client sizes, the controls with their ids, captions and places, and the
// order Tab moves through them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app_fixture.h"
#include "platform/win32/room/message_pump.h"
#include "platform/win32/ui/dpi.h"
#include "ui_test_support.h"

namespace rollkeep::uitest {
namespace {

using namespace rollkeep::win32;

SIZE ClientSize(HWND hwnd) {
  RECT rect{};
  ::GetClientRect(hwnd, &rect);
  return SIZE{rect.right, rect.bottom};
}

RECT RectInParent(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool At96Dpi(HWND hwnd) { return DpiForWindow(hwnd) == kBaseDpi; }

struct ExpectedControl {
  int id;
  const char* className;
  const char* caption;
  RECT pixels;  // at 96 DPI: twips / 15
};

const ExpectedControl kControls[] = {
    {kCommand3Id, "Button", "save list", {8, 8, 8 + 65, 8 + 25}},
    {kCommand4Id, "Button", "load list", {8, 40, 8 + 65, 40 + 25}},
    {kCommand1Id, "Button", "on", {8, 72, 8 + 65, 72 + 25}},
    {kList1Id, "ListBox", "", {80, 0, 80 + 121, 0 + 95}},
    {kCommand6Id, "Button", "clear list", {208, 8, 208 + 73, 8 + 25}},
    {kCommand5Id, "Button", "remove selected", {208, 40, 208 + 73, 40 + 25}},
    {kCommand2Id, "Button", "off", {208, 72, 208 + 73, 72 + 25}},
};

TEST_F(AppTest, MainWindowIsAFixedTopmostWindowCalledRollkeep) {
  OpenMain();
  EXPECT_EQ(WindowText(main()), "Rollkeep");
  EXPECT_EQ(::GetParent(main()), nullptr);
  EXPECT_TRUE(::IsWindowVisible(main()));
  const LONG_PTR style = ::GetWindowLongPtrA(main(), GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(::GetWindowLongPtrA(main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  if (!At96Dpi(main())) GTEST_SKIP() << "sizes are checked at 96 DPI only";
  const SIZE client = ClientSize(main());
  EXPECT_EQ(client.cx, 288);
  EXPECT_EQ(client.cy, 100);
}

TEST_F(AppTest, ControlsHaveTheirIdsCaptionsAndPlaces) {
  OpenMain();
  for (const ExpectedControl& expected : kControls) {
    SCOPED_TRACE(expected.caption);
    HWND control = Control(expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassName(control), expected.className);
    EXPECT_EQ(WindowText(control), expected.caption);
    EXPECT_TRUE(::IsWindowEnabled(control));
    EXPECT_TRUE(::GetWindowLongPtrA(control, GWL_STYLE) & WS_TABSTOP);
    if (!At96Dpi(main())) continue;
    const RECT rect = RectInParent(control);
    EXPECT_EQ(rect.left, expected.pixels.left);
    EXPECT_EQ(rect.top, expected.pixels.top);
    EXPECT_EQ(rect.right, expected.pixels.right);
    EXPECT_EQ(rect.bottom, expected.pixels.bottom);
  }
}

TEST_F(AppTest, List1IsASingleSelectionUnsortedListOfStrings) {
  OpenMain();
  const LONG_PTR style = ::GetWindowLongPtrA(Control(kList1Id), GWL_STYLE);
  EXPECT_TRUE(style & LBS_HASSTRINGS);
  EXPECT_TRUE(style & LBS_NOTIFY);
  EXPECT_FALSE(style & LBS_SORT);
  EXPECT_FALSE(style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
}

TEST_F(AppTest, TabMovesThroughTheControlsInTabIndexOrder) {
  OpenMain();
  const std::vector<int> order = {kCommand1Id, kCommand2Id, kList1Id,    kCommand3Id,
                                  kCommand4Id, kCommand5Id, kCommand6Id, kCommand1Id};
  ::SetFocus(Control(order.front()));
  ASSERT_EQ(::GetFocus(), Control(order.front()));
  for (size_t i = 1; i < order.size(); ++i) {
    MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    DeliverMessage(tab);
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), order[i]) << "after Tab number " << i;
  }
}

TEST_F(AppTest, EnterPressesTheFocusedButton) {
  OpenMain();
  ::SetFocus(Control(kCommand6Id));
  MSG enter{::GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  DeliverMessage(enter);
  EXPECT_EQ(Announcements().back(), "Rollkeep: list cleared");
}

TEST_F(AppTest, SplashIsABorderlessPictureCalledFrmsplash) {
  HWND splash = app->splashWindow();
  EXPECT_EQ(WindowText(splash), "frmsplash");
  EXPECT_TRUE(::IsWindowVisible(splash));
  EXPECT_EQ(::GetParent(splash), nullptr);
  const LONG_PTR style = ::GetWindowLongPtrA(splash, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_BORDER | WS_THICKFRAME));
  EXPECT_TRUE(::GetClassLongPtrA(splash, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(::FindWindowA(nullptr, "Rollkeep"), nullptr) << "the program opens with the splash";
  if (!At96Dpi(splash)) GTEST_SKIP() << "sizes are checked at 96 DPI only";
  const SIZE client = ClientSize(splash);
  EXPECT_EQ(client.cx, 405);
  EXPECT_EQ(client.cy, 178);
}

TEST_F(AppTest, SplashShowsItsCreditInLightGrey) {
  HWND splash = app->splashWindow();
  if (!At96Dpi(splash)) GTEST_SKIP() << "the label's place is checked at 96 DPI only";
  ::RedrawWindow(splash, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  // Label1: Left 4440, Top 1320, Width 1695, Height 255 twips.
  const RECT label{296, 88, 296 + 113, 88 + 17};
  HDC dc = ::GetDC(splash);
  int grey = 0;
  for (int y = label.top; y < label.bottom; ++y) {
    for (int x = label.left; x < label.right; ++x) {
      if (::GetPixel(dc, x, y) == RGB(224, 224, 224)) ++grey;
    }
  }
  ::ReleaseDC(splash, dc);
  EXPECT_GT(grey, 20) << "the credit text is drawn in 0xE0E0E0 inside Label1's box";
}

TEST_F(AppTest, DoubleClickOnTheSplashShowsTheLoadedMainWindow) {
  HWND splash = app->splashWindow();
  OpenMain();
  EXPECT_TRUE(::IsWindow(splash)) << "the splash stays loaded";
  EXPECT_FALSE(::IsWindowVisible(splash));
  EXPECT_EQ(::FindWindowA(nullptr, "Rollkeep"), main());
  EXPECT_TRUE(::IsWindowVisible(main()));
  EXPECT_EQ(Announcements(), std::vector<std::string>{"Rollkeep: loaded"});
  EXPECT_EQ(::SendMessageA(Control(kList1Id), LB_GETCOUNT, 0, 0), 0);
}

TEST_F(AppTest, ClosingTheSplashEndsTheProgram) {
  HWND splash = app->splashWindow();
  ::SendMessageA(splash, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(splash));
  EXPECT_TRUE(app->ended());
  EXPECT_TRUE(Announcements().empty());
}

}  // namespace
}  // namespace rollkeep::uitest
