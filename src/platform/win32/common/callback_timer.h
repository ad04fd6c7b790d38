#pragma once
// Every timer of the program on Windows: a hidden message-only window, made
// the first time the timer starts, that calls `tick` on each WM_TIMER. Modal
// loops (message boxes, file dialogs, the pause) dispatch its WM_TIMER like
// any other message, so a timer ticks while a box is open.

#include <windows.h>

#include <functional>

#include "platform/win32/common/window_base.h"
#include "ports/timer.h"

namespace rollkeep::win32 {

class CallbackTimer final : public WindowBase, public Timer {
public:
  explicit CallbackTimer(std::function<void()> tick) : tick_(std::move(tick)) {}
  ~CallbackTimer() override { Destroy(); }

  // False when Windows refused the timer or its window: it does not run.
  bool Start(unsigned intervalMs) override;
  void Stop() override;

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::function<void()> tick_;
};

}  // namespace rollkeep::win32
