#pragma once
// A RoomChatScanner beside the chat client of real windows, with every line
// it raises recorded. Tests pump this thread's messages to let both run.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/scanner/room_chat_scanner.h"
#include "support/win32_client.h"

namespace rollkeep::win32::testing {

using namespace rollkeep::testing;
using Lines = std::vector<std::pair<std::string, std::string>>;  // (screen name, text)

class ScannerTest : public ::testing::Test {
protected:
  ScannerTest() {
    scanner_ = std::make_unique<RoomChatScanner>(
        [this](const std::string& name, const std::string& text) {
          heard_.emplace_back(name, text);
          if (onLine_) onLine_();
        });
  }
  ~ScannerTest() override { scanner_.reset(); }

  // Pumps until `count` lines were heard, then a little longer so that a line
  // raised twice would show.
  void PumpUntilHeard(std::size_t count) {
    PumpUntil([&] { return heard_.size() >= count; });
    PumpFor(400);
  }

  std::unique_ptr<ChatClient> client_ = std::make_unique<ChatClient>();
  std::unique_ptr<RoomChatScanner> scanner_;
  Lines heard_;
  std::function<void()> onLine_;  // runs inside the scanner's callback, once heard_ has the line
};

}  // namespace rollkeep::win32::testing
