#pragma once
// The scripted demonstration: the chat client and Rollkeep side by side,
// members listing and removing themselves, the operator turning Rollkeep on,
// saving, removing the selected entry, turning it off and closing it. Every
// step is checked as it happens; the room's transcript is printed live.

#include <chrono>
#include <string>
#include <vector>

#include "driver/programs.h"
#include "member_script.h"
#include "narrator.h"
#include "options.h"
#include "room_watch.h"
#include "transcript_feed.h"

namespace rollkeep::demo {

class Demonstration {
public:
  Demonstration(const DemoOptions& options, Narrator& narrator);

  // Throws DemoFailure (or DriverError) at the first step that did not go as
  // expected; both programs are then killed.
  void Run();

private:
  using Roster = std::vector<std::string>;

  DemoPath InWorkDir(const std::string& name) const;
  void Prepare();
  void StartPrograms();
  void TurnOn();
  void MemberLists(const MemberLine& line, const Roster& after);
  void MemberRemoves(const MemberLine& line, const Roster& after);
  void NothingHappensAfter(const MemberLine& line, const Roster& roster,
                           const std::string& why);
  void TakeScreenshot();
  void SaveList(const Roster& roster);
  void RemoveSelected(const std::string& name, const Roster& after);
  void TurnOff();
  void CloseRollkeep();
  void Finish();

  void ExpectRoster(const Roster& expected);
  void PressButton(int id, const std::string& caption);
  long long LastLogMs();
  // A moment between the operator's actions, for a person watching.
  void Pause() const;

  const DemoOptions& options_;
  Narrator& narrator_;
  DemoPath script_;
  DemoPath log_;
  DemoPath savedList_;
  driver::Programs programs_;
  TranscriptFeed feed_;
  RoomWatch room_;
};

}  // namespace rollkeep::demo
