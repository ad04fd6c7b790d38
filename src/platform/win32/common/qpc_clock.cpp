#include "platform/win32/common/qpc_clock.h"

namespace rollkeep::win32 {

QpcClock::QpcClock() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  ::QueryPerformanceFrequency(&frequency);  // never fails on XP and later
  ::QueryPerformanceCounter(&now);
  start_ = now.QuadPart;
  secondsPerTick_ = 1.0 / static_cast<double>(frequency.QuadPart);
}

double QpcClock::NowSeconds() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart - start_) * secondsPerTick_;
}

}  // namespace rollkeep::win32
