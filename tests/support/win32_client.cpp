#include "support/win32_client.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <regex>
#include <string_view>

#include "platform/win32/common/tick_deadline.h"
#include "room/room_posting.h"

namespace rollkeep::testing {
namespace {

std::mutex g_mutex;
MessageLog g_log;
std::vector<std::string> g_sent;

// The room's "RICHCNTL" children: the entry box first, then the transcript.
HWND TextWindow(HWND room, int which) {
  HWND window = nullptr;
  for (int n = 0; n <= which; ++n) window = ::FindWindowExA(room, window, "RICHCNTL", nullptr);
  return window;
}

void Log(HWND window, std::string message) {
  std::lock_guard lock(g_mutex);
  g_log.emplace_back(reinterpret_cast<WindowHandle>(window), std::move(message));
}

}  // namespace

void PumpFor(DWORD ms) {
  const win32::TickDeadline end = win32::TickDeadline::After(ms);
  for (DWORD left = end.RemainingMs(); left > 0; left = end.RemainingMs()) {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    for (MSG msg; ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const win32::TickDeadline deadline = win32::TickDeadline::After(timeoutMs);
  for (;;) {
    if (done()) return true;
    if (deadline.Passed()) return false;
    PumpFor(10);
  }
}

std::string TextOf(HWND window) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::vector<std::string> ListItems(HWND listBox) {
  std::vector<std::string> items;
  for (WPARAM i = 0; i < static_cast<WPARAM>(::SendMessageA(listBox, LB_GETCOUNT, 0, 0)); ++i) {
    std::string text(static_cast<std::size_t>(::SendMessageA(listBox, LB_GETTEXTLEN, i, 0)) + 1,
                     '\0');
    text.resize(static_cast<std::size_t>(
        ::SendMessageA(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    items.push_back(text);
  }
  return items;
}

TempFolder::TempFolder()
    : path((std::filesystem::temp_directory_path() /
            ("rollkeep-w32-" + std::to_string(std::random_device{}())))
               .string()) {
  std::filesystem::create_directories(path);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path, ignored)) {
    ::SetFileAttributesA(entry.path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  std::filesystem::remove_all(path, ignored);
}

long TempFolder::entries() const {
  return std::distance(std::filesystem::directory_iterator(path), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

MessageLog Received() {
  std::lock_guard lock(g_mutex);
  return g_log;
}

std::vector<std::string> MessagesTo(WindowHandle window) {
  std::vector<std::string> messages;
  for (const auto& [to, message] : Received()) {
    if (to == window) messages.push_back(message);
  }
  return messages;
}

std::vector<std::string> SentLines() {
  std::lock_guard lock(g_mutex);
  return g_sent;
}

LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) noexcept {
  try {
    if (message == WM_SETTEXT) {
      Log(window, "WM_SETTEXT " + std::string(lParam ? reinterpret_cast<const char*>(lParam) : ""));
    }
    if (message == EM_SETSEL) {
      Log(window, "EM_SETSEL " + std::to_string(wParam) + " " + std::to_string(lParam));
    }
    if (message != WM_CHAR) return ::DefWindowProcA(window, message, wParam, lParam);
    Log(window, "WM_CHAR " + std::to_string(wParam));
    const HWND room = ::GetParent(window);
    char roomClass[16] = {};
    ::GetClassNameA(room, roomClass, sizeof roomClass);
    if (wParam != 13 || ::lstrcmpiA(roomClass, "AOL Child") != 0 || TextWindow(room, 0) != window) {
      return 0;
    }
    const std::string line = TextOf(window);
    const std::string_view prefix = Brask32::StylePrefix;
    {
      std::lock_guard lock(g_mutex);
      g_sent.push_back(line.starts_with(prefix) ? line.substr(prefix.size())
                                                : "(unstyled) " + line);
    }
    ::DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    Say(room, kOperator, std::regex_replace(line, std::regex("<[^>]*>"), ""));
  } catch (...) {
  }
  return 0;
}

Win32Desktop::Win32Desktop() {
  std::lock_guard lock(g_mutex);
  g_log.clear();
  g_sent.clear();
}

Win32Desktop::~Win32Desktop() {
  for (HWND window : topLevel_) ::DestroyWindow(window);
}

WindowHandle Win32Desktop::Create(const std::string& className, WindowHandle parent,
                                  Place place) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  if (::lstrcmpiA(className.c_str(), "MDIClient") != 0) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ClientWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className.c_str();
    ::RegisterClassExA(&wc);  // fails harmlessly once registered, in any case
  }
  CLIENTCREATESTRUCT mdi{nullptr, 1000};  // what an "MDIClient" needs; others ignore it
  const HWND window = ::CreateWindowExA(0, className.c_str(), "", parent ? WS_CHILD : 0, 0, 0,
                                        300, 200, Hwnd(parent), nullptr, instance, &mdi);
  if (window == nullptr) return kNoWindow;
  // Child order made explicit: creation order, or first when asked.
  ::SetWindowPos(window, place == Place::First ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (parent == kNoWindow) topLevel_.push_back(window);
  return reinterpret_cast<WindowHandle>(window);
}

void Win32Desktop::Destroy(WindowHandle window) { ::DestroyWindow(Hwnd(window)); }

HWND ChatClient::OpenRoom(const std::string& history) {
  const ChatRoomWindows room = AddChatRoom(desktop_, windows_.mdiClient);
  SetTranscript(Hwnd(room.room), history);
  return Hwnd(room.room);
}

HWND TranscriptOf(HWND room) { return TextWindow(room, 1); }

// Straight to the default handling: the transcript's text changes as the
// client's does, without a message in the log.
void SetTranscript(HWND room, const std::string& text) {
  ::DefWindowProcA(TranscriptOf(room), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Append(HWND room, const std::string& text) {
  SetTranscript(room, TextOf(TranscriptOf(room)) + text);
}

void Say(HWND room, const std::string& screenName, const std::string& text) {
  Append(room, screenName + ":\t" + text + "\r\n");
}

}  // namespace rollkeep::testing
