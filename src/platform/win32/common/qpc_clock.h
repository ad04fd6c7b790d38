#pragma once
// The monotonic clock of waiting and of the scanner's read spacing.

#include <windows.h>

#include "app/wait_seconds.h"

namespace rollkeep::win32 {

// QueryPerformanceCounter, in seconds since the clock was made.
class QpcClock final : public Clock {
public:
  QpcClock();
  double NowSeconds() override;

private:
  LONGLONG start_ = 0;
  double secondsPerTick_ = 0;
};

}  // namespace rollkeep::win32
