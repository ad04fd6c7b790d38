#pragma once
// The record kept beside the recovery copy: what Rollkeep wrote there (its
// size, its CRC-32 and its number of names); or the mark that the operator
// let the copy go. Rollkeep alone writes the copy, through the safe replace,
// so a copy that matches no copy of its record was cut short or changed by
// something else. While a new copy replaces the old one the record names
// both, so a stop at any moment between the writes leaves a copy the record
// vouches for.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollkeep {

struct RecoveryRecord {
  bool discarded = false;
  std::size_t names = 0;
  std::size_t bytes = 0;
  std::uint32_t crc = 0;
  bool operator==(const RecoveryRecord&) const = default;
};

// The record of `copy`, the encoding of `names` names.
RecoveryRecord RecordOf(std::string_view copy, std::size_t names);
inline RecoveryRecord DiscardedRecord() { return {true, 0, 0, 0}; }

// A few lines of plain text, so an operator who opens the file can read it:
// one copy, or each of the copies that may be on disk.
std::string RecordText(const std::vector<RecoveryRecord>& copies);
inline std::string RecordText(const RecoveryRecord& record) {
  return RecordText(std::vector<RecoveryRecord>{record});
}
// nullopt for anything RecordText does not write.
std::optional<std::vector<RecoveryRecord>> ParseRecords(std::string_view text);
// The same for a record of exactly one copy, or the let-go mark.
std::optional<RecoveryRecord> ParseRecord(std::string_view text);

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320).
std::uint32_t Crc32(std::string_view bytes);

}  // namespace rollkeep
