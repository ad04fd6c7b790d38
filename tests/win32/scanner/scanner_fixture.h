#pragma once
// A RoomChatScanner on a hidden owner window that forwards the scanner's
// timer to it, as the main window does, with every chat line it raises
// recorded. Tests pump this thread's messages to let it run.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "chat_client_windows.h"
#include "platform/win32/scanner/room_chat_scanner.h"

namespace rollkeep::win32::testing {

struct Heard {
  std::string screenName;
  std::string text;
  friend bool operator==(const Heard&, const Heard&) = default;
};
void PrintTo(const Heard& heard, std::ostream* out);

// Handles this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);
// Handles messages until `done()` holds or `timeoutMs` pass; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

class ScannerTest : public ::testing::Test {
protected:
  ScannerTest();
  ~ScannerTest() override;

  // Pumps until `count` lines were heard (or 5 s), then a little longer so
  // that a line raised twice would show.
  void PumpUntilHeard(std::size_t count);
  void DestroyOwner();

  HWND owner_ = nullptr;
  std::unique_ptr<RoomChatScanner> scanner_;
  std::vector<Heard> heard_;
  // Runs after each line is recorded, inside the scanner's callback.
  std::function<void(const Heard&)> onLine_;
  // The longest time one tick of the scanner took, in milliseconds.
  double longestTickMs_ = 0;

private:
  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
  void Tick();
};

}  // namespace rollkeep::win32::testing
