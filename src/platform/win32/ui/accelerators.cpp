#include "platform/win32/ui/accelerators.h"

#include <utility>
#include <vector>

namespace rollkeep::win32 {
namespace {

std::vector<std::pair<HWND, HACCEL>>& Tables() {
  static std::vector<std::pair<HWND, HACCEL>> tables;
  return tables;
}

}  // namespace

void RegisterAccelerators(HWND window, HACCEL table) {
  UnregisterAccelerators(window);
  if (window != nullptr && table != nullptr) Tables().emplace_back(window, table);
}

void UnregisterAccelerators(HWND window) {
  std::erase_if(Tables(), [window](const auto& entry) { return entry.first == window; });
}

bool TranslateWindowAccelerator(MSG& msg) {
  if (msg.hwnd == nullptr) return false;  // thread messages belong to no window
  // Found first and translated outside the loop: the command it sends may
  // run a handler that waits, and a nested loop may change the registry.
  std::pair<HWND, HACCEL> found{nullptr, nullptr};
  for (const auto& entry : Tables()) {
    if (::IsWindow(entry.first) && (msg.hwnd == entry.first || ::IsChild(entry.first, msg.hwnd))) {
      found = entry;
      break;
    }
  }
  return found.first != nullptr && ::TranslateAcceleratorA(found.first, found.second, &msg) != 0;
}

}  // namespace rollkeep::win32
