#include "demonstration.h"

#include <algorithm>
#include <thread>

#include "driver/dialogs.h"
#include "driver/files.h"
#include "driver/input.h"
#include "driver/list_box.h"
#include "driver/poll.h"
#include "driver/window_search.h"
#include "failure.h"
#include "layout.h"
#include "screenshot.h"

namespace rollkeep::demo {

namespace {

using namespace std::chrono_literals;

constexpr char kOperator[] = "Host";

// Generous: Wine on a busy machine is slow.
constexpr std::chrono::milliseconds kDeadline{30000};

// The members' part, in seconds after the client started. The lead before
// the first command leaves Rollkeep time to start and be turned on, also on
// a loaded machine. Eve speaks once Rollkeep is off, whenever that is.
const MemberLine kAliceHello{18, "Alice", "hi everyone"};
const MemberLine kAliceList{20, "Alice", "list me"};
const MemberLine kBobList{24, "Bob", "LIST me"};
const MemberLine kCarolWrong{28, "Carol", "list me please"};
const MemberLine kCarolList{32, "Carol", "list me"};
const MemberLine kDaveList{36, "Dave", "list me"};
const MemberLine kBobRemove{40, "Bob", "remove me"};
const MemberLine kEveList{0, "Eve", "list me"};

const std::vector<MemberLine> kMemberScript{kAliceHello, kAliceList, kBobList, kCarolWrong,
                                            kCarolList,  kDaveList,  kBobRemove};

constexpr long long kAnswerDelayMs = 700;  // Rollkeep waits this long before "added"
constexpr auto kQuietPeriod = 2500ms;      // long enough for an answer to have come
constexpr auto kViewerPause = 1500ms;
constexpr auto kPaintTime = 500ms;
constexpr int kScreenshotMargin = 8;

long long Ms(const MemberLine& line) { return static_cast<long long>(line.seconds * 1000); }

std::string Joined(const std::vector<std::string>& names) {
  if (names.empty()) return "(empty)";
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string RosterFileBytes(const std::vector<std::string>& names) {
  std::string bytes;
  for (const auto& name : names) bytes += name + "\r\r\n";
  return bytes;
}

}  // namespace

Demonstration::Demonstration(const DemoOptions& options, Narrator& narrator)
    : options_(options),
      narrator_(narrator),
      script_(InWorkDir("members.txt")),
      log_(InWorkDir("room.log")),
      savedList_(InWorkDir("roster.txt")),
      programs_({options.roomsimExe.windows, options.rollkeepExe.windows,
                 options.workDir.windows},
                kDeadline),
      feed_(log_.windows, narrator),
      room_(feed_, kOperator) {}

void Demonstration::Run() {
  Prepare();
  StartPrograms();
  TurnOn();
  MemberLists(kAliceList, {"Alice"});
  MemberLists(kBobList, {"Alice", "Bob"});
  NothingHappensAfter(kCarolWrong, {"Alice", "Bob"},
                      "\"list me please\" is not a command: nothing happens");
  MemberLists(kCarolList, {"Alice", "Bob", "Carol"});
  MemberLists(kDaveList, {"Alice", "Bob", "Carol", "Dave"});
  TakeScreenshot();
  MemberRemoves(kBobRemove, {"Alice", "Carol", "Dave"});
  SaveList({"Alice", "Carol", "Dave"});
  RemoveSelected("Alice", {"Carol", "Dave"});
  TurnOff();
  programs_.SayInRoom(kEveList.name, kEveList.text);
  NothingHappensAfter(kEveList, {"Carol", "Dave"},
                      "Rollkeep is off: Eve is not listed");
  CloseRollkeep();
  Finish();
}

DemoPath Demonstration::InWorkDir(const std::string& name) const {
  const DemoPath& dir = options_.workDir;
  const char separator = dir.shown.starts_with('/') ? '/' : '\\';
  return {dir.shown + separator + name, dir.windows + "\\" + name};
}

void Demonstration::Prepare() {
  driver::ResetDirectory(options_.workDir.windows);
  driver::WriteFileBytes(script_.windows, ScriptText(kMemberScript));
  narrator_.Line("Rollkeep demonstration");
  narrator_.Line("  roomsim.exe plays the chat client: a room where Alice, Bob, Carol and Dave");
  narrator_.Line("  say their lines (" + script_.shown + ") and Eve speaks once Rollkeep is");
  narrator_.Line("  off; the operator is " + std::string(kOperator) + ".");
  narrator_.Line("  rollkeep.exe keeps the roster. The room's transcript follows, live.");
  narrator_.Line("");
}

void Demonstration::StartPrograms() {
  narrator_.Line("  -- starting the chat client and Rollkeep");
  programs_.StartClient({"--operator", kOperator, "--script", script_.windows, "--log",
                         log_.windows});
  feed_.Start();
  programs_.StartRollkeep();
  Pause();
  narrator_.Operator("double-clicks Rollkeep's splash");
  programs_.OpenMainWindow();
  PlaceSideBySide(programs_.ClientFrame(), programs_.Main());
  room_.WaitForAnnouncement("Rollkeep: loaded", 0, kDeadline);
  ExpectRoster({});
}

void Demonstration::TurnOn() {
  PressButton(driver::kOnButton, "on");
  const auto on = room_.WaitForAnnouncement(
      "Rollkeep: turned on, type <u><b>list me</b></u> to be listed", 0, kDeadline);
  Expect(on.ms < Ms(kAliceList),
         "Rollkeep was turned on only at " + FormatClock(on.ms) + ", after the members' first "
         "\"list me\" at " + FormatClock(Ms(kAliceList)) + ": starting took too long");
}

void Demonstration::MemberLists(const MemberLine& line, const Roster& after) {
  const auto said = room_.WaitForSaid(line.name, line.text, kDeadline);
  const auto added = room_.WaitForAnnouncement(
      "Rollkeep: <u>" + line.name + "</u> has been added to the list", said.ms, kDeadline);
  Expect(added.ms - said.ms >= kAnswerDelayMs,
         "Rollkeep answered " + line.name + " after only " + std::to_string(added.ms - said.ms) +
             " ms; it waits at least " + std::to_string(kAnswerDelayMs) + " ms");
  ExpectRoster(after);
}

void Demonstration::MemberRemoves(const MemberLine& line, const Roster& after) {
  const auto said = room_.WaitForSaid(line.name, line.text, kDeadline);
  room_.WaitForAnnouncement("Rollkeep: <u>" + line.name + "</u> has been removed from list",
                            said.ms, kDeadline);
  ExpectRoster(after);
}

// Absence can only be shown over time: for a while after the line nothing
// is announced and the list stays as it was.
void Demonstration::NothingHappensAfter(const MemberLine& line, const Roster& roster,
                                        const std::string& why) {
  const auto said = room_.WaitForSaid(line.name, line.text, kDeadline);
  const auto until = driver::Clock::now() + kQuietPeriod;
  while (driver::Clock::now() < until) {
    const auto posted = room_.AnnouncementsSince(said.ms);
    Expect(posted.empty(), line.name + " said \"" + line.text + "\" and Rollkeep announced \"" +
                               (posted.empty() ? "" : posted.front().text) +
                               "\"; expected nothing");
    const auto items = programs_.Roster().items;
    Expect(items == roster, line.name + " said \"" + line.text + "\" and the list became " +
                                Joined(items) + "; expected it to stay " + Joined(roster));
    std::this_thread::sleep_for(driver::kPollInterval);
  }
  narrator_.Note(why + " (list: " + Joined(roster) + ")");
}

void Demonstration::TakeScreenshot() {
  const auto answers = [](HWND window) { return driver::Answers(window, kDeadline); };
  Expect(answers(programs_.ClientFrame()) && answers(programs_.Main()),
         "a window does not answer; no screenshot taken");
  std::this_thread::sleep_for(kPaintTime);
  const RECT area = AreaAround(programs_.ClientFrame(), programs_.Main(), kScreenshotMargin);
  SaveScreenArea(area, options_.screenshot.windows);
  narrator_.Note("screenshot of both windows taken (" +
                 std::to_string(area.right - area.left) + "x" +
                 std::to_string(area.bottom - area.top) + ")");
}

void Demonstration::SaveList(const Roster& roster) {
  const long long since = LastLogMs();
  PressButton(driver::kSaveButton, "save list");
  HWND dialog = driver::WaitForFileDialog(programs_.RollkeepId(), kDeadline);
  narrator_.Operator("types " + savedList_.windows + " into the save dialog and clicks OK");
  driver::ChooseFile(dialog, savedList_.windows);
  room_.WaitForAnnouncement("Rollkeep: list saved", since, kDeadline);
  const auto bytes = driver::ReadFileBytes(savedList_.windows);
  Expect(bytes.has_value(), "Rollkeep announced the save but " + savedList_.shown +
                                " does not exist");
  Expect(*bytes == RosterFileBytes(roster),
         "the saved file does not hold " + Joined(roster) + ", one per line");
  narrator_.Note("saved " + savedList_.shown + " (" + std::to_string(bytes->size()) +
                 " bytes, each name ends in CR CR LF):");
  for (const auto& name : roster) narrator_.Note("  | " + name);
}

void Demonstration::RemoveSelected(const std::string& name, const Roster& after) {
  const auto before = programs_.Roster().items;
  const auto at = std::find(before.begin(), before.end(), name);
  Expect(at != before.end(), name + " is not in the list to be selected");
  const int index = static_cast<int>(at - before.begin());
  Pause();
  narrator_.Operator("selects \"" + name + "\" in Rollkeep's list");
  driver::SelectListItem(programs_.RosterBox(), index);
  Expect(programs_.Roster().selection == index, "the list did not select " + name);
  const long long since = LastLogMs();
  PressButton(driver::kRemoveSelectedButton, "remove selected");
  room_.WaitForAnnouncement("Rollkeep: " + name + " has been removed from list", since,
                            kDeadline);
  ExpectRoster(after);
}

void Demonstration::TurnOff() {
  const long long since = LastLogMs();
  PressButton(driver::kOffButton, "off");
  room_.WaitForAnnouncement("Rollkeep: turned off no more listing", since, kDeadline);
}

void Demonstration::CloseRollkeep() {
  Pause();
  narrator_.Operator("closes Rollkeep's main window");
  const long long since = LastLogMs();
  driver::Close(programs_.Main());
  const auto prompt =
      driver::WaitForMessageBox(programs_.RollkeepId(), "Rollkeep", kDeadline);
  Expect(prompt.text == "do you wish to save your list?",
         "the close prompt says \"" + prompt.text + "\"");
  narrator_.Note("Rollkeep asks: \"" + prompt.text + "\"");
  Pause();
  narrator_.Operator("answers No");
  driver::AnswerMessageBox(prompt.window, IDNO);
  room_.WaitForAnnouncement("Rollkeep: unloaded, no more listing", since, kDeadline);
  Expect(programs_.Rollkeep().WaitForExit(kDeadline), "Rollkeep did not end after closing");
  narrator_.Note("Rollkeep has ended");
}

void Demonstration::Finish() {
  const std::string fault = room_.PostingFault();
  Expect(fault.empty(), "Rollkeep's typing into the room went wrong: " + fault);
  narrator_.Line("  -- closing the chat client");
  programs_.CloseClient();
  feed_.Stop();
  narrator_.Line("");
  narrator_.Line("saved list: " + savedList_.shown);
  narrator_.Line("room log:   " + log_.shown);
  narrator_.Line("screenshot: " + options_.screenshot.shown);
}

void Demonstration::ExpectRoster(const Roster& expected) {
  const auto shown = driver::WaitForItems(programs_.RosterBox(), expected, kDeadline).items;
  Expect(shown == expected,
         "Rollkeep's list shows " + Joined(shown) + "; expected " + Joined(expected));
  narrator_.Note("Rollkeep's list: " + Joined(shown));
}

void Demonstration::PressButton(int id, const std::string& caption) {
  Pause();
  narrator_.Operator("clicks \"" + caption + "\"");
  programs_.Press(id);
}

long long Demonstration::LastLogMs() {
  const auto events = feed_.Events();
  return events.empty() ? 0 : events.back().ms;
}

void Demonstration::Pause() const { std::this_thread::sleep_for(kViewerPause); }

}  // namespace rollkeep::demo
