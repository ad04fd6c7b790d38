#pragma once
// The record kept beside the recovery copy: what Rollkeep last wrote there
// (its size, its CRC-32 and its number of names), written after the copy; or
// the mark that the operator let the copy go. Rollkeep alone writes the copy,
// through the safe replace, so a copy that does not match its record was cut
// short or changed by something else.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// A few lines of plain text, so an operator who opens the file can read it.
std::string RecordText(const RecoveryRecord& record);
// nullopt for anything RecordText does not write.
std::optional<RecoveryRecord> ParseRecord(std::string_view text);

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320).
std::uint32_t Crc32(std::string_view bytes);

}  // namespace rollkeep
