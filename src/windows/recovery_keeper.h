#pragma once
// The recovery copy: the roster kept in a file while the program runs, so a
// crash, a killed process, a power cut or the end of the Windows session
// loses nothing. Changes are written at most once a second (a one-shot
// timer), and at once before anything modal or a pause, so what the operator
// sees is what an unclean end would leave. A clean end (the close prompt
// answered) deletes the copy; at the next start a copy that is still there
// fills the roster again.

#include <string>
#include <string_view>

#include "roster/chat_ports.h"
#include "roster/roster.h"
#include "rosterfile/file_dialog.h"
#include "rosterfile/file_system.h"
#include "rosterfile/prompt.h"

namespace rollkeep {

inline constexpr int kRecoveryDelayMs = 1000;

// A timer that fires once, `ms` after Start; Start while running restarts it.
class OneShotTimer {
public:
  virtual ~OneShotTimer() = default;
  virtual void Start(int ms) = 0;
  virtual void Stop() = 0;
};

// The file operations the recovery copy needs beyond reading and writing.
class RecoveryFiles {
public:
  virtual ~RecoveryFiles() = default;
  virtual bool Exists(const std::string& path) = 0;
  virtual IoStatus Read(const std::string& path, std::string& bytes) = 0;
  // Creates the folder when it is missing, then writes safely (whole or not at all).
  virtual IoStatus Write(const std::string& path, std::string_view bytes) = 0;
  virtual IoStatus Remove(const std::string& path) = 0;
  // Renames without replacing an existing file.
  virtual IoStatus Rename(const std::string& from, const std::string& to) = 0;
  // The file's last change in local time, "YYYY-MM-DD HH:MM:SS"; empty when unknown.
  virtual std::string ModifiedText(const std::string& path) = 0;
  // The local time now as "YYYYMMDD-HHMMSS", for the names of files set aside.
  virtual std::string NowStamp() = 0;
};

// Where the copy lives. An empty file means no copy is kept (a second
// running instance, or a test without one).
struct RecoveryPlace {
  std::string folder;
  std::string file;
  bool enabled() const { return !file.empty(); }
};

// Where an unreadable copy is set aside: "x.txt" -> "x.unreadable-<stamp>.txt".
std::string AsideName(const std::string& file, const std::string& stamp);

// What the start finds.
enum class RecoveryStart { None, Restored, SetAside, Stuck };

class RecoveryKeeper final : public RosterObserver {
public:
  RecoveryKeeper(Roster& roster, RecoveryFiles& files, OneShotTimer& timer, Prompt& prompt,
                 RecoveryPlace place);
  ~RecoveryKeeper() override;
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // At start: fills the roster from a copy left by an unclean end, or sets an
  // unreadable copy aside. The operator is told by TellOperator().
  RecoveryStart Restore();
  // Shows what Restore found, once.
  void TellOperator();

  // Writes a pending change at once: before a box, a dialog or a pause.
  void WriteNow() { Write(true); }
  // The same when Windows ends the session: nothing may hold that up, so a
  // failure is not shown.
  void WriteForSessionEnd() { Write(false); }
  // The one-shot timer fired.
  void OnTimer() { WriteNow(); }
  // The operator answered the close prompt: the copy goes and no more is kept.
  void Discard();

  bool pending() const { return pending_; }

  void OnAppended(int, const std::string&) override { Changed(); }
  void OnRemoved(int) override { Changed(); }
  void OnReset() override { Changed(); }
  void OnSelectionChanged(std::optional<int>) override {}

private:
  void Changed();
  void StopTimer();
  void Write(bool tellFailure);
  void ReportWriteFailure(const std::string& reason);
  RecoveryStart SetAside(const std::string& why);

  Roster& roster_;
  RecoveryFiles& files_;
  OneShotTimer& timer_;
  Prompt& prompt_;
  RecoveryPlace place_;
  bool active_;
  bool pending_ = false;
  bool timerRunning_ = false;
  bool failureShown_ = false;
  std::string notice_;
  unsigned noticeStyle_ = 0;
};

// Decorators that write a pending change before the operator is asked
// something or the program pauses.
class RecoveringPrompt final : public Prompt {
public:
  RecoveringPrompt(Prompt& inner, RecoveryKeeper& keeper) : inner_(inner), keeper_(keeper) {}
  int Show(const std::string& text, const std::string& title, unsigned style) override {
    keeper_.WriteNow();
    return inner_.Show(text, title, style);
  }

private:
  Prompt& inner_;
  RecoveryKeeper& keeper_;
};

class RecoveringWaiter final : public Waiter {
public:
  RecoveringWaiter(Waiter& inner, RecoveryKeeper& keeper) : inner_(inner), keeper_(keeper) {}
  bool Wait(double seconds) override {
    keeper_.WriteNow();
    return inner_.Wait(seconds);
  }

private:
  Waiter& inner_;
  RecoveryKeeper& keeper_;
};

// Hands its members to the real dialog and takes the chosen file back.
class RecoveringFileDialog final : public FileDialog {
public:
  RecoveringFileDialog(FileDialog& inner, RecoveryKeeper& keeper) : inner_(inner), keeper_(keeper) {}
  void ShowOpen() override { Show(&FileDialog::ShowOpen); }
  void ShowSave() override { Show(&FileDialog::ShowSave); }

private:
  void Show(void (FileDialog::*show)());

  FileDialog& inner_;
  RecoveryKeeper& keeper_;
};

}  // namespace rollkeep
