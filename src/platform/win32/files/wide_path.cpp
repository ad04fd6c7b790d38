#include "platform/win32/files/wide_path.h"

#include <cwchar>
#include <vector>

#include "platform/win32/common/system_code_page.h"

namespace rollkeep::win32 {

namespace {

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
  return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

}  // namespace

std::wstring WideFromAnsi(const std::string& text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

std::optional<std::string> AnsiFromWide(const std::wstring& text) { return AnsiFromUtf16(text); }

std::wstring FullWidePath(const std::string& path) {
  const std::wstring wide = WideFromAnsi(path);
  // A path that already has the prefix is taken as the operator wrote it.
  if (StartsWith(wide, kLongPrefix)) return wide;
  if (wide.empty()) {
    ::SetLastError(ERROR_PATH_NOT_FOUND);
    return {};
  }
  DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::vector<wchar_t> full(size);
  const DWORD length = ::GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
  if (length == 0 || length >= size) {
    if (length >= size) ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return {};
  }
  return WithLongPrefix(std::wstring(full.data(), length));
}

std::wstring WithLongPrefix(std::wstring fullPath) {
  if (fullPath.size() < MAX_PATH || StartsWith(fullPath, kLongPrefix)) return fullPath;
  if (StartsWith(fullPath, L"\\\\")) return kLongUncPrefix + fullPath.substr(2);
  return kLongPrefix + fullPath;
}

}  // namespace rollkeep::win32
