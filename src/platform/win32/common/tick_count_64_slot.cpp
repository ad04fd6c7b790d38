// GetTickCount64 for the threads library, on every Windows from XP on.
//
// libwinpthread (linked in statically for std::thread and std::mutex) calls
// GetTickCount64 in its timed waits, and that one import would keep a
// program from starting on Windows XP, whose kernel32 has no such function.
// The build links a copy of the library whose call goes to the import slot
// of "rollkeepTickCount64" instead (cmake/WindowsXp.cmake); every program is
// linked with this file, which fills that slot with a count made from the
// performance counter, which XP has.

#include <windows.h>

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

// Milliseconds of the performance counter: monotonic, 64 bits, never wraps
// in practice. Split into whole seconds and the rest so nothing overflows.
ULONGLONG WINAPI TickCountFromPerformanceCounter() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER now{};
  ::QueryPerformanceFrequency(&frequency);  // never fails on XP and later
  ::QueryPerformanceCounter(&now);
  const ULONGLONG perSecond = static_cast<ULONGLONG>(frequency.QuadPart);
  const ULONGLONG ticks = static_cast<ULONGLONG>(now.QuadPart);
  return ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond;
}

}  // namespace

// The slot's name is the one an import library would give a stdcall
// function without arguments.
extern "C" {
extern const TickCount64Fn rollkeepTickCount64Slot __asm__("__imp__rollkeepTickCount64@0");
const TickCount64Fn rollkeepTickCount64Slot = TickCountFromPerformanceCounter;
}
