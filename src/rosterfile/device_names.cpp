#include "rosterfile/device_names.h"

#include <array>
#include <cstddef>

namespace rollkeep {

namespace {

constexpr std::array<std::string_view, 6> kPlainDevices = {"con", "prn", "aux", "nul",
                                                           "conin$", "conout$"};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsLower(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (Lower(text[i]) != lower[i]) return false;
  }
  return true;
}

// "com1".."com9", "lpt1".."lpt9".
bool IsNumberedPort(std::string_view base) {
  return base.size() == 4 && (EqualsLower(base.substr(0, 3), "com") ||
                              EqualsLower(base.substr(0, 3), "lpt")) &&
         base[3] >= '1' && base[3] <= '9';
}

}  // namespace

bool NamesDosDevice(std::string_view path) {
  const std::size_t slash = path.find_last_of("\\/:");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  // Windows drops trailing dots and spaces, and a device keeps its meaning
  // whatever extension follows its name.
  name = name.substr(0, name.find('.'));
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  for (std::string_view device : kPlainDevices) {
    if (EqualsLower(name, device)) return true;
  }
  return IsNumberedPort(name);
}

}  // namespace rollkeep
