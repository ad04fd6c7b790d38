// Writing and reading a full roster file (32,767 entries of realistic
// screen names, 10 to 16 bytes each).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "roster/roster.h"
#include "rosterfile/roster_file.h"

namespace {

// Screen names of 10 to 16 letters, digits and spaces, the same every run.
std::vector<std::string> FullRoster() {
  static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  std::vector<std::string> names;
  names.reserve(rollkeep::Roster::kCapacity);
  for (int i = 0; i < rollkeep::Roster::kCapacity; ++i) {
    std::string name(10 + next() % 7, ' ');
    name.front() = kChars[next() % 52];
    for (std::size_t k = 1; k < name.size(); ++k) name[k] = kChars[next() % (sizeof kChars - 1)];
    names.push_back(std::move(name));
  }
  return names;
}

void RosterFileEncode(benchmark::State& state) {
  const std::vector<std::string> names = FullRoster();
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string file = rollkeep::EncodeRoster(names);
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(RosterFileEncode)->Unit(benchmark::kMillisecond);

void RosterFileDecode(benchmark::State& state) {
  const std::string file = rollkeep::EncodeRoster(FullRoster());
  for (auto _ : state) {
    std::vector<std::string> names = rollkeep::DecodeRoster(file, rollkeep::Roster::kCapacity);
    benchmark::DoNotOptimize(names.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(RosterFileDecode)->Unit(benchmark::kMillisecond);

}  // namespace
