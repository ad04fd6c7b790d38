// rollkeep_demo.exe: shows Rollkeep keeping a roster in the simulated chat
// client, checking every step; exits 0 when everything went as expected.

#include <windows.h>

#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "demonstration.h"
#include "narrator.h"
#include "options.h"
#include "own_desktop.h"

namespace {

using namespace rollkeep::demo;

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;
constexpr char kDesktopName[] = "RollkeepDemo";

std::string TempDir() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetTempPathA(sizeof path, path);
  return length > 0 && length < sizeof path ? std::string(path, length) : ".";
}

int Demonstrate(const DemoOptions& options) {
  Narrator narrator(std::cout);
  try {
    std::optional<OwnDesktop> desktop;
    if (options.desktop.width > 0) desktop.emplace(kDesktopName, options.desktop);
    Demonstration(options, narrator).Run();
  } catch (const std::exception& e) {
    std::cout << std::flush;
    std::cerr << "\nrollkeep_demo: FAILED: " << e.what() << std::endl;
    return kFailed;
  }
  narrator.Line("demo: everything went as expected");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedDemoOptions parsed = ParseDemoOptions(args, TempDir());
  if (!parsed.error.empty()) {
    std::cerr << "rollkeep_demo: " << parsed.error << "\n\n" << kDemoUsage;
    return kBadUsage;
  }
  if (parsed.options.help) {
    std::cout << kDemoUsage;
    return 0;
  }
  return Demonstrate(parsed.options);
}
