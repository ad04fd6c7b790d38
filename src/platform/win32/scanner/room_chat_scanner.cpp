#include "platform/win32/scanner/room_chat_scanner.h"

#include <utility>

namespace rollkeep::win32 {

namespace {

// Sets a flag of the scanner for a scope and clears it when the scope ends,
// also by an exception, unless the scanner is gone by then.
class FlagScope {
public:
  FlagScope(std::shared_ptr<bool> alive, bool& flag) : alive_(std::move(alive)), flag_(flag) {
    flag_ = true;
  }
  ~FlagScope() {
    if (*alive_) flag_ = false;
  }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

private:
  std::shared_ptr<bool> alive_;
  bool& flag_;
};

}  // namespace

RoomChatScanner::RoomChatScanner(ChatLineHandler onChatLine, UnreadableHandler onUnreadable,
                                 std::size_t maxChars)
    : onChatLine_(std::make_shared<const ChatLineHandler>(std::move(onChatLine))),
      onUnreadable_(std::make_shared<const UnreadableHandler>(std::move(onUnreadable))),
      maxChars_(maxChars) {}

RoomChatScanner::~RoomChatScanner() { *alive_ = false; }

bool RoomChatScanner::BeginWatch() {
  Stop();
  watching_ = true;
  const std::uint64_t watch = watchCount_;
  // The first read takes the transcript's current end as the start. With no
  // room yet, or a read that failed, the first room read later is the start.
  if (!Poll()) return true;  // destroyed meanwhile: nobody is left to tell
  if (watch != watchCount_) return true;  // stopped or restarted during the read
  if (timer_.Start(kTickMs)) return true;
  // Without its timer it would never read again: say so rather than seem on.
  Stop();
  return false;
}

void RoomChatScanner::EndWatch() {
  Stop();
  timer_.Stop();
}

void RoomChatScanner::Stop() {
  ++watchCount_;
  watching_ = false;
  nextReadAt_ = 0;
  failingSince_ = -1;
  reported_ = false;
  room_ = {};
  queue_.clear();
}

// Handlers return at once (answers and boxes wait elsewhere), but one that
// pumps messages all the same lets this tick come again while lines are
// handed out. Such a tick reads the
// transcript and queues what is new; the outer tick hands it out after the
// handler returns. Lines keep their order, and none is lost or handed out
// twice.
void RoomChatScanner::OnTimer() {
  if (!watching_ || polling_) return;
  if (delivering_) {
    Poll();
    return;
  }
  FlagScope scope(alive_, delivering_);
  if (Poll()) Deliver();
}

// Reads the room's transcript, when its time has come, and queues the chat
// lines that are new. False when the scanner was destroyed meanwhile.
bool RoomChatScanner::Poll() {
  const double start = clock_.NowSeconds();
  if (start < nextReadAt_) return true;
  const std::shared_ptr<bool> alive = alive_;
  const std::uint64_t watch = watchCount_;
  std::string unreadable;
  {
    FlagScope scope(alive_, polling_);
    User32WindowOps ops;
    const RoomTranscript found = FindRoomTranscript(ops);
    if (!found) {
      room_ = {};  // the next room found is followed from its current end
      failingSince_ = -1;
      return true;
    }
    std::string text;
    // Waiting for another program's answer lets other programs' sent messages
    // reach this thread's windows, which may stop the watch or end the program.
    const TextRead read = TryReadWindowText(ToHwnd(found.transcript), text, kReadTimeoutMs, maxChars_);
    if (!*alive) return false;
    if (watch != watchCount_) return true;
    unreadable = OnRead(read, found, text);
    // Reading (and following) a long transcript costs in proportion to its
    // size: the reads are spaced so that they take kReadShare of the time. A
    // read that timed out waited rather than worked; it has its own backoff.
    if (read != TextRead::Failed) {
      const double end = clock_.NowSeconds();
      nextReadAt_ = end + (end - start) * (1 / kReadShare - 1);
    }
  }
  if (unreadable.empty() || reported_) return true;
  return Report(unreadable);
}

// Tells the operator, once per watch, why the room cannot be heard. False
// when the scanner was destroyed meanwhile (the message box pumps messages).
bool RoomChatScanner::Report(const std::string& reason) {
  reported_ = true;
  const std::shared_ptr<bool> alive = alive_;
  const std::shared_ptr<const UnreadableHandler> handler = onUnreadable_;
  if (*handler) (*handler)(reason);
  return *alive;
}

// Takes a read's outcome; returns why the transcript cannot be read, or "".
std::string RoomChatScanner::OnRead(TextRead read, const RoomTranscript& found,
                                    const std::string& text) {
  if (read == TextRead::Failed) return OnReadFailed(found);
  failingSince_ = -1;
  if (read == TextRead::TooLarge) {
    return "The chat room's transcript is too large for Rollkeep to read (more than " +
           std::to_string(maxChars_) +
           " characters). Members' commands are not heard until it is shorter.";
  }
  if (found != room_) {
    room_ = found;
    follower_.Reset(text);
  } else {
    TakeLines(text);
  }
  return {};
}

std::string RoomChatScanner::OnReadFailed(const RoomTranscript& found) {
  if (!::IsWindow(ToHwnd(found.transcript))) {
    room_ = {};  // closed under the read
    failingSince_ = -1;
    return {};
  }
  // Still there but not answering: leave the client alone for a while so it
  // cannot hold up this program's windows on every tick.
  const double now = clock_.NowSeconds();
  nextReadAt_ = now + kBackoffSeconds;
  if (failingSince_ < 0) failingSince_ = now;
  if (now - failingSince_ < kUnreadableAfterSeconds) return {};
  return "The chat client has not let Rollkeep read the chat room's transcript for a minute. "
         "Members' commands are not heard until it answers again.";
}

void RoomChatScanner::TakeLines(const std::string& text) {
  for (const std::string& line : follower_.Update(text)) {
    if (auto parts = rollkeep::ParseChatLine(line)) queue_.push_back(std::move(*parts));
  }
}

// Hands out the queued lines in order, also those queued by ticks during a
// handler. False when a handler destroyed the scanner; stops early when a
// handler stopped or restarted the watch.
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
  }
  return true;
}

}  // namespace rollkeep::win32
