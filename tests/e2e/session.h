#pragma once
// The end-to-end fixture: roomsim.exe (the chat client) and rollkeep.exe as
// separate processes, worked from outside. Both are killed after each test.

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "driver/list_box.h"
#include "driver/process.h"
#include "driver/room_log.h"

namespace rollkeep::e2e {

using namespace std::chrono_literals;
using std::chrono::milliseconds;

// What Rollkeep puts in front of every line it posts.
inline constexpr std::string_view kStylePrefix =
    "<font color=#f40000><font face=\"arial black\">::"
    "<font color=#000001 face=\"arial black\"> ";

// Control ids of the main window.
inline constexpr int kOn = 101;
inline constexpr int kOff = 102;
inline constexpr int kSave = 103;
inline constexpr int kLoad = 104;
inline constexpr int kRemoveSelected = 105;
inline constexpr int kClear = 106;
inline constexpr int kList = 110;

// Message box answers.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;

// Generous: Wine on a loaded two-core machine is slow.
inline constexpr milliseconds kDeadline = 30s;

// Script lines are said this long after the client starts, plus their own
// offset: time enough for Rollkeep to start and be turned on first.
inline constexpr double kScriptLeadSeconds = 6.0;

struct ScriptLine {
  double seconds;  // after kScriptLeadSeconds
  std::string speaker;
  std::string text;
};

struct ClientOptions {
  std::vector<ScriptLine> script = {};
  std::optional<int> hangAfterSeconds = {};
};

class EndToEnd : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // roomsim.exe with a log (and the script, if any), its chat room open.
  void StartClient(const ClientOptions& options = {});
  // rollkeep.exe: the splash, double-clicked, gives way to the main window.
  void StartRollkeep();
  // Both, then waits until "Rollkeep: loaded" has been posted.
  void StartBoth(const ClientOptions& options = {});
  // Presses "on" and checks that it was done before the first script line.
  void TurnOnBeforeScript();

  // A path in this test's own folder, as Windows programs see it.
  std::string WorkPath(std::string_view name) const;

  // What the client's log shows so far.
  std::vector<driver::LogEvent> LogEvents() const;
  std::vector<driver::Post> Posts() const;
  // The posted lines without the style prefix ("<no prefix> " + the line
  // when it lacks the prefix, so that a comparison shows it).
  std::vector<std::string> Announcements() const;
  // Polls until at least `count` lines were posted; returns them all.
  std::vector<std::string> WaitForAnnouncements(std::size_t count,
                                                milliseconds timeout = kDeadline) const;
  // The first post of exactly this announcement, waited for.
  driver::Post WaitForPost(const std::string& announcement,
                           milliseconds timeout = kDeadline) const;
  // The first chat line said by `speaker`, waited for.
  driver::SaidLine WaitForSaid(const std::string& speaker,
                               milliseconds timeout = kDeadline) const;

  HWND Button(int id) const;
  void Press(int id) const;
  driver::ListBoxState Roster() const;
  // Polls until the list box holds exactly `items`; returns its state.
  driver::ListBoxState WaitForRoster(const std::vector<std::string>& items,
                                     milliseconds timeout = kDeadline) const;

  // "load list" / "save list" through the file dialog with `path` chosen.
  void LoadFrom(const std::string& path) const;
  void SaveTo(const std::string& path) const;

  DWORD RollkeepId() const { return rollkeep_.Id(); }

  driver::Process client_;
  driver::Process rollkeep_;
  HWND clientFrame_ = nullptr;
  HWND splash_ = nullptr;
  HWND main_ = nullptr;

private:
  void WriteScript(const std::vector<ScriptLine>& script) const;
  void ReportWindows() const;
  void ReportLog() const;

  std::string dir_;
  std::string logPath_;
  std::string scriptPath_;
  double firstScriptSecond_ = 0;
};

}  // namespace rollkeep::e2e
