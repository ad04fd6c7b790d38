#pragma once
// The on/off switches frmMain works: a button's enabled flag, and the
// advertisement timer on the main window.

#include <windows.h>

#include "windows/recovery_keeper.h"
#include "windows/window_ports.h"

namespace rollkeep::win32 {

class ButtonSwitch final : public Switch {
public:
  explicit ButtonSwitch(HWND button) : button_(button) {}
  void SetEnabled(bool enabled) override { ::EnableWindow(button_, enabled ? TRUE : FALSE); }

private:
  HWND button_;
};

// While enabled, the window receives WM_TIMER with `timerId` every
// `intervalMs`. Enabling again restarts the interval.
class TimerSwitch final : public Switch {
public:
  TimerSwitch(HWND window, UINT_PTR timerId, UINT intervalMs)
      : window_(window), timerId_(timerId), intervalMs_(intervalMs) {}
  void SetEnabled(bool enabled) override {
    if (enabled) {
      ::SetTimer(window_, timerId_, intervalMs_, nullptr);
    } else {
      ::KillTimer(window_, timerId_);
    }
  }

private:
  HWND window_;
  UINT_PTR timerId_;
  UINT intervalMs_;
};

// WM_TIMER with `timerId` once, `ms` after Start (the owner stops it when it fires).
class WindowOneShotTimer final : public OneShotTimer {
public:
  WindowOneShotTimer(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}
  void Start(int ms) override { ::SetTimer(window_, timerId_, static_cast<UINT>(ms), nullptr); }
  void Stop() override { ::KillTimer(window_, timerId_); }

private:
  HWND window_;
  UINT_PTR timerId_;
};

}  // namespace rollkeep::win32
