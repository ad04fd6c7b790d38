#include "options.h"

#include "driver/command_line.h"

#include <map>

#ifndef DEMO_ROLLKEEP_EXE
#define DEMO_ROLLKEEP_EXE ""
#endif
#ifndef DEMO_ROOMSIM_EXE
#define DEMO_ROOMSIM_EXE ""
#endif

namespace rollkeep::demo {

const char kDemoUsage[] =
    "Usage: rollkeep_demo [options]\n"
    "Runs roomsim.exe and rollkeep.exe and shows Rollkeep keeping a roster:\n"
    "members list and remove themselves, the operator saves, removes, turns\n"
    "Rollkeep off and closes it. Exits 0 when everything went as expected.\n"
    "\n"
    "  --rollkeep EXE     rollkeep.exe (default: the one built with the demo)\n"
    "  --roomsim EXE      roomsim.exe (default: the one built with the demo)\n"
    "  --work DIR         folder for the script, the log and the saved list;\n"
    "                     its files are deleted first (default: %TEMP%\\rollkeep-demo)\n"
    "  --screenshot FILE  BMP of both windows (default: DIR\\rollkeep-demo.bmp)\n"
    "  --desktop WxH      under Wine: run both programs in a virtual desktop of\n"
    "                     that size (Wine then draws the title bars itself)\n"
    "  --help             show this text\n";

DemoPath MakeDemoPath(const std::string& given) {
  return {given, driver::ToWinePath(given)};
}

namespace {

using Values = std::map<std::string, std::string>;

std::string Parse(const std::vector<std::string>& args, Values& values, bool& help) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    if (name == "--help") {
      help = true;
      continue;
    }
    if (!name.starts_with("--")) return "unexpected argument '" + name + "'";
    std::string value;
    const auto eq = name.find('=');
    const bool inlineValue = eq != std::string::npos;
    if (inlineValue) {
      value = name.substr(eq + 1);
      name.resize(eq);
    }
    if (!values.contains(name)) return "unknown option '" + name + "'";
    if (!inlineValue) {
      if (i + 1 == args.size()) return name + " needs a value";
      value = args[++i];
    }
    if (value.empty()) return name + " needs a non-empty value";
    values[name] = value;
  }
  return {};
}

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

ParsedDemoOptions ParseDemoOptions(const std::vector<std::string>& args,
                                   const std::string& tempDir) {
  Values values{{"--rollkeep", DEMO_ROLLKEEP_EXE},
                {"--roomsim", DEMO_ROOMSIM_EXE},
                {"--work", WithoutTrailingSlash(tempDir) + "\\rollkeep-demo"},
                {"--screenshot", ""},
                {"--desktop", ""}};
  ParsedDemoOptions parsed;
  parsed.error = Parse(args, values, parsed.options.help);
  if (!parsed.error.empty()) return parsed;
  for (const char* program : {"--rollkeep", "--roomsim"}) {
    if (values[program].empty()) {
      parsed.error = std::string(program) + " is needed: this build has no default";
      return parsed;
    }
  }
  if (!values["--desktop"].empty()) {
    parsed.options.desktop = ParseDesktopSize(values["--desktop"]);
    if (parsed.options.desktop.width == 0) {
      parsed.error = "--desktop needs a size such as 1100x640, got '" + values["--desktop"] + "'";
      return parsed;
    }
  }
  const std::string work = WithoutTrailingSlash(values["--work"]);
  if (values["--screenshot"].empty()) {
    const char separator = work.starts_with('/') ? '/' : '\\';
    values["--screenshot"] = work + separator + "rollkeep-demo.bmp";
  }
  DemoOptions& options = parsed.options;
  options.rollkeepExe = MakeDemoPath(values["--rollkeep"]);
  options.roomsimExe = MakeDemoPath(values["--roomsim"]);
  options.workDir = MakeDemoPath(work);
  options.screenshot = MakeDemoPath(values["--screenshot"]);
  return parsed;
}

}  // namespace rollkeep::demo
