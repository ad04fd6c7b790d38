#include "frame.h"

#include "controls.h"
#include "note_document.h"
#include "room_document.h"
#include "seconds.h"

#include <algorithm>

namespace roomsim {
namespace {

constexpr char kCaption[] = "Room simulator";
constexpr UINT kFirstChildId = 50000;
constexpr UINT_PTR kScriptTimer = 1;
constexpr UINT_PTR kExitTimer = 2;
constexpr UINT_PTR kHangTimer = 3;

// The frame's menu; the window owns it once created.
HMENU BuildMenu(HMENU& windowMenu) {
  HMENU file = ::CreatePopupMenu();
  ::AppendMenuA(file, MF_STRING, kCmdNewRoom, "New &room");
  ::AppendMenuA(file, MF_STRING, kCmdNewDocument, "New &document");
  ::AppendMenuA(file, MF_STRING, kCmdCloseWindow, "&Close window");
  ::AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuA(file, MF_STRING, kCmdExit, "E&xit");
  windowMenu = ::CreatePopupMenu();
  ::AppendMenuA(windowMenu, MF_STRING, kCmdCascade, "&Cascade");
  ::AppendMenuA(windowMenu, MF_STRING, kCmdTile, "&Tile");
  HMENU bar = ::CreateMenu();
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu), "&Window");
  return bar;
}

}  // namespace

Frame::Frame(HINSTANCE instance, Options options, std::vector<ScriptEvent> script, EventLog& log,
             Stopwatch clock)
    : instance_(instance),
      options_(std::move(options)),
      script_(std::move(script)),
      log_(log),
      clock_(clock) {}

bool Frame::Create(int show) {
  if (!RegisterPlainClass(instance_, kFrameClass, Proc, COLOR_APPWORKSPACE)) return false;
  if (!Document::RegisterWindowClass(instance_) || !RegisterControlClasses(instance_)) return false;
  HMENU windowMenu = nullptr;
  HMENU menu = BuildMenu(windowMenu);
  CLIENTCREATESTRUCT client{windowMenu, kFirstChildId};
  CreateParams params{this, &client};
  if (!::CreateWindowExA(0, kFrameClass, kCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         CW_USEDEFAULT, CW_USEDEFAULT, 800, 600, nullptr, menu, instance_,
                         &params)) {
    ::DestroyMenu(menu);
    return false;
  }
  ::ShowWindow(window_, show);
  ::UpdateWindow(window_);
  return true;
}

int Frame::Run() {
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!::TranslateMDISysAccel(mdiClient_, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return static_cast<int>(msg.wParam);
}

void Frame::Forget(Document* document) {
  log_.Write("ROOM", "closed " + document->Title());
  std::erase_if(documents_, [&](const auto& owned) { return owned.get() == document; });
}

LRESULT CALLBACK Frame::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      auto* params = static_cast<CreateParams*>(create->lpCreateParams);
      params->frame->window_ = window;
      ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(params->frame));
    }
    auto* self = reinterpret_cast<Frame*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (self != nullptr) return self->Handle(message, wParam, lParam);
  } catch (...) {
    // Fall through to the default handling.
  }
  return ::DefFrameProcA(window, nullptr, message, wParam, lParam);
}

LRESULT Frame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      return OnCreate(*static_cast<CreateParams*>(create->lpCreateParams)) ? 0 : -1;
    }
    case WM_COMMAND:
      if (OnCommand(LOWORD(wParam))) return 0;
      break;  // other ids (the window list) belong to the MDI frame procedure
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      Exit("closed");
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefFrameProcA(window_, mdiClient_, message, wParam, lParam);
}

bool Frame::OnCreate(const CreateParams& params) {
  mdiClient_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, kMdiClientClass, nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                                 0, 0, 0, 0, window_, nullptr, instance_, params.client);
  if (mdiClient_ == nullptr) return false;
  log_.Write("INFO", "started, operator " + options_.operatorName);
  OpenRoom();
  if (!script_.empty()) StartTimer(kScriptTimer, script_.front().atMs);
  if (options_.exitAfterMs) StartTimer(kExitTimer, *options_.exitAfterMs);
  if (options_.hangAfterMs) StartTimer(kHangTimer, *options_.hangAfterMs);
  return FirstRoom() != nullptr;
}

bool Frame::OnCommand(int id) {
  switch (id) {
    case kCmdNewRoom: OpenRoom(); return true;
    case kCmdNewDocument: OpenNote(); return true;
    case kCmdCloseWindow: CloseActive(); return true;
    case kCmdExit: Exit("menu"); return true;
    case kCmdCascade: ::SendMessageA(mdiClient_, WM_MDICASCADE, 0, 0); return true;
    case kCmdTile: ::SendMessageA(mdiClient_, WM_MDITILE, MDITILE_VERTICAL, 0); return true;
  }
  return false;
}

void Frame::OnTimer(UINT_PTR id) {
  ::KillTimer(window_, id);
  if (id == kScriptTimer) PlayDueScript();
  if (id == kExitTimer) Exit("exit-after");
  if (id == kHangTimer) Hang();
}

void Frame::Open(std::unique_ptr<Document> document) {
  Document* opened = document.get();
  documents_.push_back(std::move(document));
  if (opened->Open(mdiClient_)) {
    log_.Write("ROOM", "opened " + opened->Title());
  } else {
    std::erase_if(documents_, [&](const auto& owned) { return owned.get() == opened; });
  }
}

void Frame::OpenRoom() {
  Open(std::make_unique<RoomDocument>(*this, "Lobby " + std::to_string(++roomsOpened_)));
}

void Frame::OpenNote() {
  Open(std::make_unique<NoteDocument>(*this, "Notes " + std::to_string(++notesOpened_)));
}

void Frame::CloseActive() {
  auto active = reinterpret_cast<HWND>(::SendMessageA(mdiClient_, WM_MDIGETACTIVE, 0, 0));
  if (active != nullptr) {
    ::SendMessageA(mdiClient_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(active), 0);
  }
}

// The room another program finds first: the first "AOL Child" in the MDI
// client's child order that is a room.
RoomDocument* Frame::FirstRoom() const {
  for (HWND child = ::FindWindowExA(mdiClient_, nullptr, kDocumentClass, nullptr); child;
       child = ::FindWindowExA(mdiClient_, child, kDocumentClass, nullptr)) {
    if (auto* room = dynamic_cast<RoomDocument*>(Document::FromWindow(child))) return room;
  }
  return nullptr;
}

void Frame::StartTimer(UINT_PTR id, std::int64_t atMs) {
  std::int64_t delay = std::clamp<std::int64_t>(atMs - clock_.ElapsedMs(), 0, kMaxMilliseconds);
  ::SetTimer(window_, id, static_cast<UINT>(delay), nullptr);
}

// Plays every line that is due; a timer that fired early only reschedules.
void Frame::PlayDueScript() {
  for (; nextEvent_ < script_.size() && script_[nextEvent_].atMs <= clock_.ElapsedMs();
       ++nextEvent_) {
    const ScriptEvent& event = script_[nextEvent_];
    if (RoomDocument* room = FirstRoom()) {
      room->Say(event.name, event.text);
    } else {
      log_.Write("INFO", "no room for the line of " + event.name);
    }
  }
  if (nextEvent_ < script_.size()) StartTimer(kScriptTimer, script_[nextEvent_].atMs);
}

void Frame::Exit(const char* reason) {
  log_.Write("INFO", std::string("exit (") + reason + ")");
  ::DestroyWindow(window_);
}

// Stops handling messages, as a hung client does: for good, or for the
// hang's length when given. Only the exit time, when given, still ends the
// program meanwhile.
void Frame::Hang() {
  log_.Write("INFO", "hang");
  const std::int64_t started = clock_.ElapsedMs();
  while (!options_.hangForMs || clock_.ElapsedMs() - started < *options_.hangForMs) {
    if (options_.exitAfterMs && clock_.ElapsedMs() >= *options_.exitAfterMs) {
      log_.Write("INFO", "exit (exit-after)");
      ::ExitProcess(0);
    }
    ::Sleep(20);
  }
  log_.Write("INFO", "hang over");
}

}  // namespace roomsim
