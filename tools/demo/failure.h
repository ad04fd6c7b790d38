#pragma once
// What the demonstration throws when something did not go as expected.

#include <stdexcept>
#include <string>

namespace rollkeep::demo {

class DemoFailure : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Throws DemoFailure(`problem`) unless `ok`.
inline void Expect(bool ok, const std::string& problem) {
  if (!ok) throw DemoFailure(problem);
}

}  // namespace rollkeep::demo
