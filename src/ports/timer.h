#pragma once
// A timer of the window system. After Start its owner's tick runs every
// `intervalMs` until Stop; Start while it runs begins the interval anew. A
// one-shot user stops it in its first tick. Start returns false when the
// window system refused a timer (out of resources): no tick will come, and
// the owner must not act as if one would. On Windows every timer is a
// CallbackTimer (platform/win32/common/callback_timer.h); tests count ticks by
// hand.

namespace rollkeep {

class Timer {
public:
  virtual ~Timer() = default;
  [[nodiscard]] virtual bool Start(unsigned intervalMs) = 0;
  virtual void Stop() = 0;
};

}  // namespace rollkeep
