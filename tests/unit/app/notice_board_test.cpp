// Boxes raised in the middle of some work show from the board's timer once
// that work has returned, one at a time and in order: a box raised while
// another is up shows after it, not on top of it.

#include "app/notice_board.h"

#include <gtest/gtest.h>

#include "support/fake_windows.h"

namespace rollkeep::testing {
namespace {

TEST(NoticeBoard, ShowsLaterOneAtATimeInOrder) {
  EventLog log;
  FakePrompt boxes{log};
  FakeTimer timer{log, "timer", false};
  NoticeBoard board{boxes, timer};
  EXPECT_EQ(board.Show("one", "Rollkeep", kStyleOk), kAnswerOk);
  board.Show("two", "Rollkeep", kStyleOk);
  EXPECT_EQ(log, (EventLog{"timer on", "timer on"}));
  boxes.duringShow = [&] {
    board.Show("three", "Rollkeep", kStyleOk);
    board.ShowWaiting();  // the timer ticks inside the box's modal loop
  };
  log.clear();
  board.ShowWaiting();
  EXPECT_EQ(log, (EventLog{"timer off", "prompt Rollkeep 0: one", "timer off",
                           "prompt Rollkeep 0: two", "prompt Rollkeep 0: three"}));
}

}  // namespace
}  // namespace rollkeep::testing
