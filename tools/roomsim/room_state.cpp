#include "room_state.h"

#include <algorithm>

namespace roomsim {
namespace {

std::string Blanked(std::string_view text, bool (*isBreak)(unsigned char)) {
  std::string out(text);
  for (char& c : out) {
    if (isBreak(static_cast<unsigned char>(c))) c = ' ';
  }
  return out;
}

bool BreaksName(unsigned char c) { return c < 0x20; }
bool BreaksLine(unsigned char c) { return c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

RoomState::Said RoomState::Say(std::string_view name, std::string_view text) {
  Said said;
  std::string shownName = Blanked(name, BreaksName);
  said.line = shownName + ":\t" + Blanked(text, BreaksLine);
  said.newMember = AddMember(shownName);
  lines_.push_back(said.line);
  while (lines_.size() > keepLines_) {
    lines_.pop_front();
    said.trimmed = true;
  }
  return said;
}

std::string RoomState::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool RoomState::AddMember(const std::string& name) {
  if (std::find(members_.begin(), members_.end(), name) != members_.end()) return false;
  members_.push_back(name);
  return true;
}

}  // namespace roomsim
