// Handlers that run inside another handler's 0.7 s pause: they see the
// roster as it was left, and when one of them ends the program the
// interrupted handler does nothing more.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace rollkeep::testing {
namespace {

const std::string kAdvertiseList = "post Rollkeep: type <b><u>list me</u></b> to be listed";
const std::string kAdvertiseRemove =
    "post Rollkeep: type <b><u>remove me</b></u> to be removed";
const std::string kQuestion = "prompt Rollkeep: do you wish to save your list?";
const std::string kUnloaded = "post Rollkeep: unloaded, no more listing";

enum class Outer { Advertisement, ListMe };

struct NestingCase {
  const char* name;
  Outer outer;
  std::function<void(FrmMain&)> nested;
  bool endIsReported;  // whether the pump tells the wait that the program ended
  std::vector<std::string> steps;
  std::vector<std::string> rosterAfter;
};

void PrintTo(const NestingCase& c, std::ostream* os) { *os << c.name; }

void ListMe(FrmMain& frm) { frm.ChatLine("Bob", "list me"); }
void Off(FrmMain& frm) { frm.Command2_Click(); }
void RemoveSelected(FrmMain& frm) { frm.Command5_Click(); }
void Close(FrmMain& frm) { frm.Form_Unload(); }

const NestingCase kNestingCases[] = {
    {"ChatLineInAdvertisement", Outer::Advertisement, ListMe, true,
     {kAdvertiseList, "wait 0.7", "wait 0.7", "waited",
      "post Rollkeep: <u>Bob</u> has been added to the list", "waited", kAdvertiseRemove},
     {"Ann", "Bob"}},
    {"OffInAdvertisement", Outer::Advertisement, Off, true,
     {kAdvertiseList, "wait 0.7", "Timer1 off", "Command1 on", "Command2 off", "EndWatch",
      "post Rollkeep: turned off no more listing", "waited", kAdvertiseRemove},
     {"Ann"}},
    {"RemoveInAdvertisement", Outer::Advertisement, RemoveSelected, true,
     {kAdvertiseList, "wait 0.7", "post Rollkeep: Ann has been removed from list", "waited",
      kAdvertiseRemove},
     {}},
    {"CloseInAdvertisement", Outer::Advertisement, Close, true,
     {kAdvertiseList, "wait 0.7", kQuestion, kUnloaded, "EndProgram",
      "wait ended by the program's end"},
     {"Ann"}},
    {"CloseInAdvertisementUnreported", Outer::Advertisement, Close, false,
     {kAdvertiseList, "wait 0.7", kQuestion, kUnloaded, "EndProgram", "waited"},
     {"Ann"}},
    {"CloseInListMe", Outer::ListMe, Close, true,
     {"wait 0.7", kQuestion, kUnloaded, "EndProgram", "wait ended by the program's end"},
     {"Ann", "Bob"}},
    {"RemoveInListMe", Outer::ListMe, RemoveSelected, true,
     {"wait 0.7", "post Rollkeep: Ann has been removed from list", "waited",
      "post Rollkeep: <u>Bob</u> has been added to the list"},
     {"Bob"}},
};

class NestingTest : public MainWindowTest, public ::testing::WithParamInterface<NestingCase> {};

TEST_P(NestingTest, NestedHandlerRunsInsideThePause) {
  const NestingCase& c = GetParam();
  SetRoster({"Ann"}, 0);
  prompt.answers = {kAnswerNo};
  if (c.endIsReported) shell.onEndProgram = [&] { waits.result = false; };
  waits.nested = [&] { c.nested(frm); };

  if (c.outer == Outer::Advertisement) {
    frm.Timer1_Timer();
  } else {
    ListMe(frm);
  }

  EXPECT_EQ(log.events(), c.steps);
  EXPECT_EQ(roster.entries(), c.rosterAfter);
}

INSTANTIATE_TEST_SUITE_P(Pause, NestingTest, ::testing::ValuesIn(kNestingCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rollkeep::testing
