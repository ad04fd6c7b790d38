#include "app/wait_seconds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

namespace rollkeep {
namespace {

// Time that passes only while events are pumped: each pump records its
// timeout and moves the clock by the next step (the last step repeats);
// pump number `endOn` (1-based, 0: never) reports that the program ended.
struct FakeTime final : Clock, EventPump {
  double NowSeconds() override { return now; }
  bool PumpFor(double timeout) override {
    timeouts.push_back(timeout);
    now += steps[std::min(timeouts.size(), steps.size()) - 1];
    return timeouts.size() != endOn;
  }
  double now = 86400.5;  // the clock need not start at zero
  std::vector<double> steps, timeouts;
  std::size_t endOn = 0;
};

TEST(WaitSeconds, WaitsAtLeastTheTimeAndPassesTheRemainder) {
  struct Case { double seconds; std::vector<double> steps; std::size_t endOn; bool result;
                std::vector<double> timeouts; };
  // Times are multiples of 1/8 so the remaining times compare exactly.
  const Case cases[] = {
      {0.75, {0.25}, 0, true, {0.75, 0.5, 0.25}},                      // events wake it early
      {0.5, {0.0, 0.0, 0.125, 0.5}, 0, true, {0.5, 0.5, 0.5, 0.375}},  // no time passed
      {0.75, {0.125}, 3, false, {0.75, 0.625, 0.5}},                   // the program ended
      {0.0, {0.125}, 1, true, {}},
      {std::numeric_limits<double>::quiet_NaN(), {0.125}, 1, true, {}},
  };
  for (const Case& c : cases) {
    FakeTime time;
    time.steps = c.steps;
    time.endOn = c.endOn;
    EXPECT_EQ(Brask32::WaitSeconds(c.seconds, time, time), c.result) << c.seconds;
    EXPECT_EQ(time.timeouts, c.timeouts) << c.seconds;
    if (c.result && c.seconds > 0) {
      EXPECT_GE(time.now - 86400.5, c.seconds);
    }
  }
}

}  // namespace
}  // namespace rollkeep
