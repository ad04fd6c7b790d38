#pragma once
// The demonstration's command-line options.

#include <string>
#include <vector>

#include "own_desktop.h"

namespace rollkeep::demo {

// A path as the person gave it (shown in the output) and as the Windows
// programs open it (Linux paths become Z:\... under Wine).
struct DemoPath {
  std::string shown;
  std::string windows;
};

DemoPath MakeDemoPath(const std::string& given);

struct DemoOptions {
  DemoPath rollkeepExe;
  DemoPath roomsimExe;
  DemoPath workDir;     // emptied, then holds the script, the log, the saved list
  DemoPath screenshot;  // the BMP written of both windows
  // A desktop of this size for both programs (Wine only); {0, 0}: none.
  DesktopSize desktop;
  bool help = false;
};

struct ParsedDemoOptions {
  DemoOptions options;
  std::string error;  // empty when the arguments were valid
};

// Parses the arguments after the program name ("--name VALUE" or
// "--name=VALUE"); missing paths take the built-in defaults.
ParsedDemoOptions ParseDemoOptions(const std::vector<std::string>& args,
                                   const std::string& tempDir);

extern const char kDemoUsage[];

}  // namespace rollkeep::demo
