// The recovery copy through the real program: written after changes and
// when Windows ends the session (brought back by the next start: the
// end-to-end tests); modal boxes that keep buttons and close from acting
// inside them; and a failed handler told to the operator with the list kept.

#include <gmock/gmock.h>

#include <stdexcept>

#include "platform/win32/common/window_base.h"
#include "platform/win32/files/win32_recovery_files.h"
#include "rosterfile/roster_file.h"
#include "ui_support.h"

namespace rollkeep::uitest {
namespace {

using namespace rollkeep::win32;
using ::testing::ElementsAre;

class RecoveryTest : public AppTest {
protected:
  void SetUp() override {
    room = std::make_unique<ModelChatRoom>();
    app = std::make_unique<Application>(
        ApplicationOptions{::GetModuleHandleA(nullptr), false, RecoveryPlaceIn(folder.path)});
    ASSERT_TRUE(app->Start());
  }
  std::vector<std::string> Copy() const {
    return DecodeRoster(ReadFileBytes(CopyPath()));
  }
  std::string CopyPath() const { return folder.file(kRecoveryFileName); }
  bool CopyExists() const { return ::GetFileAttributesA(CopyPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

  TempFolder folder;
};

TEST_F(RecoveryTest, TheCopyFollowsTheRosterAndIsWrittenWhenWindowsEndsTheSession) {
  OpenMain();
  EXPECT_FALSE(CopyExists());
  app->roster().append("Ann");
  app->roster().append("bob");
  // Within about a second of the last change, without anything else happening.
  ASSERT_TRUE(PumpUntil([&] { return Copy() == std::vector<std::string>{"Ann", "bob"}; }, 10000));

  // Windows ends the session: the change is written before the answer.
  app->roster().append("Cy");
  EXPECT_EQ(::SendMessageA(app->mainWindow(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
  EXPECT_THAT(Copy(), ElementsAre("Ann", "bob", "Cy"));
  app->roster().append("Di");
  ::SendMessageA(app->mainWindow(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_THAT(Copy(), ElementsAre("Ann", "bob", "Cy", "Di"));
}

// While a modal dialog of the program is open, the main window is disabled
// but its buttons are not: a click on "clear list" and a close posted
// meanwhile must not act inside the dialog's loop (no second dialog opens).
TEST_F(RecoveryTest, ButtonsAndCloseWaitWhileAModalDialogIsOpen) {
  OpenMain();
  app->roster().append("Ann");
  int dialogsSeen = 0;
  HWND first = nullptr;
  // First tick: the click and the close are posted; they go before the next
  // tick, which counts the dialogs, answers a wrongly opened prompt No and
  // cancels the first dialog.
  DialogAnswerer answerer({IDCANCEL}, [&](HWND dialog) {
    if (first == nullptr) {
      first = dialog;
      ::PostMessageA(Control(kCommand6Id), BM_CLICK, 0, 0);
      ::PostMessageA(app->mainWindow(), WM_CLOSE, 0, 0);
    } else if (dialogsSeen == 0) {
      for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, "#32770", nullptr)) != nullptr;) {
        if (!::IsWindowVisible(w)) continue;
        ++dialogsSeen;
        ::PostMessageA(w, WM_COMMAND, w == first ? IDCANCEL : IDNO, 0);
      }
    }
    return false;
  });
  Click(kCommand4Id);  // load list: returns once the dialog was cancelled
  EXPECT_EQ(dialogsSeen, 1);
  EXPECT_FALSE(app->ended());
  EXPECT_THAT(List1(), ElementsAre("Ann"));
  EXPECT_EQ(SentLines(), std::vector<std::string>{"Rollkeep: loaded"});
  // Enabled again, the buttons act.
  Click(kCommand6Id);
  EXPECT_TRUE(List1().empty());
}

// A window of the program whose handler throws.
class ThrowingWindow final : public WindowBase {
public:
  bool Create() {
    return CreateWithClass({"RollkeepThrowingTest"}, ::GetModuleHandleA(nullptr), 0, "throws",
                           WS_OVERLAPPED, nullptr);
  }
  ~ThrowingWindow() override { Destroy(); }

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) throw std::runtime_error("the list could not be filled");
    if (message == WM_APP + 1) throw 42;
    if (message == WM_APP + 2) throw std::bad_alloc();
    return Default(message, wParam, lParam);
  }
};

TEST_F(RecoveryTest, AFailedHandlerIsToldOnceWithTheListKept) {
  OpenMain();
  ThrowingWindow window;
  ASSERT_TRUE(window.Create());
  app->roster().append("Ann");  // not yet written: the timer has not fired
  DialogAnswerer answerer({IDOK, IDOK, IDOK});
  for (UINT message : {WM_APP, WM_APP + 1, WM_APP + 1, WM_APP + 2}) {
    EXPECT_EQ(::SendMessageA(window.hwnd(), message, 0, 0), 0);
  }
  const std::string kept = ". The list is kept in " + CopyPath() + ".";
  EXPECT_THAT(answerer.seen,
              ElementsAre("Rollkeep: Rollkeep could not finish what it was doing: the list could "
                          "not be filled" + kept,
                          "Rollkeep: Rollkeep could not finish what it was doing: an unknown "
                          "error" + kept,
                          "Rollkeep: Rollkeep could not finish what it was doing: out of "
                          "memory" + kept));
  EXPECT_THAT(Copy(), ElementsAre("Ann"));
}

}  // namespace
}  // namespace rollkeep::uitest
