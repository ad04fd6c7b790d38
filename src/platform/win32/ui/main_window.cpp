#include "platform/win32/ui/main_window.h"

#include "platform/win32/ui/accelerators.h"
#include "platform/win32/ui/dpi.h"
#include "platform/win32/ui/gdi_scope.h"
#include "platform/win32/ui/main_layout.h"
#include "platform/win32/ui/message_font.h"

namespace rollkeep::win32 {

namespace {

constexpr DWORD kMainStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER |
                             LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

HMENU ControlMenuId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

bool IsButtonId(int id) { return id >= kCommand1Id && id <= kCommand6Id; }

// TranslateAccelerator marks its WM_COMMAND with this notification code.
constexpr int kFromAccelerator = 1;
constexpr char kUndoCaption[] = "Undo";
constexpr char kUndoShortcut[] = "\tCtrl+Z";

// Room a push button keeps free on each side of its caption, and the
// smallest font worth shrinking to (pixels at 96 DPI).
constexpr int kCaptionMargin = 2;
constexpr int kSmallestFontHeight = 8;

}  // namespace

bool MainWindow::Create(HINSTANCE instance, HICON icon) {
  instance_ = instance;
  const WindowClassSpec spec{kClassName, 0, icon,
                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1))};
  if (!CreateWithClass(spec, instance, 0, kMainCaption, kMainStyle, nullptr)) return false;
  const SIZE size =
      WindowSizeForClient(TwipsToPixels(kMainClientWidthTwips, dpi_),
                          TwipsToPixels(kMainClientHeightTwips, dpi_), kMainStyle, 0, dpi_);
  const POINT origin = CentredOrigin(size, hwnd());
  ::SetWindowPos(hwnd(), nullptr, origin.x, origin.y, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

HWND MainWindow::Control(int controlId) const {
  return hwnd() != nullptr ? ::GetDlgItem(hwnd(), controlId) : nullptr;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: return OnCreate();
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != kUndoCommandId) return Default(message, wParam, lParam);
      OnUndoCommand();
      return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_QUERYENDSESSION:
      // Never blocks the end of the session: the recovery copy is written instead.
      if (events_ != nullptr) events_->OnEndSession();
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE && events_ != nullptr) events_->OnEndSession();
      return 0;
    case WM_ACTIVATE: OnActivate(wParam); return Default(message, wParam, lParam);
    case WM_SETFOCUS: OnSetFocus(); return 0;
    case DM_GETDEFID: return OnGetDefaultId();
    case kWmDpiChanged:
      OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    default: return Default(message, wParam, lParam);
  }
}

void MainWindow::OnWindowGone() {
  UnregisterAccelerators(hwnd());
  accelerators_.reset();
  lastFocus_ = nullptr;
  font_.reset();
  narrowFont_.reset();
}

LRESULT MainWindow::OnCreate() {
  dpi_ = DpiForWindow(hwnd());
  if (!CreateControls()) return -1;
  LayoutControls();
  ApplyFont();
  AddUndo();
  return 0;
}

// Ctrl+Z, and a greyed "Undo" at the top of the system menu until there is
// something to undo.
void MainWindow::AddUndo() {
  ACCEL undo{FVIRTKEY | FCONTROL, 'Z', static_cast<WORD>(kUndoCommandId)};
  accelerators_.reset(::CreateAcceleratorTableA(&undo, 1));
  RegisterAccelerators(hwnd(), accelerators_.get());
  HMENU menu = ::GetSystemMenu(hwnd(), FALSE);
  if (menu == nullptr) return;
  ::InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING | MF_GRAYED, kUndoCommandId, kUndoCaption);
  ::InsertMenuA(menu, 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  ShowUndo({});
}

void MainWindow::ShowUndo(const std::string& change) {
  HMENU menu = hwnd() != nullptr ? ::GetSystemMenu(hwnd(), FALSE) : nullptr;
  if (menu == nullptr) return;
  std::string text = kUndoCaption;
  if (!change.empty()) text += " " + change;
  text += kUndoShortcut;
  const UINT state = change.empty() ? MF_GRAYED : MF_ENABLED;
  ::ModifyMenuA(menu, kUndoCommandId, MF_BYCOMMAND | MF_STRING | state, kUndoCommandId,
                text.c_str());
}

bool MainWindow::CreateControls() {
  for (const ControlSpec& spec : kMainControls) {
    const bool isButton = spec.kind == ControlKind::Button;
    HWND control = ::CreateWindowExA(0, isButton ? "BUTTON" : "LISTBOX", spec.caption,
                                     isButton ? kButtonStyle : kListStyle, 0, 0, 0, 0, hwnd(),
                                     ControlMenuId(spec.id), instance_, nullptr);
    if (control == nullptr) return false;
  }
  return true;
}

void MainWindow::LayoutControls() {
  for (const ControlSpec& spec : kMainControls) {
    ::SetWindowPos(Control(spec.id), nullptr, TwipsToPixels(spec.left, dpi_),
                   TwipsToPixels(spec.top, dpi_), TwipsToPixels(spec.width, dpi_),
                   TwipsToPixels(spec.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The message font; a caption too long for its button gets the largest
// smaller size at which every caption fits, so no caption is cut off.
void MainWindow::ApplyFont() {
  WindowDc dc(hwnd());
  const int height = MessageFontHeight(dpi_);
  UniqueFont font = CreateMessageFontOfHeight(height);
  UniqueFont narrowFont =
      FitMessageFont(height, ScaleForDpi(kSmallestFontHeight, dpi_), [&](HFONT candidate) {
        for (const ControlSpec& spec : kMainControls) {
          if (!CaptionFits(dc.dc(), candidate, spec)) return false;
        }
        return true;
      });
  if (!font || !narrowFont) return;
  for (const ControlSpec& spec : kMainControls) {
    HFONT chosen = CaptionFits(dc.dc(), font.get(), spec) ? font.get() : narrowFont.get();
    ::SendMessageA(Control(spec.id), WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
  }
  // The controls hold the new fonts now; the old ones may go.
  font_ = std::move(font);
  narrowFont_ = std::move(narrowFont);
}

bool MainWindow::CaptionFits(HDC dc, HFONT font, const ControlSpec& spec) const {
  if (spec.kind != ControlKind::Button) return true;
  const int margins = 2 * ScaleForDpi(kCaptionMargin, dpi_);
  return TextWidth(dc, font, spec.caption) + margins <= TwipsToPixels(spec.width, dpi_);
}

// Ctrl+Z and the system menu's item alike: like a button, undo acts only
// while no modal box or dialog of ours has disabled the window.
void MainWindow::OnUndoCommand() {
  if (events_ != nullptr && ::IsWindowEnabled(hwnd())) events_->OnUndo();
}

void MainWindow::OnCommand(int controlId, int notification, HWND control) {
  if (events_ == nullptr) return;
  if (control == nullptr) {
    if (controlId == static_cast<int>(kUndoCommandId) && notification == kFromAccelerator) {
      OnUndoCommand();
    }
    return;
  }
  if (controlId == kList1Id) {
    if (notification == LBN_SELCHANGE) events_->OnListSelectionChanged();
    return;
  }
  // A disabled button never acts, whatever sent the click; nor does any while
  // a modal box or dialog of the program has disabled this window, so no
  // second dialog opens inside the first one's loop.
  if (IsButtonId(controlId) && notification == BN_CLICKED && ::IsWindowEnabled(control) &&
      ::IsWindowEnabled(hwnd())) {
    events_->OnButton(controlId);
  }
}

// Closing ends the program, which the handler does itself. While a modal box
// or dialog has disabled the window, the close brings that box to the front
// instead of asking anything inside its loop.
void MainWindow::OnClose() {
  if (events_ == nullptr) return;
  if (::IsWindowEnabled(hwnd())) {
    events_->OnCloseRequested();
    return;
  }
  HWND popup = ::GetLastActivePopup(hwnd());
  if (popup != nullptr && popup != hwnd()) ::SetForegroundWindow(popup);
}

void MainWindow::OnActivate(WPARAM state) {
  if (LOWORD(state) != WA_INACTIVE) return;
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::IsChild(hwnd(), focus)) lastFocus_ = focus;
}

void MainWindow::OnSetFocus() {
  HWND target = lastFocus_ != nullptr && ::IsWindow(lastFocus_) && ::IsWindowEnabled(lastFocus_)
                    ? lastFocus_
                    : ::GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  if (target != nullptr) ::SetFocus(target);
}

LRESULT MainWindow::OnGetDefaultId() {
  // Enter presses the focused button, as in a dialog.
  HWND focus = ::GetFocus();
  if (focus == nullptr || ::GetParent(focus) != hwnd()) return 0;
  const int id = ::GetDlgCtrlID(focus);
  return IsButtonId(id) ? MAKELRESULT(id, DC_HASDEFID) : 0;
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  ::SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();
  ApplyFont();
}

}  // namespace rollkeep::win32
