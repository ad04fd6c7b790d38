#include "script.h"

#include "seconds.h"

#include <algorithm>
#include <optional>

namespace roomsim {
namespace {

constexpr char kFormat[] = "expected '<seconds> <screen name>: <text>'";

bool IsBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool HasControlByte(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// One event line, or the reason it is not one.
std::optional<ScriptEvent> ParseEvent(std::string_view line, std::string& error) {
  std::size_t space = line.find(' ');
  if (space == std::string_view::npos) {
    error = kFormat;
    return std::nullopt;
  }
  std::string_view time = line.substr(0, space);
  auto ms = ParseSeconds(time);
  if (!ms) {
    error = "bad time '" + std::string(time) + "' (expected non-negative seconds, e.g. 1.5)";
    return std::nullopt;
  }
  std::string_view rest = line.substr(space + 1);
  std::size_t colon = rest.find(": ");
  std::string_view text;
  if (colon != std::string_view::npos) {
    text = rest.substr(colon + 2);
  } else if (!rest.empty() && rest.back() == ':') {
    colon = rest.size() - 1;
  } else {
    error = std::string("no ': ' after the screen name; ") + kFormat;
    return std::nullopt;
  }
  std::string_view name = rest.substr(0, colon);
  if (name.empty()) error = "empty screen name";
  else if (HasControlByte(name)) error = "control character in the screen name";
  if (!error.empty()) return std::nullopt;
  return ScriptEvent{*ms, std::string(name), std::string(text)};
}

}  // namespace

ParsedScript ParseScript(std::string_view content) {
  ParsedScript result;
  int lineNumber = 0;
  while (!content.empty()) {
    std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (IsBlankLine(line) || line.front() == '#') continue;
    std::string error;
    auto event = ParseEvent(line, error);
    if (!event) {
      result.events.clear();
      result.error = "line " + std::to_string(lineNumber) + ": " + error;
      return result;
    }
    result.events.push_back(std::move(*event));
  }
  std::stable_sort(result.events.begin(), result.events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.atMs < b.atMs; });
  return result;
}

}  // namespace roomsim
