#include "document.h"

#include "controls.h"
#include "frame.h"

#include <algorithm>

namespace roomsim {

bool Document::RegisterWindowClass(HINSTANCE instance) {
  return RegisterPlainClass(instance, kDocumentClass, Proc, COLOR_BTNFACE);
}

Document* Document::FromWindow(HWND window) {
  // Every "AOL Child" window of this process is one of ours.
  char className[sizeof kDocumentClass + 1] = {};
  if (window == nullptr || ::GetClassNameA(window, className, sizeof className) == 0 ||
      ::lstrcmpiA(className, kDocumentClass) != 0) {
    return nullptr;
  }
  return reinterpret_cast<Document*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

bool Document::Open(HWND mdiClient) {
  MDICREATESTRUCTA create{};
  create.szClass = kDocumentClass;
  create.szTitle = title_.c_str();
  create.hOwner = ::GetModuleHandleA(nullptr);
  create.x = create.y = CW_USEDEFAULT;
  create.cx = 620;
  create.cy = 420;
  create.lParam = reinterpret_cast<LPARAM>(this);
  return ::SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)) != 0;
}

HWND Document::AddChild(const char* className, const char* text, DWORD style, int id) {
  HWND child = ::CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
  return child;
}

void Document::Place(HWND control, int x, int y, int width, int height) {
  ::MoveWindow(control, x, y, std::max(width, 0), std::max(height, 0), TRUE);
}

LRESULT CALLBACK Document::Proc(HWND window, UINT message, WPARAM wParam,
                                LPARAM lParam) noexcept {
  try {
    if (message == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      auto* mdi = static_cast<MDICREATESTRUCTA*>(create->lpCreateParams);
      if (auto* self = mdi ? reinterpret_cast<Document*>(mdi->lParam) : nullptr) {
        self->window_ = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      }
    }
    auto* self = reinterpret_cast<Document*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY && self != nullptr) {
      ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->frame_.Forget(self);  // deletes self
    } else if (self != nullptr) {
      return self->Handle(message, wParam, lParam);
    }
  } catch (...) {
    // Fall through to the default handling.
  }
  return ::DefMDIChildProcA(window, message, wParam, lParam);
}

LRESULT Document::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      break;
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      break;  // the MDI child procedure needs WM_SIZE too
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
  }
  return ::DefMDIChildProcA(window_, message, wParam, lParam);
}

}  // namespace roomsim
