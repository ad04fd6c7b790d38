#include "room/posting_queue.h"

#include "room/room_posting.h"

namespace rollkeep {

std::string UndeliveredText(std::size_t lost, GiveUpReason reason) {
  std::string text = std::to_string(lost);
  text += lost == 1 ? " announcement" : " announcements";
  text += " could not be delivered to the chat room: ";
  switch (reason) {
    case GiveUpReason::RoomGone: text += "the room was closed."; break;
    case GiveUpReason::NoAnswer: text += "the chat client did not answer for 5 minutes."; break;
    case GiveUpReason::NoTimer:
      text += "the chat client did not answer, and Windows refused Rollkeep a timer to try "
              "again.";
      break;
  }
  return text;
}

void PostingQueue::Post(const std::string& announcement) {
  waiting_.push_back({announcement});
  if (stalled_ || draining_) return;  // behind the posts already waiting
  Drain();
}

void PostingQueue::Retry() {
  if (draining_) return;
  if (!stalled_) return timer_.Stop();
  if (now_() - lastProgress_ >= kGiveUpSeconds) return GiveUp(GiveUpReason::NoAnswer);
  const WindowHandle entry = FindRoomEntryBox(ops_);
  if (entry == kNoWindow) return GiveUp(GiveUpReason::RoomGone);
  if (!ops_.Responds(entry)) return;
  if (waiting_.front().enterUnsure && !SettleUnsureEnter(entry)) return;
  Drain();
}

bool PostingQueue::SettleUnsureEnter(WindowHandle entry) {
  const auto text = ops_.Text(entry);
  if (!text) return false;
  if (*text == Brask32::PostedLine(waiting_.front().text)) {
    waiting_.front().enterUnsure = false;  // the Enter never arrived
  } else {
    waiting_.pop_front();  // the client sent the line and emptied its box
    lastProgress_ = now_();
  }
  return true;
}

void PostingQueue::Drain() {
  draining_ = true;
  bool roomGone = false;
  bool noTimer = false;
  while (!waiting_.empty()) {
    const Brask32::PostResult result = Brask32::PostToRoom(ops_, waiting_.front().text);
    if (result == Brask32::PostResult::Delivered) {
      waiting_.pop_front();
      lastProgress_ = now_();
    } else if (result == Brask32::PostResult::NoRoom) {
      // With posts waiting for the client, losing the room loses them; a
      // post made while no room was open never had a place to go.
      roomGone = stalled_;
      if (roomGone) break;
      waiting_.pop_front();
    } else {
      waiting_.front().enterUnsure = result == Brask32::PostResult::EnterUnsure;
      noTimer = !Stall();
      break;
    }
  }
  draining_ = false;
  if (roomGone) return GiveUp(GiveUpReason::RoomGone);
  if (noTimer) return GiveUp(GiveUpReason::NoTimer);
  if (waiting_.empty() && stalled_) {
    stalled_ = false;
    timer_.Stop();
  }
}

bool PostingQueue::Stall() {
  if (stalled_) return true;
  stalled_ = true;
  lastProgress_ = now_();
  return timer_.Start(kRetryIntervalMs);
}

void PostingQueue::GiveUp(GiveUpReason reason) {
  const std::size_t lost = waiting_.size();
  waiting_.clear();
  stalled_ = false;
  timer_.Stop();
  // Told last: the message box handles other windows' events, and posts
  // made meanwhile find the queue empty and go out at once.
  if (lost > 0) notice_.Tell(UndeliveredText(lost, reason));
}

}  // namespace rollkeep
