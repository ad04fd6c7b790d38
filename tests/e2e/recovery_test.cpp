// The recovery copy between two runs of the real program: a killed Rollkeep
// gets its members back at the next start, a clean close with No leaves no
// copy, a second start while one runs only brings that one forward, and a
// damaged copy is set aside.

#include <optional>

#include "driver/command_line.h"
#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/window_search.h"
#include "platform/win32/common/unique_handle.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

const std::string kRestored = "Rollkeep did not close normally last time. ";

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

// The names a roster file holds, one per record "<name> CR CR LF".
std::string Records(const std::vector<std::string>& names) {
  std::string bytes;
  for (const auto& name : names) bytes += name + "\r\r\n";
  return bytes;
}

// Ends the process at once, as Task Manager or a crash does.
void KillAtOnce(const Process& process) {
  win32::UniqueKernelHandle handle(::OpenProcess(PROCESS_TERMINATE, FALSE, process.Id()));
  ASSERT_TRUE(handle);
  ASSERT_TRUE(::TerminateProcess(handle.get(), 1));
  ASSERT_TRUE(process.WaitForExit(kDeadline));
}

// Files of the folder whose names match `pattern` (wildcards allowed).
std::vector<std::string> FilesLike(const std::string& folder, const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found{};
  HANDLE search = ::FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return names;
}

class Recovery : public EndToEnd {
protected:
  std::string CopyPath() const { return WorkPath("roster-recovery.txt"); }
  // Waits until the recovery copy holds exactly `names`.
  void WaitForCopy(const std::vector<std::string>& names) const {
    WaitFor(kDeadline, "the recovery copy", [&] {
      return ReadFileBytes(CopyPath()) == std::optional<std::string>(Records(names));
    });
  }
};

TEST_F(Recovery, AKilledRollkeepGetsItsMembersBackAndACleanNoLeavesNoCopy) {
  // Time enough for Rollkeep to start and be turned on before the first line.
  WriteFileBytes(WorkPath("script.txt"),
                 "10.0 Cy: list me\n10.3 Ann: list me\n10.6 Bob Smith: list me\n");
  StartClient({"--script", WorkPath("script.txt")});
  StartRollkeep();
  WaitForPost("Rollkeep: loaded");
  programs_.Press(kOnButton);
  WaitForBot(true);
  for (const auto* name : {"Cy", "Ann", "Bob Smith"}) WaitForPost(Added(name), 60s);
  const std::vector<std::string> members{"Cy", "Ann", "Bob Smith"};
  ExpectRoster(members);
  WaitForCopy(members);
  const std::size_t postsBefore = Posted().size();

  KillAtOnce(programs_.Rollkeep());
  programs_.StartRollkeep();
  programs_.OpenMainWindow();
  const auto box = Prompt("Rollkeep");
  EXPECT_EQ(box.text.rfind(kRestored + "3 names were restored from the list as it was at ", 0),
            0u)
      << box.text;
  AnswerMessageBox(box.window, IDOK);
  ExpectRoster(members);
  // Only the start's own line went to the room.
  EXPECT_EQ(WaitForAnnouncements(postsBefore + 1).size(), postsBefore + 1);
  EXPECT_EQ(Posted().back().text, "Rollkeep: loaded");

  Close(programs_.Main());
  const auto question = Prompt("Rollkeep");
  EXPECT_EQ(question.text, "do you wish to save your list?");
  AnswerMessageBox(question.window, IDNO);
  ASSERT_TRUE(programs_.Rollkeep().WaitForExit(kDeadline));
  EXPECT_FALSE(FileExists(CopyPath()));
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

TEST_F(Recovery, ADamagedCopyIsSetAsideAndTheListStartsEmpty) {
  const std::string damaged("Ann\r\r\n\0\0\0\0", 10);
  WriteFileBytes(CopyPath(), damaged);
  StartRollkeep();
  const auto box = Prompt("Rollkeep");
  const auto aside = FilesLike(dir_, "roster-recovery.unreadable-*.txt");
  ASSERT_EQ(aside.size(), 1u);
  // Without the record Rollkeep writes beside its copy, nothing says the copy is whole.
  EXPECT_EQ(box.text, "The list kept from the last run could not be read: nothing records what "
                      "Rollkeep wrote there, so it may be cut short or changed. It was set aside "
                      "as " + WorkPath(aside[0]) +
                          ". Rollkeep starts with an empty list.");
  AnswerMessageBox(box.window, IDOK);
  ExpectRoster({});
  EXPECT_EQ(ReadFileBytes(WorkPath(aside[0])), damaged);
  EXPECT_FALSE(FileExists(CopyPath()));
}

}  // namespace
}  // namespace rollkeep::e2e
