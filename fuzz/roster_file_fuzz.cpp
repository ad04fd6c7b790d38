// Fuzzes the roster file format: reading any bytes must not crash and must
// follow the reading rule, and a roster of entries without CR or empty
// entries must read back exactly as it was written.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "rosterfile/roster_file.h"

namespace {

using Lines = std::vector<std::string>;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The reading rule, one byte at a time: the plainest form it can take.
Lines ReadByteByByte(std::string_view bytes) {
  Lines lines;
  std::string line;
  bool afterCr = false;
  for (char c : bytes) {
    if (c == '\n' && afterCr) {
      afterCr = false;
      continue;
    }
    afterCr = c == '\r';
    if (afterCr) {
      if (!line.empty()) lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// A roster made from the input: pieces split at NUL, with CRs removed and
// empty pieces dropped.
Lines RosterFrom(std::string_view bytes) {
  Lines roster;
  std::string entry;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == '\0') {
      if (!entry.empty()) roster.push_back(entry);
      entry.clear();
    } else if (bytes[i] != '\r') {
      entry += bytes[i];
    }
  }
  return roster;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const Lines lines = rollkeep::DecodeRoster(bytes);
  Require(lines == ReadByteByByte(bytes));

  const std::size_t limit = size == 0 ? 0 : data[0] % 8;
  const Lines limited = rollkeep::DecodeRoster(bytes, limit);
  Require(limited.size() == std::min(lines.size(), limit + 1));
  Require(std::equal(limited.begin(), limited.end(), lines.begin()));

  const Lines roster = RosterFrom(bytes);
  Require(rollkeep::DecodeRoster(rollkeep::EncodeRoster(roster)) == roster);
  return 0;
}
