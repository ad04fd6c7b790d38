#include "recovery/recovery_record.h"

#include <array>
#include <charconv>

namespace rollkeep {

namespace {

constexpr std::string_view kHeading = "Rollkeep recovery record\r\n";
constexpr std::string_view kDiscarded = "discarded\r\n";
constexpr std::string_view kNames = "names ";
constexpr std::string_view kBytes = "bytes ";
constexpr std::string_view kCrc = "crc32 ";
constexpr std::string_view kLineEnd = "\r\n";

// Eight tables, so the loop takes eight bytes per step: a full copy is
// about 0.6 MB and is summed at every write.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables MakeCrcTables() {
  CrcTables tables{};
  for (std::uint32_t b = 0; b < 256; ++b) {
    std::uint32_t crc = b;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1u) ? 0xEDB88320u : 0u);
    tables[0][b] = crc;
  }
  for (std::size_t t = 1; t < tables.size(); ++t) {
    for (std::size_t b = 0; b < 256; ++b) {
      const std::uint32_t previous = tables[t - 1][b];
      tables[t][b] = (previous >> 8) ^ tables[0][previous & 0xFFu];
    }
  }
  return tables;
}

constexpr CrcTables kCrcTables = MakeCrcTables();

std::uint32_t Byte(std::string_view bytes, std::size_t i) {
  return static_cast<unsigned char>(bytes[i]);
}

template <typename Number>
std::string Line(std::string_view label, Number value, int base) {
  char digits[24] = {};
  const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
  return std::string(label) + std::string(digits, end) + std::string(kLineEnd);
}

// Takes "<label><number>CR LF" off the front of `text`.
template <typename Number>
bool TakeLine(std::string_view& text, std::string_view label, int base, Number& value) {
  if (!text.starts_with(label)) return false;
  text.remove_prefix(label.size());
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  if (!text.starts_with(kLineEnd)) return false;
  text.remove_prefix(kLineEnd.size());
  return true;
}

}  // namespace

std::uint32_t Crc32(std::string_view bytes) {
  const CrcTables& t = kCrcTables;
  std::uint32_t crc = 0xFFFFFFFFu;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    const std::uint32_t low = crc ^ (Byte(bytes, i) | Byte(bytes, i + 1) << 8 |
                                     Byte(bytes, i + 2) << 16 | Byte(bytes, i + 3) << 24);
    crc = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^
          t[4][low >> 24] ^ t[3][Byte(bytes, i + 4)] ^ t[2][Byte(bytes, i + 5)] ^
          t[1][Byte(bytes, i + 6)] ^ t[0][Byte(bytes, i + 7)];
  }
  for (; i < bytes.size(); ++i) crc = (crc >> 8) ^ t[0][(crc ^ Byte(bytes, i)) & 0xFFu];
  return crc ^ 0xFFFFFFFFu;
}

RecoveryRecord RecordOf(std::string_view copy, std::size_t names) {
  return {false, names, copy.size(), Crc32(copy)};
}

std::string RecordText(const std::vector<RecoveryRecord>& copies) {
  std::string text(kHeading);
  for (const RecoveryRecord& record : copies) {
    if (record.discarded) return text + std::string(kDiscarded);
    text += Line(kNames, record.names, 10) + Line(kBytes, record.bytes, 10) +
            Line(kCrc, record.crc, 16);
  }
  return text;
}

std::optional<std::vector<RecoveryRecord>> ParseRecords(std::string_view text) {
  if (!text.starts_with(kHeading)) return std::nullopt;
  text.remove_prefix(kHeading.size());
  if (text == kDiscarded) return std::vector<RecoveryRecord>{DiscardedRecord()};
  std::vector<RecoveryRecord> copies;
  while (!text.empty()) {
    RecoveryRecord record;
    if (!TakeLine(text, kNames, 10, record.names) || !TakeLine(text, kBytes, 10, record.bytes) ||
        !TakeLine(text, kCrc, 16, record.crc)) {
      return std::nullopt;
    }
    copies.push_back(record);
  }
  if (copies.empty()) return std::nullopt;
  return copies;
}

std::optional<RecoveryRecord> ParseRecord(std::string_view text) {
  const auto copies = ParseRecords(text);
  if (!copies || copies->size() != 1) return std::nullopt;
  return copies->front();
}

}  // namespace rollkeep
