#pragma once
// A timer of the window system. After Start its owner's tick runs every
// `intervalMs` until Stop; Start while it runs begins the interval anew. A
// one-shot user stops it in its first tick. On Windows every timer is a
// CallbackTimer (platform/win32/common/callback_timer.h); tests count ticks by
// hand.

namespace rollkeep {

class Timer {
public:
  virtual ~Timer() = default;
  virtual void Start(unsigned intervalMs) = 0;
  virtual void Stop() = 0;
};

}  // namespace rollkeep
