#include "app/wait_seconds.h"

namespace Brask32 {

bool WaitSeconds(double seconds, rollkeep::Clock& clock, rollkeep::EventPump& pump) {
  // `!(seconds > 0)` also catches NaN, which would otherwise never be reached.
  if (!(seconds > 0)) return true;
  const double start = clock.NowSeconds();
  for (;;) {
    const double elapsed = clock.NowSeconds() - start;
    if (elapsed >= seconds) return true;
    if (!pump.PumpFor(seconds - elapsed)) return false;
  }
}

}  // namespace Brask32
