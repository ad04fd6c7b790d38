#include "recovery/recovery_keeper.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "recovery/recovery_record.h"
#include "rosterfile/failure_text.h"
#include "rosterfile/roster_file.h"

namespace rollkeep {

namespace {

constexpr char kTitle[] = "Rollkeep";
constexpr char kDamaged[] = "it is damaged (it is not what Rollkeep wrote there)";
// A copy from a version that kept no record, or a crash between the copy's
// first write and its record's: either way nothing says the copy is whole.
constexpr char kNoRecord[] =
    "nothing records what Rollkeep wrote there, so it may be cut short or changed";

std::string Names(std::size_t count) {
  return std::to_string(count) + (count == 1 ? " name was" : " names were");
}

bool Matches(const RecoveryRecord& record, std::string_view copy) {
  return !record.discarded && record.bytes == copy.size() && record.crc == Crc32(copy);
}

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
  std::string bytes, record;
  const IoStatus read = files_.Read(place_.file, bytes);
  if (!read.ok) return SetAside(read.reason);
  const bool hasRecord = files_.Exists(place_.record());
  if (hasRecord) {
    const IoStatus readRecord = files_.Read(place_.record(), record);
    if (!readRecord.ok) return SetAside("its record could not be read: " + readRecord.reason);
  }
  const std::vector<RecoveryRecord> written = ParseRecords(record).value_or(
      std::vector<RecoveryRecord>{});
  if (!written.empty() && written.front().discarded) return LetGo();
  // An empty copy holds nothing to set aside.
  if (bytes.empty()) return Restored({});
  if (!hasRecord) return SetAside(kNoRecord);
  const auto match = std::ranges::find_if(
      written, [&](const RecoveryRecord& copy) { return Matches(copy, bytes); });
  if (match == written.end()) return SetAside(kDamaged);
  onDisk_ = *match;
  return RestoreWritten(bytes, match->names);
}

// The copy is what Rollkeep wrote: read it as "load list" would.
RecoveryStart RecoveryKeeper::RestoreWritten(std::string_view bytes, std::size_t names) {
  DecodedRoster decoded = DecodeRosterFile(bytes, roster_.codePage(), Roster::kCapacity);
  if (!decoded.read()) return SetAside(std::string(decoded.refused));
  if (decoded.names.size() > static_cast<std::size_t>(Roster::kCapacity)) {
    return SetAside("it holds more names than the list can take");
  }
  if (decoded.names.size() != names) return SetAside(kDamaged);
  return Restored(std::move(decoded.names));
}

RecoveryStart RecoveryKeeper::Restored(std::vector<std::string> names) {
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

// The operator let this list go at the last close, but the copy could not be
// removed then. The mark goes even when the copy stays again: this run's
// first write replaces the copy, and a mark left behind would drop that new
// copy too if Rollkeep stopped before writing its record.
RecoveryStart RecoveryKeeper::LetGo() {
  files_.Remove(place_.file);
  files_.Remove(place_.record());
  return RecoveryStart::None;
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
  const std::string copy = EncodeRoster(roster_.entries());
  const RecoveryRecord next = RecordOf(copy, static_cast<std::size_t>(roster_.count()));
  // Three writes, so that a stop between any two leaves a copy its record
  // vouches for: the record names the copy on disk and the one on its way,
  // then the copy is replaced, then the record names the new copy alone.
  std::vector<RecoveryRecord> both{next};
  if (onDisk_) both.insert(both.begin(), *onDisk_);
  IoStatus written = files_.Write(place_.record(), RecordText(both));
  if (written.ok) written = files_.Write(place_.file, copy);
  if (written.ok) {
    onDisk_ = next;
    written = files_.Write(place_.record(), RecordText(next));
  }
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
  const IoStatus removed = files_.Remove(place_.file);
  if (removed.ok || !files_.Exists(place_.file)) {
    files_.Remove(place_.record());
    return;
  }
  // A copy that stays would bring back the list the operator let go: the
  // record marks it so, or else the copy is emptied (an empty copy brings
  // back nothing).
  if (files_.Write(place_.record(), RecordText(DiscardedRecord())).ok) return;
  if (files_.Write(place_.file, {}).ok) return;
  prompt_.Show("Rollkeep could not delete its recovery copy of the list, " + place_.file + " (" +
                   TidyReason(removed.reason) +
                   "). Delete that file before you start Rollkeep again, or the list you let "
                   "go comes back.",
               kTitle, kStyleOk | kStyleWarning);
}

void RecoveryKeeper::StopTimer() {
  if (std::exchange(timerRunning_, false)) timer_.Stop();
}

}  // namespace rollkeep
