#include "room/posting_queue.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/answer_schedule.h"
#include "room/room_posting.h"
#include "roster/chat_commands.h"
#include "support/fake_windows.h"
#include "support/window_tree_model.h"

namespace rollkeep {
namespace {

using testing::WindowTreeModel;
using Lines = std::vector<std::string>;
using Missed = WindowTreeModel::Missed;

struct FakeNotice final : OperatorNotice {
  void Tell(const std::string& text) override { told.push_back(text); }
  Lines told;
};

// The announcements that went out through the entry box: the box's text at
// each Enter it handled, without the style prefix. Checks that every line
// went out as a whole post: the box emptied just before the line was set.
Lines SentTo(const WindowTreeModel& model, WindowHandle entry) {
  Lines sent;
  const Lines messages = model.Messages(entry);
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

// A client with one room, a queue on a clock that moves by hand, and the
// rooms opened since.
struct Desk {
  WindowTreeModel model;
  testing::ChatClientWindows client = testing::AddChatClient(model);
  testing::ChatRoomWindows first = testing::AddChatRoom(model, client.mdiClient);
  testing::EventLog log;
  testing::FakeTimer timer{log, "retry", false};
  FakeNotice notice;
  double now = 1000;
  PostingQueue queue{model, timer, notice, [this] { return now; }};

  Lines Sent() const { return SentTo(model, first.entry); }
  void PostAll(const Lines& lines) {
    for (const std::string& line : lines) queue.Post(line);
  }
};

class Posting : public ::testing::Test, protected Desk {};

// The client stops answering after `answered` messages of the first post
// (the read of the box counts as one), and handles the messages it missed
// later (Windows) or never (Wine). Every post still goes out once the client
// answers again, in order, none twice, and the box is left as the operator
// left it: the post's own line, left in the box by a missed Enter, is never
// taken for the operator's text.
TEST_F(Posting, PostsWaitForAHungClientAndGoOutOnceInOrderWhenItAnswersAgain) {
  for (const std::string typed : {"", "hello wor"}) {
    for (const Missed missed : {Missed::Dropped, Missed::HandledLate}) {
      for (std::size_t answered = 0; answered <= 5; ++answered) {
        SCOPED_TRACE(::testing::PrintToString(answered) +
                     (missed == Missed::Dropped ? " dropped " : " handled late ") + typed);
        model.Destroy(first.room);
        first = testing::AddChatRoom(model, client.mdiClient);
        model.Type(first.entry, typed);
        model.Hang(first.entry, answered, missed);
        const std::size_t timedOutBefore = model.TimedOutMessages();
        PostAll({"a", "b", "c"});
        EXPECT_EQ(model.TimedOutMessages(), timedOutBefore + 1);  // one timeout, then waiting
        EXPECT_EQ(queue.Waiting(), 3u);
        EXPECT_TRUE(timer.enabled);
        EXPECT_EQ(timer.intervalMs, PostingQueue::kRetryIntervalMs);
        queue.Retry();  // still hung: nothing but the probe is sent
        EXPECT_EQ(model.TimedOutMessages(), timedOutBefore + 2);  // the probe alone
        queue.Post("d");
        model.Wake(first.entry);
        queue.Retry();
        EXPECT_EQ(Sent(), (Lines{"a", "b", "c", "d"}));
        EXPECT_EQ(model.Text(first.entry), typed);
        EXPECT_EQ(queue.Waiting(), 0u);
        EXPECT_FALSE(timer.enabled);
        EXPECT_EQ(notice.told, Lines{});
      }
    }
  }
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
  bool SetCaretToEnd(WindowHandle w, const std::string& t) override {
    return inner.SetCaretToEnd(w, t);
  }
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

// Every post goes into the room it was made for, or nowhere: the posts of a
// room that is gone are dropped and counted once, and never typed into a
// room opened since. Posts wait for a client that does not answer until five
// minutes pass without a delivery, or not at all without a timer to try
// again; then they are given up and counted too, and the next post goes out
// as usual. Each row works a desk from its first room and returns the room
// opened since.
TEST(PostingQueueRooms, APostGoesOnlyIntoItsRoomOrIsGivenUpAndTold) {
  const std::string gone = " could not be delivered to the chat room: the room was closed.";
  const std::string notAnswered = " could not be delivered to the chat room: the chat client did "
                                  "not answer";
  const struct {
    const char* name;
    std::function<testing::ChatRoomWindows(Desk&)> run;
    Lines toFirst, toLater;
    std::string told;  // empty: nothing
  } cases[] = {
      {"ClientClosedWithFivePostsWaitingAndAnotherStarted",
       [](Desk& d) {
         d.model.Hang(d.first.entry, 0);
         d.PostAll({"Q0", "Q1", "Q2", "Q3", "Q4"});
         d.model.Destroy(d.client.frame);  // and another client starts at once
         const auto later = testing::AddChatRoom(d.model, testing::AddChatClient(d.model).mdiClient);
         d.queue.Retry();
         d.queue.Retry();  // a late tick after the give-up does nothing
         d.queue.Post("after");
         return later;
       },
       {}, {"after"}, "5 announcements" + gone},
      {"RoomClosedInThePauseBeforeAnAddedAnswerAndAnotherOpened",
       [](Desk& d) {
         struct : Clock {
           double NowSeconds() override { return now; }
           double now = 0;
         } clock;
         testing::FakeTimer answerTimer{d.log, "answers", false};
         Roster roster;
         AnswerSchedule answers(roster, d.queue, answerTimer, clock);
         ChatCommandHandler(roster, answers).Handle({ChatCommand::Kind::List, "Pz"});
         d.model.Destroy(d.first.room);
         const auto later = testing::AddChatRoom(d.model, d.client.mdiClient);
         clock.now = 1;
         answers.OnTimer();
         d.queue.Post("after");
         return later;
       },
       {}, {"after"}, "1 announcement" + gone},
      {"PostsForANewRoomWaitingBehindAGoneRoomsGoOut",
       [](Desk& d) {
         d.model.Hang(d.first.entry, 0);
         d.PostAll({"a", "b"});
         d.model.Destroy(d.first.room);
         const auto later = testing::AddChatRoom(d.model, d.client.mdiClient);
         d.queue.Post("c");
         d.queue.Retry();
         return later;
       },
       {}, {"c"}, "2 announcements" + gone},
      {"AnotherRoomComesFirstWhileTheFirstIsStillOpen",
       [](Desk& d) {
         const RoomId said = d.queue.RoomNow();
         const auto later = testing::AddChatRoom(d.model, d.client.mdiClient, "",
                                                 WindowTreeModel::Place::First);
         d.queue.PostFor(said, "answer");
         d.queue.Post("operator");
         return later;
       },
       {"answer"}, {"operator"}, ""},
      {"NoRoomOpenAPostGoesNowhereUntold",
       [](Desk& d) {
         d.model.Destroy(d.first.room);
         d.queue.Post("nowhere");
         return testing::ChatRoomWindows{};
       },
       {}, {}, ""},
      {"NoDeliveryForFiveMinutes",  // a delivery in between starts them again
       [](Desk& d) {
         d.model.Hang(d.first.entry, 0);
         d.PostAll({"a", "b", "c"});
         d.now += 250;
         d.model.Wake(d.first.entry);
         d.model.Hang(d.first.entry, 7);  // the probe, then "a" alone goes out
         d.queue.Retry();
         EXPECT_TRUE(d.timer.enabled);  // "b" and "c" wait for the client again
         d.now += PostingQueue::kGiveUpSeconds - 0.5;
         d.queue.Retry();
         EXPECT_EQ(d.queue.Waiting(), 2u);
         d.now += 0.5;
         d.queue.Retry();
         d.model.Wake(d.first.entry);
         d.queue.Post("later");
         return testing::ChatRoomWindows{};
       },
       {"a", "later"}, {}, "2 announcements" + notAnswered + " for 5 minutes."},
      {"NoTimerToTryAgain",
       [](Desk& d) {
         d.timer.refuse = true;
         d.model.Hang(d.first.entry, 0);
         d.queue.Post("a");
         d.model.Wake(d.first.entry);
         d.queue.Post("b");
         return testing::ChatRoomWindows{};
       },
       {"b"}, {},
       "1 announcement" + notAnswered + ", and Windows refused Rollkeep a timer to try again."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Desk d;
    const testing::ChatRoomWindows later = c.run(d);
    EXPECT_EQ(SentTo(d.model, d.first.entry), c.toFirst);
    EXPECT_EQ(SentTo(d.model, later.entry), c.toLater);
    EXPECT_EQ(d.notice.told, c.told.empty() ? Lines{} : Lines{c.told});
    EXPECT_EQ(d.model.DroppedMessages(), 0u);
    EXPECT_EQ(d.queue.Waiting(), 0u);
    EXPECT_FALSE(d.timer.enabled);
  }
}

}  // namespace
}  // namespace rollkeep
