#include "stage.h"

#include "driver/dialogs.h"
#include "driver/input.h"
#include "driver/poll.h"
#include "driver/window_search.h"

namespace rollkeep::demo {

namespace {

// The chat room: an "AOL Child" under the frame's "MDIClient", with its
// entry box.
bool RoomIsOpen(HWND frame) {
  HWND area = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  HWND room = area ? ::FindWindowExA(area, nullptr, "AOL Child", nullptr) : nullptr;
  return room && ::FindWindowExA(room, nullptr, "RICHCNTL", nullptr);
}

// Message boxes share the caption "Rollkeep"; the main window has the list.
bool IsMainWindow(HWND window) {
  return driver::ClassName(window) != driver::kDialogClass &&
         driver::FindControl(window, kRosterList) != nullptr;
}

}  // namespace

void Stage::StartClient(const std::vector<std::string>& clientOptions) {
  std::vector<std::string> command{options_.roomsimExe.windows};
  command.insert(command.end(), clientOptions.begin(), clientOptions.end());
  client_ = driver::Process::Start(command, options_.workDir.windows);
  clientFrame_ =
      driver::WaitForTopLevel(client_.Id(), {"AOL Frame25", "", true, {}}, kDeadline);
  driver::WaitFor(kDeadline, "the chat room", [&] { return RoomIsOpen(clientFrame_); });
}

void Stage::StartRollkeep() {
  rollkeep_ = driver::Process::Start({options_.rollkeepExe.windows}, options_.workDir.windows);
  splash_ = driver::WaitForTopLevel(rollkeep_.Id(), {"", "frmsplash", true, {}}, kDeadline);
}

void Stage::OpenMainWindow() {
  driver::DoubleClick(splash_);
  main_ = driver::WaitForTopLevel(rollkeep_.Id(), {"", "Rollkeep", true, IsMainWindow},
                                  kDeadline);
}

void Stage::CloseClient() {
  if (!client_.Running()) return;
  driver::Close(clientFrame_);
  if (!client_.WaitForExit(kDeadline)) client_.Kill();
}

void Stage::Press(int buttonId) const { driver::Click(driver::Control(main_, buttonId)); }

HWND Stage::RosterBox() const { return driver::Control(main_, kRosterList); }

driver::ListBoxState Stage::Roster() const { return driver::ReadListBox(RosterBox()); }

}  // namespace rollkeep::demo
