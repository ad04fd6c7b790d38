#pragma once
// Follows the chat room's transcript from one read to the next and tells
// which lines are new. The transcript is the room's whole text, one line per
// thing said, each ending in CR LF; the client appends at the bottom, may be
// caught mid-append, and may drop old lines from the top.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollkeep {

// One thing said in the room: "<screen name>:<TAB><text>".
struct ChatLineParts {
  std::string screenName;
  std::string text;

  friend bool operator==(const ChatLineParts&, const ChatLineParts&) = default;
};

// Splits a transcript line at its first ":<TAB>". A line without one is a
// room notice, not something a member said: nullopt.
std::optional<ChatLineParts> ParseChatLine(std::string_view line);

// The complete lines of a transcript (each one ended by CR LF), without
// their CR LF. A last line without its CR LF yet is left out.
std::vector<std::string_view> CompleteLines(std::string_view transcript);

class TranscriptFollower {
public:
  // How many of the last complete lines are remembered to find the place to
  // continue from. More lines tell apart longer repeated runs of text.
  static constexpr std::size_t kTailLines = 16;

  // Takes `snapshot` as the baseline: none of its complete lines will be
  // reported. A last line still without its CR LF is not part of the
  // baseline: it was not yet said, and is reported once complete.
  void Reset(std::string_view snapshot);

  // The complete lines of `snapshot` that were not in the previous one, in
  // order. The place to continue from is where the remembered last lines
  // sit in `snapshot`: at their old place, or higher up when the client
  // trimmed lines from the top. Identical lines are told apart by that
  // place, so a line said twice is reported twice.
  //
  // When the remembered lines are nowhere in `snapshot` (the transcript was
  // replaced, for instance by another room's, or cleared and refilled), the
  // new text cannot be told apart from what was said before: it becomes the
  // baseline and nothing is reported. A transcript that was empty at the
  // previous read has every complete line reported.
  std::vector<std::string> Update(std::string_view snapshot);

private:
  static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

  std::size_t FindContinuation(const std::vector<std::string_view>& lines) const;
  bool TailEndsAt(const std::vector<std::string_view>& lines, std::size_t last) const;
  void Remember(const std::vector<std::string_view>& lines);

  // Complete lines in the previous snapshot.
  std::size_t seenLines_ = 0;
  // Its last (at most kTailLines) complete lines, oldest first.
  std::vector<std::string> tail_;
};

}  // namespace rollkeep
