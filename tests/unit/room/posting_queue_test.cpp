#include "room/posting_queue.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "room/room_posting.h"
#include "support/window_tree_model.h"

namespace rollkeep {
namespace {

using testing::WindowTreeModel;
using Lines = std::vector<std::string>;
using Missed = WindowTreeModel::Missed;

struct FakeTimer final : Timer {
  bool Start(unsigned ms) override {
    running = !refuse;
    intervalMs = ms;
    return running;
  }
  void Stop() override { running = false; }
  bool running = false;
  bool refuse = false;
  unsigned intervalMs = 0;
};

struct FakeNotice final : OperatorNotice {
  void Tell(const std::string& text) override { told.push_back(text); }
  Lines told;
};

class Posting : public ::testing::Test {
protected:
  // The announcements that went out: the box's text at each Enter it
  // handled, without the style prefix. Checks that every line went out as
  // a whole post: the box emptied just before the line was set.
  Lines Sent() const {
    Lines sent;
    const Lines messages = model.Messages(room.entry);
    for (std::size_t i = 0; i < messages.size(); ++i) {
      if (messages[i] != "WM_CHAR 13") continue;
      EXPECT_GE(i, 4u);
      if (i < 4) continue;
      EXPECT_EQ(messages[i - 2], "WM_SETTEXT ");
      const std::string line = messages[i - 1].substr(std::string("WM_SETTEXT ").size());
      EXPECT_TRUE(line.starts_with(Brask32::StylePrefix)) << line;
      sent.push_back(line.substr(Brask32::StylePrefix.size()));
    }
    return sent;
  }
  void PostAll(const Lines& lines) {
    for (const std::string& line : lines) queue.Post(line);
  }

  WindowTreeModel model;
  testing::ChatRoomWindows room =
      testing::AddChatRoom(model, testing::AddChatClient(model).mdiClient);
  FakeTimer timer;
  FakeNotice notice;
  double now = 1000;
  PostingQueue queue{model, timer, notice, [this] { return now; }};
};

TEST_F(Posting, AnAnsweringClientGetsEveryPostAtOnce) {
  PostAll({"a", "b", "c"});
  EXPECT_EQ(Sent(), (Lines{"a", "b", "c"}));
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_FALSE(timer.running);
}

// The client stops answering after `answered` messages of the first post,
// and handles the messages it missed later (Windows) or never (Wine). Every
// post still goes out once the client answers again, in order, none twice,
// and the box is left empty.
TEST_F(Posting, PostsWaitForAHungClientAndGoOutOnceInOrderWhenItAnswersAgain) {
  for (const Missed missed : {Missed::Dropped, Missed::HandledLate}) {
    for (std::size_t answered = 0; answered < 5; ++answered) {
      SCOPED_TRACE(::testing::PrintToString(answered) +
                   (missed == Missed::Dropped ? " dropped" : " handled late"));
      model.Destroy(room.room);
      room = testing::AddChatRoom(model, model.FindChild(model.FindTopLevel("AOL Frame25"),
                                                          kNoWindow, "MDIClient"));
      model.Hang(room.entry, answered, missed);
      const std::size_t timedOutBefore = model.TimedOutMessages();
      PostAll({"a", "b", "c"});
      EXPECT_EQ(model.TimedOutMessages(), timedOutBefore + 1);  // one timeout, then waiting
      EXPECT_EQ(queue.Waiting(), 3u);
      EXPECT_TRUE(timer.running);
      EXPECT_EQ(timer.intervalMs, PostingQueue::kRetryIntervalMs);
      queue.Retry();  // still hung: nothing but the probe is sent
      EXPECT_EQ(model.TimedOutMessages(), timedOutBefore + 2);  // the probe alone
      queue.Post("d");
      model.Wake(room.entry);
      queue.Retry();
      EXPECT_EQ(Sent(), (Lines{"a", "b", "c", "d"}));
      EXPECT_EQ(model.Text(room.entry), "");
      EXPECT_EQ(queue.Waiting(), 0u);
      EXPECT_FALSE(timer.running);
      EXPECT_EQ(notice.told, Lines{});
    }
  }
}

TEST_F(Posting, AClientThatHangsAgainWhileCatchingUpKeepsTheRestWaiting) {
  model.Hang(room.entry, 0);
  PostAll({"a", "b", "c"});
  model.Wake(room.entry);
  model.Hang(room.entry, 8);  // the probe, one post, two messages of the next
  queue.Retry();
  EXPECT_EQ(Sent(), Lines{"a"});
  EXPECT_EQ(queue.Waiting(), 2u);
  EXPECT_TRUE(timer.running);
  model.Wake(room.entry);
  queue.Retry();
  EXPECT_EQ(Sent(), (Lines{"a", "b", "c"}));
  EXPECT_FALSE(timer.running);
}

TEST_F(Posting, WaitingPostsAreGivenUpWhenTheRoomIsGoneAndTheOperatorIsToldOnce) {
  model.Hang(room.entry, 2);
  PostAll({"a", "b", "c"});
  model.Destroy(room.room);
  queue.Retry();
  EXPECT_EQ(notice.told,
            Lines{"3 announcements could not be delivered to the chat room: the room was closed."});
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_FALSE(timer.running);
  queue.Retry();
  queue.Post("with no room open");  // nothing to post into, nothing waited: dropped
  EXPECT_EQ(notice.told.size(), 1u);
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_FALSE(timer.running);
  EXPECT_EQ(model.DroppedMessages(), 0u);
}

// Five minutes without a delivered post end the wait; a delivery in between
// starts the five minutes again.
TEST_F(Posting, WaitingPostsAreGivenUpAfterFiveMinutesWithoutADelivery) {
  model.Hang(room.entry, 0);
  PostAll({"a", "b", "c"});
  now += 250;
  model.Wake(room.entry);
  model.Hang(room.entry, 6);  // the probe, then "a" alone goes out
  queue.Retry();
  EXPECT_EQ(Sent(), Lines{"a"});
  now += PostingQueue::kGiveUpSeconds - 0.5;
  queue.Retry();
  EXPECT_EQ(notice.told, Lines{});
  EXPECT_EQ(queue.Waiting(), 2u);
  now += 0.5;
  queue.Retry();
  EXPECT_EQ(notice.told, Lines{"2 announcements could not be delivered to the chat room: the chat "
                               "client did not answer for 5 minutes."});
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_FALSE(timer.running);
  model.Wake(room.entry);
  queue.Post("later");  // a new start
  EXPECT_EQ(Sent(), (Lines{"a", "later"}));
}

// Nothing would ever retry: the post is given up at once and the next one
// goes out as usual.
TEST_F(Posting, WithoutARetryTimerAWaitingPostIsGivenUpAndTold) {
  timer.refuse = true;
  model.Hang(room.entry, 0);
  queue.Post("a");
  EXPECT_EQ(notice.told, Lines{"1 announcement could not be delivered to the chat room: the chat "
                               "client did not answer, and Windows refused Rollkeep a timer to "
                               "try again."});
  EXPECT_EQ(queue.Waiting(), 0u);
  model.Wake(room.entry);
  queue.Post("b");
  EXPECT_EQ(Sent(), Lines{"b"});
}

// Window operations that run `hook` once, inside the first WM_SETTEXT of a
// text, as a handler that runs while Rollkeep waits for the client would.
struct HookedOps final : WindowOps {
  explicit HookedOps(WindowOps& inner) : inner(inner) {}
  WindowHandle FindTopLevel(const std::string& c) override { return inner.FindTopLevel(c); }
  WindowHandle FindChild(WindowHandle p, WindowHandle a, const std::string& c) override {
    return inner.FindChild(p, a, c);
  }
  bool SetText(WindowHandle w, const std::string& text) override {
    if (!text.empty() && hook) std::exchange(hook, nullptr)();
    return inner.SetText(w, text);
  }
  bool SendChar(WindowHandle w, int code) override { return inner.SendChar(w, code); }
  bool Responds(WindowHandle w) override { return inner.Responds(w); }
  std::optional<std::string> Text(WindowHandle w) override { return inner.Text(w); }
  WindowOps& inner;
  std::function<void()> hook;
};

TEST_F(Posting, APostMadeWhileAnotherIsBeingTypedGoesBehindIt) {
  HookedOps ops(model);
  PostingQueue hooked(ops, timer, notice, [this] { return now; });
  ops.hook = [&] {
    hooked.Post("nested");
    EXPECT_EQ(hooked.Waiting(), 2u);
  };
  hooked.Post("outer");
  EXPECT_EQ(Sent(), (Lines{"outer", "nested"}));
  EXPECT_EQ(hooked.Waiting(), 0u);
}

TEST(UndeliveredText, CountsInTheSingularAndPlural) {
  EXPECT_EQ(UndeliveredText(1, GiveUpReason::RoomGone),
            "1 announcement could not be delivered to the chat room: the room was closed.");
  EXPECT_EQ(UndeliveredText(12, GiveUpReason::NoAnswer).substr(0, 17), "12 announcements ");
}

}  // namespace
}  // namespace rollkeep
