#include "driver/window_search.h"

#include <algorithm>
#include <cctype>

#include "driver/poll.h"

namespace rollkeep::driver {

namespace {

struct ProcessWindows {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
  auto& search = *reinterpret_cast<ProcessWindows*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId) search.windows.push_back(window);
  return TRUE;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (std::tolower(x) != std::tolower(y)) return false;
  }
  return true;
}

std::string Describe(const WindowQuery& query) {
  return "window class '" + query.className + "' caption '" + query.caption +
         "'";
}

}  // namespace

std::string ClassName(HWND window) {
  char name[256] = {};
  const int length = ::GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string Caption(HWND window) {
  const int length = ::GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

std::string ToAnsi(const std::wstring& text) {
  if (text.empty()) return {};
  const int wide = static_cast<int>(text.size());
  const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr,
                                         0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), wide, ansi.data(), size,
                        nullptr, nullptr);
  return ansi;
}

// Read wide and converted, as for list boxes (see list_box.cpp).
std::string ControlText(HWND control) {
  DWORD_PTR length = 0;
  const auto ms = static_cast<UINT>(kSendTimeout.count());
  if (!::SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG,
                             ms, &length)) {
    throw DriverError("window does not answer WM_GETTEXTLENGTH");
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(control, WM_GETTEXT, text.size(),
                             reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, ms, &copied)) {
    throw DriverError("window does not answer WM_GETTEXT");
  }
  text.resize(std::min<std::size_t>(copied, length));
  return ToAnsi(text);
}

void SetControlText(HWND control, const std::string& text) {
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(control, WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG,
                             static_cast<UINT>(kSendTimeout.count()),
                             &result)) {
    throw DriverError("window '" + ClassName(control) +
                      "' does not take the text " + text);
  }
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  ProcessWindows search{processId, {}};
  ::EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
  return search.windows;
}

bool Matches(HWND window, const WindowQuery& query) {
  if (query.visibleOnly && !::IsWindowVisible(window)) return false;
  if (!query.className.empty() &&
      !SameIgnoringCase(ClassName(window), query.className)) {
    return false;
  }
  if (!query.caption.empty() && Caption(window) != query.caption) return false;
  return !query.accept || query.accept(window);
}

HWND FindTopLevel(DWORD processId, const WindowQuery& query) {
  for (HWND window : TopLevelWindows(processId)) {
    if (Matches(window, query)) return window;
  }
  return nullptr;
}

HWND WaitForTopLevel(DWORD processId, const WindowQuery& query,
                     std::chrono::milliseconds timeout) {
  return WaitFor(timeout, Describe(query),
                 [&] { return FindTopLevel(processId, query); });
}

HWND WaitForWindow(const std::string& className, const std::string& caption,
                   std::chrono::milliseconds timeout) {
  const char* title = caption.empty() ? nullptr : caption.c_str();
  return WaitFor(timeout, Describe({className, caption, false, {}}),
                 [&] { return ::FindWindowA(className.c_str(), title); });
}

HWND FindControl(HWND parent, int id) {
  for (HWND child : Children(parent)) {
    if (::GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

HWND Control(HWND parent, int id) {
  HWND control = FindControl(parent, id);
  if (!control) {
    throw DriverError("no control with id " + std::to_string(id) + " in '" +
                      Caption(parent) + "'");
  }
  return control;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

}  // namespace rollkeep::driver
