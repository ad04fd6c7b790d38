#pragma once
// The whole program joined together: the roster, the room bridge, waiting,
// the file dialog and prompts, the splash Form1 and frmMain's session, and
// the shell that ends it all.

#include <windows.h>

#include <memory>

#include "app/frm_main.h"
#include "app/wait_seconds.h"
#include "platform/win32/client/user32_window_ops.h"
#include "platform/win32/common/callback_timer.h"
#include "platform/win32/files/common_file_dialog.h"
#include "platform/win32/files/win32_file_system.h"
#include "platform/win32/files/win32_recovery_files.h"
#include "platform/win32/ui/main_session.h"
#include "platform/win32/ui/message_box_prompt.h"
#include "platform/win32/ui/message_pump.h"
#include "platform/win32/common/system_code_page.h"
#include "platform/win32/ui/splash_window.h"
#include "room/posting_queue.h"
#include "room/room_posting.h"
#include "roster/roster.h"

namespace rollkeep::win32 {

struct ApplicationOptions {
  HINSTANCE instance = nullptr;
  // The program posts WM_QUIT when it ends; a test running the windows in
  // its own process turns this off and keeps going.
  bool quitWhenEnded = true;
  // Where the roster's recovery copy is kept; none when empty.
  RecoveryPlace recovery;
};

class Application final : private SplashShell,
                          private MainWindowShell,
                          private SplashEvents,
                          private HandlerFailures {
public:
  explicit Application(ApplicationOptions options);
  ~Application() override;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Opens the splash. False when its window could not be created.
  bool Start();
  // Handles messages until the program ends; returns the exit code.
  int RunMessageLoop();

  // The windows, or nullptr when not (or no longer) there.
  HWND splashWindow() const { return splash_.hwnd(); }
  HWND mainWindow() const { return main_ ? main_->hwnd() : nullptr; }
  Roster& roster() { return roster_; }
  bool ended() const { return ended_; }
  // The window the program's boxes and file dialogs are modal to.
  HWND boxOwner() const { return prompt_.owner(); }
  HWND dialogOwner() const { return commonDialog1_.owner(); }

private:
  // SplashShell
  void HideSplash() override;
  void ShowMain() override;
  // MainWindowShell
  void KeepOnTop() override;
  void EndProgram() override;
  // SplashEvents
  void OnDoubleClick() override { form1_.Form_DblClick(); }
  void OnCloseRequested() override;
  // HandlerFailures
  void OnHandlerFailed(const std::string& what) noexcept override;

  // Boxes and dialogs take the main window as owner while it is there, and
  // no window once it is gone (its handle may then name another window).
  void SetOwners(HWND owner);

  ApplicationOptions options_;
  // The roster's names are text of the system's code page: "remove me" folds
  // their case and "load list" converts Unicode files with it.
  SystemCodePage codePage_;
  Roster roster_{codePage_};
  User32WindowOps windowOps_;
  // Posts the client did not take in time wait here and are made again. What
  // was lost is told through the session's notices, so the box never holds
  // up the answers being posted.
  struct SessionNotice final : OperatorNotice {
    explicit SessionNotice(Application& app) : app(app) {}
    void Tell(const std::string& text) override;
    Application& app;
  };
  SessionNotice notice_{*this};
  CallbackTimer retryTimer_{[this] { poster_.Retry(); }};
  PostingQueue poster_{windowOps_, retryTimer_, notice_, [this] { return clock_.NowSeconds(); }};
  QpcClock clock_;
  Win32EventPump pump_;
  PumpingWaiter waiter_{clock_, pump_};
  CommonFileDialog commonDialog1_;
  MessageBoxPrompt prompt_;
  Win32FileSystem files_;
  Win32RecoveryFiles recoveryFiles_;
  HICON icon_ = nullptr;  // shared: never destroyed
  Form1 form1_{*this};
  SplashWindow splash_;
  std::unique_ptr<MainSession> main_;
  bool ended_ = false;
  bool reportingFailure_ = false;
  std::string lastFailure_;
};

}  // namespace rollkeep::win32
