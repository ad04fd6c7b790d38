#pragma once
// The simulator's command-line options.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace roomsim {

// How the transcript ends its lines ("separate": lines separated by CR LF,
// the last one without an ending) and what follows the speaker's colon.
enum class LineEnd { CrLf, Cr, Lf, Separate };
enum class SpeakerMark { Tab, Space };

struct Options {
  std::string operatorName = "Host";
  std::string scriptPath;  // empty: no script
  std::string logPath;     // empty: no log
  std::optional<std::int64_t> exitAfterMs;
  std::optional<std::int64_t> hangAfterMs;
  std::optional<std::int64_t> hangForMs;  // empty: the hang lasts for good
  int keepLines = 1000;
  LineEnd lineEnd = LineEnd::CrLf;
  SpeakerMark speakerMark = SpeakerMark::Tab;
  bool help = false;
};

struct ParsedOptions {
  Options options;
  std::string error;  // empty when the arguments were valid
};

// Parses the arguments after the program name. Each option takes its value as
// the next argument or after '=' ("--log FILE", "--log=FILE").
ParsedOptions ParseOptions(const std::vector<std::string>& args);

// The text printed for --help.
extern const char kUsage[];

}  // namespace roomsim
