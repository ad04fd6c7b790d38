#include "app/frm_main.h"

#include <optional>
#include <utility>

#include "roster/name_matching.h"
#include "rosterfile/roster_io.h"

namespace rollkeep {

namespace {

constexpr char kLoaded[] = "Rollkeep: loaded";
constexpr char kTurnedOn[] = "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";
constexpr char kAdvertiseList[] = "Rollkeep: type <b><u>list me</u></b> to be listed";
// Rooms know these two lines word for word, so they stay as they have always
// been: without the comma, and with the tags closed crosswise.
constexpr char kTurnedOff[] = "Rollkeep: turned off no more listing";
constexpr char kAdvertiseRemove[] = "Rollkeep: type <b><u>remove me</b></u> to be removed";
constexpr char kListSaved[] = "Rollkeep: list saved";
constexpr char kListLoaded[] = "Rollkeep: list loaded";
constexpr char kListCleared[] = "Rollkeep: list cleared";
constexpr char kListRestored[] = "Rollkeep: list restored";
constexpr char kUnloaded[] = "Rollkeep: unloaded, no more listing";

constexpr char kListFull[] =
    "The list is full: it holds 32,767 names, and members who type \"list me\" are not "
    "added. Remove names or clear the list to make room. Rollkeep tells you this once each time "
    "it is turned on.";
constexpr char kNotTurnedOn[] =
    "Rollkeep could not be turned on: Windows refused it a timer, which happens when Windows "
    "is short of resources. Close some programs or windows and press on again.";
constexpr unsigned kNotTurnedOnStyle = kStyleOk | kStyleError;

constexpr char kSaveQuestion[] = "do you wish to save your list?";
constexpr char kTitle[] = "Rollkeep";
constexpr unsigned kSaveQuestionStyle = kStyleYesNo | kStyleInformation;  // 0x44

// The operator's changes that Undo takes back, by the names the menu shows.
constexpr char kLoadChange[] = "load list";
constexpr char kRemoveChange[] = "remove selected";
constexpr char kClearChange[] = "clear list";

std::string RemovedAnnouncement(const std::string& name) {
  return std::string(kAnnouncementPrefix) + name + " has been removed from list";
}

// Yes that did not end in a written file asks again, so the roster is only
// lost after No (or when the question cannot be shown at all, which would
// otherwise keep the program from ever ending). True when the operator
// answered: saved after Yes, or No.
bool OfferToSave(const FrmMainParts& p) {
  for (;;) {
    const int answer = p.prompt.Show(kSaveQuestion, kTitle, kSaveQuestionStyle);
    if (answer != kAnswerYes) return answer == kAnswerNo;
    if (Brask32::SaveRoster(p.roster, p.commonDialog1, p.prompt, p.files).done()) return true;
  }
}

}  // namespace

FrmMain::FrmMain(FrmMainParts parts)
    : p_(parts), chat_(p_.roster, p_.answers) {}

void FrmMain::Form_Load() {
  if (unloading_) return;  // closing or ended
  p_.shell.KeepOnTop();
  p_.poster.Post(kLoaded);
  p_.timer1.Stop();
  p_.iChat2.EndWatch();
}

// Without its timers the bot would seem on but neither hear nor advertise:
// then it stays off, the operator is told, and the room hears nothing.
void FrmMain::Command1_Click() {
  if (unloading_) return;  // closing or ended
  fullTold_ = false;
  if (!p_.timer1.Start(kAdvertisementIntervalMs)) return TellNotTurnedOn();
  p_.command1.SetEnabled(false);
  p_.command2.SetEnabled(true);
  if (!p_.iChat2.BeginWatch()) {
    p_.timer1.Stop();
    p_.command1.SetEnabled(true);
    p_.command2.SetEnabled(false);
    return TellNotTurnedOn();
  }
  p_.poster.Post(kTurnedOn);
}

void FrmMain::TellNotTurnedOn() {
  p_.prompt.Show(kNotTurnedOn, kTitle, kNotTurnedOnStyle);
}

void FrmMain::Command2_Click() {
  if (unloading_) return;  // closing or ended
  p_.timer1.Stop();
  p_.command1.SetEnabled(true);
  p_.command2.SetEnabled(false);
  p_.iChat2.EndWatch();
  p_.poster.Post(kTurnedOff);
}

// Announced only when the file was really written: a cancelled dialog or a
// failed write must not tell the room that the list is safe.
void FrmMain::Command3_Click() {
  if (unloading_) return;  // closing or ended
  if (Brask32::SaveRoster(p_.roster, p_.commonDialog1, p_.prompt, p_.files).done()) {
    p_.poster.Post(kListSaved);
  }
}

// Chat lines handled while the dialog is up change the roster before the
// load replaces it; they go into the load's journal too, so undoing the load
// gives the roster they made. A load that did not happen keeps the undo of
// the change before it.
void FrmMain::Command4_Click() {
  if (unloading_) return;  // closing or ended
  UndoJournal load;
  load.Begin(kLoadChange, p_.roster.entries());
  UndoJournal* const outer = std::exchange(pendingLoad_, &load);
  const bool done = Brask32::LoadRoster(p_.roster, p_.commonDialog1, p_.prompt, p_.files).done();
  pendingLoad_ = outer;
  if (!done) return;
  journal_ = std::move(load);
  p_.poster.Post(kListLoaded);
}

// With nothing selected there is nobody to name, so nothing is announced.
void FrmMain::Command5_Click() {
  if (unloading_) return;  // closing or ended
  if (!p_.roster.selection()) return;
  const std::string name = p_.roster.selectedText();
  journal_.Begin(kRemoveChange, p_.roster.entries());
  Brask32::DropSelected(p_.roster);
  p_.poster.Post(RemovedAnnouncement(name));
}

// Clearing an empty list changes nothing, so it keeps the undo of the change
// before it (a second click on "clear list" must not lose the first one's).
void FrmMain::Command6_Click() {
  if (unloading_) return;  // closing or ended
  if (p_.roster.count() > 0) journal_.Begin(kClearChange, p_.roster.entries());
  p_.roster.clear();
  p_.poster.Post(kListCleared);
}

// Other handlers may run inside the pause; when one of them ended the
// program, the second line must not go out.
void FrmMain::Timer1_Timer() {
  if (unloading_) return;  // closing or ended
  p_.poster.Post(kAdvertiseList);
  if (!p_.waiter.Wait(kAnnouncementPause) || ended_) return;
  p_.poster.Post(kAdvertiseRemove);
}

void FrmMain::Form_Unload() {
  if (unloading_) return;  // closing or ended
  unloading_ = true;
  closeAnswered_ = OfferToSave(p_);
  // The end takes everything with it: answers still waiting are not posted.
  p_.answers.DropWaiting();
  p_.poster.Post(kUnloaded);
  p_.shell.EndProgram();
  ended_ = true;
}

// The command is journalled before it is handled, so an undo afterwards
// keeps what the member asked for. Lines go on being handled while the close
// prompt waits for the operator (the room does not stop for it), so the
// roster a save there writes holds them.
void FrmMain::ChatLine(const std::string& screenName, const std::string& text) {
  if (ended_) return;
  const std::optional<ChatCommand> command = ParseChatCommand(screenName, text);
  if (!command) return;
  journal_.Record(*command);
  if (pendingLoad_ != nullptr) pendingLoad_->Record(*command);
  if (chat_.Handle(*command) == ChatOutcome::Full && !std::exchange(fullTold_, true)) {
    p_.notices.Show(kListFull, kTitle, kStyleOk | kStyleWarning);
  }
}

void FrmMain::Undo() {
  if (unloading_ || !journal_.CanUndo()) return;  // closing, ended, or nothing to undo
  p_.roster.assign(journal_.TakeUndone());
  p_.poster.Post(kListRestored);
}

void Form1::Form_DblClick() {
  shell_.HideSplash();
  shell_.ShowMain();
}

}  // namespace rollkeep
