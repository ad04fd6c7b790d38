#pragma once
// Hears the chat room: reads the open room's transcript on a timer of its
// owner window and raises one chat line (screen name, text) per new line said
// in the room, in order, on the UI thread, as soon as it has read them. Its
// timer ticks inside every modal loop of the program, so the room is heard
// while a box waits for the operator. A handler that pumps messages does not
// nest: lines read meanwhile are handed out after it. It spaces its reads so
// that reading costs a small share of a core whatever the transcript's size,
// and reports a transcript it cannot read.

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "app/window_ports.h"
#include "platform/win32/client/user32_window_ops.h"
#include "platform/win32/common/callback_timer.h"
#include "platform/win32/common/qpc_clock.h"
#include "room/room_lookup.h"
#include "room/transcript_follower.h"

namespace rollkeep::win32 {

class RoomChatScanner final : public rollkeep::ChatScanner {
public:
  using ChatLineHandler =
      std::function<void(const std::string& screenName, const std::string& text)>;
  // Told, in words for the operator, why the transcript cannot be read.
  using UnreadableHandler = std::function<void(const std::string& reason)>;

  // How often the transcript is read at most while watching.
  static constexpr UINT kTickMs = 100;
  // The share of the time reading may take: after a read that took t, the
  // next one waits t / kReadShare in all.
  static constexpr double kReadShare = 0.02;
  // How long a read of the client's transcript may take before it is given up.
  static constexpr UINT kReadTimeoutMs = 250;
  // After a read timed out (a hung client), the client is left alone this long.
  static constexpr double kBackoffSeconds = 2;
  // Reads failing this long, the window still there, make it unreadable.
  static constexpr double kUnreadableAfterSeconds = 60;

  // The scanner reads on a timer of its own, which calls OnTimer. Lines are
  // handed to `onChatLine`, which may pump messages, call
  // BeginWatch/EndWatch, or even destroy this scanner. A
  // transcript that cannot be read (longer than `maxChars`, or not answering
  // for kUnreadableAfterSeconds) is told to `onUnreadable` once per watch; the
  // scanner keeps trying and hears again once it can read.
  explicit RoomChatScanner(ChatLineHandler onChatLine, UnreadableHandler onUnreadable = {},
                           std::size_t maxChars = kMaxTextChars);
  ~RoomChatScanner() override;
  RoomChatScanner(const RoomChatScanner&) = delete;
  RoomChatScanner& operator=(const RoomChatScanner&) = delete;

  // Starts watching from the transcript's current end: nothing said before is
  // reported. Calling it while watching starts again from the current end.
  // False, and stopped, when Windows refused the timer that reads.
  bool BeginWatch() override;
  // Stops at once, also in the middle of handing out lines: lines read but
  // not yet handed out are dropped.
  void EndWatch() override;
  void OnTimer();

  bool IsWatching() const { return watching_; }
  // The room whose transcript is followed: nullptr before the first read of
  // a room (lines said there before then are taken as its history).
  HWND FollowedRoom() const { return ToHwnd(room_.room); }

private:
  bool Poll();
  bool Report(const std::string& reason);
  std::string OnRead(TextRead read, const RoomTranscript& found, const std::string& text);
  std::string OnReadFailed(const RoomTranscript& found);
  void TakeLines(const std::string& text);
  bool Deliver();
  void Stop();

  CallbackTimer timer_{[this] { OnTimer(); }};
  std::shared_ptr<const ChatLineHandler> onChatLine_;
  std::shared_ptr<const UnreadableHandler> onUnreadable_;
  std::size_t maxChars_;
  QpcClock clock_;
  // False once this object is gone; checked after anything that may run
  // other handlers (a callback, a cross-process send).
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

  bool watching_ = false;
  // Changes on every BeginWatch/EndWatch, so work begun under an earlier
  // watch is dropped.
  std::uint64_t watchCount_ = 0;
  bool delivering_ = false;
  bool polling_ = false;
  double nextReadAt_ = 0;  // clock_ seconds
  double failingSince_ = -1;  // clock_ seconds of the first failed read in a row; -1: none
  bool reported_ = false;     // the operator was told this watch

  RoomTranscript room_;  // the room the follower follows; empty: none yet
  rollkeep::TranscriptFollower follower_;
  std::deque<rollkeep::ChatLineParts> queue_;
};

}  // namespace rollkeep::win32
