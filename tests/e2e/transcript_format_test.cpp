// Rollkeep hears the room whatever the format of the client's transcript:
// lines ended by CR LF, CR or LF, or separated (the last without an ending),
// the speaker followed by ":<TAB>" or ": ". And it hears a burst of commands
// larger than the transcript keeps.

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "driver/files.h"
#include "session.h"

namespace rollkeep::e2e {
namespace {

// Time enough for Rollkeep to start and be turned on before the first line.
constexpr double kLead = 10.0;

std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}

std::string ScriptLine(double seconds, const std::string& speaker, const std::string& text) {
  char at[32];
  std::snprintf(at, sizeof at, "%.3f ", seconds);
  return at + speaker + ": " + text + "\n";
}

class TranscriptFormat : public EndToEnd {
protected:
  // "list me", a line that is no command, and "remove me", under the client
  // options `format`: answered in order, the list empty at the end.
  void RunSession(const std::vector<std::string>& format) {
    WriteFileBytes(WorkPath("script.txt"), ScriptLine(kLead, "Ann Lee", "list me") +
                                               ScriptLine(kLead + 0.2, "Bob", " list me") +
                                               ScriptLine(kLead + 2.5, "annlee", "remove me"));
    std::vector<std::string> arguments{"--script", WorkPath("script.txt")};
    arguments.insert(arguments.end(), format.begin(), format.end());
    StartClient(arguments);
    const auto on = StartRollkeepTurnedOn();
    ASSERT_LT(on.ms, kLead * 1000) << "start-up took longer than the script's lead";
    const auto removed = WaitForPost("Rollkeep: <u>annlee</u> has been removed from list");
    std::this_thread::sleep_for(1000ms);  // for a wrongly handled line to show
    ExpectRoster({});
    EXPECT_EQ(WaitForAnnouncements(4), (std::vector<std::string>{"Rollkeep: loaded", on.text,
                                                                 Added("Ann Lee"), removed.text}));
  }
};

// Each line end once, each speaker mark twice: four starts in all.
TEST_F(TranscriptFormat, LinesEndedByCrLfSpeakerMarkTab) {
  RunSession({"--line-end", "crlf", "--speaker-mark", "tab"});
}
TEST_F(TranscriptFormat, LinesEndedByCrSpeakerMarkSpace) {
  RunSession({"--line-end", "cr", "--speaker-mark", "space"});
}
TEST_F(TranscriptFormat, LinesEndedByLfSpeakerMarkTab) {
  RunSession({"--line-end", "lf", "--speaker-mark", "tab"});
}
TEST_F(TranscriptFormat, LinesSeparatedSpeakerMarkSpace) {
  RunSession({"--line-end", "separate", "--speaker-mark", "space"});
}

// 200 members say "list me" at once into a transcript that keeps 100 lines.
// Every name still in the transcript when Rollkeep reads it is listed, in
// order: the list is the last names of the burst, at least 100 of them.
TEST_F(EndToEnd, BurstLargerThanTheTranscriptKeeps) {
  std::vector<std::string> names;
  std::string script;
  for (int n = 0; n < 200; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "Member%03d", n);
    names.emplace_back(name);
    script += ScriptLine(kLead, name, "list me");
  }
  WriteFileBytes(WorkPath("script.txt"), script);
  StartClient({"--script", WorkPath("script.txt"), "--keep-lines", "100"});
  const auto on = StartRollkeepTurnedOn();
  ASSERT_LT(on.ms, kLead * 1000) << "start-up took longer than the script's lead";

  // The answers are paced 0.7 s apart: the last of 100 comes after 70 s at least.
  const auto last = WaitForPost(Added(names.back()), 300s);
  std::this_thread::sleep_for(1500ms);  // for a line heard twice to show
  const std::vector<std::string> listed = programs_.Roster().items;
  ASSERT_GE(listed.size(), 100u);
  ASSERT_LE(listed.size(), names.size());
  EXPECT_EQ(listed, std::vector<std::string>(names.end() - static_cast<std::ptrdiff_t>(listed.size()),
                                             names.end()));
  long long burst = 0;
  for (const auto& line : SaidLines(LogEvents())) {
    if (line.speaker == names.back()) burst = line.ms;
  }
  std::printf("burst of 200 into a 100-line transcript: %lu listed; burst -> last answer %.1f s\n",
              static_cast<unsigned long>(listed.size()), (last.ms - burst) / 1000.0);
}

}  // namespace
}  // namespace rollkeep::e2e
