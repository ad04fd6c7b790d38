#pragma once
// The main window's behaviour wired to the real roster, chat command handler
// and roster files, with fakes around it that all write into one event log.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_file_system.h"
#include "roster/roster.h"
#include "support/fake_ports.h"
#include "support/fake_windows.h"
#include "windows/frm_main.h"

namespace rollkeep::testing {

class MainWindowTest : public ::testing::Test {
protected:
  using Steps = std::vector<std::string>;

  // Starts from this roster, with `selected` selected (-1: nothing), and an
  // empty log.
  void SetRoster(const std::vector<std::string>& names, int selected = -1) {
    roster.assign(names);
    if (selected >= 0) roster.select(selected);
    log.Clear();
  }

  EventLog log;
  Roster roster;
  FakePoster posts;
  FakeWaiter waits;
  LoggingPoster poster{log, posts};
  LoggingWaiter waiter{log, waits};
  FakeChatScanner iChat2{log};
  // Both buttons start enabled; the timer starts running until Form_Load stops it.
  FakeSwitch timer1{log, "Timer1", true};
  FakeSwitch command1{log, "Command1", true};
  FakeSwitch command2{log, "Command2", true};
  FakeFileDialog dialog{log};
  FakePrompt prompt{log};
  MemoryFileSystem files;
  FakeMainWindowShell shell{log};
  FrmMain frm{{roster, poster, waiter, iChat2, timer1, command1, command2, dialog, prompt,
               files, shell}};
};

}  // namespace rollkeep::testing
