#pragma once
// What one chat room holds: its transcript, trimmed to a number of lines, and
// the members who have spoken in it.

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "options.h"

namespace roomsim {

class RoomState {
public:
  explicit RoomState(int keepLines, LineEnd lineEnd = LineEnd::CrLf,
                     SpeakerMark speakerMark = SpeakerMark::Tab)
      : keepLines_(keepLines < 1 ? 1 : keepLines), lineEnd_(lineEnd), speakerMark_(speakerMark) {}

  struct Said {
    std::string line;        // "<name>:\t<text>" whatever the transcript's format
    std::string appended;    // what the transcript gets at its end when not trimmed
    bool newMember = false;  // the name speaks here for the first time
    bool trimmed = false;    // old lines were dropped from the top
  };

  // Appends "<name>:\t<text>" (or ": " for SpeakerMark::Space). The transcript has one line per thing said, so
  // line breaks and NUL bytes in the text, and any control character in the
  // name, are shown as spaces.
  Said Say(std::string_view name, std::string_view text);

  // The whole transcript, its lines ended or separated as set.
  std::string Text() const;
  const std::deque<std::string>& Lines() const { return lines_; }
  const std::vector<std::string>& Members() const { return members_; }

private:
  bool AddMember(const std::string& name);

  std::size_t keepLines_;
  LineEnd lineEnd_;
  SpeakerMark speakerMark_;
  std::deque<std::string> lines_;
  std::vector<std::string> members_;
};

}  // namespace roomsim
