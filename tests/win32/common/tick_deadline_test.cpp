#include "platform/win32/common/tick_deadline.h"

#include <gtest/gtest.h>

namespace rollkeep::win32 {
namespace {

// GetTickCount wraps to 0 after 0xFFFFFFFF ms; a deadline that spans the
// wrap must neither pass early (right after the wrap the raw tick is small)
// nor late.
TEST(TickDeadline, HoldsAcrossTheWrapOfTheTickCount) {
  constexpr DWORD kMax = 0xFFFFFFFFu;
  struct Case {
    DWORD start, length, now;
    bool passed;
    DWORD remaining;
  };
  const Case cases[] = {
      {1000, 500, 1000, false, 500},
      {1000, 500, 1499, false, 1},
      {1000, 500, 1500, true, 0},
      {1000, 500, 90000, true, 0},
      {kMax - 99, 500, kMax, false, 401},  // before the wrap
      {kMax - 99, 500, 0, false, 400},     // the tick count wrapped
      {kMax - 99, 500, 399, false, 1},
      {kMax - 99, 500, 400, true, 0},
      {kMax - 99, 500, 5000, true, 0},
      {kMax, 1, 0, true, 0},
      {42, 0, 42, true, 0},
  };
  for (const Case& c : cases) {
    const TickDeadline deadline(c.start, c.length);
    EXPECT_EQ(deadline.Passed(c.now), c.passed) << c.start << "+" << c.length << " at " << c.now;
    EXPECT_EQ(deadline.RemainingMs(c.now), c.remaining) << c.start << "+" << c.length << " at " << c.now;
  }
  EXPECT_EQ(ElapsedMs(kMax - 9, 10), 20u);
}

}  // namespace
}  // namespace rollkeep::win32
