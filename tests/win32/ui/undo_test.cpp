// Undo through the real window: Ctrl+Z with the focus on a button or on
// List1, and the system menu's item, which names the change and is greyed
// while there is nothing to undo.

#include <gmock/gmock.h>

#include <algorithm>
#include <iterator>
#include <utility>

#include "platform/win32/ui/main_window.h"
#include "platform/win32/ui/message_pump.h"
#include "ui_support.h"

namespace rollkeep::uitest {
namespace {

using namespace rollkeep::win32;
constexpr UINT kUndo = MainWindow::kUndoCommandId;

struct MenuItem {
  std::string text;
  bool greyed;
};

MenuItem UndoItem(HWND window) {
  HMENU menu = ::GetSystemMenu(window, FALSE);
  char text[128] = {};
  ::GetMenuStringA(menu, kUndo, text, sizeof text, MF_BYCOMMAND);
  const UINT state = ::GetMenuState(menu, kUndo, MF_BYCOMMAND);
  return {text, state != static_cast<UINT>(-1) && (state & MF_GRAYED) != 0};
}

// Ctrl+Z as the keyboard delivers it to the focused control, through the
// program's own message handling; Ctrl is held in this thread's key state.
void PressCtrlZ(HWND focus) {
  ::SetFocus(focus);
  ASSERT_EQ(::GetFocus(), focus);
  BYTE keys[256] = {};
  ASSERT_TRUE(::GetKeyboardState(keys));
  BYTE held[256];
  std::copy(std::begin(keys), std::end(keys), held);
  held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
  ::SetKeyboardState(held);
  MSG down{focus, WM_KEYDOWN, 'Z', 0x002C0001, 0, {0, 0}};
  DeliverMessage(down);
  ::SetKeyboardState(keys);
}

TEST_F(AppTest, CtrlZAndTheSystemMenuUndoTheLastChangeAndTheItemGreys) {
  OpenMain();
  HWND main = app->mainWindow();
  EXPECT_EQ(UndoItem(main).text, "Undo\tCtrl+Z");
  EXPECT_TRUE(UndoItem(main).greyed);
  for (const char* name : {"Ann", "Bob", "Cy"}) app->roster().append(name);
  const std::vector<std::string> all{"Ann", "Bob", "Cy"};

  struct Step { const char* name; int button; int selected; HWND focus; bool byMenu;
                const char* item; std::vector<std::string> changed; };
  const Step steps[] = {
      {"clear, Ctrl+Z on a button", kCommand6Id, -1, Control(kCommand3Id), false,
       "Undo clear list\tCtrl+Z", {}},
      {"remove selected, Ctrl+Z in List1", kCommand5Id, 1, Control(kList1Id), false,
       "Undo remove selected\tCtrl+Z", {"Ann", "Cy"}},
      {"clear, the system menu", kCommand6Id, -1, nullptr, true, "Undo clear list\tCtrl+Z", {}},
  };
  std::size_t restored = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    if (s.selected >= 0) app->roster().select(s.selected);
    Click(s.button);
    EXPECT_EQ(List1(), s.changed);
    EXPECT_EQ(UndoItem(main).text, s.item);
    EXPECT_FALSE(UndoItem(main).greyed);

    if (s.byMenu) {
      ::SendMessageA(main, WM_SYSCOMMAND, kUndo, 0);
    } else {
      PressCtrlZ(s.focus);
    }
    EXPECT_EQ(List1(), all);
    EXPECT_EQ(::SendMessageA(Control(kList1Id), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(std::ranges::count(SentLines(), "Rollkeep: list restored"),
              static_cast<long>(++restored));
    EXPECT_EQ(UndoItem(main).text, "Undo\tCtrl+Z");
    EXPECT_TRUE(UndoItem(main).greyed);
  }
  // Nothing left to undo: neither way changes or says anything.
  const std::size_t posts = SentLines().size();
  PressCtrlZ(Control(kCommand3Id));
  ::SendMessageA(main, WM_SYSCOMMAND, kUndo, 0);
  EXPECT_EQ(List1(), all);
  EXPECT_EQ(SentLines().size(), posts);
}

// A modal box of ours disables the window: neither Ctrl+Z's command (as
// TranslateAccelerator sends it) nor the menu's undoes meanwhile.
TEST_F(AppTest, UndoWaitsWhileABoxOfOursIsOpen) {
  OpenMain();
  HWND main = app->mainWindow();
  app->roster().append("Ann");
  const std::pair<UINT, WPARAM> commands[] = {{WM_COMMAND, MAKEWPARAM(kUndo, 1)},
                                              {WM_SYSCOMMAND, kUndo}};
  for (const auto& [message, wParam] : commands) {
    SCOPED_TRACE(message == WM_COMMAND ? "Ctrl+Z" : "system menu");
    Click(kCommand6Id);
    ::EnableWindow(main, FALSE);
    ::SendMessageA(main, message, wParam, 0);
    ::EnableWindow(main, TRUE);
    EXPECT_EQ(List1(), std::vector<std::string>{});
    ::SendMessageA(main, message, wParam, 0);
    EXPECT_EQ(List1(), std::vector<std::string>{"Ann"});
  }
}

}  // namespace
}  // namespace rollkeep::uitest
