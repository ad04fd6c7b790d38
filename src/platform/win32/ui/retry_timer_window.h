#pragma once
// The posting queue's retry timer on Windows: a hidden message-only window,
// made the first time the timer starts, that calls `tick` on each WM_TIMER.

#include <windows.h>

#include <functional>

#include "platform/win32/ui/window_base.h"
#include "room/posting_queue.h"

namespace rollkeep::win32 {

class RetryTimerWindow final : public WindowBase, public RetryTimer {
public:
  explicit RetryTimerWindow(std::function<void()> tick) : tick_(std::move(tick)) {}
  ~RetryTimerWindow() override { Destroy(); }

  // Without a window (Windows refused one) the timer does not run: the
  // waiting posts then stay until the program ends.
  void Start(unsigned intervalMs) override;
  void Stop() override;

private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::function<void()> tick_;
};

}  // namespace rollkeep::win32
