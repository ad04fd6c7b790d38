#include <gtest/gtest.h>
#include <windows.h>

// The slot every program fills for the threads library's GetTickCount64
// (see tick_count_64_slot.cpp), reached by the name the library's copy uses.
extern "C" {
extern ULONGLONG(WINAPI* const rollkeepTickCount64Slot)() __asm__("__imp__rollkeepTickCount64@0");
}

namespace {

// The slot must count milliseconds forward: a wait of the threads library
// that ends on it would otherwise end early or never.
TEST(TickCount64Slot, CountsMillisecondsForward) {
  const ULONGLONG before = rollkeepTickCount64Slot();
  const DWORD tickBefore = ::GetTickCount();
  ::Sleep(60);
  const ULONGLONG after = rollkeepTickCount64Slot();
  const DWORD tickAfter = ::GetTickCount();
  EXPECT_GE(after - before, 50u);
  // Both clocks saw about the same wait (generous: a busy machine may pause
  // between the reads).
  const ULONGLONG tickSpan = tickAfter - tickBefore;
  EXPECT_LT(after - before, tickSpan + 1000);
  EXPECT_LT(tickSpan, after - before + 1000);
}

}  // namespace
