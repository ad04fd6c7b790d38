#pragma once
// The answers to "list me" and "remove me" as the room reads them, and a fake
// answerer that records every answer handed to it, at once, as "added
// <announcement>" or "removed <announcement>".

#include <string>
#include <vector>

#include "roster/chat_ports.h"

namespace rollkeep::testing {

inline std::string Added(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been added to the list";
}
inline std::string Removed(const std::string& name) {
  return "Rollkeep: <u>" + name + "</u> has been removed from list";
}

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
