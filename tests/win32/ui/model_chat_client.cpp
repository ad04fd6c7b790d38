#include "model_chat_client.h"

#include <string_view>

#include "room/room_posting.h"

namespace rollkeep::uitest {

namespace {

constexpr const char* kPlainClasses[] = {"AOL Frame25", "AOL Child", "_AOL_Listbox", "_AOL_Icon",
                                         "_AOL_Static"};

HINSTANCE Instance() { return ::GetModuleHandleA(nullptr); }

void RegisterPlain(const char* name, WNDPROC proc) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(Instance(), name, &existing)) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  wc.lpszClassName = name;
  ::RegisterClassExA(&wc);
}

HWND Child(HWND parent, const char* className) {
  return ::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                           Instance(), nullptr);
}

std::string WindowText(HWND hwnd) {
  std::string text(static_cast<size_t>(::GetWindowTextLengthA(hwnd)) + 1, '\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

ModelChatClient::ModelChatClient(std::string operatorName)
    : operatorName_(std::move(operatorName)) {
  for (const char* name : kPlainClasses) RegisterPlain(name, ::DefWindowProcA);
  RegisterPlain("RICHCNTL", &ModelChatClient::EntryProc);

  frame_ = ::CreateWindowExA(0, "AOL Frame25", "Model client", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300,
                             nullptr, nullptr, Instance(), nullptr);
  CLIENTCREATESTRUCT mdi{nullptr, 1000};
  HWND mdiClient = ::CreateWindowExA(0, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300,
                                     frame_, nullptr, Instance(), &mdi);
  HWND room = Child(mdiClient, "AOL Child");
  entry_ = Child(room, "RICHCNTL");
  ::SetWindowLongPtrA(entry_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  transcript_ = Child(room, "RICHCNTL");
  Child(room, "_AOL_Listbox");
  Child(room, "_AOL_Icon");
  Child(room, "_AOL_Static");
}

ModelChatClient::~ModelChatClient() { ::DestroyWindow(frame_); }

std::vector<std::string> ModelChatClient::Announcements() const {
  std::vector<std::string> lines;
  for (const std::string& line : sent_) {
    const bool prefixed = line.starts_with(Brask32::StylePrefix);
    lines.push_back(prefixed ? line.substr(Brask32::StylePrefix.size()) : "(unstyled) " + line);
  }
  return lines;
}

void ModelChatClient::Say(const std::string& screenName, const std::string& text) {
  AppendToTranscript(screenName + ":\t" + text + "\r\n");
}

void ModelChatClient::AppendToTranscript(const std::string& line) {
  ::DefWindowProcA(transcript_, WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>((WindowText(transcript_) + line).c_str()));
}

void ModelChatClient::Record(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) {
    const auto* text = reinterpret_cast<const char*>(lParam);
    entryLog_.push_back("text:" + std::string(text != nullptr ? text : ""));
    return;
  }
  entryLog_.push_back("char:" + std::to_string(wParam));
  if (wParam != 13) return;
  const std::string line = WindowText(entry_);
  sent_.push_back(line);
  ::DefWindowProcA(entry_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  AppendToTranscript(operatorName_ + ":\t" + line + "\r\n");
}

LRESULT CALLBACK ModelChatClient::EntryProc(HWND hwnd, UINT message, WPARAM wParam,
                                            LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<ModelChatClient*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (self != nullptr && (message == WM_SETTEXT || message == WM_CHAR)) {
    self->Record(message, wParam, lParam);
    if (message == WM_CHAR) return 0;
  }
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace rollkeep::uitest
