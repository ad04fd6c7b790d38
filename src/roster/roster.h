#pragma once
// The roster: the ordered list of screen names that members asked to be on,
// with at most one selected entry. The list box on the main window is only a
// view of this store; it follows every change through RosterObserver.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ports/code_page.h"

namespace rollkeep {

// Told about every change, in the order the changes happen.
class RosterObserver {
public:
  virtual ~RosterObserver() = default;
  virtual void OnAppended(int index, const std::string& text) = 0;
  virtual void OnRemoved(int index) = 0;
  // Every entry was replaced at once (clear, load): redraw from the store.
  virtual void OnReset() = 0;
  // The selection moved to `index`, or to nothing (nullopt).
  virtual void OnSelectionChanged(std::optional<int> index) = 0;
};

class Roster {
public:
  static constexpr int kCapacity = 32767;

  // The entries are text of `codePage` (Windows-1252 unless the platform
  // names the system's); it must outlive the roster.
  Roster();
  explicit Roster(const CodePage& codePage) : codePage_(&codePage) {}
  const CodePage& codePage() const { return *codePage_; }

  int count() const { return static_cast<int>(entries_.size()); }
  const std::string& at(int index) const;  // 0 <= index < count()
  const std::vector<std::string>& entries() const { return entries_; }

  // Adds `text` as the new last entry. Returns false, changing nothing,
  // when the roster already holds kCapacity entries.
  bool append(std::string text);
  // Removes entry `index`; later entries move down. The selection follows
  // its entry, and is dropped when its entry goes.
  void removeAt(int index);
  // Removes the entries whose flag is set (flags.size() == count()) in one
  // pass, keeping the order of the rest; the selection follows its entry.
  void removeWhere(const std::vector<bool>& flags);
  // Removes every entry; nothing is selected.
  void clear();
  // Replaces every entry at once; nothing is selected. Returns false,
  // changing nothing, when `texts` holds more than kCapacity entries.
  bool assign(std::vector<std::string> texts);

  void select(int index);  // 0 <= index < count()
  void deselect();
  bool isSelected(int index) const { return selected_ == index; }
  std::optional<int> selection() const { return selected_; }
  // The selected entry's text; empty when nothing is selected.
  std::string selectedText() const;

  // Observers are told in the order they were added (the list view first,
  // then whoever keeps a copy); each is added once and removed before it goes.
  void addObserver(RosterObserver* observer);
  void removeObserver(RosterObserver* observer);

private:
  void changeSelection(std::optional<int> index);
  template <typename Call>
  void tell(Call call) const {
    for (RosterObserver* observer : observers_) call(*observer);
  }

  const CodePage* codePage_;
  std::vector<std::string> entries_;
  std::optional<int> selected_;
  std::vector<RosterObserver*> observers_;
};

}  // namespace rollkeep
