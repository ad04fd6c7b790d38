#pragma once
// The recovery copy: the roster kept in a file while the program runs, so a
// crash, a killed process, a power cut or the end of the Windows session
// loses nothing. Changes are written at most once a second (a one-shot
// timer), and at once before anything modal or a pause, so what the operator
// sees is what an unclean end would leave. Each write is followed by a record
// of what was written (recovery_record.h); at the next start a copy that
// matches its record fills the roster again, and any other is set aside,
// never deleted. A clean end (the close prompt answered) deletes the copy, or
// marks it let go in the record when it cannot be deleted.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/prompt.h"
#include "ports/timer.h"
#include "recovery/recovery_files.h"
#include "recovery/recovery_place.h"
#include "recovery/recovery_record.h"
#include "roster/chat_ports.h"
#include "roster/roster.h"

namespace rollkeep {

inline constexpr unsigned kRecoveryDelayMs = 1000;

// What the start finds.
enum class RecoveryStart { None, Restored, SetAside, Stuck };

class RecoveryKeeper final : public RosterObserver {
public:
  RecoveryKeeper(Roster& roster, RecoveryFiles& files, Timer& timer, Prompt& prompt,
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
  // The operator answered the close prompt: the copy goes and no more is
  // kept. When it can neither go nor be marked let go, the operator is told.
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
  RecoveryStart RestoreWritten(std::string_view bytes, std::size_t names);
  RecoveryStart Restored(std::vector<std::string> names);
  RecoveryStart LetGo();

  Roster& roster_;
  RecoveryFiles& files_;
  Timer& timer_;
  Prompt& prompt_;
  RecoveryPlace place_;
  bool active_;
  bool pending_ = false;
  bool timerRunning_ = false;
  bool failureShown_ = false;
  // The record of the copy on disk, once this run knows it.
  std::optional<RecoveryRecord> onDisk_;
  std::string notice_;
  unsigned noticeStyle_ = 0;
};

}  // namespace rollkeep
