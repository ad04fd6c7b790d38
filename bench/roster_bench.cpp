// "list me" and "remove me" on rosters of growing size: the roster procedures
// against the pairwise duplicate walk that a plain loop would do.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "roster/name_matching.h"
#include "roster/roster.h"

namespace {

using rollkeep::Roster;

constexpr char kSpeaker[] = "Speaker Of The Line";

// Distinct screen-name-like entries.
Roster DistinctRoster(int count) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) names.push_back(std::string("Member ").append(std::to_string(i * 7919)));
  Roster roster;
  roster.assign(std::move(names));
  return roster;
}

// Compares every entry with every later one, removing copies one at a time.
void PairwiseDropDuplicates(Roster& roster) {
  for (int i = 0; i < roster.count(); ++i) {
    int j = i + 1;
    while (j < roster.count()) {
      if (roster.at(j) == roster.at(i)) {
        roster.removeAt(j);
      } else {
        ++j;
      }
    }
  }
}

// "list me" by a new member. Taking the last entry off again restores the
// roster in constant time, so it stays inside the timing. At capacity one
// entry is left out so that the append fits.
template <void (*Drop)(Roster&)>
void ListMe(benchmark::State& state) {
  Roster roster = DistinctRoster(static_cast<int>(state.range(0)) - 1);
  for (auto _ : state) {
    roster.append(kSpeaker);
    Drop(roster);
    benchmark::DoNotOptimize(roster.count());
    roster.removeAt(roster.count() - 1);
  }
}

// "remove me" by the last member; appending the entry back costs constant
// time and stays inside the timing.
void RemoveMe(benchmark::State& state) {
  Roster roster = DistinctRoster(static_cast<int>(state.range(0)) - 1);
  for (auto _ : state) {
    roster.append(kSpeaker);
    if (Brask32::MarkMatches("speaker of the line", roster)) Brask32::DropSelected(roster);
    benchmark::DoNotOptimize(roster.count());
  }
}

// "remove me" whose entry is the first one: the whole roster is compared.
void RemoveMeFirstEntry(benchmark::State& state) {
  Roster roster = DistinctRoster(static_cast<int>(state.range(0)) - 1);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> names = roster.entries();
    names.insert(names.begin(), kSpeaker);
    roster.assign(std::move(names));
    state.ResumeTiming();
    if (Brask32::MarkMatches("speaker of the line", roster)) Brask32::DropSelected(roster);
    benchmark::DoNotOptimize(roster.count());
  }
}

constexpr int kCapacity = Roster::kCapacity;

BENCHMARK(ListMe<Brask32::DropDuplicates>)
    ->Name("ListMe/hash_table")
    ->Arg(100)->Arg(1000)->Arg(kCapacity)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(ListMe<PairwiseDropDuplicates>)
    ->Name("ListMe/pairwise_walk")
    ->Arg(100)->Arg(1000)->Arg(kCapacity)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(0.05);
BENCHMARK(RemoveMe)->Arg(100)->Arg(1000)->Arg(kCapacity)->Unit(benchmark::kMicrosecond);
BENCHMARK(RemoveMeFirstEntry)->Arg(100)->Arg(1000)->Arg(kCapacity)->Unit(benchmark::kMicrosecond);

}  // namespace
