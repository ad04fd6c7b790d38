#pragma once
// Millisecond deadlines on GetTickCount, which every Windows since XP has.
// The 32-bit tick count wraps every 49.7 days, so a deadline is kept as its
// start and its length and judged by the unsigned difference "now - start":
// that difference is right across the wrap, where comparing tick values
// ("now < end") would be wrong for the whole span after it.

#include <windows.h>

namespace rollkeep::win32 {

static_assert(sizeof(DWORD) == 4, "the tick count is 32 bits and wraps at 2^32");

// Milliseconds from `start` to `now`, also when the tick count wrapped in
// between (for spans below 49.7 days).
constexpr DWORD ElapsedMs(DWORD start, DWORD now) { return now - start; }

class TickDeadline {
public:
  // A deadline that has already passed.
  constexpr TickDeadline() = default;
  constexpr TickDeadline(DWORD startTick, DWORD lengthMs) : start_(startTick), length_(lengthMs) {}
  // `lengthMs` from now.
  static TickDeadline After(DWORD lengthMs) { return {::GetTickCount(), lengthMs}; }

  // True once the whole length has elapsed since the start.
  constexpr bool Passed(DWORD nowTick) const { return ElapsedMs(start_, nowTick) >= length_; }
  bool Passed() const { return Passed(::GetTickCount()); }
  // Milliseconds still to wait; 0 once passed.
  constexpr DWORD RemainingMs(DWORD nowTick) const {
    return Passed(nowTick) ? 0 : length_ - ElapsedMs(start_, nowTick);
  }
  DWORD RemainingMs() const { return RemainingMs(::GetTickCount()); }

private:
  DWORD start_ = 0;
  DWORD length_ = 0;
};

}  // namespace rollkeep::win32
