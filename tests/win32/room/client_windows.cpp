#include "client_windows.h"

#include <map>
#include <mutex>
#include <stdexcept>

namespace rollkeep::testing {
namespace {

const char* const kClasses[] = {"AOL Frame25", "MDIClient",  "AOL Child",  "RICHCNTL",
                                "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"};

std::mutex g_mutex;
std::map<HWND, std::vector<Received>> g_received;

void Record(HWND window, Received r) {
  std::lock_guard lock(g_mutex);
  g_received[window].push_back(std::move(r));
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_SETTEXT) {
      Record(window, SetTextMsg(lParam ? reinterpret_cast<const char*>(lParam) : ""));
    } else if (message == WM_CHAR) {
      Record(window, CharMsg(wParam));
    }
  } catch (...) {
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  for (const char* name : kClasses) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (::GetClassInfoExA(instance, name, &wc)) continue;
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = instance;
    wc.lpszClassName = name;
    if (!::RegisterClassExA(&wc)) throw std::runtime_error(std::string("cannot register ") + name);
  }
}

}  // namespace

std::vector<Received> ReceivedBy(HWND window) {
  std::lock_guard lock(g_mutex);
  auto it = g_received.find(window);
  return it == g_received.end() ? std::vector<Received>() : it->second;
}

std::size_t ReceivedByAll() {
  std::lock_guard lock(g_mutex);
  std::size_t total = 0;
  for (const auto& [window, log] : g_received) total += log.size();
  return total;
}

void ForgetReceived() {
  std::lock_guard lock(g_mutex);
  g_received.clear();
}

std::vector<Received> FivePostMessages(const std::string& line) {
  return {SetTextMsg(""), SetTextMsg(""), SetTextMsg(""), SetTextMsg(line), CharMsg(13)};
}

ClientWindows::ClientWindows() {
  RegisterClasses();
  ForgetReceived();
}

ClientWindows::~ClientWindows() {
  for (HWND window : topLevel_) ::DestroyWindow(window);
  ForgetReceived();
}

HWND ClientWindows::TopLevel(const char* className, const char* title) {
  HWND window = ::CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) throw std::runtime_error(std::string("cannot create ") + className);
  topLevel_.push_back(window);
  return window;
}

HWND ClientWindows::Child(HWND parent, const char* className, const char* text) {
  HWND window = ::CreateWindowExA(0, className, text, WS_CHILD, 0, 0, 50, 20, parent, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) throw std::runtime_error(std::string("cannot create ") + className);
  return window;
}

ClientWindows::Client ClientWindows::AddClient() {
  const HWND frame = TopLevel("AOL Frame25", "America  Online");
  return {frame, Child(frame, "MDIClient")};
}

ClientWindows::Room ClientWindows::AddRoom(const Client& client, const char* name) {
  Room r{};
  r.room = Child(client.mdiClient, "AOL Child", name);
  r.entry = Child(r.room, "RICHCNTL");
  r.transcript = Child(r.room, "RICHCNTL");
  r.members = Child(r.room, "_AOL_Listbox");
  r.sendButton = Child(r.room, "_AOL_Icon");
  r.roomName = Child(r.room, "_AOL_Static", name);
  return r;
}

HWND ClientWindows::AddPartialRoom(HWND parent, const std::string& missing) {
  const HWND doc = Child(parent, "AOL Child");
  for (const char* mark : {"RICHCNTL", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
    if (mark != missing) Child(doc, mark);
  }
  return doc;
}

}  // namespace rollkeep::testing
