// roomsim.exe: a stand-in for the chat client, with the client's window
// classes and the behaviour of its chat room, for trying and testing Rollkeep
// without the real client.

#include "command_line.h"
#include "console.h"
#include "event_log.h"
#include "frame.h"
#include "options.h"
#include "script.h"

#include <windows.h>

#include <exception>
#include <fstream>
#include <iterator>
#include <optional>

namespace roomsim {
namespace {

constexpr int kBadUsage = 2;
constexpr int kFailed = 1;

int Refuse(const std::string& message) {
  WriteStderr("roomsim: " + message + "\nTry 'roomsim --help'.\n");
  return kBadUsage;
}

std::optional<std::string> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return content;
}

int Run(HINSTANCE instance, int show) {
  Stopwatch clock;
  std::vector<std::string> args = SplitCommandLine(::GetCommandLineA());
  args.erase(args.begin());
  ParsedOptions parsed = ParseOptions(args);
  if (!parsed.error.empty()) return Refuse(parsed.error);
  const Options& options = parsed.options;
  if (options.help) {
    WriteStdout(kUsage);
    return 0;
  }
  ParsedScript script;
  if (!options.scriptPath.empty()) {
    auto content = ReadFile(options.scriptPath);
    if (!content) return Refuse("cannot read the script '" + options.scriptPath + "'");
    script = ParseScript(*content);
    if (!script.error.empty()) return Refuse(options.scriptPath + ": " + script.error);
  }
  EventLog log;
  if (!options.logPath.empty() && !log.Open(options.logPath)) {
    return Refuse("cannot write the log '" + options.logPath + "'");
  }
  log.StartClock(clock);
  Frame frame(instance, options, std::move(script.events), log, clock);
  if (!frame.Create(show)) {
    WriteStderr("roomsim: cannot create the client's windows\n");
    return kFailed;
  }
  return frame.Run();
}

}  // namespace
}  // namespace roomsim

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  try {
    return roomsim::Run(instance, show);
  } catch (const std::exception& e) {
    roomsim::WriteStderr(std::string("roomsim: ") + e.what() + "\n");
  } catch (...) {
    roomsim::WriteStderr("roomsim: unexpected failure\n");
  }
  return roomsim::kFailed;
}
