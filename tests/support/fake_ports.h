#pragma once
// A fake answerer for tests: it records every answer handed to it, at once,
// as "added <announcement>" or "removed <announcement>".

#include <string>
#include <vector>

#include "roster/chat_ports.h"

namespace rollkeep::testing {

struct FakeAnswerer : Answerer {
  void Added(const std::string&, const std::string& announcement) override {
    answers.push_back("added " + announcement);
  }
  void Removed(const std::string& announcement) override {
    answers.push_back("removed " + announcement);
  }
  void DropWaiting() override { answers.push_back("dropped"); }
  std::vector<std::string> answers;
};

}  // namespace rollkeep::testing
