#pragma once
// Fakes of the chat ports for tests: a poster that records what it posts and
// a waiter that records how long it was asked to wait, can run a handler
// "inside" the wait, and can report that the program ended meanwhile.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "roster/chat_ports.h"

namespace rollkeep::testing {

struct FakePoster : Poster {
  void Post(const std::string& announcement) override { posts.push_back(announcement); }
  std::vector<std::string> posts;
};

struct FakeWaiter : Waiter {
  // Records the wait, runs `nested` once (it is cleared before it runs, so it
  // may set a new hook for a wait nested inside it), then returns `result`.
  bool Wait(double seconds) override {
    waits.push_back(seconds);
    if (auto hook = std::exchange(nested, nullptr)) hook();
    return result;
  }
  std::vector<double> waits;
  std::function<void()> nested;
  bool result = true;
};

}  // namespace rollkeep::testing
