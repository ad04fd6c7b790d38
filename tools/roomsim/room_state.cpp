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

const char* EndOf(LineEnd lineEnd) {
  switch (lineEnd) {
    case LineEnd::Cr: return "\r";
    case LineEnd::Lf: return "\n";
    case LineEnd::CrLf:
    case LineEnd::Separate: break;
  }
  return "\r\n";
}

}  // namespace

RoomState::Said RoomState::Say(std::string_view name, std::string_view text) {
  Said said;
  std::string shownName = Blanked(name, BreaksName);
  const std::string shownText = Blanked(text, BreaksLine);
  said.line = shownName + ":\t" + shownText;
  said.newMember = AddMember(shownName);
  lines_.push_back(shownName + (speakerMark_ == SpeakerMark::Tab ? ":\t" : ": ") + shownText);
  if (lineEnd_ != LineEnd::Separate) {
    said.appended = lines_.back() + EndOf(lineEnd_);
  } else {
    said.appended = (lines_.size() > 1 ? EndOf(lineEnd_) : "") + lines_.back();
  }
  while (lines_.size() > keepLines_) {
    lines_.pop_front();
    said.trimmed = true;
  }
  return said;
}

std::string RoomState::Text() const {
  std::string text;
  for (const std::string& line : lines_) {
    if (lineEnd_ == LineEnd::Separate && !text.empty()) text += EndOf(lineEnd_);
    text += line;
    if (lineEnd_ != LineEnd::Separate) text += EndOf(lineEnd_);
  }
  return text;
}

bool RoomState::AddMember(const std::string& name) {
  if (std::find(members_.begin(), members_.end(), name) != members_.end()) return false;
  members_.push_back(name);
  return true;
}

}  // namespace roomsim
