#include "room/transcript_follower.h"

#include <algorithm>

namespace rollkeep {

namespace {

constexpr std::string_view kSpeakerMark = ":\t";
constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::optional<ChatLineParts> ParseChatLine(std::string_view line) {
  const std::size_t mark = line.find(kSpeakerMark);
  if (mark == std::string_view::npos) return std::nullopt;
  return ChatLineParts{std::string(line.substr(0, mark)),
                       std::string(line.substr(mark + kSpeakerMark.size()))};
}

std::vector<std::string_view> CompleteLines(std::string_view transcript) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end = transcript.find(kLineEnd); end != std::string_view::npos;
       end = transcript.find(kLineEnd, start)) {
    lines.push_back(transcript.substr(start, end - start));
    start = end + kLineEnd.size();
  }
  return lines;
}

void TranscriptFollower::Reset(std::string_view snapshot) { Remember(CompleteLines(snapshot)); }

std::vector<std::string> TranscriptFollower::Update(std::string_view snapshot) {
  const std::vector<std::string_view> lines = CompleteLines(snapshot);
  const std::size_t first = FindContinuation(lines);
  std::vector<std::string> fresh;
  if (first != kNotFound) fresh.assign(lines.begin() + first, lines.end());
  Remember(lines);
  return fresh;
}

// The index of the first new line in `lines`, or kNotFound. The client only
// drops lines from the top and appends at the bottom, so the last line seen
// before can only have stayed where it was or moved up. The lowest place
// where the remembered lines fit is taken: the fewest lines trimmed.
std::size_t TranscriptFollower::FindContinuation(const std::vector<std::string_view>& lines) const {
  if (seenLines_ == 0) return 0;
  for (std::size_t last = std::min(seenLines_, lines.size()); last-- > 0;) {
    if (TailEndsAt(lines, last)) return last + 1;
  }
  return kNotFound;
}

// Whether the remembered lines end at lines[last]. When fewer lines than
// remembered lie above that place, the ones that do must match the end of
// the remembered run: the earlier ones were trimmed.
bool TranscriptFollower::TailEndsAt(const std::vector<std::string_view>& lines,
                                    std::size_t last) const {
  const std::size_t count = std::min(tail_.size(), last + 1);
  for (std::size_t back = 0; back < count; ++back) {
    if (lines[last - back] != tail_[tail_.size() - 1 - back]) return false;
  }
  return true;
}

void TranscriptFollower::Remember(const std::vector<std::string_view>& lines) {
  seenLines_ = lines.size();
  const std::size_t keep = std::min(lines.size(), kTailLines);
  tail_.assign(lines.end() - static_cast<std::ptrdiff_t>(keep), lines.end());
}

}  // namespace rollkeep
