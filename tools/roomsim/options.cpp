#include "options.h"

#include "seconds.h"

#include <initializer_list>
#include <string_view>
#include <utility>

namespace roomsim {

const char kUsage[] =
    "Usage: roomsim [options]\n"
    "A stand-in for the chat client: a frame with a chat room whose entry box\n"
    "takes WM_SETTEXT and sends its text as the operator on WM_CHAR 13.\n"
    "\n"
    "  --operator NAME       the operator's screen name (default Host)\n"
    "  --script FILE         member lines to replay, one per line:\n"
    "                          <seconds> <screen name>: <text>\n"
    "                        blank lines and lines starting with # are skipped\n"
    "  --log FILE            record entry-box messages and transcript lines\n"
    "  --exit-after SECONDS  end the program after that time\n"
    "  --keep-lines N        transcript lines kept (default 1000)\n"
    "  --hang-after SECONDS  stop handling window messages after that time\n"
    "  --line-end crlf|cr|lf|separate\n"
    "                        how transcript lines end (default crlf; separate:\n"
    "                        CR LF between lines, none after the last)\n"
    "  --speaker-mark tab|space\n"
    "                        what follows the speaker's colon (default tab)\n"
    "  --hang-for SECONDS    with --hang-after: handle them again after that long\n"
    "  --help                show this text\n";

namespace {

constexpr int kMaxKeepLines = 10'000'000;

struct Parser {
  Options options;
  std::string error;

  bool Fail(std::string message) {
    error = std::move(message);
    return false;
  }

  bool Seconds(std::string_view name, const std::string& value,
               std::optional<std::int64_t>& out) {
    auto ms = ParseSeconds(value);
    if (!ms) return Fail(std::string(name) + " needs non-negative seconds, got '" + value + "'");
    out = ms;
    return true;
  }

  bool Count(std::string_view name, const std::string& value, int& out) {
    long long n = 0;
    for (char c : value) {
      if (c < '0' || c > '9' || (n = n * 10 + (c - '0')) > kMaxKeepLines) {
        return Fail(std::string(name) + " needs a whole number from 1 to " +
                    std::to_string(kMaxKeepLines) + ", got '" + value + "'");
      }
    }
    if (value.empty() || n < 1) {
      return Fail(std::string(name) + " needs a whole number of at least 1");
    }
    out = static_cast<int>(n);
    return true;
  }

  bool Text(std::string_view name, const std::string& value, std::string& out) {
    if (value.empty()) return Fail(std::string(name) + " needs a non-empty value");
    if (value.find_first_of("\r\n") != std::string::npos) {
      return Fail(std::string(name) + " must not contain a line break");
    }
    out = value;
    return true;
  }

  template <typename Choice>
  bool Pick(std::string_view name, const std::string& value,
            std::initializer_list<std::pair<const char*, Choice>> choices, Choice& out) {
    std::string names;
    for (const auto& [word, choice] : choices) {
      if (value == word) {
        out = choice;
        return true;
      }
      names += names.empty() ? word : std::string("|") + word;
    }
    return Fail(std::string(name) + " needs one of " + names + ", got '" + value + "'");
  }

  bool Apply(std::string_view name, const std::string& value) {
    if (name == "--operator") return Text(name, value, options.operatorName);
    if (name == "--script") return Text(name, value, options.scriptPath);
    if (name == "--log") return Text(name, value, options.logPath);
    if (name == "--exit-after") return Seconds(name, value, options.exitAfterMs);
    if (name == "--hang-after") return Seconds(name, value, options.hangAfterMs);
    if (name == "--hang-for") return Seconds(name, value, options.hangForMs);
    if (name == "--keep-lines") return Count(name, value, options.keepLines);
    if (name == "--line-end") {
      return Pick(name, value,
                  {{"crlf", LineEnd::CrLf}, {"cr", LineEnd::Cr}, {"lf", LineEnd::Lf},
                   {"separate", LineEnd::Separate}},
                  options.lineEnd);
    }
    if (name == "--speaker-mark") {
      return Pick(name, value, {{"tab", SpeakerMark::Tab}, {"space", SpeakerMark::Space}},
                  options.speakerMark);
    }
    return Fail("unknown option '" + std::string(name) + "'");
  }

  bool TakesValue(std::string_view name) {
    return name == "--operator" || name == "--script" || name == "--log" ||
           name == "--exit-after" || name == "--hang-after" || name == "--keep-lines" ||
           name == "--line-end" || name == "--speaker-mark" ||
           name == "--hang-for";
  }

  bool Parse(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
      const std::string& arg = args[i];
      if (arg == "--help") {
        options.help = true;
        continue;
      }
      if (arg.rfind("--", 0) != 0) return Fail("unexpected argument '" + arg + "'");
      std::size_t eq = arg.find('=');
      if (eq != std::string::npos) {
        if (!Apply(std::string_view(arg).substr(0, eq), arg.substr(eq + 1))) return false;
        continue;
      }
      if (!TakesValue(arg)) return Fail("unknown option '" + arg + "'");
      if (i + 1 == args.size()) return Fail(arg + " needs a value");
      if (!Apply(arg, args[++i])) return false;
    }
    if (options.hangForMs && !options.hangAfterMs) return Fail("--hang-for needs --hang-after");
    return true;
  }
};

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& args) {
  Parser parser;
  parser.Parse(args);
  return {parser.options, parser.error};
}

}  // namespace roomsim
