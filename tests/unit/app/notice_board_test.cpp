// Boxes raised in the middle of some work show from the board's timer once
// that work has returned, one at a time and in order: a box raised while
// another is up shows after it, not on top of it.

#include "app/notice_board.h"

#include <stdexcept>
#include <string>

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
  // A box that fails leaves the board able to show the next; an ending
  // program forgets what waits.
  boxes.duringShow = [] { throw std::runtime_error("no box"); };
  board.Show("four", "Rollkeep", kStyleOk);
  EXPECT_THROW(board.ShowWaiting(), std::runtime_error);
  board.Show("five", "Rollkeep", kStyleOk);
  board.DropWaiting();
  log.clear();
  board.ShowWaiting();
  EXPECT_EQ(log, EventLog{"timer off"});
}

}  // namespace
}  // namespace rollkeep::testing
