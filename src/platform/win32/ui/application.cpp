#include "platform/win32/ui/application.h"

#include "platform/win32/ui/keep_on_top.h"
#include "platform/win32/ui/program_resources.h"
#include "rosterfile/failure_text.h"

namespace rollkeep::win32 {

Application::Application(ApplicationOptions options)
    : options_(options), icon_(LoadProgramIcon(options.instance)) {
  // A run in a process where an earlier one ended (tests) starts afresh.
  ClearProgramEnding();
  SetHandlerFailures(this);
}

Application::~Application() {
  SetHandlerFailures(nullptr);
  main_.reset();
  SetOwners(nullptr);
  splash_.Destroy();
}

bool Application::Start() {
  if (!splash_.Create(options_.instance, icon_, LoadSplashPicture(options_.instance), *this)) {
    return false;
  }
  ::ShowWindow(splash_.hwnd(), SW_SHOW);
  ::UpdateWindow(splash_.hwnd());
  return true;
}

int Application::RunMessageLoop() {
  MSG msg{};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) DeliverMessage(msg);
  return static_cast<int>(msg.wParam);
}

void Application::HideSplash() { ::ShowWindow(splash_.hwnd(), SW_HIDE); }

void Application::ShowMain() {
  if (ended_) return;
  if (!main_) {
    const MainSessionParts parts{roster_, poster_, waiter_,         clock_,
                                 commonDialog1_, prompt_, files_, *this,
                                 recoveryFiles_, options_.recovery};
    main_ = MainSession::Create(parts, options_.instance, icon_);
    if (!main_) {
      // Without a main window the splash stays the way to try again.
      ::ShowWindow(splash_.hwnd(), SW_SHOW);
      ::MessageBoxA(splash_.hwnd(),
                    "Rollkeep could not open its main window: Windows is short of resources. "
                    "Close some programs or windows and double-click the picture again.",
                    "Rollkeep", MB_OK | MB_ICONERROR);
      return;
    }
    SetOwners(main_->hwnd());
    main_->Load();
  }
  if (mainWindow() != nullptr) ::ShowWindow(mainWindow(), SW_SHOWNORMAL);
  // Told once, with the restored list in view behind the box.
  main_->TellRecovery();
}

void Application::KeepOnTop() { Brask32::KeepOnTop(mainWindow()); }

void Application::EndProgram() {
  if (ended_) return;
  ended_ = true;
  MarkProgramEnding();
  if (main_) main_->Close();
  SetOwners(nullptr);
  splash_.Destroy();
  if (options_.quitWhenEnded) ::PostQuitMessage(0);
}

void Application::SessionNotice::Tell(const std::string& text) {
  Prompt& boxes = app.main_ ? app.main_->notices() : static_cast<Prompt&>(app.prompt_);
  boxes.Show(text, "Rollkeep", kStyleWarning);
}

// Before the main window exists there is no roster to offer to save.
void Application::OnCloseRequested() {
  if (!main_) EndProgram();
}

// The list is written first, so nothing is lost whatever the operator does
// next. A failure inside the box, or the same failure again, shows no
// further box.
void Application::OnHandlerFailed(const std::string& what) noexcept {
  if (reportingFailure_) return;
  reportingFailure_ = true;
  try {
    if (main_) main_->WriteRecovery();
    if (what != lastFailure_) {
      lastFailure_ = what;
      const std::string kept = options_.recovery.enabled()
                                   ? " The list is kept in " + options_.recovery.file + "."
                                   : "";
      ::MessageBoxA(mainWindow(),
                    ("Rollkeep could not finish what it was doing: " + TidyReason(what) + "." +
                     kept).c_str(),
                    "Rollkeep", MB_OK | MB_ICONERROR);
    }
  } catch (...) {
    // Out of memory again: the box cannot be shown.
  }
  reportingFailure_ = false;
}

void Application::SetOwners(HWND owner) {
  commonDialog1_.setOwner(owner);
  prompt_.setOwner(owner);
}

}  // namespace rollkeep::win32
