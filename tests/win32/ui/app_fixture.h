#pragma once
// Runs the real program in the test's own process: the application object
// with its splash and main window, beside a model chat client whose entry box
// records what Rollkeep typed into it. Ending the program closes the windows
// but leaves the test running.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "model_chat_client.h"
#include "platform/win32/ui/application.h"
#include "platform/win32/ui/main_layout.h"

namespace rollkeep::uitest {

class AppTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  // Double-clicks the splash, which opens the main window.
  void OpenMain();
  // BM_CLICK on a button of the main window.
  void Click(int controlId);
  // The operator clicks entry `index` of List1.
  void SelectInList(int index);
  HWND Control(int controlId) const;
  HWND main() const { return app->mainWindow(); }
  std::vector<std::string> Announcements() const { return client->Announcements(); }
  // Handles messages until `count` announcements have been posted.
  bool WaitForAnnouncements(size_t count, int timeoutMs = 5000);

  std::unique_ptr<ModelChatClient> client;
  std::unique_ptr<win32::Application> app;
};

}  // namespace rollkeep::uitest
