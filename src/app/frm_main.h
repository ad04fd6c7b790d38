#pragma once
// The main window's behaviour: its handlers, in the order their steps run.

#include <string>

#include "app/window_ports.h"
#include "ports/prompt.h"
#include "ports/timer.h"
#include "roster/chat_commands.h"
#include "roster/chat_ports.h"
#include "roster/roster.h"
#include "roster/undo_journal.h"
#include "rosterfile/file_dialog.h"
#include "rosterfile/file_system.h"

namespace rollkeep {

inline constexpr unsigned kAdvertisementIntervalMs = 60000;

struct FrmMainParts {
  Roster& roster;
  Poster& poster;
  Waiter& waiter;  // the advertisement's pause
  Answerer& answers;  // the answers to members' commands, paced
  ChatScanner& iChat2;
  Timer& timer1;
  Switch& command1;
  Switch& command2;
  FileDialog& commonDialog1;
  Prompt& prompt;
  Prompt& notices;  // boxes that wait for nobody (notice_board.h)
  FileSystem& files;
  MainWindowShell& shell;
};

// The main window, frmMain, named with the "frm" prefix of a form. Its
// controls keep numbered names, and each handler is named after the control
// and the event it answers (control_Event):
//   Command1 "on", Command2 "off", Command3 "save list", Command4 "load list",
//   Command5 "remove selected", Command6 "clear list" (the six buttons);
//   List1 the roster's list box; Timer1 the advertisement every 60 seconds;
//   iChat2 the chat scanner that hears the room; CommonDialog1 the file dialog.
// Form_Load runs when the window is made, Form_Unload when the operator
// closes it, and ChatLine for every line heard while the bot is on.
class FrmMain {
public:
  explicit FrmMain(FrmMainParts parts);

  void Form_Load();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();
  void Command6_Click();
  void Timer1_Timer();
  // Asks whether to save, then ends the program.
  void Form_Unload();
  // A line said in the room, handled at once; its answer follows in turn.
  // Lines are handled also while the close prompt is up, until the end.
  void ChatLine(const std::string& screenName, const std::string& text);
  // Ctrl+Z or the system menu's "Undo": takes back the last "clear list",
  // "remove selected" or "load list". Nothing is selected afterwards.
  void Undo();

  // The change Undo would take back ("clear list"); empty when none.
  std::string undoableChange() const { return journal_.change(); }

  // True once Form_Unload has ended the program.
  bool ended() const { return ended_; }
  // True once the close prompt was answered: saved after Yes, or No.
  bool closeAnswered() const { return closeAnswered_; }

private:
  void TellNotTurnedOn();

  FrmMainParts p_;
  ChatCommandHandler chat_;
  UndoJournal journal_;
  // While a load's dialog is up: the journal the load starts if it is done.
  UndoJournal* pendingLoad_ = nullptr;
  bool unloading_ = false;
  bool ended_ = false;
  bool fullTold_ = false;  // this watch
  bool closeAnswered_ = false;
};

class Form1 {
public:
  explicit Form1(SplashShell& shell) : shell_(shell) {}
  void Form_DblClick();

private:
  SplashShell& shell_;
};

}  // namespace rollkeep
