#pragma once
// frmMain's window: a fixed-size top-level window with six buttons and the
// roster list box, laid out for its DPI in the system's message font. It
// hands the operator's actions to MainWindowEvents and decides nothing itself.

#include <windows.h>

#include <string>

#include "platform/win32/common/unique_handle.h"
#include "platform/win32/common/window_base.h"
#include "platform/win32/ui/main_layout.h"

namespace rollkeep::win32 {

class MainWindowEvents {
public:
  virtual ~MainWindowEvents() = default;
  // A click on an enabled button, by control id.
  virtual void OnButton(int controlId) = 0;
  // The operator selected an entry in the list box.
  virtual void OnListSelectionChanged() = 0;
  // The operator asked to close the window; closing is up to the handler.
  virtual void OnCloseRequested() = 0;
  // Windows is ending the session: whatever must survive is written now.
  virtual void OnEndSession() {}
  // Ctrl+Z, or "Undo" in the system menu.
  virtual void OnUndo() = 0;
};

inline void DestroyAcceleratorHandle(HACCEL table) { ::DestroyAcceleratorTable(table); }
using UniqueAccelerators = UniqueHandle<NullInvalid<HACCEL, DestroyAcceleratorHandle>>;

class MainWindow final : public WindowBase {
public:
  static constexpr char kClassName[] = "RollkeepMain";
  // The command of Ctrl+Z and of the system menu's "Undo" item (a system
  // command: below 0xF000, low four bits clear).
  static constexpr UINT kUndoCommandId = 0x0100;

  ~MainWindow() override { Destroy(); }

  // Creates the window hidden, centred on the screen. False on failure.
  bool Create(HINSTANCE instance, HICON icon);
  // Until events are attached, clicks, timers and close requests are ignored.
  void SetEvents(MainWindowEvents* events) { events_ = events; }
  // A child control by id, or nullptr.
  HWND Control(int controlId) const;
  UINT dpi() const { return dpi_; }
  // The system menu's undo item: "Undo <change>", or a greyed "Undo" when
  // `change` is empty; either with its shortcut, Ctrl+Z.
  void ShowUndo(const std::string& change);

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnWindowGone() override;

  LRESULT OnCreate();
  void OnUndoCommand();
  void OnCommand(int controlId, int notification, HWND control);
  void OnClose();
  void OnActivate(WPARAM state);
  void OnSetFocus();
  LRESULT OnGetDefaultId();
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  bool CreateControls();
  void AddUndo();
  void LayoutControls();
  void ApplyFont();
  bool CaptionFits(HDC dc, HFONT font, const ControlSpec& spec) const;

  HINSTANCE instance_ = nullptr;
  UINT dpi_ = 96;
  UniqueFont font_;
  UniqueFont narrowFont_;  // for captions too long for font_
  UniqueAccelerators accelerators_;
  HWND lastFocus_ = nullptr;
  MainWindowEvents* events_ = nullptr;
};

}  // namespace rollkeep::win32
