#include "chat_client_windows.h"

#include <stdexcept>

namespace rollkeep::win32::testing {

namespace {

constexpr int kEntryId = 1;
constexpr int kTranscriptId = 2;
constexpr char kRichClass[] = "RICHCNTL";
WNDPROC g_editProc = nullptr;

HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

std::string TextOf(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SayFromEntry(HWND entry) {
  const std::string line = WithoutTags(TextOf(entry));
  ChatClientWindows::Say(::GetParent(entry), kOperator, line);
  ::SetWindowTextA(entry, "");
}

LRESULT CALLBACK RichProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam == 13 && ::GetDlgCtrlID(window) == kEntryId) {
    SayFromEntry(window);
    return 0;
  }
  return ::CallWindowProcA(g_editProc, window, message, wParam, lParam);
}

void Register(const char* name, WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExA(Instance(), name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  wc.lpszClassName = name;
  if (!::RegisterClassExA(&wc)) throw std::runtime_error(std::string("cannot register ") + name);
}

// "RICHCNTL" as an edit control, so WM_SETTEXT and WM_GETTEXT work on it.
void RegisterRich() {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExA(Instance(), kRichClass, &wc)) return;
  if (!::GetClassInfoExA(nullptr, "EDIT", &wc)) throw std::runtime_error("no EDIT class");
  g_editProc = wc.lpfnWndProc;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = RichProc;
  wc.hInstance = Instance();
  wc.lpszClassName = kRichClass;
  if (!::RegisterClassExA(&wc)) throw std::runtime_error("cannot register RICHCNTL");
}

void RegisterClasses() {
  for (const char* name :
       {"AOL Frame25", "AOL Child", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
    Register(name, ::DefWindowProcA);
  }
  RegisterRich();
}

HWND Create(const char* className, DWORD style, HWND parent, int id = 0, void* param = nullptr) {
  HWND window =
      ::CreateWindowExA(0, className, "", style, 0, 0, 300, 200, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), param);
  if (!window) throw std::runtime_error(std::string("cannot create ") + className);
  return window;
}

}  // namespace

std::string WithoutTags(const std::string& text) {
  std::string shown;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find('<', at);
    const std::size_t close = open == std::string::npos ? open : text.find('>', open);
    if (close == std::string::npos) {
      shown += text.substr(at);
      break;
    }
    shown += text.substr(at, open - at);
    at = close + 1;
  }
  return shown;
}

ChatClientWindows::ChatClientWindows() {
  RegisterClasses();
  frame_ = Create("AOL Frame25", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr);
  CLIENTCREATESTRUCT client{nullptr, 1000};
  area_ = Create("MDIClient", WS_CHILD | WS_CLIPCHILDREN, frame_, 0, &client);
}

ChatClientWindows::~ChatClientWindows() { ::DestroyWindow(frame_); }

HWND ChatClientWindows::OpenRoom(const std::string& history) {
  HWND room = Create("AOL Child", WS_CHILD, area_);
  HWND entry = Create(kRichClass, WS_CHILD | ES_AUTOHSCROLL, room, kEntryId);
  HWND transcript = Create(kRichClass, WS_CHILD | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, room,
                           kTranscriptId);
  ::SendMessageA(entry, EM_SETLIMITTEXT, 0, 0);
  ::SendMessageA(transcript, EM_SETLIMITTEXT, 0, 0);
  Create("_AOL_Listbox", WS_CHILD, room);
  Create("_AOL_Icon", WS_CHILD, room);
  Create("_AOL_Static", WS_CHILD, room);
  SetTranscript(room, history);
  return room;
}

void ChatClientWindows::Close(HWND document) { ::DestroyWindow(document); }

HWND ChatClientWindows::EntryOf(HWND room) { return ::GetDlgItem(room, kEntryId); }

HWND ChatClientWindows::TranscriptOf(HWND room) { return ::GetDlgItem(room, kTranscriptId); }

std::string ChatClientWindows::Transcript(HWND room) { return TextOf(TranscriptOf(room)); }

void ChatClientWindows::SetTranscript(HWND room, const std::string& text) {
  ::SetWindowTextA(TranscriptOf(room), text.c_str());
}

void ChatClientWindows::Say(HWND room, const std::string& screenName, const std::string& text) {
  Append(room, screenName + ":\t" + text + "\r\n");
}

// At the end, as a chat window appends: select the end, replace the selection.
void ChatClientWindows::Append(HWND room, const std::string& text) {
  HWND transcript = TranscriptOf(room);
  const LRESULT end = ::SendMessageA(transcript, WM_GETTEXTLENGTH, 0, 0);
  ::SendMessageA(transcript, EM_SETSEL, static_cast<WPARAM>(end), end);
  ::SendMessageA(transcript, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace rollkeep::win32::testing
