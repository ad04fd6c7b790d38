#pragma once
// Helpers shared by the roster tests: building a roster in one line, and an
// observer that keeps a copy of the list the way the list box view would.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "roster/roster.h"

namespace rollkeep::testing {

// Joins the parts. (MinGW's GCC 12 warns falsely on "literal" + std::string.)
inline std::string Join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (const auto part : parts) joined.append(part);
  return joined;
}

// `count` distinct names: "n0", "n1", ...
inline std::vector<std::string> NumberedNames(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(Join({"n", std::to_string(i)}));
  return names;
}

inline void Fill(Roster& roster, const std::vector<std::string>& entries,
                 std::optional<int> selected = std::nullopt) {
  roster.assign(entries);
  if (selected) roster.select(*selected);
}

// Applies every notification to its own copy, like a single-selection list
// box: removing an item shifts the selection below it and drops it when the
// selected item goes. Also logs each notification in order.
class MirrorObserver : public RosterObserver {
public:
  explicit MirrorObserver(const Roster& roster) : roster_(roster) {}

  void OnAppended(int index, const std::string& text) override {
    log.push_back(Join({"append ", std::to_string(index), " ", text}));
    items.insert(items.begin() + index, text);
  }
  void OnRemoved(int index) override {
    log.push_back(Join({"remove ", std::to_string(index)}));
    items.erase(items.begin() + index);
    if (selection == index) {
      selection.reset();
    } else if (selection && *selection > index) {
      --*selection;
    }
  }
  void OnReset() override {
    log.push_back("reset");
    items = roster_.entries();
    selection.reset();
  }
  void OnSelectionChanged(std::optional<int> index) override {
    log.push_back(index ? Join({"select ", std::to_string(*index)}) : "select none");
    selection = index;
  }

  std::vector<std::string> items;
  std::optional<int> selection;
  std::vector<std::string> log;

private:
  const Roster& roster_;
};

}  // namespace rollkeep::testing
