#pragma once
// Boxes for the operator that hold up nobody. A notice raised while a chat
// line is handled, an answer posted or the recovery copy written is queued
// and shown from a timer of its own once that work has returned, so the
// box's modal loop never runs in its middle: lines go on being heard and
// answered while the box waits for the operator. Boxes show one at a time,
// in the order raised.

#include <deque>
#include <string>

#include "ports/prompt.h"
#include "ports/timer.h"

namespace rollkeep {

class NoticeBoard final : public Prompt {
public:
  // `timer`'s tick calls ShowWaiting(); `boxes` shows the real box.
  NoticeBoard(Prompt& boxes, Timer& timer) : boxes_(boxes), timer_(timer) {}

  // Queues the box and returns kAnswerOk at once.
  int Show(const std::string& text, const std::string& title, unsigned style) override;
  // Shows the waiting boxes now, one after another. Inside a box of the
  // board it does nothing: that box's caller shows them after it.
  void ShowWaiting();
  // Forgets the waiting boxes: the program ends.
  void DropWaiting();

private:
  struct Notice {
    std::string text, title;
    unsigned style = 0;
  };

  Prompt& boxes_;
  Timer& timer_;
  std::deque<Notice> waiting_;
  bool showing_ = false;
};

}  // namespace rollkeep
