#pragma once
// The two programs of the demonstration, worked from outside: the simulated
// chat client with its room, and Rollkeep with its splash and main window.
// Whatever still runs when the stage goes is killed.

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver/list_box.h"
#include "driver/process.h"
#include "options.h"

namespace rollkeep::demo {

// Control ids of Rollkeep's main window.
inline constexpr int kOnButton = 101;
inline constexpr int kOffButton = 102;
inline constexpr int kSaveButton = 103;
inline constexpr int kRemoveSelectedButton = 105;
inline constexpr int kRosterList = 110;

// Generous: Wine on a busy machine is slow.
inline constexpr std::chrono::milliseconds kDeadline{30000};

class Stage {
public:
  explicit Stage(const DemoOptions& options) : options_(options) {}

  // Starts roomsim.exe with these options and waits for its chat room.
  void StartClient(const std::vector<std::string>& clientOptions);
  // Starts rollkeep.exe and waits for its splash.
  void StartRollkeep();
  // Double-clicks the splash and waits for the main window.
  void OpenMainWindow();
  // Asks the client to close, as its close button does; kills it if it
  // has not gone within the deadline.
  void CloseClient();

  HWND ClientFrame() const { return clientFrame_; }
  HWND Splash() const { return splash_; }
  HWND Main() const { return main_; }
  DWORD RollkeepId() const { return rollkeep_.Id(); }
  const driver::Process& Rollkeep() const { return rollkeep_; }

  void Press(int buttonId) const;
  HWND RosterBox() const;
  driver::ListBoxState Roster() const;

private:
  const DemoOptions& options_;
  driver::Process client_;
  driver::Process rollkeep_;
  HWND clientFrame_ = nullptr;
  HWND splash_ = nullptr;
  HWND main_ = nullptr;
};

}  // namespace rollkeep::demo
