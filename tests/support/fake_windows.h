#pragma once
// Fakes of the main window's and the splash's surroundings: switches (buttons,
// the timer), the chat scanner, the two window shells, the file dialog and the
// message box. Every fake writes what it is asked to do into one shared
// EventLog, so a test can check the order of steps across all of them.
// LoggingPoster and LoggingWaiter put posts and waits into the same log and
// pass them on to any other Poster or Waiter (e.g. FakePoster, FakeWaiter).

#include <deque>
#include <functional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "roster/chat_ports.h"
#include "rosterfile/file_dialog.h"
#include "rosterfile/prompt.h"
#include "windows/window_ports.h"

namespace rollkeep::testing {

class EventLog {
public:
  void Add(std::string event) { events_.push_back(std::move(event)); }
  const std::vector<std::string>& events() const { return events_; }
  void Clear() { events_.clear(); }

private:
  std::vector<std::string> events_;
};

// Logs "<name> on" / "<name> off".
class FakeSwitch final : public Switch {
public:
  FakeSwitch(EventLog& log, std::string name, bool enabled)
      : log_(log), name_(std::move(name)), enabled_(enabled) {}
  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    log_.Add(name_ + (enabled ? " on" : " off"));
  }
  bool enabled() const { return enabled_; }

private:
  EventLog& log_;
  std::string name_;
  bool enabled_;
};

// Logs "BeginWatch" / "EndWatch".
class FakeChatScanner final : public ChatScanner {
public:
  explicit FakeChatScanner(EventLog& log) : log_(log) {}
  void BeginWatch() override {
    watching_ = true;
    log_.Add("BeginWatch");
  }
  void EndWatch() override {
    watching_ = false;
    log_.Add("EndWatch");
  }
  bool watching() const { return watching_; }

private:
  EventLog& log_;
  bool watching_ = false;
};

// Logs "KeepOnTop" / "EndProgram"; `onEndProgram` runs inside EndProgram
// (e.g. to make a fake wait report the end).
class FakeMainWindowShell final : public MainWindowShell {
public:
  explicit FakeMainWindowShell(EventLog& log) : log_(log) {}
  void KeepOnTop() override { log_.Add("KeepOnTop"); }
  void EndProgram() override {
    ended_ = true;
    log_.Add("EndProgram");
    if (onEndProgram) onEndProgram();
  }
  bool ended() const { return ended_; }

  std::function<void()> onEndProgram;

private:
  EventLog& log_;
  bool ended_ = false;
};

// Logs "HideSplash" / "ShowMain"; `onShowMain` runs inside ShowMain, where
// the real shell creates the main window and runs its Form_Load.
class FakeSplashShell final : public SplashShell {
public:
  explicit FakeSplashShell(EventLog& log) : log_(log) {}
  void HideSplash() override {
    splashVisible_ = false;
    log_.Add("HideSplash");
  }
  void ShowMain() override {
    mainVisible_ = true;
    log_.Add("ShowMain");
    if (onShowMain) onShowMain();
  }
  bool splashVisible() const { return splashVisible_; }
  bool mainVisible() const { return mainVisible_; }

  std::function<void()> onShowMain;

private:
  EventLog& log_;
  bool splashVisible_ = true;
  bool mainVisible_ = false;
};

// Answers each dialog with the next scripted choice; with none left, the
// operator cancels. Logs "ShowOpen" / "ShowSave".
class FakeFileDialog final : public FileDialog {
public:
  enum class Kind { Choose, Cancel, Fail };
  struct Choice {
    Kind kind = Kind::Choose;
    std::string path;
  };
  static Choice Choose(std::string path) { return {Kind::Choose, std::move(path)}; }
  static Choice Cancel() { return {Kind::Cancel, {}}; }
  static Choice Fail() { return {Kind::Fail, {}}; }

  explicit FakeFileDialog(EventLog& log) : log_(log) {}
  void ShowOpen() override { Show("ShowOpen"); }
  void ShowSave() override { Show("ShowSave"); }

  std::deque<Choice> choices;

private:
  void Show(const char* what) {
    log_.Add(what);
    Choice choice = choices.empty() ? Cancel() : choices.front();
    if (!choices.empty()) choices.pop_front();
    switch (choice.kind) {
      case Kind::Choose:
        FileName = choice.path;
        return;
      case Kind::Cancel:
        if (CancelError) throw DialogCancelled();
        return;
      case Kind::Fail:
        throw DialogFailed("the dialog could not be shown");
    }
  }

  EventLog& log_;
};

// Answers with the next scripted answer, then with `fallback`. Logs
// "prompt <title>: <text>"; `duringShow` runs while the box is up, as events
// of other windows do in a modal loop.
class FakePrompt final : public Prompt {
public:
  struct Shown {
    std::string text;
    std::string title;
    unsigned style;
  };

  explicit FakePrompt(EventLog& log) : log_(log) {}
  int Show(const std::string& text, const std::string& title, unsigned style) override {
    shown.push_back({text, title, style});
    log_.Add("prompt " + title + ": " + text);
    if (duringShow) duringShow();
    if (answers.empty()) return fallback;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<int> answers;
  int fallback = kAnswerNo;
  std::function<void()> duringShow;
  std::vector<Shown> shown;

private:
  EventLog& log_;
};

// Logs "post <announcement>", then passes it on.
class LoggingPoster final : public Poster {
public:
  LoggingPoster(EventLog& log, Poster& next) : log_(log), next_(next) {}
  void Post(const std::string& announcement) override {
    log_.Add("post " + announcement);
    next_.Post(announcement);
  }

private:
  EventLog& log_;
  Poster& next_;
};

// Logs "wait <seconds>" before and "waited" after the wait it passes on, so
// nested handlers show up between the two.
class LoggingWaiter final : public Waiter {
public:
  LoggingWaiter(EventLog& log, Waiter& next) : log_(log), next_(next) {}
  bool Wait(double seconds) override {
    std::ostringstream event;
    event << "wait " << seconds;
    log_.Add(event.str());
    const bool result = next_.Wait(seconds);
    log_.Add(result ? "waited" : "wait ended by the program's end");
    return result;
  }

private:
  EventLog& log_;
  Waiter& next_;
};

}  // namespace rollkeep::testing
