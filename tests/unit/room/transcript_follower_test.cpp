#include "room/transcript_follower.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "roster/chat_commands.h"

namespace rollkeep {
namespace {

using Lines = std::vector<std::string>;

// How a client writes its transcript: the ending after each line, and
// whether the last line goes without one (lines separated, not ended).
struct Format {
  const char* name;
  std::string end;
  bool separate = false;
};

const Format kCrLf{"CR LF", "\r\n"}, kCr{"CR", "\r"}, kLf{"LF", "\n"},
    kSeparate{"separate", "\r\n", true};
const Format kFormats[] = {kCrLf, kCr, kLf, kSeparate};

// A transcript holding `lines` in `format`, then `partial`.
std::string Transcript(const Lines& lines, const std::string& partial = "",
                       const Format& format = kCrLf) {
  std::string text;
  for (const std::string& line : lines) text += line + format.end;
  if (format.separate && !lines.empty()) text.resize(text.size() - format.end.size());
  return text + partial;
}

// "<name>:\t<n>" for n in [from, to], then `more`.
Lines Numbered(int from, int to, const Lines& more = {}, const std::string& name = "Ann") {
  Lines lines;
  for (int n = from; n <= to; ++n) lines.push_back(name + ":\t" + std::to_string(n));
  lines.insert(lines.end(), more.begin(), more.end());
  return lines;
}

// `lines` with the lines at `at` re-rendered in place: "Ann:\t3" reads "Ann:\t(3)".
Lines Changed(Lines lines, std::initializer_list<std::size_t> at) {
  for (const std::size_t i : at) {
    const std::size_t text = lines[i].find('\t') + 1;
    lines[i] = lines[i].substr(0, text) + "(" + lines[i].substr(text) + ")";
  }
  return lines;
}

struct Case {
  const char* name;
  Lines baseline;
  std::vector<std::pair<Lines, Lines>> steps;  // lines shown, lines said since the last read
};

// Each case in each format. A client that separates its lines shows its last
// line without an ending: it is heard at the next read that shows it the
// same, so every snapshot is read twice.
TEST(TranscriptFollower, HearsEveryLineInEveryFormat) {
  const Lines listMe = {"Zed:\tlist me"};
  const Case cases[] = {
      {"BaselineIsNotReplayed", Numbered(1, 3),
       {{Numbered(1, 3), {}}, {Numbered(1, 4), Numbered(4, 4)}}},
      {"LinesBetweenTwoReads", Numbered(1, 2),
       {{Numbered(1, 5), Numbered(3, 5)}, {Numbered(1, 6), Numbered(6, 6)}}},
      {"TrimmedFromTheTop", Numbered(1, 40),
       {{Numbered(2, 40), {}},                   // without appends
        {Numbered(4, 42), Numbered(41, 42)},     // with appends
        {Numbered(38, 45), Numbered(43, 45)},    // past the remembered lines
        {Numbered(44, 46), Numbered(46, 46)}}},  // down to the last two lines
      {"TwelveLinesIntoATranscriptThatKeepsTen", Numbered(1, 10),
       {{Numbered(14, 22, listMe), Numbered(14, 22, listMe)}, {Numbered(15, 22, listMe), {}}}},
      {"OverflowKeepingOnlyTheLastLineSeen", Numbered(1, 10),
       {{Numbered(10, 19), Numbered(11, 19)}}},
      {"RepeatedLineIsReportedEachTime", {"Ann:\thi"},
       {{{"Ann:\thi", "Ann:\thi", "Ann:\thi"}, {"Ann:\thi", "Ann:\thi"}},
        {{"Ann:\thi", "Ann:\thi", "Ann:\thi", "Ann:\thi"}, {"Ann:\thi"}}}},
      {"RepeatedRunAppendedAgain", Numbered(1, 3), {{Numbered(1, 3, Numbered(1, 3)), Numbered(1, 3)}}},
      {"ClearedThenRefilled", Numbered(1, 2), {{{}, {}}, {Numbered(9, 9), Numbered(9, 9)}}},
      {"ReadEmptyOnceThenShownAgain", Numbered(1, 3),
       {{{}, {}}, {Numbered(1, 3), {}}, {Numbered(1, 4), Numbered(4, 4)}}},
      {"ReadShorterOnceThenWhole", Numbered(1, 20),
       {{Numbered(1, 5), {}}, {Numbered(1, 21), Numbered(21, 21)}}},
      {"LinesChangedInPlace", Numbered(1, 6),
       {{Changed(Numbered(1, 6), {2}), {}},                       // in the middle
        {Changed(Numbered(1, 6), {2, 5}), {}},                    // the last one
        {Changed(Numbered(3, 8), {0, 2, 3}), Numbered(7, 8)}}},  // with lines trimmed and said
      // Ambiguous: a clear, then the same last lines again, is taken as a
      // transcript shown again; the only line shown changed is a line said.
      {"ClearedThenTheSameLastLines", Numbered(1, 3),
       {{{}, {}}, {Numbered(2, 3), {}}, {Numbered(2, 4), Numbered(4, 4)}}},
      {"TheOnlyLineChanged", Numbered(1, 1),
       {{Changed(Numbered(1, 1), {0}), Changed(Numbered(1, 1), {0})}}},
  };
  for (const Format& format : kFormats) {
    for (const Case& c : cases) {
      TranscriptFollower follower;
      follower.Reset(Transcript(c.baseline, "", format));
      for (std::size_t step = 0; step < c.steps.size(); ++step) {
        const auto& [shown, said] = c.steps[step];
        const std::string snapshot = Transcript(shown, "", format);
        Lines heard = follower.Update(snapshot);
        for (std::string& line : follower.Update(snapshot)) heard.push_back(std::move(line));
        EXPECT_EQ(heard, said) << format.name << ", " << c.name << ", step " << step;
      }
    }
  }
}

// Snapshots read in turn (a snapshot and the lines it reports), on exact text.
TEST(TranscriptFollower, ReportsExactlyTheNewLines) {
  const std::string hi = "Ann:\thi", half = "Bob:\thalf", big(1 << 20, 'x');
  const std::string long1 = hi + big, long2 = big + ":\t" + big;
  const Lines old = {"Amy:\tlist me", "Bo:\tlist me", "Cy:\tsaid something rather long",
                     "Zed:\tlist me"};
  // A burst of lines shorter than those it pushes out: as many lines, fewer characters.
  const Lines thousand = Numbered(0, 999, {}, "Member with a long name"), burst = Numbered(0, 999);
  const struct {
    const char* name;
    std::string baseline;
    std::vector<std::pair<std::string, Lines>> steps;
  } cases[] = {
      {"MixedLineEnds", "",
       {{"Ann:\ta\rBob:\tb\nCy:\tc\r\nDi:\td\n\rEd:\te\r\r\n",
         {"Ann:\ta", "Bob:\tb", "Cy:\tc", "Di:\td", "", "Ed:\te", ""}}}},
      {"CrAtTheEndThenItsLf", Transcript({hi}),
       {{Transcript({hi}, half + "\r"), {}},
        {Transcript({hi, half}), {half}},
        {Transcript({hi, half, hi}), {hi}}}},
      {"CrAtTheEndStaysAlone", Transcript({hi}),
       {{Transcript({hi}, half + "\r"), {}},
        {Transcript({hi}, half + "\r"), {half}},
        {Transcript({hi}, half + "\r\n"), {}},
        {Transcript({hi}, half + "\r" + hi + "\r"), {}},
        {Transcript({hi}, half + "\r" + hi + "\rx"), {hi}}}},
      {"LineStillBeingWritten", Transcript({hi}),
       {{Transcript({hi}, "Bob:\tha"), {}},
        {Transcript({hi}, "Bob:\thal"), {}},
        {Transcript({hi}, half), {}},
        {Transcript({hi}, half + "\n"), {half}},
        {Transcript({hi}, half + "\n"), {}}}},
      {"SeparatedLastLineHeardOnceThenEnded", Transcript({hi}),
       {{Transcript({hi}, half), {}},
        {Transcript({hi}, half), {half}},
        {Transcript({hi}, half), {}},
        {Transcript({hi, half}), {}},
        {Transcript({hi, half}, hi), {}}}},
      {"BaselineLineStillBeingWritten", Transcript({hi}, "Bob:\tha"),
       {{Transcript({hi, half}), {half}}}},
      {"BaselineLastLineWithoutEnding", Transcript({hi}, half),
       {{Transcript({hi}, half), {}}, {Transcript({hi, half, hi}), {hi}}}},
      {"ThousandSayListMeIntoAThousandLineTranscript", Transcript(thousand),
       {{Transcript(burst), burst}}},
      {"ReplacedByHistoryStartingWithTheLastLineSeen", Transcript(old),
       {{Transcript({old.back(), "Amy:\tlist me", "Bo:\tlist me"}), {}},
        {Transcript({old.back(), "Amy:\tlist me", "Bo:\tlist me", hi}), {hi}}}},
      {"NoFalseContinuationOnOneLineInTheMiddle", Transcript(old),
       {{Transcript({"Al:\tlist me", old.back(), hi}), {}}}},
      {"ReplacedByAnotherNamedHistory", Transcript(Numbered(1, 3)),
       {{Transcript(Numbered(1, 2, {}, "Zed")), {}},
        {Transcript(Numbered(1, 3, {}, "Zed")), Numbered(3, 3, {}, "Zed")}}},
      {"RepeatedLinesWhileTrimmed", Transcript({"Bob:\tx", hi, hi}),
       {{Transcript({hi, hi, hi}), {hi}}, {Transcript({hi, hi, hi}), {}}}},
      {"OneMegabyteLines", Transcript({hi}),
       {{Transcript({hi}, long1 + "\r"), {}},
        {Transcript({hi, long1, long2}), {long1, long2}},
        {Transcript({long2, hi, hi}), {hi, hi}}}},
  };
  for (const auto& c : cases) {
    TranscriptFollower follower;
    follower.Reset(c.baseline);
    for (std::size_t step = 0; step < c.steps.size(); ++step) {
      const auto& [snapshot, expected] = c.steps[step];
      EXPECT_EQ(follower.Update(snapshot), expected) << c.name << ", step " << step;
    }
  }
}

TEST(ParseChatLine, SplitsAtTheFirstColonTabOrSpace) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"Bob Smith:\tlist me", "Bob Smith|list me"}, {"Bob Smith: list me", "Bob Smith|list me"},
      {"a:b:\thi", "a:b|hi"},                       {"a:b: hi", "a:b|hi"},
      {"Bob:\tx:\ty", "Bob|x:\ty"},                 {"Bob: x: y", "Bob|x: y"},
      {"Bob:\t list me ", "Bob| list me "},         {"Bob:  list me", "Bob| list me"},
      {"Bob: \tlist me", "Bob|\tlist me"},          {"Bob:\t\tlist me", "Bob|\tlist me"},
      {"Bob:\t", "Bob|"},                           {"Bob: ", "Bob|"},
      {"J\xF6rg:\t\xE9t\xE9", "J\xF6rg|\xE9t\xE9"},
      {"*** Bob has entered the room", "notice"},   {"Bob:hi", "notice"},
      {"Bob:", "notice"},                           {":\tlist me", "notice"},
      {": list me", "notice"},                      {"", "notice"},
  };
  for (const auto& [line, expected] : cases) {
    const auto parts = ParseChatLine(line);
    EXPECT_EQ(parts ? parts->screenName + "|" + parts->text : "notice", expected) << line;
  }
}

}  // namespace
}  // namespace rollkeep
