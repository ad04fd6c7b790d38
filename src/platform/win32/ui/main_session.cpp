#include "platform/win32/ui/main_session.h"

#include "platform/win32/ui/main_layout.h"
#include "platform/win32/ui/message_pump.h"

namespace rollkeep::win32 {

std::unique_ptr<MainSession> MainSession::Create(const MainSessionParts& parts, HINSTANCE instance,
                                                 HICON icon) {
  auto window = std::make_unique<MainWindow>();
  if (!window->Create(instance, icon)) return nullptr;
  std::unique_ptr<MainSession> session(new MainSession(parts, std::move(window)));
  session->window_->SetEvents(session.get());
  RegisterDialogWindow(session->hwnd());
  return session;
}

MainSession::MainSession(const MainSessionParts& parts, std::unique_ptr<MainWindow> window)
    : window_(std::move(window)),
      list1_(parts.roster, window_->Control(kList1Id)),
      iChat2_([this](const std::string& screenName, const std::string& text) {
                frm_.ChatLine(screenName, text);
              },
              // Through the notices: the box shows once the scanner's read
              // has returned, and the room goes on being heard meanwhile.
              [this](const std::string& reason) {
                notices_.Show(reason, "Rollkeep", kStyleOk | kStyleWarning);
              }),
      command1_(window_->Control(kCommand1Id)),
      command2_(window_->Control(kCommand2Id)),
      timer1_([this] { frm_.Timer1_Timer(); }),
      recoveryTimer_([this] { keeper_.OnTimer(); }),
      noticeTimer_([this] { notices_.ShowWaiting(); }),
      answerTimer_([this] { answers_.OnTimer(); }),
      notices_(prompt_, noticeTimer_),
      keeper_(parts.roster, parts.recoveryFiles, recoveryTimer_, notices_, parts.recovery),
      prompt_(parts.prompt, keeper_),
      commonDialog1_(parts.commonDialog1, keeper_),
      waiter_(parts.waiter, keeper_),
      answers_(parts.roster, parts.poster, answerTimer_, parts.clock),
      frm_(FrmMainParts{parts.roster, parts.poster, waiter_, answers_, iChat2_, timer1_,
                        command1_, command2_, commonDialog1_, prompt_, notices_, parts.files,
                        parts.shell}) {}

void MainSession::Load() {
  keeper_.Restore();
  frm_.Form_Load();
}

// The start's own notice shows now, with the restored list in view behind it.
void MainSession::TellRecovery() {
  keeper_.TellOperator();
  notices_.ShowWaiting();
}

MainSession::~MainSession() { Close(); }

void MainSession::Close() {
  iChat2_.EndWatch();
  // The timers die with the window, as a window's own timers would; nothing
  // waiting is posted or shown after the end.
  answers_.DropWaiting();
  notices_.DropWaiting();
  timer1_.Destroy();
  recoveryTimer_.Destroy();
  noticeTimer_.Destroy();
  answerTimer_.Destroy();
  window_->SetEvents(nullptr);
  if (hwnd() == nullptr) return;
  UnregisterDialogWindow(hwnd());
  window_->Destroy();
}

void MainSession::OnButton(int controlId) {
  switch (controlId) {
    case kCommand1Id: frm_.Command1_Click(); break;
    case kCommand2Id: frm_.Command2_Click(); break;
    case kCommand3Id: frm_.Command3_Click(); break;
    case kCommand4Id: frm_.Command4_Click(); break;
    case kCommand5Id: frm_.Command5_Click(); break;
    case kCommand6Id: frm_.Command6_Click(); break;
    default: break;
  }
  ShowUndo();
}

void MainSession::OnListSelectionChanged() { list1_.OnOperatorSelected(); }

// Once the operator answered the close prompt, the list's fate is decided
// and the recovery copy goes; a prompt that could not be shown keeps it.
void MainSession::OnCloseRequested() {
  frm_.Form_Unload();
  if (frm_.closeAnswered()) keeper_.Discard();
}

void MainSession::OnUndo() {
  frm_.Undo();
  ShowUndo();
}

void MainSession::ShowUndo() {
  if (!frm_.ended()) window_->ShowUndo(frm_.undoableChange());
}

}  // namespace rollkeep::win32
