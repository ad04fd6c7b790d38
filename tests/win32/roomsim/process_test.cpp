// roomsim.exe as another program sees it: its window tree, its entry box, its
// transcript and its log.

#include "frame.h"
#include "sim_process.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace roomsim::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr char kSafetyExit[] = " --exit-after 120";

struct LogEvent {
  long long ms;
  std::string kind;
  std::string payload;
};

std::vector<LogEvent> ParseLog(const std::string& content) {
  std::vector<LogEvent> events;
  std::istringstream in(content);
  for (std::string line; std::getline(in, line);) {
    std::size_t first = line.find('\t'), second = line.find('\t', first + 1);
    EXPECT_NE(second, std::string::npos) << line;
    if (second == std::string::npos) continue;
    events.push_back({std::stoll(line.substr(0, first)), line.substr(first + 1, second - first - 1),
                      line.substr(second + 1)});
  }
  return events;
}

// The events of the kinds that other programs rely on, as "KIND payload".
std::vector<std::string> EntryAndLines(const std::vector<LogEvent>& events) {
  std::vector<std::string> kept;
  for (const LogEvent& e : events) {
    if (e.kind == "SETTEXT" || e.kind == "CHAR" || e.kind == "LINE") {
      kept.push_back(e.kind + " " + e.payload);
    }
  }
  return kept;
}

std::size_t CountKind(const TempFile& log, const std::string& kind) {
  auto events = ParseLog(log.Read());
  return std::count_if(events.begin(), events.end(),
                       [&](const LogEvent& e) { return e.kind == kind; });
}

HWND FirstDocument(HWND frame) {
  HWND area = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  return ::FindWindowExA(area, nullptr, "AOL Child", nullptr);
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

TEST(RoomsimProcess, BuildsTheClientWindowTreeWithTheRoomMarksInChildOrder) {
  SimProcess sim(kSafetyExit);
  HWND frame = sim.WaitForFrame();
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(TextOf(frame), "Room simulator");
  HWND room = FirstDocument(frame);
  ASSERT_NE(room, nullptr);
  EXPECT_EQ(TextOf(room), "Lobby 1");

  std::vector<HWND> children = ChildrenOf(room);
  ASSERT_GE(children.size(), 8u);
  std::vector<std::string> classes;
  for (HWND child : children) classes.push_back(ClassOf(child));
  EXPECT_THAT(std::vector<std::string>(classes.begin(), classes.begin() + 5),
              ElementsAre("RICHCNTL", "RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"));
  for (std::size_t i = 5; i < classes.size(); ++i) {
    for (const char* mark : {"RICHCNTL", "_AOL_Listbox", "_AOL_Icon", "_AOL_Static"}) {
      EXPECT_NE(::lstrcmpiA(classes[i].c_str(), mark), 0) << "child " << i;
    }
  }
  EXPECT_EQ(::FindWindowExA(room, nullptr, "richcntl", nullptr), children[0]);
  EXPECT_EQ(::FindWindowExA(room, children[0], "RICHCNTL", nullptr), children[1]);
  EXPECT_EQ(TextOf(children[4]), "Lobby 1");
}

TEST(RoomsimProcess, EntryBoxSendsItsTextAsTheOperatorWithoutTagsAndLogsEveryMessage) {
  TempFile log;
  SimProcess sim("--operator \"Ann Lee\" --log " + Quoted(log.Path()) + kSafetyExit);
  HWND frame = sim.WaitForFrame();
  ASSERT_NE(frame, nullptr);
  std::vector<HWND> room = ChildrenOf(FirstDocument(frame));
  ASSERT_GE(room.size(), 5u);
  HWND entry = room[0], transcript = room[1], members = room[2];

  const char posted[] = "<font face=\"arial black\">::<font> Rollkeep: <u>Bob\tSmith</u> x <";
  ::SendMessageA(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  ::SendMessageA(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(posted));
  ::SendMessageA(entry, WM_CHAR, 13, 0);
  ::SendMessageA(entry, WM_CHAR, 13, 0);  // the box is empty now

  EXPECT_EQ(TextOf(transcript), "Ann Lee:\t:: Rollkeep: Bob\tSmith x <\r\nAnn Lee:\t\r\n");
  EXPECT_EQ(TextOf(entry), "");
  EXPECT_THAT(ListItems(members), ElementsAre("Ann Lee"));
  ASSERT_TRUE(WaitFor([&] { return CountKind(log, "LINE") == 2; }));
  std::vector<LogEvent> events = ParseLog(log.Read());
  EXPECT_THAT(EntryAndLines(events),
              ElementsAre("SETTEXT ",
                          "SETTEXT <font face=\"arial black\">::<font> "
                          "Rollkeep: <u>Bob\\tSmith</u> x <",
                          "CHAR 13", "LINE Ann Lee:\\t:: Rollkeep: Bob\\tSmith x <", "CHAR 13",
                          "LINE Ann Lee:\\t"));
  for (std::size_t i = 1; i < events.size(); ++i) EXPECT_LE(events[i - 1].ms, events[i].ms);
}

TEST(RoomsimProcess, ReplaysTheScriptInTimeOrderNoSoonerThanDue) {
  TempFile script(
      "0.6 Bob Smith: list me\r\n"
      "# a comment\r\n"
      "\r\n"
      "0.2 Ann:  <b>hi</b>\r\n"
      "0.4 Ann: again\r\n");
  TempFile log;
  SimProcess sim("--script " + Quoted(script.Path()) + " --log " + Quoted(log.Path()) +
                 kSafetyExit);
  HWND frame = sim.WaitForFrame();
  ASSERT_NE(frame, nullptr);
  std::vector<HWND> room = ChildrenOf(FirstDocument(frame));
  ASSERT_GE(room.size(), 5u);
  const std::string expected = "Ann:\t <b>hi</b>\r\nAnn:\tagain\r\nBob Smith:\tlist me\r\n";
  EXPECT_TRUE(WaitFor([&] { return TextOf(room[1]) == expected; })) << TextOf(room[1]);
  EXPECT_THAT(ListItems(room[2]), ElementsAre("Ann", "Bob Smith"));

  std::vector<LogEvent> lines;
  for (const LogEvent& e : ParseLog(log.Read())) {
    if (e.kind == "LINE") lines.push_back(e);
  }
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_GE(lines[0].ms, 200);
  EXPECT_GE(lines[1].ms, 400);
  EXPECT_GE(lines[2].ms, 600);
  EXPECT_EQ(lines[2].payload, "Bob Smith:\\tlist me");
}

TEST(RoomsimProcess, TranscriptKeepsOnlyTheNewestLines) {
  TempFile script("0 A: one\n0 B: two\n0 C: three\n");
  SimProcess sim("--keep-lines 2 --script " + Quoted(script.Path()) + kSafetyExit);
  HWND frame = sim.WaitForFrame();
  ASSERT_NE(frame, nullptr);
  HWND transcript = ChildrenOf(FirstDocument(frame)).at(1);
  EXPECT_TRUE(WaitFor([&] { return TextOf(transcript) == "B:\ttwo\r\nC:\tthree\r\n"; }))
      << TextOf(transcript);
}

TEST(RoomsimProcess, OpensRoomsAndOtherDocumentsOnTopAndClosesTheActiveOne) {
  SimProcess sim(kSafetyExit);
  HWND frame = sim.WaitForFrame();
  ASSERT_NE(frame, nullptr);
  ::SendMessageA(frame, WM_COMMAND, kCmdNewRoom, 0);
  EXPECT_EQ(TextOf(FirstDocument(frame)), "Lobby 2");
  ::SendMessageA(frame, WM_COMMAND, kCmdNewDocument, 0);
  HWND note = FirstDocument(frame);
  EXPECT_EQ(TextOf(note), "Notes 1");
  std::vector<std::string> classes;
  for (HWND child : ChildrenOf(note)) classes.push_back(ClassOf(child));
  EXPECT_THAT(classes, ElementsAre("RICHCNTL", "_AOL_Static"));

  HWND area = ::FindWindowExA(frame, nullptr, "MDIClient", nullptr);
  std::vector<std::string> titles;
  for (HWND doc = ::FindWindowExA(area, nullptr, "AOL Child", nullptr); doc;
       doc = ::FindWindowExA(area, doc, "AOL Child", nullptr)) {
    titles.push_back(TextOf(doc));
  }
  EXPECT_THAT(titles, ElementsAre("Notes 1", "Lobby 2", "Lobby 1"));

  ::SendMessageA(frame, WM_COMMAND, kCmdCloseWindow, 0);
  EXPECT_EQ(TextOf(FirstDocument(frame)), "Lobby 2");
}

TEST(RoomsimProcess, RefusesBadArgumentsOnStandardErrorWithExitCode2) {
  TempFile badScript("0.5 Bob: fine\nsoon Bob: late\n");
  const std::string cases[] = {
      "--bogus",
      "--keep-lines 0",
      "--exit-after -1",
      "--log",
      "--script " + Quoted(badScript.Path()),
      "--script " + Quoted(badScript.Path() + ".missing"),
      "--log " + Quoted(badScript.Path() + "\\no\\such\\folder\\log.txt"),
  };
  for (const std::string& arguments : cases) {
    SimProcess sim(arguments + kSafetyExit);
    ASSERT_TRUE(sim.Started());
    EXPECT_EQ(sim.WaitForExit(), 2u) << arguments;
    EXPECT_THAT(sim.Stderr(), HasSubstr("roomsim: ")) << arguments;
  }
  SimProcess script("--script " + Quoted(badScript.Path()));
  script.WaitForExit();
  EXPECT_THAT(script.Stderr(), HasSubstr("line 2: bad time 'soon'"));
}

TEST(RoomsimProcess, HelpPrintsTheUsage) {
  SimProcess sim("--help");
  EXPECT_EQ(sim.WaitForExit(), 0u);
  EXPECT_THAT(sim.Stdout(), HasSubstr("--keep-lines N"));
}

TEST(RoomsimProcess, ExitAfterEndsTheProgramOnTime) {
  auto start = std::chrono::steady_clock::now();
  SimProcess sim("--exit-after 0.5");
  EXPECT_EQ(sim.WaitForExit(), 0u);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST(RoomsimProcess, HangAfterStopsAnsweringForGoodButStillExitsOnTime) {
  SimProcess sim("--hang-after 1 --exit-after 4");
  HWND frame = sim.WaitForFrame();
  ASSERT_NE(frame, nullptr);
  auto answers = [&] {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(frame, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &result) != 0;
  };
  EXPECT_TRUE(WaitFor([&] { return !answers(); }));
  EXPECT_FALSE(answers());
  EXPECT_EQ(sim.WaitForExit(), 0u);
}

}  // namespace
}  // namespace roomsim::testing
