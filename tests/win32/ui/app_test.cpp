// The program at work through its real windows, as the operator and
// automation see it: the splash and the main window with its controls in
// place and in Tab order; the buttons and a member's chat line changing List1
// and what the model room receives; List1 following the roster; closing,
// which asks to save.

#include <gmock/gmock.h>

#include <tuple>
#include <utility>

#include "platform/win32/ui/dpi.h"
#include "platform/win32/ui/message_pump.h"
#include "ui_support.h"

namespace rollkeep::uitest {
namespace {

using namespace rollkeep::win32;
using ::testing::ElementsAre;

std::pair<LONG, LONG> ClientSize(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  return {client.right, client.bottom};
}

TEST_F(AppTest, TheSplashOpensRollkeepWithItsControlsInPlaceAndInTabOrder) {
  // In Tab order; places at 96 DPI are the twips / 15.
  const std::tuple<int, const char*, const char*, RECT> controls[] = {
      {kCommand1Id, "Button", "on", {8, 72, 73, 97}},
      {kCommand2Id, "Button", "off", {208, 72, 281, 97}},
      {kList1Id, "ListBox", "", {80, 0, 201, 95}},
      {kCommand3Id, "Button", "save list", {8, 8, 73, 33}},
      {kCommand4Id, "Button", "load list", {8, 40, 73, 65}},
      {kCommand5Id, "Button", "remove selected", {208, 40, 281, 65}},
      {kCommand6Id, "Button", "clear list", {208, 8, 281, 33}}};
  HWND splash = app->splashWindow();
  EXPECT_EQ(TextOf(splash), "frmsplash");
  EXPECT_EQ(::FindWindowA(nullptr, "Rollkeep"), nullptr);
  // Sizes are checked at 96 DPI only: Wine scales others its own way.
  const bool at96 = DpiForWindow(splash) == kBaseDpi;
  if (at96) {
    EXPECT_EQ(ClientSize(splash), std::pair(405L, 178L));
  }

  OpenMain();
  HWND main = app->mainWindow();
  EXPECT_FALSE(::IsWindowVisible(splash));
  EXPECT_TRUE(::IsWindowVisible(main));
  EXPECT_EQ(::FindWindowA(nullptr, "Rollkeep"), main);
  EXPECT_EQ(SentLines(), std::vector<std::string>{"Rollkeep: loaded"});
  if (at96) {
    EXPECT_EQ(ClientSize(main), std::pair(288L, 100L));
  }
  ::SetFocus(Control(kCommand6Id));
  for (const auto& [id, className, caption, pixels] : controls) {
    SCOPED_TRACE(caption);
    HWND control = Control(id);
    char name[16] = {};
    ::GetClassNameA(control, name, sizeof name);
    EXPECT_EQ(std::string(name), className);
    EXPECT_EQ(TextOf(control), caption);
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
    if (at96) {
      EXPECT_TRUE(::EqualRect(&rect, &pixels)) << rect.left << "," << rect.top;
    }
    MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    DeliverMessage(tab);
    EXPECT_EQ(::GetFocus(), control) << "after Tab";
  }
}

TEST_F(AppTest, ButtonsAndChatLinesChangeList1AndWhatTheRoomReceives) {
  OpenMain();
  Click(kCommand1Id);
  Click(kCommand1Id);  // disabled once on: says nothing
  room->Say("Cy", "list me");
  ASSERT_TRUE(PumpUntil([&] { return SentLines().size() == 3; }))
      << ::testing::PrintToString(SentLines());
  EXPECT_EQ(List1(), std::vector<std::string>{"Cy"});
  app->roster().append("Ann");
  app->roster().append("Bob");
  app->roster().select(1);
  Click(kCommand5Id);
  EXPECT_EQ(List1(), (std::vector<std::string>{"Cy", "Bob"}));
  Click(kCommand6Id);
  EXPECT_EQ(::SendMessageA(Control(kList1Id), LB_GETCOUNT, 0, 0), 0);
  Click(kCommand2Id);
  EXPECT_THAT(SentLines(),
              ElementsAre("Rollkeep: loaded",
                          "Rollkeep: turned on, type <u><b>list me</b></u> to be listed",
                          "Rollkeep: <u>Cy</u> has been added to the list",
                          "Rollkeep: Ann has been removed from list", "Rollkeep: list cleared",
                          "Rollkeep: turned off no more listing"));
}

TEST_F(AppTest, List1MirrorsEveryChangeOfTheRosterAndTheOperatorsClick) {
  OpenMain();
  HWND list = Control(kList1Id);
  const std::pair<const char*, std::function<void(Roster&)>> steps[] = {
      {"append", [](Roster& r) { for (auto n : {"kept", "Bo", "cy", "Di", "bo"}) r.append(n); }},
      {"select", [](Roster& r) { r.select(3); }},
      {"remove before the selection", [](Roster& r) { r.removeAt(0); }},
      {"remove after the selection", [](Roster& r) { r.removeAt(3); }},
      {"remove the selection", [](Roster& r) { r.removeAt(2); }},
      {"remove several", [](Roster& r) { r.select(1); r.removeWhere({true, false}); }},
      {"deselect", [](Roster& r) { r.deselect(); }},
      {"reset", [](Roster& r) { r.assign({"one", "\xE9t\xE9  tab\there", "three"}); }},
      {"operator clicks", [&](Roster&) {
         ::SendMessageA(list, LB_SETCURSEL, 1, 0);
         ::SendMessageA(app->mainWindow(), WM_COMMAND, MAKEWPARAM(kList1Id, LBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(list));
       }},
      {"clear", [](Roster& r) { r.clear(); }},
      {"append after clear", [](Roster& r) { r.append("again"); }}};
  for (const auto& [what, change] : steps) {
    SCOPED_TRACE(what);
    change(app->roster());
    EXPECT_EQ(List1(), app->roster().entries());
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), app->roster().selection().value_or(LB_ERR));
  }
}

// A full list tells the operator in a box; while it waits for OK the room
// is still heard and answered.
TEST_F(AppTest, AnOpenBoxDoesNotStopTheRoomBeingHeardAndAnswered) {
  OpenMain();
  std::vector<std::string> names;
  for (int i = 0; i < Roster::kCapacity; ++i) names.push_back("Member " + std::to_string(i));
  ASSERT_TRUE(app->roster().assign(names));
  Click(kCommand1Id);
  const std::string removed = "Rollkeep: <u>Member 7</u> has been removed from list",
                    added = "Rollkeep: <u>Bob</u> has been added to the list";
  // Members speak once the box is up; it is left open until their lines
  // were handled, or 30 s passed.
  bool spoke = false, handledWhileOpen = false;
  const TickDeadline deadline = TickDeadline::After(30000);
  DialogAnswerer answerer({IDOK}, [&](HWND) {
    if (!std::exchange(spoke, true)) {
      room->Say("Member 7", "remove me");
      room->Say("Bob", "list me");
      return false;
    }
    handledWhileOpen = ::testing::Matches(::testing::IsSupersetOf({removed, added}))(
                           SentLines()) && List1().back() == "Bob";
    return handledWhileOpen || deadline.Passed();
  });
  room->Say("Ann", "list me");
  ASSERT_TRUE(PumpUntil([&] { return !answerer.seen.empty(); }, 60000));
  EXPECT_THAT(answerer.seen, ElementsAre(::testing::StartsWith("Rollkeep: The list is full")));
  EXPECT_TRUE(handledWhileOpen);
  EXPECT_EQ(std::ranges::count(SentLines(), added), 1);
  EXPECT_EQ(List1().size(), static_cast<std::size_t>(Roster::kCapacity));
}

// The close prompt is a real box owned by the main window, in whose modal
// loop the program ends on No; once the main window is gone, no box or
// dialog names it as owner. (Asking again after a save that did not
// complete is the main window's logic, tested without windows.)
TEST_F(AppTest, ClosingAsksInABoxOfTheMainWindowAndEndsOnNo) {
  OpenMain();
  app->roster().append("Ann");
  HWND main = app->mainWindow(), splash = app->splashWindow();
  EXPECT_EQ(app->boxOwner(), main);
  EXPECT_EQ(app->dialogOwner(), main);
  HWND boxOwner = nullptr;
  DialogAnswerer answerer({IDNO}, [&](HWND box) {
    boxOwner = ::GetWindow(box, GW_OWNER);
    return true;
  });
  ::PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return app->ended(); }, 60000));
  EXPECT_THAT(answerer.seen, ElementsAre("Rollkeep: do you wish to save your list?"));
  EXPECT_EQ(boxOwner, main);
  EXPECT_EQ(SentLines().back(), "Rollkeep: unloaded, no more listing");
  EXPECT_FALSE(::IsWindow(main) || ::IsWindow(splash));
  EXPECT_EQ(app->boxOwner(), nullptr);
  EXPECT_EQ(app->dialogOwner(), nullptr);
}

}  // namespace
}  // namespace rollkeep::uitest
