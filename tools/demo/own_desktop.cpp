#include "own_desktop.h"

#include <cstdio>

#include "driver/poll.h"

namespace rollkeep::demo {

namespace {

constexpr char kDesktopSizesKey[] = "Software\\Wine\\Explorer\\Desktops";
constexpr int kMaxSide = 16384;

struct KeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};
using UniqueKey = win32::UniqueHandle<KeyTraits>;

void ConfigureSize(const std::string& name, DesktopSize size) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopSizesKey, 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    throw driver::DriverError(std::string("cannot open HKCU\\") + kDesktopSizesKey);
  }
  UniqueKey key(opened);
  const std::string value = std::to_string(size.width) + "x" + std::to_string(size.height);
  if (::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS) {
    throw driver::DriverError("cannot set the size of the desktop " + name);
  }
}

}  // namespace

DesktopSize ParseDesktopSize(const std::string& text) {
  int width = 0;
  int height = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &end) != 2 || width <= 0 ||
      height <= 0 || width > kMaxSide || height > kMaxSide) {
    return {};
  }
  return {width, height};
}

OwnDesktop::OwnDesktop(const std::string& name, DesktopSize size)
    : previous_(::GetThreadDesktop(::GetCurrentThreadId())) {
  ConfigureSize(name, size);
  desktop_.reset(::CreateDesktopA(name.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr));
  if (!desktop_) throw driver::DriverError("cannot create the desktop " + name);
  if (!::SetThreadDesktop(desktop_.get())) {
    throw driver::DriverError("cannot switch to the desktop " + name + " (error " +
                              std::to_string(::GetLastError()) + ")");
  }
}

OwnDesktop::~OwnDesktop() {
  if (previous_) ::SetThreadDesktop(previous_);
}

}  // namespace rollkeep::demo
