#include "platform/win32/scanner/room_chat_scanner.h"

#include <utility>

#include "platform/win32/room/user32_window_ops.h"

namespace rollkeep::win32 {

namespace {

// Clears the "handing out lines" flag when the outermost tick ends, also by
// an exception, unless the scanner is gone by then.
class DeliveringScope {
public:
  DeliveringScope(std::shared_ptr<bool> alive, bool& flag) : alive_(std::move(alive)), flag_(flag) {
    flag_ = true;
  }
  ~DeliveringScope() {
    if (*alive_) flag_ = false;
  }
  DeliveringScope(const DeliveringScope&) = delete;
  DeliveringScope& operator=(const DeliveringScope&) = delete;

private:
  std::shared_ptr<bool> alive_;
  bool& flag_;
};

}  // namespace

RoomChatScanner::RoomChatScanner(HWND owner, ChatLineHandler onChatLine)
    : owner_(owner), onChatLine_(std::make_shared<const ChatLineHandler>(std::move(onChatLine))) {}

RoomChatScanner::~RoomChatScanner() {
  *alive_ = false;
  if (watching_ && ::IsWindow(owner_)) ::KillTimer(owner_, kScannerTimerId);
}

void RoomChatScanner::BeginWatch() {
  Stop();
  watching_ = true;
  const std::uint64_t watch = watchCount_;
  // The first read takes the transcript's current end as the start. With no
  // room yet, or a read that failed, the first room read later is the start.
  if (!Poll()) return;
  if (watch != watchCount_) return;  // stopped or restarted during the read
  ::SetTimer(owner_, kScannerTimerId, kTickMs, nullptr);
}

void RoomChatScanner::EndWatch() {
  Stop();
  if (::IsWindow(owner_)) ::KillTimer(owner_, kScannerTimerId);
}

void RoomChatScanner::Stop() {
  ++watchCount_;
  watching_ = false;
  quietUntil_ = {};
  room_ = {};
  queue_.clear();
}

// A handler may pump messages (the pause before an announcement), and so
// this tick may come again while lines are handed out. Such a tick returns
// at once and the outer one reads the transcript again when its lines are
// out: lines keep their order, and none is lost or handed out twice.
void RoomChatScanner::OnTimer() {
  if (!watching_) return;
  if (delivering_) {
    tickMissed_ = true;
    return;
  }
  DeliveringScope scope(alive_, delivering_);
  tickMissed_ = true;
  while (tickMissed_ && watching_) {
    tickMissed_ = false;
    if (!Poll() || !Deliver()) return;  // the scanner is gone: touch nothing
  }
}

// Reads the room's transcript and queues the chat lines that are new. False
// when the scanner was destroyed during the read.
bool RoomChatScanner::Poll() {
  if (!quietUntil_.Passed()) return true;
  User32WindowOps ops;
  const RoomTranscript found = FindRoomTranscript(ops);
  if (!found) {
    room_ = {};  // the next room found is followed from its current end
    return true;
  }
  const std::shared_ptr<bool> alive = alive_;
  const std::uint64_t watch = watchCount_;
  std::string text;
  // Waiting for another program's answer lets other programs' sent messages
  // reach this thread's windows, which may stop the watch or end the program.
  const bool read = ReadWindowText(found.transcript, text, kReadTimeoutMs);
  if (!*alive) return false;
  if (watch != watchCount_) return true;
  if (!read) {
    OnReadFailed(found);
  } else if (found != room_) {
    room_ = found;
    follower_.Reset(text);
  } else {
    TakeLines(text);
  }
  return true;
}

void RoomChatScanner::OnReadFailed(const RoomTranscript& found) {
  if (::IsWindow(found.transcript)) {
    // Still there but not answering: leave the client alone for a while so
    // it cannot hold up this program's windows on every tick.
    quietUntil_ = TickDeadline::After(kBackoffMs);
  } else {
    room_ = {};  // closed under the read
  }
}

void RoomChatScanner::TakeLines(const std::string& text) {
  for (const std::string& line : follower_.Update(text)) {
    if (auto parts = rollkeep::ParseChatLine(line)) queue_.push_back(std::move(*parts));
  }
}

// Hands out the queued lines in order. False when a handler destroyed the
// scanner; stops early when a handler stopped or restarted the watch.
bool RoomChatScanner::Deliver() {
  const std::shared_ptr<bool> alive = alive_;
  const std::shared_ptr<const ChatLineHandler> handler = onChatLine_;
  const std::uint64_t watch = watchCount_;
  while (!queue_.empty()) {
    const rollkeep::ChatLineParts line = std::move(queue_.front());
    queue_.pop_front();
    (*handler)(line.screenName, line.text);
    if (!*alive) return false;
    if (watch != watchCount_) return true;
    if (!::IsWindow(owner_)) {
      Stop();  // the owner and its timer are gone
      return true;
    }
  }
  return true;
}

}  // namespace rollkeep::win32
