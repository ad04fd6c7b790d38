// The transcript follower's share of one read of the room: a quiet room (the
// same transcript read again) and one new line, over transcripts of 1,000 and
// 200,000 lines. The scanner spaces its reads by what a read costs, so this
// cost (with the window text read itself) sets how often a long transcript
// is read.

#include <benchmark/benchmark.h>

#include <string>

#include "room/transcript_follower.h"

namespace {

std::string History(int lines) {
  std::string text;
  for (int n = 0; n < lines; ++n) {
    text += "Member ";
    text += std::to_string(n % 500);
    text += ":\tsaid something in the room\r\n";
  }
  return text;
}

void QuietRoom(benchmark::State& state) {
  const std::string text = History(static_cast<int>(state.range(0)));
  rollkeep::TranscriptFollower follower;
  follower.Reset(text);
  for (auto _ : state) benchmark::DoNotOptimize(follower.Update(text));
}

void OneLineSaid(benchmark::State& state) {
  const std::string text = History(static_cast<int>(state.range(0)));
  const std::string more = text + "Ann:\tlist me\r\n";
  rollkeep::TranscriptFollower follower;
  for (auto _ : state) {
    follower.Reset(text);
    benchmark::DoNotOptimize(follower.Update(more));
  }
}

// The reads that find no place where all remembered lines agree: the
// transcript read empty once and then shown again, a line changed in place
// near the bottom, and an overflow (no remembered line left).
void ReadEmptyThenShownAgain(benchmark::State& state) {
  const std::string text = History(static_cast<int>(state.range(0)));
  rollkeep::TranscriptFollower follower;
  for (auto _ : state) {
    follower.Reset(text);
    follower.Update("");
    benchmark::DoNotOptimize(follower.Update(text));
  }
}

void LineChangedInPlace(benchmark::State& state) {
  const std::string text = History(static_cast<int>(state.range(0)));
  std::string changed = text;
  changed.replace(changed.size() - 10, 2, "(:");
  rollkeep::TranscriptFollower follower;
  for (auto _ : state) {
    follower.Reset(text);
    benchmark::DoNotOptimize(follower.Update(changed));
  }
}

void Overflow(benchmark::State& state) {
  const std::string text = History(static_cast<int>(state.range(0)));
  std::string other = text;
  for (char& c : other) {
    if (c == 's') c = 'S';
  }
  rollkeep::TranscriptFollower follower;
  for (auto _ : state) {
    follower.Reset(text);
    benchmark::DoNotOptimize(follower.Update(other));
  }
}

}  // namespace

BENCHMARK(ReadEmptyThenShownAgain)->Arg(1000)->Arg(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(LineChangedInPlace)->Arg(1000)->Arg(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Overflow)->Arg(1000)->Arg(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(QuietRoom)->Arg(1000)->Arg(200000)->Unit(benchmark::kMicrosecond);
BENCHMARK(OneLineSaid)->Arg(1000)->Arg(200000)->Unit(benchmark::kMicrosecond);
