#include "recovery/recovery_keeper.h"

#include <cstddef>
#include <string_view>
#include <utility>

#include "rosterfile/failure_text.h"
#include "rosterfile/roster_file.h"

namespace rollkeep {

namespace {

constexpr char kTitle[] = "Rollkeep";

std::string Names(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " name was" : " names were");
}

// A torn write after a power cut can leave blocks of zero bytes; the encoder
// never writes one, so a copy holding one is not trusted.
bool LooksDamaged(std::string_view bytes) { return bytes.find('\0') != std::string_view::npos; }

}  // namespace

RecoveryKeeper::RecoveryKeeper(Roster& roster, RecoveryFiles& files, Timer& timer,
                               Prompt& prompt, RecoveryPlace place)
    : roster_(roster),
      files_(files),
      timer_(timer),
      prompt_(prompt),
      place_(std::move(place)),
      active_(place_.enabled()) {
  roster_.addObserver(this);
}

RecoveryKeeper::~RecoveryKeeper() { roster_.removeObserver(this); }

RecoveryStart RecoveryKeeper::Restore() {
  if (!active_ || !files_.Exists(place_.file)) return RecoveryStart::None;
  std::string bytes;
  const IoStatus read = files_.Read(place_.file, bytes);
  if (!read.ok) return SetAside(read.reason);
  if (LooksDamaged(bytes)) return SetAside("it is damaged");
  std::vector<std::string> names = DecodeRoster(bytes, Roster::kCapacity);
  if (names.size() > static_cast<std::size_t>(Roster::kCapacity)) {
    return SetAside("it holds more names than the list can take");
  }
  const std::string when = files_.ModifiedText(place_.file);
  const std::size_t count = names.size();
  roster_.assign(std::move(names));
  pending_ = false;  // the copy already holds this roster
  StopTimer();
  if (count == 0) return RecoveryStart::Restored;
  notice_ = "Rollkeep did not close normally last time. " + Names(count) +
            " restored from the list as it was" + (when.empty() ? "" : " at " + when) + ".";
  noticeStyle_ = kStyleOk | kStyleInformation;
  return RecoveryStart::Restored;
}

// The copy is renamed, never deleted: it may be all that is left of a list.
RecoveryStart RecoveryKeeper::SetAside(const std::string& why) {
  const std::string aside = AsideName(place_.file, files_.NowStamp());
  const IoStatus moved = files_.Rename(place_.file, aside);
  noticeStyle_ = kStyleOk | kStyleWarning;
  if (!moved.ok) {
    // Writing would overwrite it; this run keeps no copy instead.
    active_ = false;
    notice_ = "The list kept from the last run (" + place_.file + ") could not be read: " +
              TidyReason(why) + ". It could not be set aside either (" + TidyReason(moved.reason) +
              "), so Rollkeep keeps no recovery copy this time and starts with an empty list.";
    return RecoveryStart::Stuck;
  }
  notice_ = "The list kept from the last run could not be read: " + TidyReason(why) +
            ". It was set aside as " + aside + ". Rollkeep starts with an empty list.";
  return RecoveryStart::SetAside;
}

void RecoveryKeeper::TellOperator() {
  if (notice_.empty()) return;
  const std::string text = std::exchange(notice_, {});
  prompt_.Show(text, kTitle, noticeStyle_);
}

void RecoveryKeeper::Changed() {
  if (!active_) return;
  pending_ = true;
  // A running timer is left alone: a steady stream of changes must not keep
  // pushing the write back.
  if (timerRunning_) return;
  // Without its timer the change is written at once: the copy stays as
  // current as with it, at the cost of a write per change. A failure is not
  // shown from inside the roster's change; the next box or pause tells it.
  timerRunning_ = timer_.Start(kRecoveryDelayMs);
  if (!timerRunning_) Write(false);
}

void RecoveryKeeper::Write(bool tellFailure) {
  StopTimer();
  if (!active_ || !pending_) return;
  const IoStatus written = files_.Write(place_.file, EncodeRoster(roster_.entries()));
  if (written.ok) {
    pending_ = false;
    return;
  }
  // Still pending: the next change starts the timer again, and the next box
  // or pause tries at once.
  if (tellFailure) ReportWriteFailure(written.reason);
}

void RecoveryKeeper::ReportWriteFailure(const std::string& reason) {
  if (std::exchange(failureShown_, true)) return;
  prompt_.Show("Rollkeep could not keep a recovery copy of the list in " + place_.folder + ": " +
                   TidyReason(reason) + ". It goes on working and tries again at the next change.",
               kTitle, kStyleOk | kStyleWarning);
}

void RecoveryKeeper::Discard() {
  StopTimer();
  pending_ = false;
  if (!std::exchange(active_, false)) return;
  // A copy that stays would bring back the list the operator let go; an
  // empty one brings back nothing.
  if (!files_.Remove(place_.file).ok && files_.Exists(place_.file)) {
    files_.Write(place_.file, {});
  }
}

void RecoveryKeeper::StopTimer() {
  if (std::exchange(timerRunning_, false)) timer_.Stop();
}

}  // namespace rollkeep
