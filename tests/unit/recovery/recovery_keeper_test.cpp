// The recovery copy: when it is written (coalescing), what the start does
// with a copy it finds, how a write failure is told, and the clean end.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "recovery/recovering_ports.h"
#include "recovery/recovery_keeper.h"
#include "recovery/recovery_record.h"
#include "rosterfile/roster_file.h"
#include "support/fake_windows.h"

namespace rollkeep::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using Lines = std::vector<std::string>;

const RecoveryPlace kPlace{"C:\\Local\\Rollkeep", "C:\\Local\\Rollkeep\\roster-recovery.txt"};
const std::string kAside = "C:\\Local\\Rollkeep\\roster-recovery.unreadable-20261207-010203.txt";

// Files in memory; each write of the copy, removal and rename is logged, and
// of the record only the mark that the copy was let go.
struct MemoryRecoveryFiles final : RecoveryFiles {
  explicit MemoryRecoveryFiles(EventLog& log) : log(log) {}
  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  IoStatus Read(const std::string& path, std::string& bytes) override {
    // Reasons as the system words them: capitalised, with a full stop.
    if (readFails) return IoStatus::Failed("Access is denied.");
    bytes = files.at(path);
    return IoStatus::Ok();
  }
  IoStatus Write(const std::string& path, std::string_view bytes) override {
    const bool record = path == kPlace.record();
    if (!record) log.push_back("write " + Joined(DecodeRoster(bytes)));
    if (record && bytes == RecordText(DiscardedRecord())) log.push_back("mark let go");
    if (record ? recordWriteFails : writeFails) return IoStatus::Failed("The disk is full.");
    if (writesLeft && (*writesLeft)-- == 0) return IoStatus::Failed("stopped");
    files[path] = bytes;
    return IoStatus::Ok();
  }
  IoStatus Remove(const std::string& path) override {
    const bool record = path == kPlace.record();
    log.push_back(record ? "remove record" : "remove");
    if (removeFails && !record) return IoStatus::Failed("sharing violation");
    files.erase(path);
    return IoStatus::Ok();
  }
  IoStatus Rename(const std::string& from, const std::string& to) override {
    log.push_back("rename to " + to);
    if (renameFails) return IoStatus::Failed("Access is denied.");
    files[to] = files.at(from);
    files.erase(from);
    return IoStatus::Ok();
  }
  std::string ModifiedText(const std::string&) override { return "2026-12-06 23:50:12"; }
  std::string NowStamp() override { return "20261207-010203"; }

  static std::string Joined(const std::vector<std::string>& names) {
    std::string text = "[";
    for (const auto& name : names) text += (text.size() > 1 ? "," : "") + name;
    return text + "]";
  }

  EventLog& log;
  std::map<std::string, std::string> files;
  bool readFails = false, writeFails = false, removeFails = false, renameFails = false;
  bool recordWriteFails = false;
  std::optional<int> writesLeft;  // the program stops after so many writes
};

struct Keeping {
  explicit Keeping(RecoveryPlace place = kPlace) : keeper(roster, files, timer, prompt, place) {}
  EventLog log;
  Roster roster;
  MemoryRecoveryFiles files{log};
  FakeTimer timer{log, "timer", false};
  FakePrompt prompt{log};
  RecoveryKeeper keeper;
};

// A step of the operator, the room or the clock.
// Writes fail from WritesFail until WritesWork; SessionEnd writes without a box.
enum class Step { Append, Clear, Select, TimerFires, WriteNow, WritesFail, WritesWork, SessionEnd };

void Apply(Keeping& k, Step step) {
  switch (step) {
    case Step::Append: k.roster.append("m" + std::to_string(k.roster.count() + 1)); break;
    case Step::Clear: k.roster.clear(); break;
    case Step::Select: k.roster.select(0); break;
    case Step::TimerFires: k.keeper.OnTimer(); break;
    case Step::WriteNow: k.keeper.WriteNow(); break;
    case Step::WritesFail: k.files.writeFails = true; break;
    case Step::WritesWork: k.files.writeFails = false; break;
    case Step::SessionEnd: k.keeper.WriteForSessionEnd(); break;
  }
}

// A failed write is told once (not at the session's end, which must not
// wait for a box) and tried again at the next change.
TEST(RecoveryKeeper, ABurstOfChangesCostsOneWriteWhenTheTimerFires) {
  using enum Step;
  const struct {
    const char* name;
    std::vector<Step> steps;
    Lines log;
    bool timerRefused = false;
  } cases[] = {
      {"a burst starts the timer once and writes once",
       {Append, Append, Append, TimerFires},
       {"timer on", "timer off", "write [m1,m2,m3]"}},
      {"a change after the write starts the timer again",
       {Append, TimerFires, Append, TimerFires},
       {"timer on", "timer off", "write [m1]", "timer on", "timer off", "write [m1,m2]"}},
      {"before a box or a pause a pending change is written at once",
       {Append, WriteNow, TimerFires},
       {"timer on", "timer off", "write [m1]"}},
      {"nothing pending, nothing written", {WriteNow, TimerFires}, {}},
      {"a selection is no change of the list", {Append, TimerFires, Select, WriteNow},
       {"timer on", "timer off", "write [m1]"}},
      {"a clear is written as an empty list", {Append, TimerFires, Clear, TimerFires},
       {"timer on", "timer off", "write [m1]", "timer on", "timer off", "write []"}},
      {"without a timer every change is written at once", {Append, Append, WriteNow},
       {"timer refused", "write [m1]", "timer refused", "write [m1,m2]"}, true},
      {"a failed write is told once and tried again at the next change",
       {WritesFail, Append, SessionEnd, TimerFires, Append, TimerFires, WritesWork, Append,
        TimerFires},
       {"timer on", "timer off", "write [m1]", "write [m1]",
        "prompt Rollkeep 0x30: Rollkeep could not keep a recovery copy of the list in "
        "C:\\Local\\Rollkeep: the disk is full. It goes on working and tries again at the next "
        "change.",
        "timer on", "timer off", "write [m1,m2]", "timer on", "timer off", "write [m1,m2,m3]"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Keeping k;
    k.timer.refuse = c.timerRefused;
    for (Step step : c.steps) Apply(k, step);
    EXPECT_EQ(k.log, c.log);
    EXPECT_EQ(k.timer.intervalMs, c.log.empty() || c.timerRefused ? 0u : 1000u);
    EXPECT_FALSE(k.keeper.pending());
  }
}

// What the record beside a copy was written for.
const std::string kSameCopy = "<the copy>", kNoRecord = "<none>", kLetGo = "<let go>";

void PutRecord(MemoryRecoveryFiles& files, const std::string& copy, const std::string& recordOf) {
  if (recordOf == kNoRecord) return;
  const std::string& of = recordOf == kSameCopy ? copy : recordOf;
  files.files[kPlace.record()] = RecordText(
      recordOf == kLetGo ? DiscardedRecord() : RecordOf(of, DecodeRoster(of).size()));
}

const std::string kSetAside = "prompt Rollkeep 0x30: The list kept from the last run could not be read: ";
const std::string kStartsEmpty = ". It was set aside as " + kAside + ". Rollkeep starts with an empty list.";
std::string Aside(const std::string& why) { return kSetAside + why + kStartsEmpty; }
const std::string kDamaged = Aside("it is damaged (it is not what Rollkeep wrote there)");

TEST(RecoveryKeeper, TheStartRestoresACopyOrSetsAnUnreadableOneAside) {
  std::string tooMany;
  for (int i = 0; i <= Roster::kCapacity; ++i) {
    tooMany.append("x").append(std::to_string(i)).append("\r\r\n");
  }
  const struct {
    const char* name;
    std::optional<std::string> copy;  // nothing: no copy there
    bool readFails, renameFails;
    RecoveryStart result;
    Lines roster;
    std::string told;  // empty: no box
    bool copyStays, aside;
    std::string recordOf = kSameCopy;
  } cases[] = {
      {"no copy: a clean start", std::nullopt, false, false, RecoveryStart::None, {}, "", false,
       false},
      {"a copy fills the roster in its order", "Carol\r\r\nalice\r\r\nBob\r\r\n", false, false,
       RecoveryStart::Restored, {"Carol", "alice", "Bob"},
       "prompt Rollkeep 0x40: Rollkeep did not close normally last time. 3 names were restored "
       "from the list as it was at 2026-12-06 23:50:12.",
       true, false},
      {"one name", "Solo\r\r\n", false, false, RecoveryStart::Restored, {"Solo"},
       "prompt Rollkeep 0x40: Rollkeep did not close normally last time. 1 name was restored "
       "from the list as it was at 2026-12-06 23:50:12.",
       true, false},
      {"an empty copy restores nothing and says nothing", "", false, false,
       RecoveryStart::Restored, {}, "", true, false, kNoRecord},
      {"a copy that cannot be read is set aside", "Carol\r\r\n", true, false,
       RecoveryStart::SetAside, {}, Aside("access is denied"), false, true},
      {"zero bytes of a torn write are damage", std::string("Carol\r\r\n\0\0\0", 11), false,
       false, RecoveryStart::SetAside, {}, kDamaged, false, true, "Carol\r\r\n"},
      {"a copy cut in the middle of a name is damage", "Ann\r\r\nCarol Jo", false, false,
       RecoveryStart::SetAside, {}, kDamaged, false, true, "Ann\r\r\nCarol Jones\r\r\n"},
      {"a copy without its record is not trusted", "x\x93q\r\xA7\n", false, false,
       RecoveryStart::SetAside, {},
       Aside("nothing records what Rollkeep wrote there, so it may be cut short or changed"),
       false, true, kNoRecord},
      {"a copy the operator let go goes quietly", "Carol\r\r\n", false, false,
       RecoveryStart::None, {}, "", false, false, kLetGo},
      {"a copy of more names than the list holds is set aside", tooMany, false, false,
       RecoveryStart::SetAside, {}, Aside("it holds more names than the list can take"), false,
       true},
      {"a copy that cannot be set aside either is left alone", "Carol\r\r\n", true, true,
       RecoveryStart::Stuck, {},
       "prompt Rollkeep 0x30: The list kept from the last run (" + kPlace.file +
           ") could not be read: access is denied. It could not be set aside either (access "
           "is denied), so Rollkeep keeps no recovery copy this time and starts with an empty "
           "list.",
       true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Keeping k;
    if (c.copy) k.files.files[kPlace.file] = *c.copy;
    if (c.copy) PutRecord(k.files, *c.copy, c.recordOf);
    k.files.readFails = c.readFails;
    k.files.renameFails = c.renameFails;
    EXPECT_EQ(k.keeper.Restore(), c.result);
    EXPECT_EQ(k.roster.entries(), c.roster);
    k.log.clear();
    k.keeper.TellOperator();
    k.keeper.TellOperator();  // once only
    EXPECT_EQ(k.log, c.told.empty() ? Lines{} : Lines{c.told});
    EXPECT_EQ(k.files.Exists(kPlace.file), c.copyStays);
    EXPECT_EQ(k.files.Exists(kAside), c.aside);
    // The restored roster is what the copy holds: nothing waits to be written.
    EXPECT_FALSE(k.keeper.pending());
  }
}

// Rollkeep stops after each of the writes that replace a copy: the next start
// restores the old list or the new one, never sets the copy aside.
TEST(RecoveryKeeper, AStopBetweenTheCopyAndItsRecordLosesNothing) {
  const Lines old{"m1"}, now{"m1", "m2"};
  for (const auto& [writes, restored] : {std::pair{0, old}, {1, old}, {2, now}, {3, now}}) {
    SCOPED_TRACE(writes);
    Keeping run;
    Apply(run, Step::Append);
    Apply(run, Step::WriteNow);
    Apply(run, Step::Append);
    run.files.writesLeft = writes;
    Apply(run, Step::WriteNow);
    Keeping next;
    next.files.files = run.files.files;
    EXPECT_EQ(next.keeper.Restore(), RecoveryStart::Restored);
    EXPECT_EQ(next.roster.entries(), restored);
  }
}

// A copy that cannot go is marked let go in its record, or else emptied, so
// the next start brings nothing back; failing both, the operator is told.
TEST(RecoveryKeeper, TheCleanEndRemovesTheCopyAndKeepsNoMore) {
  const std::string told =
      "prompt Rollkeep 0x30: Rollkeep could not delete its recovery copy of the list, " +
      kPlace.file + " (sharing violation). Delete that file before you start Rollkeep again, "
                    "or the list you let go comes back.";
  const struct {
    const char* name;
    bool removeFails, markFails, emptyFails;
    Lines log;
    Lines nextStart;
  } cases[] = {
      {"removed", false, false, false, {"timer off", "remove", "remove record"}, {}},
      {"marked", true, false, false, {"timer off", "remove", "mark let go"}, {}},
      {"emptied", true, true, false, {"timer off", "remove", "mark let go", "write []"}, {}},
      {"told", true, true, true, {"timer off", "remove", "mark let go", "write []", told}, {"a"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Keeping k;
    k.roster.append("a");
    k.keeper.WriteNow();
    k.roster.append("b");  // pending, timer running
    k.files.removeFails = c.removeFails;
    k.files.recordWriteFails = c.markFails;
    k.files.writeFails = c.emptyFails;
    k.log.clear();
    k.keeper.Discard();
    k.roster.append("c");
    k.keeper.WriteNow();
    EXPECT_EQ(k.log, c.log);

    Keeping next;
    next.files.files = k.files.files;
    next.keeper.Restore();
    EXPECT_EQ(next.roster.entries(), c.nextStart);
  }
}

TEST(RecoveryRecord, ReadsBackWhatItWroteAndNothingElse) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);  // the check value of CRC-32
  for (const RecoveryRecord& record : {RecordOf("Ann\r\r\n", 1), DiscardedRecord()}) {
    EXPECT_EQ(ParseRecord(RecordText(record)), record);
  }
  const std::string text = RecordText(RecordOf("Ann\r\r\n", 1));
  for (const std::string& bad : {text.substr(0, text.size() - 1), text + "x", std::string()}) {
    EXPECT_EQ(ParseRecord(bad), std::nullopt) << bad;
  }
}

TEST(RecoveryKeeper, WithoutAPlaceNothingIsKept) {
  Keeping k{RecoveryPlace{}};
  k.files.files[kPlace.file] = "Old\r\r\n";
  EXPECT_EQ(k.keeper.Restore(), RecoveryStart::None);
  k.roster.append("a");
  k.keeper.WriteNow();
  k.keeper.Discard();
  EXPECT_THAT(k.log, IsEmpty());
  EXPECT_EQ(k.roster.entries(), Lines{"a"});
}

TEST(RecoveryKeeper, BoxesDialogsAndPausesWriteAPendingChangeFirst) {
  Keeping k;
  LogWaiter waiter{k.log};
  FakeFileDialog dialog{k.log};
  RecoveringPrompt prompt(k.prompt, k.keeper);
  RecoveringWaiter pause(waiter, k.keeper);
  RecoveringFileDialog files(dialog, k.keeper);
  dialog.choices = {"C:\\x.txt", FakeFileDialog::kCancel};

  k.roster.append("a");
  prompt.Show("q", "Rollkeep", kStyleYesNo);
  k.roster.append("b");
  pause.Wait(0.7);
  k.roster.append("c");
  files.FileName = "start.txt";
  files.ShowSave();
  EXPECT_EQ(files.FileName, "C:\\x.txt");
  files.CancelError = true;
  EXPECT_THROW(files.ShowOpen(), DialogCancelled);
  EXPECT_EQ(files.FileName, "");
  EXPECT_THAT(k.log, ElementsAre("timer on", "timer off", "write [a]", "prompt Rollkeep 0x4: q",
                                 "timer on", "timer off", "write [a,b]", "wait 0.7", "waited",
                                 "timer on", "timer off", "write [a,b,c]", "ShowSave",
                                 "ShowOpen"));
}

}  // namespace
}  // namespace rollkeep::testing
