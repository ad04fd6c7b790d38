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
  Timer& timer1;  // the advertisement
  Switch& command1;  // "on"
  Switch& command2;  // "off"
  FileDialog& commonDialog1;
  Prompt& prompt;
  Prompt& notices;  // boxes that wait for nobody (notice_board.h)
  FileSystem& files;
  MainWindowShell& shell;
};

class FrmMain {
public:
  explicit FrmMain(FrmMainParts parts);

  void Form_Load();
  void Command1_Click();  // on
  void Command2_Click();  // off
  void Command3_Click();  // save list
  void Command4_Click();  // load list
  void Command5_Click();  // remove selected
  void Command6_Click();  // clear list
  void Timer1_Timer();    // the advertisement
  void Form_Unload();     // the operator closes the window; ends the program
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
