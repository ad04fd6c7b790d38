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

void PostingQueue::Post(const std::string& announcement) { PostFor(RoomNow(), announcement); }

RoomId PostingQueue::RoomNow() { return Brask32::LocateRoom(ops_); }

void PostingQueue::PostFor(RoomId room, const std::string& announcement) {
  waiting_.push_back({room, announcement, false, std::nullopt});
  if (stalled_ || draining_) return;  // behind the posts already waiting
  Drain();
}

void PostingQueue::Retry() {
  if (draining_) return;
  if (!stalled_) return timer_.Stop();
  if (now_() - lastProgress_ >= kGiveUpSeconds) return GiveUp(GiveUpReason::NoAnswer);
  const WindowHandle entry = FindEntryBox(ops_, waiting_.front().room);
  // A room gone: Drain drops its posts and makes those for other rooms.
  if (entry == kNoWindow) return Drain();
  if (!ops_.Responds(entry)) return;
  if (waiting_.front().enterUnsure && !SettleUnsureEnter(entry)) return;
  Drain();
}

bool PostingQueue::SettleUnsureEnter(WindowHandle entry) {
  const auto text = ops_.Text(entry);
  if (!text) return false;
  Pending& post = waiting_.front();
  if (*text == Brask32::PostedLine(post.text)) {
    post.enterUnsure = false;  // the Enter never arrived
    return true;
  }
  // The client sent the line and emptied its box. The operator's text goes
  // back unless the operator has typed anew since.
  if (text->empty() && post.typed) PutBackTyped(ops_, entry, *post.typed);
  waiting_.pop_front();
  lastProgress_ = now_();
  return true;
}

void PostingQueue::Drain() {
  draining_ = true;
  std::size_t lost = 0;
  bool noTimer = false;
  while (!waiting_.empty()) {
    Pending& post = waiting_.front();
    const Brask32::PostResult result = PostIntoRoom(ops_, post.room, post.text, post.typed);
    if (result == Brask32::PostResult::Delivered) {
      waiting_.pop_front();
      lastProgress_ = now_();
    } else if (result == Brask32::PostResult::NoRoom) {
      // A post made while no room was open never had a place to go, and no
      // one to tell it to.
      if (post.room == kNoWindow) {
        waiting_.pop_front();
      } else {
        lost += DropRoom(post.room);
      }
    } else {
      post.enterUnsure = result == Brask32::PostResult::EnterUnsure;
      noTimer = !Stall();
      break;
    }
  }
  draining_ = false;
  if (waiting_.empty() && stalled_) {
    stalled_ = false;
    timer_.Stop();
  }
  // Told once the queue is settled: the message box handles other windows'
  // events, and posts made meanwhile must find it so.
  if (lost > 0) notice_.Tell(UndeliveredText(lost, GiveUpReason::RoomGone));
  if (noTimer) GiveUp(GiveUpReason::NoTimer);
}

std::size_t PostingQueue::DropRoom(WindowHandle room) {
  return std::erase_if(waiting_, [room](const Pending& post) { return post.room == room; });
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
