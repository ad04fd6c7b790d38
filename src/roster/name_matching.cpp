#include "roster/name_matching.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "roster/windows_1252.h"

namespace {

using rollkeep::CodePage;

constexpr char kSpace = ' ';

// Names are bytes of the system's code page, folded the way it folds them.
char Fold(const CodePage::FoldTable& fold, char c) {
  return static_cast<char>(fold[static_cast<unsigned char>(c)]);
}

// Whether `text`'s name key equals `key` (a key already made by NameKey),
// without building the key of `text`: MarkMatches calls this once per entry.
bool KeyEquals(const CodePage::FoldTable& fold, std::string_view text, std::string_view key) {
  std::size_t k = 0;
  for (const char c : text) {
    if (c == kSpace) continue;
    if (k == key.size() || Fold(fold, c) != key[k]) return false;
    ++k;
  }
  return k == key.size();
}

// One slot of the table of distinct entries: the entry's index + 1 (0 marks
// an empty slot) and its hash, which spares most string comparisons.
struct Slot {
  std::uint32_t entry = 0;
  std::uint32_t hash = 0;
};

std::size_t TableSizeFor(std::size_t count) {
  std::size_t size = 16;
  while (size < 2 * count) size *= 2;
  return size;
}

// Flags every entry that is an exact copy of an earlier one. The table of
// entry indices uses open addressing and stays at most half full; unlike a
// node-based set it allocates nothing per entry, which keeps "list me" on a
// full roster well below a millisecond.
std::vector<bool> FlagLaterCopies(const std::vector<std::string>& entries) {
  std::vector<Slot> table(TableSizeFor(entries.size()));
  const std::size_t mask = table.size() - 1;
  const std::hash<std::string_view> hasher;
  std::vector<bool> copies(entries.size(), false);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string& entry = entries[i];
    const std::size_t hash = hasher(entry);
    const auto shortHash = static_cast<std::uint32_t>(hash);
    for (std::size_t s = hash & mask;; s = (s + 1) & mask) {
      Slot& slot = table[s];
      if (slot.entry == 0) {
        slot = {static_cast<std::uint32_t>(i + 1), shortHash};
        break;
      }
      if (slot.hash == shortHash && entries[slot.entry - 1] == entry) {
        copies[i] = true;
        break;
      }
    }
  }
  return copies;
}

}  // namespace

namespace Brask32 {

std::string CompactName(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (const char c : text) {
    if (c != kSpace) compact.push_back(c);
  }
  return compact;
}

void DropDuplicates(rollkeep::Roster& roster) {
  // Keeping the first occurrence of each string and dropping every later
  // copy gives what a pairwise walk would, in one pass over the entries.
  roster.removeWhere(FlagLaterCopies(roster.entries()));
}

void DropSelected(rollkeep::Roster& roster) {
  if (const auto selected = roster.selection()) roster.removeAt(*selected);
}

bool MarkMatches(std::string_view name, rollkeep::Roster& roster) {
  // Every match would take the single selection from the one before, so
  // only the last match decides; select it once so the view does not flicker.
  const CodePage& page = roster.codePage();
  const std::string key = rollkeep::NameKey(name, page);
  const CodePage::FoldTable& fold = page.foldTable();
  for (int k = roster.count() - 1; k >= 0; --k) {
    if (KeyEquals(fold, roster.at(k), key)) {
      roster.select(k);
      return true;
    }
  }
  return false;
}

}  // namespace Brask32

namespace rollkeep {

std::string NameKey(std::string_view text, const CodePage& page) {
  std::string key = Brask32::CompactName(text);
  for (char& c : key) c = Fold(page.foldTable(), c);
  return key;
}

std::string NameKey(std::string_view text) { return NameKey(text, Windows1252()); }

}  // namespace rollkeep
