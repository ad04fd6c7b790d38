// The recovery copy at the roster's capacity: one write (encode + safe
// replace on a real file), and the cost of a chat line with the copy kept
// coalesced, its share of the writes included.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "recovery/recovering_ports.h"
#include "recovery/recovery_keeper.h"
#include "roster/chat_commands.h"
#include "roster/roster.h"
#include "rosterfile/roster_file.h"
#include "std_file_system.h"

namespace {

using namespace rollkeep;
using SteadyClock = std::chrono::steady_clock;

std::vector<std::string> Members(int count) {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) names.push_back("Member " + std::to_string(i * 7919));
  return names;
}

struct Folder {
  Folder() { std::filesystem::create_directories(path); }
  ~Folder() { std::filesystem::remove_all(path); }
  std::string file() const { return (path / "roster-recovery.txt").string(); }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / "rollkeep-recovery-bench";
};

// Writes through the portable safe replace; the rest is not needed here.
struct StdRecoveryFiles final : RecoveryFiles {
  bool Exists(const std::string&) override { return false; }
  IoStatus Read(const std::string&, std::string&) override { return IoStatus::Failed("unused"); }
  IoStatus Write(const std::string& path, std::string_view bytes) override {
    ++writes;
    return files.WriteAllSafely(path, bytes);
  }
  IoStatus Remove(const std::string&) override { return IoStatus::Ok(); }
  IoStatus Rename(const std::string&, const std::string&) override { return IoStatus::Ok(); }
  std::string ModifiedText(const std::string&) override { return {}; }
  std::string NowStamp() override { return {}; }
  StdFileSystem files;
  long writes = 0;
};

// A one-shot timer on the real clock, fired by the benchmark loop when due.
struct SteadyTimer final : Timer {
  bool Start(unsigned ms) override {
    due = SteadyClock::now() + std::chrono::milliseconds(ms);
    return true;
  }
  void Stop() override { due.reset(); }
  bool Due() const { return due && SteadyClock::now() >= *due; }
  std::optional<SteadyClock::time_point> due;
};

struct Silent final : Answerer, Prompt {
  void Added(const std::string&, const std::string&) override {}
  void Removed(const std::string&) override {}
  void DropWaiting() override {}
  int Show(const std::string&, const std::string&, unsigned) override { return kAnswerOk; }
};

void RecoveryCopyWrite(benchmark::State& state) {
  Folder folder;
  const std::vector<std::string> names = Members(Roster::kCapacity);
  StdFileSystem files;
  for (auto _ : state) {
    const IoStatus written = files.WriteAllSafely(folder.file(), EncodeRoster(names));
    if (!written.ok) state.SkipWithError(written.reason.c_str());
  }
}

// "list me" by a newcomer, then "remove me" by the same, on a full roster,
// lines back to back; the copy is written by its one-second timer.
void ChatLineWithRecovery(benchmark::State& state) {
  Folder folder;
  Roster roster;
  roster.assign(Members(Roster::kCapacity - 1));
  StdRecoveryFiles files;
  SteadyTimer timer;
  Silent silent;
  RecoveryKeeper keeper(roster, files, timer, silent, {folder.path.string(), folder.file()});
  ChatCommandHandler chat(roster, silent);
  bool list = true;
  for (auto _ : state) {
    chat.Handle({list ? ChatCommand::Kind::List : ChatCommand::Kind::Remove, "Newcomer"});
    list = !list;
    if (timer.Due()) keeper.OnTimer();
  }
  state.counters["writes_per_line"] =
      benchmark::Counter(static_cast<double>(files.writes) / static_cast<double>(state.iterations()));
}

BENCHMARK(RecoveryCopyWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(ChatLineWithRecovery)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(3.0);

}  // namespace
