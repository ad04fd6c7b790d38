#pragma once
// Hears the chat room: reads the open room's transcript on a timer of its
// owner window and raises one chat line (screen name, text) per new line said
// in the room, in order, on the UI thread.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/win32/common/tick_deadline.h"
#include "platform/win32/scanner/room_transcript.h"
#include "room/transcript_follower.h"
#include "windows/window_ports.h"

namespace rollkeep::win32 {

inline constexpr UINT_PTR kScannerTimerId = 0x5CA7;

class RoomChatScanner final : public rollkeep::ChatScanner {
public:
  using ChatLineHandler =
      std::function<void(const std::string& screenName, const std::string& text)>;

  // How often the transcript is read while watching.
  static constexpr UINT kTickMs = 100;
  // How long a read of the client's transcript may take before it is given up.
  static constexpr UINT kReadTimeoutMs = 250;
  // After a read timed out (a hung client), the client is left alone this long.
  static constexpr DWORD kBackoffMs = 2000;

  // `owner` carries the timer; it must forward WM_TIMER with kScannerTimerId
  // to OnTimer. Lines are handed to `onChatLine`, which may pump messages,
  // call BeginWatch/EndWatch, destroy `owner` or even this scanner.
  RoomChatScanner(HWND owner, ChatLineHandler onChatLine);
  ~RoomChatScanner() override;
  RoomChatScanner(const RoomChatScanner&) = delete;
  RoomChatScanner& operator=(const RoomChatScanner&) = delete;

  // Starts watching from the transcript's current end: nothing said before is
  // reported. Calling it while watching starts again from the current end.
  void BeginWatch() override;
  // Stops at once, also in the middle of handing out lines: lines read but
  // not yet handed out are dropped.
  void EndWatch() override;
  void OnTimer();

  bool IsWatching() const { return watching_; }

private:
  bool Poll();
  void OnReadFailed(const RoomTranscript& found);
  void TakeLines(const std::string& text);
  bool Deliver();
  void Stop();

  HWND owner_;
  std::shared_ptr<const ChatLineHandler> onChatLine_;
  // False once this object is gone; checked after anything that may run
  // other handlers (a callback, a cross-process send).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  bool watching_ = false;
  // Changes on every BeginWatch/EndWatch, so work begun under an earlier
  // watch is dropped.
  std::uint64_t watchCount_ = 0;
  bool delivering_ = false;
  bool tickMissed_ = false;
  TickDeadline quietUntil_;

  RoomTranscript room_;  // the room the follower follows; empty: none yet
  rollkeep::TranscriptFollower follower_;
  std::deque<rollkeep::ChatLineParts> queue_;
};

}  // namespace rollkeep::win32
