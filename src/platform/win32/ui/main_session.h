#pragma once
// Everything that lives with frmMain's window: the window, List1's view, the
// chat scanner, the on/off switches and FrmMain itself, joined together.
// The C++ objects outlive the window: ending the program destroys the window
// while a handler may still be on the stack, and that handler must find its
// objects intact when it returns.

#include <windows.h>

#include <memory>

#include "app/answer_schedule.h"
#include "app/frm_main.h"
#include "app/notice_board.h"
#include "platform/win32/common/callback_timer.h"
#include "platform/win32/scanner/room_chat_scanner.h"
#include "platform/win32/ui/list_box_view.h"
#include "platform/win32/ui/main_window.h"
#include "platform/win32/ui/switches.h"
#include "recovery/recovering_ports.h"
#include "recovery/recovery_keeper.h"

namespace rollkeep::win32 {

// What the main window's behaviour works with, other than its own controls.
struct MainSessionParts {
  Roster& roster;
  Poster& poster;
  Waiter& waiter;
  Clock& clock;  // the program's one monotonic clock, which paces the answers
  FileDialog& commonDialog1;
  Prompt& prompt;
  FileSystem& files;
  MainWindowShell& shell;
  RecoveryFiles& recoveryFiles;
  const RecoveryPlace& recovery;
};

class MainSession final : private MainWindowEvents {
public:
  // Creates the window (hidden) and its parts; nullptr when Windows refused.
  static std::unique_ptr<MainSession> Create(const MainSessionParts& parts, HINSTANCE instance,
                                             HICON icon);
  ~MainSession() override;
  MainSession(const MainSession&) = delete;
  MainSession& operator=(const MainSession&) = delete;

  // The window, or nullptr once destroyed.
  HWND hwnd() const { return window_->hwnd(); }
  // Fills the roster from a recovery copy left by an unclean end, then runs
  // Form_Load.
  void Load();
  // Once the window shows: tells the operator what the start recovered.
  void TellRecovery();
  // Writes a pending change of the roster to the recovery copy now.
  void WriteRecovery() { keeper_.WriteNow(); }
  // A box for the operator that holds up nothing: shown once the work that
  // raised it has returned.
  Prompt& notices() { return notices_; }
  // Stops the scanner and destroys the window; the objects stay.
  void Close();

private:
  MainSession(const MainSessionParts& parts, std::unique_ptr<MainWindow> window);

  void OnButton(int controlId) override;
  void OnListSelectionChanged() override;
  void OnCloseRequested() override;
  void OnEndSession() override { keeper_.WriteForSessionEnd(); }
  void OnUndo() override;
  // The system menu's undo item follows what FrmMain can undo.
  void ShowUndo();

  std::unique_ptr<MainWindow> window_;
  ListBoxView list1_;
  RoomChatScanner iChat2_;
  ButtonSwitch command1_;
  ButtonSwitch command2_;
  CallbackTimer timer1_;
  CallbackTimer recoveryTimer_;
  CallbackTimer noticeTimer_;
  CallbackTimer answerTimer_;
  // Its boxes go through prompt_, made below; none shows before the session runs.
  NoticeBoard notices_;
  // Tells a failed write through the notices: never in the middle of a line.
  RecoveryKeeper keeper_;
  // What frmMain asks and waits with: each writes the recovery copy first.
  RecoveringPrompt prompt_;
  RecoveringFileDialog commonDialog1_;
  RecoveringWaiter waiter_;
  AnswerSchedule answers_;
  FrmMain frm_;
};

}  // namespace rollkeep::win32
