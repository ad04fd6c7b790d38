// The recovery copy through the real program: written after changes and
// when Windows ends the session, brought back by the next start, gone after
// a clean close; modal boxes that keep buttons and close from acting inside
// them; and a failed handler told to the operator with the list kept.

#include <gmock/gmock.h>

#include <stdexcept>

#include "../files/win32_temp_folder.h"
#include "platform/win32/common/window_base.h"
#include "platform/win32/files/win32_recovery_files.h"
#include "recovery/recovery_record.h"
#include "rosterfile/roster_file.h"
#include "ui_support.h"

namespace rollkeep::uitest {
namespace {

using namespace rollkeep::win32;
using ::testing::ElementsAre;
using ::testing::StartsWith;

class RecoveryTest : public AppTest {
protected:
  void SetUp() override {
    room = std::make_unique<ModelChatRoom>();
    StartApp();
  }
  void StartApp() {
    app = std::make_unique<Application>(
        ApplicationOptions{::GetModuleHandleA(nullptr), false, RecoveryPlaceIn(folder.path)});
    ASSERT_TRUE(app->Start());
  }
  std::vector<std::string> Copy() const {
    return DecodeRoster(win32::testing::ReadFileBytes(CopyPath()));
  }
  std::string CopyPath() const { return folder.file(kRecoveryFileName); }
  bool CopyExists() const { return ::GetFileAttributesA(CopyPath().c_str()) != INVALID_FILE_ATTRIBUTES; }

  win32::testing::Win32TempFolder folder;
};

TEST_F(RecoveryTest, TheCopyFollowsTheRosterAndTheNextStartBringsItBack) {
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

  // The program goes without its close, as a killed one does; the next start
  // restores the names in their order and says so once.
  app.reset();
  room->sent.clear();
  StartApp();
  {
    DialogAnswerer answerer({IDOK});
    OpenMain();
    EXPECT_THAT(List1(), ElementsAre("Ann", "bob", "Cy", "Di"));
    EXPECT_THAT(answerer.seen, ElementsAre(StartsWith(
                                   "Rollkeep: Rollkeep did not close normally last time. 4 names "
                                   "were restored from the list as it was at ")));
  }
  EXPECT_EQ(room->sent, std::vector<std::string>{"Rollkeep: loaded"});

  // A clean close answered No leaves no copy.
  DialogAnswerer answerer({IDNO});
  ::PostMessageA(app->mainWindow(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return app->ended(); }, 20000));
  EXPECT_FALSE(CopyExists());
}

TEST_F(RecoveryTest, AnUnreadableCopyIsSetAsideAndTheListStartsEmpty) {
  // The record of a whole write, beside a copy that a torn write left.
  win32::testing::WriteFileBytes(CopyPath(), std::string("Ann\r\r\n\0\0\0\0", 10));
  win32::testing::WriteFileBytes(folder.file("roster-recovery.record"),
                                 RecordText(RecordOf("Ann\r\r\nBob\r\r\n", 2)));
  DialogAnswerer answerer({IDOK});
  OpenMain();
  EXPECT_TRUE(List1().empty());
  ASSERT_EQ(answerer.seen.size(), 1u);
  EXPECT_THAT(answerer.seen[0], StartsWith("Rollkeep: The list kept from the last run could not "
                                           "be read: it is damaged (it is not what Rollkeep "
                                           "wrote there). It was set aside as " +
                                           folder.file("roster-recovery.unreadable-")));
  EXPECT_FALSE(CopyExists());
  EXPECT_EQ(folder.entries(), 2);  // the damaged copy under its new name, and the record
}

// First tick with a dialog up: posts a click on "clear list" and a close.
// Next tick (posted messages go before timer messages): counts the visible
// dialogs, answers a wrongly opened close prompt No, cancels the dialog.
struct Probe {
  HWND main, clear;
  HWND dialog = nullptr;
  int dialogsSeen = 0;
  bool done = false;

  static inline Probe* current = nullptr;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept {
    Probe* p = current;
    HWND dialog = ::FindWindowA("#32770", nullptr);
    if (p == nullptr || p->done || dialog == nullptr || !::IsWindowVisible(dialog)) return;
    if (p->dialog == nullptr) {
      p->dialog = dialog;
      ::PostMessageA(p->clear, BM_CLICK, 0, 0);
      ::PostMessageA(p->main, WM_CLOSE, 0, 0);
      return;
    }
    for (HWND w = dialog; w != nullptr; w = ::FindWindowExA(nullptr, w, "#32770", nullptr)) {
      if (!::IsWindowVisible(w)) continue;
      ++p->dialogsSeen;
      if (w != p->dialog) ::PostMessageA(w, WM_COMMAND, IDNO, 0);
    }
    ::PostMessageA(p->dialog, WM_COMMAND, IDCANCEL, 0);
    p->done = true;
  }
};

// While a modal dialog of the program is open, the main window is disabled
// but its buttons are not: clicks and a close posted meanwhile must not act
// inside the dialog's loop.
TEST_F(RecoveryTest, ButtonsAndCloseWaitWhileAModalDialogIsOpen) {
  OpenMain();
  app->roster().append("Ann");
  Probe state{app->mainWindow(), Control(kCommand6Id)};
  Probe::current = &state;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, &Probe::Tick);
  Click(kCommand4Id);  // load list: returns once the dialog was cancelled
  ::KillTimer(nullptr, timer);
  Probe::current = nullptr;
  EXPECT_TRUE(state.done);
  EXPECT_EQ(state.dialogsSeen, 1);
  EXPECT_FALSE(app->ended());
  EXPECT_THAT(List1(), ElementsAre("Ann"));
  EXPECT_EQ(room->sent, std::vector<std::string>{"Rollkeep: loaded"});
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
