#include "text.h"

namespace roomsim {

std::string StripTags(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t open = text.find('<', i);
    std::size_t close = open == std::string_view::npos ? open : text.find('>', open);
    if (close == std::string_view::npos) {
      shown.append(text.substr(i));
      break;
    }
    shown.append(text.substr(i, open - i));
    i = close + 1;
  }
  return shown;
}

std::string EscapeLogPayload(std::string_view payload) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string escaped;
  escaped.reserve(payload.size());
  for (char c : payload) {
    auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\r': escaped += "\\r"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      default:
        if (byte < 0x20) {
          escaped += "\\x";
          escaped += kHex[byte >> 4];
          escaped += kHex[byte & 0xF];
        } else {
          escaped += c;
        }
    }
  }
  return escaped;
}

std::string FormatLogLine(std::int64_t ms, std::string_view kind, std::string_view payload) {
  std::string line = std::to_string(ms);
  line += '\t';
  line += kind;
  line += '\t';
  line += EscapeLogPayload(payload);
  line += '\n';
  return line;
}

}  // namespace roomsim
