#pragma once
// The end-to-end fixture: roomsim.exe (the chat client) and rollkeep.exe as
// separate processes, worked from outside. Both are killed after each test,
// and every line Rollkeep typed into the room must have been the five
// messages of a post behind the style prefix.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver/dialogs.h"
#include "driver/poll.h"
#include "driver/programs.h"
#include "driver/room_log.h"

namespace rollkeep::e2e {

using namespace driver;
using namespace std::chrono_literals;

// Generous: Wine on a loaded two-core machine is slow.
inline constexpr milliseconds kDeadline = 30s;

inline const std::string kTurnedOn = "Rollkeep: turned on, type <u><b>list me</b></u> to be listed";

inline std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

// "Member1" to "Member<count>".
inline std::vector<std::string> Members(int count) {
  std::vector<std::string> names;
  for (int n = 1; n <= count; ++n) names.push_back("Member" + std::to_string(n));
  return names;
}

class EndToEnd : public ::testing::Test {
protected:
  EndToEnd();
  void TearDown() override;

  // roomsim.exe with its log and `arguments`, its chat room open.
  void StartClient(const std::vector<std::string>& arguments = {});
  // rollkeep.exe up to its main window.
  void StartRollkeep();
  // rollkeep.exe up to its main window, "loaded" posted, then "on" pressed;
  // returns the "turned on" post.
  Announcement StartRollkeepTurnedOn(milliseconds timeout = kDeadline);

  // Each of `names` says `text`, one right after the other.
  void SayAll(const std::vector<std::string>& names, const std::string& text) const {
    for (const auto& name : names) programs_.SayInRoom(name, text);
  }

  std::string WorkPath(const std::string& name) const { return dir_ + "\\" + name; }
  std::vector<LogEvent> LogEvents() const;
  std::vector<Announcement> Posted() const;
  // Polls until at least `count` lines were posted; returns all their texts.
  std::vector<std::string> WaitForAnnouncements(std::size_t count) const;
  // The first post of `text`, waited for.
  Announcement WaitForPost(const std::string& text, milliseconds timeout = kDeadline) const;
  void ExpectRoster(const std::vector<std::string>& items, milliseconds timeout = kDeadline) const;
  // Waits until "on" and "off" show the bot on (or off).
  void WaitForBot(bool on, milliseconds timeout = kDeadline) const;
  // Presses "load list" or "save list" and chooses `path` in the dialog.
  void ChooseFileAfter(int button, const std::string& path) const;
  // Waits for Rollkeep's message box with this title.
  MessageBoxInfo Prompt(const std::string& title, milliseconds timeout = kDeadline) const;

  std::string dir_;
  Programs programs_;
};

}  // namespace rollkeep::e2e
