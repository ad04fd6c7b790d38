#pragma once
// Small helpers for the window tests: pumping this thread's messages and
// reading controls.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace rollkeep::uitest {

// Handles this thread's messages for about `milliseconds`.
void PumpFor(int milliseconds);
// Handles messages until `done` holds or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
std::vector<std::string> ListItems(HWND listBox);
int ListSelection(HWND listBox);  // LB_ERR when none

// Seconds on the performance counter.
double NowSeconds();

}  // namespace rollkeep::uitest
