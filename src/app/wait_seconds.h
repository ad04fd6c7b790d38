#pragma once
// Waiting that keeps every window responsive: the pause between two
// announcements. Nested handlers may run inside it, and may end the program.

#include "roster/chat_ports.h"

namespace rollkeep {

// Seconds on a clock that never steps back.
class Clock {
public:
  virtual ~Clock() = default;
  virtual double NowSeconds() = 0;
};

// The window system's event queue.
class EventPump {
public:
  virtual ~EventPump() = default;
  // Sleeps until an event arrives or `timeoutSeconds` pass, then handles every
  // pending event. Returns false when the program has ended.
  virtual bool PumpFor(double timeoutSeconds) = 0;
};

}  // namespace rollkeep

namespace Brask32 {
// Waits at least `seconds` on `clock`, handling events meanwhile. Returns
// false as soon as the pump reports that the program has ended.
bool WaitSeconds(double seconds, rollkeep::Clock& clock, rollkeep::EventPump& pump);
}  // namespace Brask32

namespace rollkeep {

class PumpingWaiter final : public Waiter {
public:
  PumpingWaiter(Clock& clock, EventPump& pump) : clock_(clock), pump_(pump) {}
  bool Wait(double seconds) override { return Brask32::WaitSeconds(seconds, clock_, pump_); }

private:
  Clock& clock_;
  EventPump& pump_;
};

}  // namespace rollkeep
