#include "roster/roster.h"

#include <algorithm>
#include <cassert>

#include "roster/windows_1252.h"

namespace rollkeep {

Roster::Roster() : codePage_(&Windows1252()) {}

const std::string& Roster::at(int index) const {
  assert(index >= 0 && index < count());
  return entries_[static_cast<std::size_t>(index)];
}

bool Roster::append(std::string text) {
  if (count() >= kCapacity) return false;
  entries_.push_back(std::move(text));
  tell([&](RosterObserver& o) { o.OnAppended(count() - 1, entries_.back()); });
  return true;
}

void Roster::removeAt(int index) {
  assert(index >= 0 && index < count());
  entries_.erase(entries_.begin() + index);
  if (selected_ == index) {
    selected_.reset();
  } else if (selected_ && *selected_ > index) {
    --*selected_;
  }
  // The view removes its item, which drops or shifts its selection the same way.
  tell([&](RosterObserver& o) { o.OnRemoved(index); });
}

void Roster::removeWhere(const std::vector<bool>& flags) {
  assert(flags.size() == entries_.size());
  // Walk from the end so that each index reported to the observer is still
  // valid in the view when it arrives, and compact the store in one pass.
  std::optional<int> selection = selected_;
  std::size_t kept = 0;
  std::vector<int> removed;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const int index = static_cast<int>(i);
    if (flags[i]) {
      removed.push_back(index);
      if (selected_ == index) selection.reset();
      continue;
    }
    if (selected_ == index) selection = static_cast<int>(kept);
    if (kept != i) entries_[kept] = std::move(entries_[i]);
    ++kept;
  }
  entries_.resize(kept);
  selected_ = selection;
  for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
    tell([&](RosterObserver& o) { o.OnRemoved(*it); });
  }
}

void Roster::clear() {
  entries_.clear();
  selected_.reset();
  tell([](RosterObserver& o) { o.OnReset(); });
}

bool Roster::assign(std::vector<std::string> texts) {
  if (texts.size() > static_cast<std::size_t>(kCapacity)) return false;
  entries_ = std::move(texts);
  selected_.reset();
  tell([](RosterObserver& o) { o.OnReset(); });
  return true;
}

void Roster::addObserver(RosterObserver* observer) {
  if (observer != nullptr && std::find(observers_.begin(), observers_.end(), observer) ==
                                 observers_.end()) {
    observers_.push_back(observer);
  }
}

void Roster::removeObserver(RosterObserver* observer) { std::erase(observers_, observer); }

void Roster::select(int index) {
  assert(index >= 0 && index < count());
  changeSelection(index);
}

void Roster::deselect() { changeSelection(std::nullopt); }

std::string Roster::selectedText() const {
  return selected_ ? entries_[static_cast<std::size_t>(*selected_)] : std::string();
}

void Roster::changeSelection(std::optional<int> index) {
  if (selected_ == index) return;
  selected_ = index;
  tell([&](RosterObserver& o) { o.OnSelectionChanged(index); });
}

}  // namespace rollkeep
