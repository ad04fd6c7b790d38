#include "controls.h"

#include "document.h"

namespace roomsim {
namespace {

enum Base { kEdit, kListBox, kButton, kStatic, kBaseCount };
WNDPROC g_baseProcs[kBaseCount] = {};

template <Base base>
LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return ::CallWindowProcA(g_baseProcs[base], window, message, wParam, lParam);
}

LRESULT CALLBACK RichProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (::GetDlgCtrlID(window) == kEntryId) {
      if (Document* owner = Document::FromWindow(::GetParent(window))) {
        if (auto result = owner->OnEntryMessage(window, message, wParam, lParam)) return *result;
      }
    }
  } catch (...) {
    // The message then gets the edit control's own handling.
  }
  return CallEditProc(window, message, wParam, lParam);
}

bool Superclass(HINSTANCE instance, const char* base, Base index, const char* name,
                WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExA(instance, name, &wc)) return true;
  if (!::GetClassInfoExA(nullptr, base, &wc)) return false;
  g_baseProcs[index] = wc.lpfnWndProc;
  wc.cbSize = sizeof wc;
  wc.hInstance = instance;
  wc.lpszClassName = name;
  wc.lpfnWndProc = proc;
  wc.style &= ~CS_GLOBALCLASS;
  return ::RegisterClassExA(&wc) != 0;
}

}  // namespace

bool RegisterPlainClass(HINSTANCE instance, const char* name, WNDPROC proc, int background) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExA(instance, name, &wc)) return true;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hIcon = ::LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background + 1));
  wc.lpszClassName = name;
  return ::RegisterClassExA(&wc) != 0;
}

bool RegisterControlClasses(HINSTANCE instance) {
  return Superclass(instance, "EDIT", kEdit, kRichClass, RichProc) &&
         Superclass(instance, "LISTBOX", kListBox, kListClass, PassOn<kListBox>) &&
         Superclass(instance, "BUTTON", kButton, kIconClass, PassOn<kButton>) &&
         Superclass(instance, "STATIC", kStatic, kStaticClass, PassOn<kStatic>);
}

LRESULT CallEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::CallWindowProcA(g_baseProcs[kEdit], window, message, wParam, lParam);
}

}  // namespace roomsim
