#include <gtest/gtest.h>

#include <vector>

#include "support/window_tree_model.h"

// The model stands in for user32 in many tests; these pin down the rules that
// those tests rely on.
namespace rollkeep {
namespace {

using testing::WindowMessage;
using testing::WindowTreeModel;
using Handles = std::vector<WindowHandle>;

struct Tree {
  WindowTreeModel m;
  WindowHandle top = m.Create("Top");
  WindowHandle a = m.Create("Leaf", top);
  WindowHandle b = m.Create("Other", top);
  WindowHandle c = m.Create("LEAF", top);
  WindowHandle deep = m.Create("Deep", a);
};

TEST(WindowTreeModel, FindChildFollowsChildOrderAndOnlyDirectChildren) {
  Tree t;
  struct Case {
    WindowHandle parent, after;
    const char* cls;
    WindowHandle expected;
  } cases[] = {
      {t.top, kNoWindow, "leaf", t.a},   {t.top, t.a, "Leaf", t.c},
      {t.top, t.c, "Leaf", kNoWindow},   {t.top, kNoWindow, "Deep", kNoWindow},
      {t.a, kNoWindow, "deep", t.deep},  {t.top, t.deep, "Leaf", kNoWindow},
      {kNoWindow, kNoWindow, "top", t.top}, {kNoWindow, kNoWindow, "Leaf", kNoWindow},
      {0xDEAD, kNoWindow, "Leaf", kNoWindow}, {t.top, kNoWindow, "Lea", kNoWindow},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(t.m.FindChild(c.parent, c.after, c.cls), c.expected) << c.cls;
  }
  EXPECT_EQ(t.m.FindTopLevel("LEAF"), kNoWindow);
  EXPECT_EQ(t.m.FindTopLevel("TOP"), t.top);
}

TEST(WindowTreeModel, PlaceFirstPutsAWindowAheadOfItsSiblings) {
  Tree t;
  const WindowHandle first = t.m.Create("Leaf", t.top, "", WindowTreeModel::Place::First);
  EXPECT_EQ(t.m.Children(t.top), (Handles{first, t.a, t.b, t.c}));
}

TEST(WindowTreeModel, DestroyedWindowsAndTheirChildrenNameNoWindow) {
  Tree t;
  t.m.Destroy(t.a);
  EXPECT_FALSE(t.m.Exists(t.a));
  EXPECT_FALSE(t.m.Exists(t.deep));
  EXPECT_EQ(t.m.Children(t.top), (Handles{t.b, t.c}));
  t.m.SetText(t.a, "lost");
  t.m.SendChar(kNoWindow, 13);
  EXPECT_EQ(t.m.DroppedMessages(), 2u);
  EXPECT_EQ(t.m.DeliveredMessages(), 0u);
  EXPECT_NE(t.m.Create("Leaf", t.top), t.a);  // handles are never reused
  EXPECT_EQ(t.m.Create("Leaf", t.a), kNoWindow);
}

TEST(WindowTreeModel, LogsMessagesAndKeepsText) {
  Tree t;
  t.m.SetText(t.b, "hello");
  t.m.SendChar(t.b, 13);
  t.m.PutText(t.b, "read me");
  EXPECT_EQ(t.m.Messages(t.b), (std::vector<WindowMessage>{WindowMessage::SetTextOf("hello"),
                                                           WindowMessage::CharOf(13)}));
  EXPECT_EQ(t.m.Text(t.b), "read me");
}

}  // namespace
}  // namespace rollkeep
