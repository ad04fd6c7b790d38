#pragma once
// Fakes of the main window's surroundings: the buttons, the timer, the
// chat scanner, the window shell, the file dialog, the message box and the
// pause. Every fake writes what it is asked
// to do into one shared EventLog, so a test can check the order of steps
// across all of them.

#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/window_ports.h"
#include "ports/prompt.h"
#include "ports/timer.h"
#include "roster/chat_ports.h"
#include "rosterfile/file_dialog.h"

namespace rollkeep::testing {

using EventLog = std::vector<std::string>;

// Logs "<name> on" / "<name> off" as it is switched.
struct Logged {
  Logged(EventLog& log, std::string name, bool enabled)
      : log(log), name(std::move(name)), enabled(enabled) {}
  void Set(bool on) {
    enabled = on;
    log.push_back(name + (on ? " on" : " off"));
  }
  EventLog& log;
  std::string name;
  bool enabled;
};

struct FakeSwitch final : Switch, Logged {
  using Logged::Logged;
  void SetEnabled(bool on) override { Set(on); }
};

// Starts and stops as a Logged, or logs "<name> refused" when `refuse` is
// set; ticks by hand.
struct FakeTimer final : Timer, Logged {
  using Logged::Logged;
  bool Start(unsigned ms) override {
    if (refuse) {
      log.push_back(name + " refused");
      return false;
    }
    intervalMs = ms;
    Set(true);
    return true;
  }
  void Stop() override { Set(false); }
  unsigned intervalMs = 0;
  bool refuse = false;
};

struct FakeChatScanner final : ChatScanner {
  explicit FakeChatScanner(EventLog& log) : log(log) {}
  bool BeginWatch() override {
    log.push_back(refuse ? "BeginWatch refused" : "BeginWatch");
    watching = !refuse;
    return !refuse;
  }
  void EndWatch() override { log.push_back("EndWatch"); watching = false; }
  EventLog& log;
  bool watching = false;
  bool refuse = false;
};

// `onEndProgram` runs inside EndProgram, e.g. to make the pause report the end.
struct FakeShell final : MainWindowShell {
  explicit FakeShell(EventLog& log) : log(log) {}
  void KeepOnTop() override { log.push_back("KeepOnTop"); }
  void EndProgram() override {
    log.push_back("EndProgram");
    if (onEndProgram) onEndProgram();
  }
  EventLog& log;
  std::function<void()> onEndProgram;
};

// Logs "ShowOpen" / "ShowSave" and answers with the next choice: a path,
// kCancel or kFail; with none left, the operator cancels. `duringShow` runs
// once while the dialog is up.
class FakeFileDialog final : public FileDialog {
public:
  static inline const std::string kCancel = "<cancel>", kFail = "<fail>";
  explicit FakeFileDialog(EventLog& log) : log_(log) {}
  void ShowOpen() override { Show("ShowOpen"); }
  void ShowSave() override { Show("ShowSave"); }
  std::deque<std::string> choices;
  // Runs once while the dialog is up, as events of other windows do.
  std::function<void()> duringShow;

private:
  void Show(const char* what) {
    log_.push_back(what);
    if (duringShow) std::exchange(duringShow, nullptr)();
    const std::string choice = choices.empty() ? kCancel : choices.front();
    if (!choices.empty()) choices.pop_front();
    if (choice == kFail) throw DialogFailed("The dialog could not be shown.");
    FileName = choice == kCancel ? "" : choice;
    if (choice == kCancel && CancelError) throw DialogCancelled();
  }
  EventLog& log_;
};

// Logs "prompt <title> <style in hex>: <text>"; answers as scripted, then
// `fallback`. `duringShow` runs once while the box is up, as events of other
// windows do in a modal loop.
class FakePrompt final : public Prompt {
public:
  explicit FakePrompt(EventLog& log) : log_(log) {}
  int Show(const std::string& text, const std::string& title, unsigned style) override {
    std::ostringstream event;
    event << "prompt " << title << ' ' << std::hex << std::showbase << style << ": " << text;
    log_.push_back(event.str());
    if (duringShow) std::exchange(duringShow, nullptr)();
    if (answers.empty()) return fallback;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<int> answers;
  int fallback = kAnswerNo;
  std::function<void()> duringShow;

private:
  EventLog& log_;
};

// Logs "wait <seconds>", runs `nested` once (handlers that run inside the
// pause), then logs "waited", or "wait ended by the program's end" when
// `result` is false.
struct LogWaiter final : Waiter {
  explicit LogWaiter(EventLog& log) : log(log) {}
  bool Wait(double seconds) override {
    std::ostringstream event;
    event << "wait " << seconds;
    log.push_back(event.str());
    if (nested) std::exchange(nested, nullptr)();
    log.push_back(result ? "waited" : "wait ended by the program's end");
    return result;
  }
  EventLog& log;
  std::function<void()> nested;
  bool result = true;
};

}  // namespace rollkeep::testing
