#pragma once
// The main window's behaviour wired to the real roster, chat commands and
// roster files, among fakes that all write into one event log.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/answer_schedule.h"
#include "app/frm_main.h"
#include "roster/roster.h"
#include "rosterfile/file_system.h"
#include "support/fake_windows.h"

namespace rollkeep::testing {

using Handler = void (FrmMain::*)();
using Lines = std::vector<std::string>;

const std::string kAdvertiseList = "post Rollkeep: type <b><u>list me</u></b> to be listed";
const std::string kAdvertiseRemove = "post Rollkeep: type <b><u>remove me</b></u> to be removed";
const std::string kQuestion = "prompt Rollkeep 0x44: do you wish to save your list?";
const std::string kUnloaded = "post Rollkeep: unloaded, no more listing";
const std::string kLocked = "C:\\rosters\\locked.txt";

// Files are a map from path to bytes; a path with "locked" in it cannot be
// written (kLocked exists, kLockedFolder does not).
const std::string kLockedFolder = "C:\\locked\\room.txt";
struct MemoryFileSystem final : FileSystem {
  bool IsOrdinaryFile(const std::string& path) override { return files.count(path) != 0; }
  IoStatus ReadAll(const std::string& path, std::string& bytes) override {
    if (!files.count(path)) return IoStatus::Failed("no such file");
    bytes = files[path];
    return IoStatus::Ok();
  }
  IoStatus WriteAllSafely(const std::string& path, std::string_view bytes) override {
    if (path.find("locked") != std::string::npos) return IoStatus::Failed("Access is denied.");
    files[path] = bytes;
    return IoStatus::Ok();
  }
  std::map<std::string, std::string> files{{kLocked, "old\r"}};
};

// Milliseconds that pass only when a test moves them, and the answers'
// one-shot timer on them.
struct TestTime final : Clock, Timer {
  double NowSeconds() override { return static_cast<double>(nowMs) / 1000; }
  bool Start(unsigned ms) override {
    dueMs = nowMs + ms;
    return true;
  }
  void Stop() override { dueMs.reset(); }
  long long nowMs = 0;
  std::optional<long long> dueMs;
};

// Logs "post <announcement>" and keeps the announcements, and each as
// "<ms> <announcement>" in `timed`.
struct LogPoster final : Poster {
  LogPoster(EventLog& log, TestTime& time) : log(log), time(time) {}
  void Post(const std::string& announcement) override {
    log.push_back("post " + announcement);
    posts.push_back(announcement);
    timed.push_back(std::to_string(time.nowMs) + " " + announcement);
  }
  EventLog& log;
  TestTime& time;
  Lines posts, timed;
};

// The pause learns when the program ends, as a real one does.
struct MainWindow {
  // Starts from `names`, with entry `selected` selected (-1: nothing).
  explicit MainWindow(const Lines& names = {}, int selected = -1) {
    roster.assign(names);
    if (selected >= 0) roster.select(selected);
    shell.onEndProgram = [this] { waiter.result = false; };
  }

  EventLog log;
  Roster roster;
  LogWaiter waiter{log};
  FakeChatScanner iChat2{log};
  // Both buttons start enabled; the timer runs until Form_Load stops it.
  FakeTimer timer1{log, "Timer1", true};
  FakeSwitch command1{log, "Command1", true}, command2{log, "Command2", true};
  FakeFileDialog dialog{log};
  FakePrompt prompt{log};
  FakePrompt notices{log};
  MemoryFileSystem files;
  FakeShell shell{log};
  TestTime time;
  LogPoster poster{log, time};
  AnswerSchedule answers{roster, poster, time, time};
  FrmMain frm{{roster, poster, waiter, answers, iChat2, timer1, command1, command2, dialog,
               prompt, notices, files, shell}};

  // Moves the time to `ms`, firing the answers' timer whenever it is due.
  void RunUntil(long long ms) {
    while (time.dueMs && *time.dueMs <= ms) {
      time.nowMs = *std::exchange(time.dueMs, std::nullopt);
      answers.OnTimer();
    }
    time.nowMs = ms;
  }
};

}  // namespace rollkeep::testing
