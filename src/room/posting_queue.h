#pragma once
// Posts announcements into the chat room without losing one to a client
// that is busy or hung for a while, and never into a room it was not meant
// for.
//
// Every post is bound to a room: the one open when it was made, or the room
// its caller names (the room where the line it answers was said). It goes
// into that room's entry box only; when that room is gone, its posts are
// dropped and the operator is told once how many, rather than typed into a
// room opened since, to members who never asked.
//
// A post goes out at once while nothing is waiting. When the client does not
// handle one of its messages in time, that post and every later one wait in
// a queue, in order. A timer then asks the room's entry box, cheaply, whether
// it answers again; once it does, the waiting posts are made again, oldest
// first, each from its first message (so the box is emptied first). A post
// whose Enter was handled counts as delivered and is never repeated. A post
// whose Enter alone went unanswered may still go out when the client catches
// up: it counts as delivered when, once the client answers again, the box no
// longer holds its line (the client sent and emptied it), and is made again
// otherwise. Text the operator had typed into the box before a post is put
// back once the post is delivered.
//
// The queue gives up after kGiveUpSeconds without a delivered post, or at
// once when the timer cannot start (nothing would ever retry), and then
// tells the operator once how many posts were lost. A post made while no
// room is open is dropped at once, as there is no one to tell it to.

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "ports/timer.h"
#include "room/window_ops.h"
#include "roster/chat_ports.h"

namespace rollkeep {

// Shows the operator one message (a message box titled "Rollkeep").
class OperatorNotice {
public:
  virtual ~OperatorNotice() = default;
  virtual void Tell(const std::string& text) = 0;
};

// Why waiting posts were given up.
enum class GiveUpReason { RoomGone, NoAnswer, NoTimer };

// The operator's message for `lost` posts given up for `reason`.
std::string UndeliveredText(std::size_t lost, GiveUpReason reason);

class PostingQueue final : public Poster {
public:
  static constexpr unsigned kRetryIntervalMs = 500;
  static constexpr double kGiveUpSeconds = 300;

  // `timer`'s tick calls Retry(). `now` is a clock in seconds that never
  // steps back.
  PostingQueue(WindowOps& ops, Timer& timer, OperatorNotice& notice,
               std::function<double()> now)
      : ops_(ops), timer_(timer), notice_(notice), now_(std::move(now)) {}

  // Posts into the room open now, or queues behind the posts already waiting.
  void Post(const std::string& announcement) override;
  RoomId RoomNow() override;
  // Posts into `room` now, or queues behind the posts already waiting.
  void PostFor(RoomId room, const std::string& announcement) override;
  // The timer's tick: gives up, or makes the waiting posts once the client
  // answers again.
  void Retry();

  std::size_t Waiting() const { return waiting_.size(); }

private:
  struct Pending {
    WindowHandle room = kNoWindow;
    std::string text;
    bool enterUnsure = false;  // all but its Enter was handled
    // What the operator had typed into the box before this post's first try.
    std::optional<std::string> typed;
  };

  void Drain();
  // Drops every waiting post bound to `room`, which is gone; returns how many.
  std::size_t DropRoom(WindowHandle room);
  // Settles a post whose Enter went unanswered, from the box's text now.
  // False while the box cannot be read.
  bool SettleUnsureEnter(WindowHandle entry);
  // False when the retry timer could not start.
  bool Stall();
  void GiveUp(GiveUpReason reason);

  WindowOps& ops_;
  Timer& timer_;
  OperatorNotice& notice_;
  std::function<double()> now_;
  std::deque<Pending> waiting_;
  bool stalled_ = false;   // the client stopped answering; the timer runs
  bool draining_ = false;  // a post is being made (a nested Post only queues)
  double lastProgress_ = 0;
};

}  // namespace rollkeep
