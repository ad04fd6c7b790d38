#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "client_thread.h"
#include "scanner_fixture.h"

namespace rollkeep::win32::testing {
namespace {

using HeardLines = std::vector<Heard>;

// A client that stops answering costs each tick at most the read's timeout,
// and what it says once it answers again is still heard.
TEST_F(ScannerTest, HungClientHoldsNoTickLongAndIsHeardAfterwards) {
  ClientThread client;
  scanner_->BeginWatch();
  client.HangThenSay(3000, "Ann", "back again");
  PumpUntil([&] { return !heard_.empty(); }, 15000);
  PumpFor(300);
  EXPECT_EQ(heard_, (HeardLines{{"Ann", "back again"}}));
  std::printf("longest tick while the client hung: %.0f ms (read timeout %u ms)\n", longestTickMs_,
              RoomChatScanner::kReadTimeoutMs);
  EXPECT_LT(longestTickMs_, 2000.0);
}

}  // namespace
}  // namespace rollkeep::win32::testing
