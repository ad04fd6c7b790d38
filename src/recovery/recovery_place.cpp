#include "recovery/recovery_place.h"

#include <string_view>

namespace rollkeep {

namespace {
constexpr std::string_view kExtension = ".txt";
}  // namespace

std::string AsideName(const std::string& file, const std::string& stamp) {
  const bool hasExtension = file.size() >= kExtension.size() &&
                            std::string_view(file).substr(file.size() - kExtension.size()) ==
                                kExtension;
  const std::string stem = hasExtension ? file.substr(0, file.size() - kExtension.size()) : file;
  return stem + ".unreadable-" + stamp + std::string(kExtension);
}

}  // namespace rollkeep
