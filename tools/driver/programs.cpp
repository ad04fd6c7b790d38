#include "driver/programs.h"

#include "driver/dialogs.h"
#include "driver/input.h"
#include "driver/poll.h"
#include "driver/window_search.h"
#include "roomsim/controls.h"

namespace rollkeep::driver {

namespace {

// The chat room: the first "AOL Child" under the frame's "MDIClient".
HWND FirstDocument(HWND frame) {
  HWND area = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  return area ? ::FindWindowExA(area, nullptr, "AOL Child", nullptr) : nullptr;
}

HWND OpenRoom(HWND frame) {
  HWND room = FirstDocument(frame);
  if (!room) throw DriverError("the client has no room open");
  return room;
}

HWND EntryBox(HWND frame) { return Control(OpenRoom(frame), roomsim::kEntryId); }

// Open once the room has its controls, the "Say" button created last.
bool RoomIsOpen(HWND frame) {
  HWND room = FirstDocument(frame);
  return room && FindControl(room, roomsim::kSayButtonId);
}

// Message boxes share the caption "Rollkeep"; the main window has the list.
bool IsMainWindow(HWND window) {
  return ClassName(window) != kDialogClass && FindControl(window, kRosterList) != nullptr;
}

std::string Describe(HWND window) {
  return ClassName(window) + " " + std::to_string(::GetDlgCtrlID(window)) + " '" +
         Caption(window) + "'" + (IsVisible(window) ? " visible" : " hidden") +
         (IsEnabled(window) ? "" : " disabled") + "\n";
}

}  // namespace

ThreadHang::ThreadHang(HWND window)
    : thread_(::OpenThread(THREAD_SUSPEND_RESUME, FALSE,
                           ::GetWindowThreadProcessId(window, nullptr))) {
  if (!thread_ || ::SuspendThread(thread_.get()) == static_cast<DWORD>(-1)) {
    throw DriverError("cannot suspend the thread of the window (error " +
                      std::to_string(::GetLastError()) + ")");
  }
}

ThreadHang::~ThreadHang() { ::ResumeThread(thread_.get()); }

void Programs::StartClient(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{paths_.roomsimExe};
  command.insert(command.end(), arguments.begin(), arguments.end());
  client_ = Process::Start(command, paths_.workDir);
  clientFrame_ = WaitForTopLevel(client_.Id(), {"AOL Frame25", "", false, {}}, deadline_);
  WaitFor(deadline_, "the chat room", [&] { return RoomIsOpen(clientFrame_); });
}

void Programs::StartRollkeep() {
  rollkeep_ = Process::Start({paths_.rollkeepExe}, paths_.workDir);
  splash_ = WaitForTopLevel(rollkeep_.Id(), {"", "frmsplash", true, {}}, deadline_);
}

void Programs::OpenMainWindow() {
  DoubleClick(splash_);
  main_ = WaitForTopLevel(rollkeep_.Id(), {"", "Rollkeep", true, IsMainWindow},
                          2 * deadline_);
}

void Programs::CloseClient() {
  if (!client_.Running()) return;
  Close(clientFrame_);
  if (!client_.WaitForExit(deadline_)) client_.Kill();
}

void Programs::Kill() {
  rollkeep_.Kill();
  client_.Kill();
}

void Programs::SayInRoom(const std::string& speaker, const std::string& text) const {
  const HWND room = OpenRoom(clientFrame_);
  SetControlText(Control(room, roomsim::kSayNameId), speaker);
  SetControlText(Control(room, roomsim::kSayTextId), text);
  // The button's click, sent rather than posted: the line is said before the
  // next one's boxes are filled.
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(room, WM_COMMAND, MAKEWPARAM(roomsim::kSayButtonId, BN_CLICKED),
                             reinterpret_cast<LPARAM>(Control(room, roomsim::kSayButtonId)),
                             SMTO_ABORTIFHUNG, static_cast<UINT>(kSendTimeout.count()),
                             &result)) {
    throw DriverError("the client does not say the line of " + speaker);
  }
}

void Programs::TypeInEntryBox(const std::string& text) const {
  const HWND entry = EntryBox(clientFrame_);
  DWORD_PTR result = 0;
  const UINT timeout = static_cast<UINT>(kSendTimeout.count());
  // Keys set the box's modified flag; EM_REPLACESEL alone need not.
  if (!::SendMessageTimeoutA(entry, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, timeout, &result) ||
      !::SendMessageTimeoutA(entry, EM_SETMODIFY, TRUE, 0, SMTO_ABORTIFHUNG, timeout, &result)) {
    throw DriverError("the entry box did not take the typed text");
  }
}

EntryBoxState Programs::ReadEntryBox() const {
  const HWND entry = EntryBox(clientFrame_);
  EntryBoxState state{ControlText(entry)};
  DWORD_PTR selection = 0;
  if (!::SendMessageTimeoutA(entry, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kSendTimeout.count()), &selection)) {
    throw DriverError("the entry box did not tell its selection");
  }
  state.selectionStart = LOWORD(selection);
  state.selectionEnd = HIWORD(selection);
  return state;
}

void Programs::SendEntryBox() const { Click(Control(OpenRoom(clientFrame_), roomsim::kSendId)); }

HWND Programs::Button(int id) const { return Control(main_, id); }

void Programs::Press(int id) const { Click(Button(id)); }

ListBoxState Programs::Roster() const { return ReadListBox(RosterBox()); }

std::string Programs::DescribeRollkeep() const {
  std::string text;
  if (!rollkeep_.Running()) return text;
  for (HWND window : TopLevelWindows(rollkeep_.Id())) {
    text += Describe(window);
    if (ClassName(window) != kDialogClass) continue;
    for (HWND child : Children(window)) text += "  " + Describe(child);
  }
  return text;
}

}  // namespace rollkeep::driver
