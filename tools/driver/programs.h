#pragma once
// roomsim.exe (the simulated chat client) and rollkeep.exe, started and
// worked from outside: the client up to its open chat room, Rollkeep from its
// splash to its main window, and the controls of that window. Whatever still
// runs when a Programs goes is killed.

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "driver/list_box.h"
#include "driver/process.h"
#include "platform/win32/common/unique_handle.h"
#include "platform/win32/ui/main_layout.h"

namespace rollkeep::driver {

// The controls of Rollkeep's main window, named by what they do.
enum MainControl : int {
  kOnButton = win32::kCommand1Id,
  kOffButton = win32::kCommand2Id,
  kSaveButton = win32::kCommand3Id,
  kLoadButton = win32::kCommand4Id,
  kRemoveSelectedButton = win32::kCommand5Id,
  kClearButton = win32::kCommand6Id,
  kRosterList = win32::kList1Id,
};

struct EntryBoxState {
  std::string text;
  DWORD selectionStart = 0, selectionEnd = 0;
  bool operator==(const EntryBoxState&) const = default;
};

// While it lives, the thread of `window` (the client's frame) is suspended:
// the client hangs as one stuck in a long task does, on demand, and its log
// stands still. Throws DriverError when the thread cannot be suspended.
class ThreadHang {
public:
  explicit ThreadHang(HWND window);
  ~ThreadHang();
  ThreadHang(const ThreadHang&) = delete;
  ThreadHang& operator=(const ThreadHang&) = delete;

private:
  win32::UniqueKernelHandle thread_;
};

// Paths as the Windows programs see them.
struct ProgramPaths {
  std::string roomsimExe;
  std::string rollkeepExe;
  std::string workDir;  // the current directory of both programs
};

class Programs {
public:
  // Each start-up step may take `deadline` (the main window twice as long).
  Programs(ProgramPaths paths, std::chrono::milliseconds deadline)
      : paths_(std::move(paths)), deadline_(deadline) {}

  // Starts roomsim.exe with `arguments` and waits until its chat room is open.
  void StartClient(const std::vector<std::string>& arguments);
  // Starts rollkeep.exe and waits for its splash.
  void StartRollkeep();
  // Double-clicks the splash and waits for the main window.
  void OpenMainWindow();
  // Asks the client to close, as its close button does; kills it if it has
  // not gone by the deadline.
  void CloseClient();
  // Kills whichever of the two still runs, Rollkeep first.
  void Kill();
  // Says `text` in the client's open room as the member `speaker`, through
  // the room's "Say as" and "Text" boxes and its "Say" button; returns once
  // the line is said, so lines said in a row are said in that order.
  void SayInRoom(const std::string& speaker, const std::string& text) const;
  // Types `text` at the caret of the open room's entry box, as the operator's
  // keys do (the client logs no message for it).
  void TypeInEntryBox(const std::string& text) const;
  // The open room's entry box: its text and the selection (equal ends: the
  // caret).
  EntryBoxState ReadEntryBox() const;
  // Clicks the room's send button, which sends what the entry box holds.
  void SendEntryBox() const;

  const Process& Client() const { return client_; }
  const Process& Rollkeep() const { return rollkeep_; }
  DWORD RollkeepId() const { return rollkeep_.Id(); }
  HWND ClientFrame() const { return clientFrame_; }
  HWND Splash() const { return splash_; }
  HWND Main() const { return main_; }

  // The main window's control `id`; throws DriverError when there is none.
  HWND Button(int id) const;
  void Press(int id) const;
  HWND RosterBox() const { return Button(kRosterList); }
  ListBoxState Roster() const;

  // Rollkeep's top-level windows, one a line, with the controls of its
  // dialogs: what a failure report shows.
  std::string DescribeRollkeep() const;

private:
  ProgramPaths paths_;
  std::chrono::milliseconds deadline_;
  Process client_;
  Process rollkeep_;
  HWND clientFrame_ = nullptr;
  HWND splash_ = nullptr;
  HWND main_ = nullptr;
};

}  // namespace rollkeep::driver
