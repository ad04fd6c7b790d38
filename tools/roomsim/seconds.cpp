#include "seconds.h"

namespace roomsim {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<std::int64_t> ParseSeconds(std::string_view text) {
  std::size_t i = 0;
  std::int64_t whole = 0;
  bool anyDigit = false;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    whole = whole * 10 + (text[i] - '0');
    if (whole > kMaxMilliseconds / 1000 + 1) return std::nullopt;
    anyDigit = true;
  }
  std::int64_t fraction = 0;  // milliseconds from the first three decimals
  bool roundUp = false;
  if (i < text.size() && text[i] == '.') {
    int decimals = 0;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++decimals) {
      int digit = text[i] - '0';
      if (decimals < 3) fraction = fraction * 10 + digit;
      if (decimals == 3) roundUp = digit >= 5;
      anyDigit = true;
    }
    for (; decimals < 3; ++decimals) fraction *= 10;
  }
  if (!anyDigit || i != text.size()) return std::nullopt;
  std::int64_t ms = whole * 1000 + fraction + (roundUp ? 1 : 0);
  if (ms > kMaxMilliseconds) return std::nullopt;
  return ms;
}

}  // namespace roomsim
