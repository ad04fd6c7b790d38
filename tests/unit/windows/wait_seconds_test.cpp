#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "windows/wait_seconds.h"

namespace rollkeep {
namespace {

class FakeClock final : public Clock {
public:
  explicit FakeClock(double now) : now(now) {}
  double NowSeconds() override { return now; }
  double now;
};

// Each PumpFor records the timeout it was given and advances the clock by
// the next step of its script (the last step repeats); it reports the
// program ended on call number `endOnCall` (1-based, 0 = never).
class ScriptedPump final : public EventPump {
public:
  ScriptedPump(FakeClock& clock, std::vector<double> steps, int endOnCall = 0)
      : clock_(clock), steps_(std::move(steps)), endOnCall_(endOnCall) {}

  bool PumpFor(double timeoutSeconds) override {
    timeouts.push_back(timeoutSeconds);
    const std::size_t i = std::min(timeouts.size() - 1, steps_.size() - 1);
    clock_.now += steps_[i];
    return static_cast<int>(timeouts.size()) != endOnCall_;
  }

  std::vector<double> timeouts;

private:
  FakeClock& clock_;
  std::vector<double> steps_;
  int endOnCall_;
};

struct WaitCase {
  const char* name;
  double seconds;
  std::vector<double> steps;  // how far the clock moves during each pump
  int endOnCall;
  bool expectedResult;
  std::vector<double> expectedTimeouts;
  friend void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }
};

// Times are multiples of 1/8 so the remaining times compare exactly.
const WaitCase kCases[] = {
    {"SleepsTheWholeTimeInOnePump", 0.75, {0.75}, 0, true, {0.75}},
    {"OversleepStillReturns", 0.75, {2.0}, 0, true, {0.75}},
    {"EventsWakeItEarly", 0.75, {0.25}, 0, true, {0.75, 0.5, 0.25}},
    {"EventsWithoutTimePassingKeepWaiting", 0.5, {0.0, 0.0, 0.125, 0.5}, 0, true,
     {0.5, 0.5, 0.5, 0.375}},
    {"ProgramEndsInFirstPump", 0.75, {0.125}, 1, false, {0.75}},
    {"ProgramEndsInThirdPump", 0.75, {0.125}, 3, false, {0.75, 0.625, 0.5}},
    {"ZeroWaitPumpsNothing", 0.0, {0.125}, 1, true, {}},
    {"NegativeWaitPumpsNothing", -1.0, {0.125}, 1, true, {}},
    {"NaNWaitPumpsNothing", std::numeric_limits<double>::quiet_NaN(), {0.125}, 1, true, {}},
};

class WaitSecondsTest : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitSecondsTest, WaitsAtLeastTheTimeAndPassesTheRemainder) {
  const WaitCase& c = GetParam();
  const double start = 86400.5;  // the clock need not start at zero
  FakeClock clock(start);
  ScriptedPump pump(clock, c.steps, c.endOnCall);
  EXPECT_EQ(Brask32::WaitSeconds(c.seconds, clock, pump), c.expectedResult);
  EXPECT_EQ(pump.timeouts, c.expectedTimeouts);
  if (c.expectedResult && c.seconds > 0) {
    EXPECT_GE(clock.now - start, c.seconds);
  }
}

INSTANTIATE_TEST_SUITE_P(Waits, WaitSecondsTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rollkeep
