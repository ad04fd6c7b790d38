#include "recovery/recovery_place.h"

#include <string_view>

namespace rollkeep {

namespace {
constexpr std::string_view kExtension = ".txt";

std::string StemOf(const std::string& file) {
  const bool hasExtension = std::string_view(file).ends_with(kExtension);
  return hasExtension ? file.substr(0, file.size() - kExtension.size()) : file;
}

}  // namespace

std::string RecoveryPlace::record() const { return RecordName(file); }

std::string RecordName(const std::string& file) { return StemOf(file) + ".record"; }

std::string AsideName(const std::string& file, const std::string& stamp) {
  return StemOf(file) + ".unreadable-" + stamp + std::string(kExtension);
}

}  // namespace rollkeep
