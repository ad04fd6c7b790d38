// The recovery copy between two runs of the real program: a Rollkeep killed
// while its answers still wait gets its members back at the next start, a
// clean close with No leaves no copy, and a second start while one runs only
// brings that one forward.

#include <optional>

#include "driver/command_line.h"
#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/window_search.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

class Recovery : public EndToEnd {};

// The burst is in the copy within its coalescing second, long before twenty
// paced answers are out; the kill comes then, as Task Manager's does, and
// both programs go, so a post cut short in the room's log is not a fault.
TEST_F(Recovery, AKilledRollkeepGetsItsMembersBackAndACleanNoLeavesNoCopy) {
  const auto names = Members(20);
  const std::string copy = WorkPath("roster-recovery.txt");
  StartClient();
  StartRollkeepTurnedOn();
  SayAll(names, "list me");
  // The record beside the copy is written after it.
  WaitFor(kDeadline, "the burst in the recovery copy and its record", [&] {
    const auto record = ReadFileBytes(WorkPath("roster-recovery.record")).value_or("");
    return record.find("names 20\r\n") != std::string::npos;
  });
  EXPECT_LT(Posted().size(), 2 + names.size());
  programs_.Kill();

  StartClient();
  StartRollkeep();
  const auto box = Prompt("Rollkeep");
  EXPECT_TRUE(box.text.starts_with("Rollkeep did not close normally last time. 20 names were "
                                   "restored from the list as it was at "))
      << box.text;
  AnswerMessageBox(box.window, IDOK);
  ExpectRoster(names);

  Close(programs_.Main());
  AnswerMessageBox(Prompt("Rollkeep").window, IDNO);
  ASSERT_TRUE(programs_.Rollkeep().WaitForExit(kDeadline));
  EXPECT_FALSE(FileExists(copy));
  // The answers that waited died with the process.
  EXPECT_EQ(WaitForAnnouncements(2), (std::vector<std::string>{
                                         "Rollkeep: loaded", "Rollkeep: unloaded, no more listing"}));
}

// One Rollkeep per room: a second start restores the first one's minimised
// window and ends on its own, never showing a window of its own.
TEST_F(Recovery, ASecondRollkeepBringsTheFirstForwardAndEnds) {
  StartRollkeep();
  const HWND main = programs_.Main();
  ::PostMessageA(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  WaitFor(kDeadline, "the first Rollkeep minimised", [&] { return ::IsIconic(main) != FALSE; });

  const Process second = Process::Start({ToWinePath(ROLLKEEP_EXE)}, dir_);
  std::size_t shown = 0;  // visible top-level windows of the second, summed over the polls
  WaitFor(2 * kDeadline, "the second Rollkeep to end", [&] {
    for (HWND window : TopLevelWindows(second.Id())) shown += IsVisible(window);
    return !second.Running();
  });
  EXPECT_EQ(shown, 0u);
  EXPECT_EQ(second.ExitCode(), std::optional<DWORD>(0));
  EXPECT_TRUE(programs_.Rollkeep().Running());
  WaitFor(kDeadline, "the first Rollkeep's window restored",
          [&] { return IsVisible(main) && !::IsIconic(main); });
}

}  // namespace
}  // namespace rollkeep::e2e
