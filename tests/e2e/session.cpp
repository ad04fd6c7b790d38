#include "session.h"

#include <cstdio>
#include <iostream>

#include "driver/command_line.h"
#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/poll.h"
#include "driver/window_search.h"

namespace rollkeep::e2e {

namespace {

using driver::WaitFor;

std::string ClientPath() { return driver::ToWinePath(ROOMSIM_EXE); }
std::string RollkeepPath() { return driver::ToWinePath(ROLLKEEP_EXE); }

std::string FormatSeconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  return text;
}

// The chat room: an "AOL Child" under the frame's "MDIClient" with the
// entry box as its first "RICHCNTL".
bool RoomIsOpen(HWND frame) {
  HWND area = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  HWND room = area ? ::FindWindowExA(area, nullptr, "AOL Child", nullptr) : nullptr;
  return room && ::FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
}

bool IsMainWindow(HWND window) {
  return driver::ClassName(window) != driver::kDialogClass &&
         driver::FindControl(window, kList) != nullptr;
}

}  // namespace

void EndToEnd::SetUp() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  dir_ = driver::ToWinePath(E2E_WORK_DIR) + "\\" + test->name();
  driver::ResetDirectory(dir_);
  logPath_ = WorkPath("room.log");
  scriptPath_ = WorkPath("script.txt");
}

void EndToEnd::TearDown() {
  if (HasFailure()) ReportWindows();
  rollkeep_.Kill();
  client_.Kill();
  if (!client_) return;
  // Whatever the test did, every line reached the entry box as the five
  // messages of a post, behind the style prefix.
  const auto scan = driver::ScanPosts(LogEvents());
  EXPECT_EQ(scan.fault, "");
  for (const auto& post : scan.posts) {
    EXPECT_EQ(post.line.substr(0, kStylePrefix.size()), kStylePrefix);
  }
  if (HasFailure()) ReportLog();
}

void EndToEnd::StartClient(const ClientOptions& options) {
  std::vector<std::string> command{ClientPath(), "--log", logPath_};
  if (!options.script.empty()) {
    WriteScript(options.script);
    command.insert(command.end(), {"--script", scriptPath_});
    firstScriptSecond_ = kScriptLeadSeconds + options.script.front().seconds;
  }
  if (options.hangAfterSeconds) {
    command.insert(command.end(),
                   {"--hang-after", std::to_string(*options.hangAfterSeconds)});
  }
  client_ = driver::Process::Start(command, dir_);
  clientFrame_ = driver::WaitForTopLevel(client_.Id(), {"AOL Frame25", "", false, {}},
                                         kDeadline);
  WaitFor(kDeadline, "the chat room", [&] { return RoomIsOpen(clientFrame_); });
}

void EndToEnd::StartRollkeep() {
  rollkeep_ = driver::Process::Start({RollkeepPath()}, dir_);
  splash_ = driver::WaitForTopLevel(rollkeep_.Id(), {"", "frmsplash", true, {}},
                                    kDeadline);
  driver::DoubleClick(splash_);
  main_ = driver::WaitForTopLevel(rollkeep_.Id(),
                                  {"", "Rollkeep", true, IsMainWindow},
                                  2 * kDeadline);
}

void EndToEnd::StartBoth(const ClientOptions& options) {
  StartClient(options);
  StartRollkeep();
  WaitForPost("Rollkeep: loaded");
}

void EndToEnd::TurnOnBeforeScript() {
  Press(kOn);
  const auto on =
      WaitForPost("Rollkeep: turned on, type <u><b>list me</b></u> to be listed");
  ASSERT_LT(on.ms, firstScriptSecond_ * 1000)
      << "start-up took longer than the script's lead time";
}

std::string EndToEnd::WorkPath(std::string_view name) const {
  return dir_ + "\\" + std::string(name);
}

std::vector<driver::LogEvent> EndToEnd::LogEvents() const {
  return driver::ParseLog(driver::ReadFileBytes(logPath_).value_or(""));
}

std::vector<driver::Post> EndToEnd::Posts() const {
  return driver::ScanPosts(LogEvents()).posts;
}

std::vector<std::string> EndToEnd::Announcements() const {
  std::vector<std::string> announcements;
  for (const auto& post : Posts()) {
    if (post.line.starts_with(kStylePrefix)) {
      announcements.push_back(post.line.substr(kStylePrefix.size()));
    } else {
      announcements.push_back("<no prefix> " + post.line);
    }
  }
  return announcements;
}

std::vector<std::string> EndToEnd::WaitForAnnouncements(
    std::size_t count, milliseconds timeout) const {
  driver::PollFor(timeout, [&] { return Announcements().size() >= count; });
  return Announcements();
}

driver::Post EndToEnd::WaitForPost(const std::string& announcement,
                                   milliseconds timeout) const {
  const std::string line = std::string(kStylePrefix) + announcement;
  std::optional<driver::Post> found;
  WaitFor(timeout, "the post \"" + announcement + "\"", [&] {
    for (const auto& post : Posts()) {
      if (post.line == line) return (found = post).has_value();
    }
    return false;
  });
  return *found;
}

driver::SaidLine EndToEnd::WaitForSaid(const std::string& speaker,
                                       milliseconds timeout) const {
  std::optional<driver::SaidLine> found;
  WaitFor(timeout, "a line said by " + speaker, [&] {
    for (const auto& said : driver::SaidLines(LogEvents())) {
      if (said.speaker == speaker) return (found = said).has_value();
    }
    return false;
  });
  return *found;
}

HWND EndToEnd::Button(int id) const { return driver::Control(main_, id); }

void EndToEnd::Press(int id) const { driver::Click(Button(id)); }

driver::ListBoxState EndToEnd::Roster() const {
  return driver::ReadListBox(driver::Control(main_, kList));
}

driver::ListBoxState EndToEnd::WaitForRoster(
    const std::vector<std::string>& items, milliseconds timeout) const {
  driver::PollFor(timeout, [&] { return Roster().items == items; });
  return Roster();
}

void EndToEnd::LoadFrom(const std::string& path) const {
  Press(kLoad);
  driver::ChooseFile(driver::WaitForFileDialog(RollkeepId(), kDeadline), path);
}

void EndToEnd::SaveTo(const std::string& path) const {
  Press(kSave);
  driver::ChooseFile(driver::WaitForFileDialog(RollkeepId(), kDeadline), path);
}

void EndToEnd::WriteScript(const std::vector<ScriptLine>& script) const {
  std::string text;
  for (const auto& line : script) {
    text += FormatSeconds(kScriptLeadSeconds + line.seconds) + " " +
            line.speaker + ": " + line.text + "\n";
  }
  driver::WriteFileBytes(scriptPath_, text);
}

void EndToEnd::ReportWindows() const {
  if (!rollkeep_.Running()) return;
  std::cout << "--- Rollkeep's windows\n";
  for (HWND window : driver::TopLevelWindows(rollkeep_.Id())) {
    std::cout << driver::ClassName(window) << " '" << driver::Caption(window) << "'"
              << (driver::IsVisible(window) ? " visible" : " hidden")
              << (driver::IsEnabled(window) ? "" : " disabled") << '\n';
    if (driver::ClassName(window) != driver::kDialogClass) continue;
    for (HWND child : driver::Children(window)) {
      std::cout << "  " << driver::ClassName(child) << " "
                << ::GetDlgCtrlID(child) << " '" << driver::ControlText(child) << "'\n";
    }
  }
}

void EndToEnd::ReportLog() const {
  std::cout << "--- client log " << logPath_ << '\n'
            << driver::ReadFileBytes(logPath_).value_or("(none)") << "---\n";
}

}  // namespace rollkeep::e2e
