#include "rosterfile/failure_text.h"

namespace rollkeep {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

}  // namespace

std::string TidyReason(std::string_view reason) {
  while (!reason.empty() && IsSpace(reason.front())) reason.remove_prefix(1);
  while (!reason.empty() && (IsSpace(reason.back()) || reason.back() == '.')) {
    reason.remove_suffix(1);
  }
  std::string tidy(reason.empty() ? std::string_view("an unknown error occurred") : reason);
  // "Access is denied" reads "access is denied" mid-sentence; "I/O" stays.
  if (tidy.size() > 1 && IsUpper(tidy[0]) && IsLower(tidy[1])) tidy[0] = static_cast<char>(tidy[0] - 'A' + 'a');
  return tidy;
}

namespace {

std::string Sentence(std::string_view action) {
  std::string text = "The list could not be ";
  text += action;
  return text;
}

}  // namespace

std::string FileFailureText(std::string_view action, std::string_view preposition,
                            std::string_view path, std::string_view reason) {
  std::string text = Sentence(action);
  text += ' ';
  text += preposition;
  text += ' ';
  text += path;
  text += ": ";
  text += TidyReason(reason);
  text += '.';
  return text;
}

std::string FileFailureText(std::string_view action, std::string_view reason) {
  std::string text = Sentence(action);
  text += ": ";
  text += TidyReason(reason);
  text += '.';
  return text;
}

}  // namespace rollkeep
