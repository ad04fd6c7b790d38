#pragma once
// The on/off switch frmMain works: a button's enabled flag.

#include <windows.h>

#include "app/window_ports.h"

namespace rollkeep::win32 {

class ButtonSwitch final : public Switch {
public:
  explicit ButtonSwitch(HWND button) : button_(button) {}
  void SetEnabled(bool enabled) override { ::EnableWindow(button_, enabled ? TRUE : FALSE); }

private:
  HWND button_;
};

}  // namespace rollkeep::win32
