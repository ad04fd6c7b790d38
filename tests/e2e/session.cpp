#include "session.h"

#include <iostream>
#include <optional>

#include "driver/command_line.h"
#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/poll.h"

namespace rollkeep::e2e {

EndToEnd::EndToEnd()
    : dir_(ToWinePath(E2E_WORK_DIR) + "\\" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name()),
      programs_({ToWinePath(ROOMSIM_EXE), ToWinePath(ROLLKEEP_EXE), dir_}, kDeadline) {
  ResetDirectory(dir_);
  // Rollkeep keeps its recovery copy in the test's own folder (inherited by
  // every program the test starts), never in the prefix's profile.
  ::SetEnvironmentVariableA("ROLLKEEP_RECOVERY_DIR", dir_.c_str());
}

void EndToEnd::TearDown() {
  if (HasFailure()) std::cout << "--- Rollkeep's windows\n" << programs_.DescribeRollkeep();
  programs_.Kill();
  if (!programs_.Client()) return;
  const auto scan = ScanPosts(LogEvents());
  EXPECT_EQ(scan.fault, "");
  for (const auto& post : Announcements(scan.posts)) {
    EXPECT_FALSE(post.text.starts_with(kNoPrefix)) << post.text;
  }
  if (HasFailure()) {
    std::cout << "--- client log\n" << ReadFileBytes(WorkPath("room.log")).value_or("") << "---\n";
  }
}

void EndToEnd::StartClient(const std::vector<std::string>& arguments) {
  std::vector<std::string> all{"--log", WorkPath("room.log")};
  all.insert(all.end(), arguments.begin(), arguments.end());
  programs_.StartClient(all);
}

void EndToEnd::StartRollkeep() {
  programs_.StartRollkeep();
  programs_.OpenMainWindow();
}

Announcement EndToEnd::StartRollkeepTurnedOn(milliseconds timeout) {
  StartRollkeep();
  WaitForPost("Rollkeep: loaded", timeout);
  programs_.Press(kOnButton);
  WaitForBot(true, timeout);
  return WaitForPost(kTurnedOn, timeout);
}

std::vector<LogEvent> EndToEnd::LogEvents() const {
  return ParseLog(ReadFileBytes(WorkPath("room.log")).value_or(""));
}

std::vector<Announcement> EndToEnd::Posted() const {
  return Announcements(ScanPosts(LogEvents()).posts);
}

std::vector<std::string> EndToEnd::WaitForAnnouncements(std::size_t count) const {
  std::vector<std::string> texts;
  PollFor(kDeadline, [&] {
    texts.clear();
    for (const auto& post : Posted()) texts.push_back(post.text);
    return texts.size() >= count;
  });
  return texts;
}

Announcement EndToEnd::WaitForPost(const std::string& text, milliseconds timeout) const {
  std::optional<Announcement> found;
  WaitFor(timeout, "the post \"" + text + "\"", [&] {
    for (const auto& post : Posted()) {
      if (post.text == text) return (found = post).has_value();
    }
    return false;
  });
  return *found;
}

void EndToEnd::ExpectRoster(const std::vector<std::string>& items,
                            milliseconds timeout) const {
  const ListBoxState expected{items, -1};
  EXPECT_EQ(PollListBox(programs_.RosterBox(), timeout,
                        [&](const ListBoxState& shown) { return shown == expected; }),
            expected);
}

void EndToEnd::WaitForBot(bool on, milliseconds timeout) const {
  WaitFor(timeout, on ? "the bot on" : "the bot off", [&] {
    return IsEnabled(programs_.Button(kOnButton)) != on &&
           IsEnabled(programs_.Button(kOffButton)) == on;
  });
}

void EndToEnd::ChooseFileAfter(int button, const std::string& path) const {
  programs_.Press(button);
  ChooseFile(WaitForFileDialog(programs_.RollkeepId(), kDeadline), path);
}

MessageBoxInfo EndToEnd::Prompt(const std::string& title, milliseconds timeout) const {
  return WaitForMessageBox(programs_.RollkeepId(), title, timeout);
}

}  // namespace rollkeep::e2e
