#pragma once
// Works a modal dialog from outside: a helper thread waits for the test
// thread's dialog window (class "#32770") to show, then acts on it while the
// test thread sits in the dialog's own message loop.

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace rollkeep::win32::testing {

class DialogDriver {
public:
  using Action = std::function<void(HWND dialog)>;

  // Starts watching the calling thread's windows.
  explicit DialogDriver(Action action);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Waits for the helper to finish; true when it found the dialog and acted.
  bool Finish();

private:
  void Run(DWORD uiThread, Action action);

  std::atomic<bool> acted_{false};
  std::thread thread_;
};

// Presses a dialog button by id, as a click would.
void PressButton(HWND dialog, int id);
std::string WindowText(HWND window);

}  // namespace rollkeep::win32::testing
