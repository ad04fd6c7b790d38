#include "room/transcript_follower.h"

#include <algorithm>

namespace rollkeep {

std::optional<ChatLineParts> ParseChatLine(std::string_view line) {
  for (std::size_t colon = line.find(':'); colon != std::string_view::npos;
       colon = line.find(':', colon + 1)) {
    if (colon + 1 == line.size()) break;
    const char mark = line[colon + 1];
    if (mark != '\t' && mark != ' ') continue;
    if (colon == 0) break;  // no speaker
    return ChatLineParts{std::string(line.substr(0, colon)), std::string(line.substr(colon + 2))};
  }
  return std::nullopt;
}

namespace {

// The first CR or LF at or after `from`, or npos. A plain loop: a long
// transcript is split on every read.
std::size_t FindLineEnd(std::string_view text, std::size_t from) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (text[at] == '\r' || text[at] == '\n') return at;
  }
  return std::string_view::npos;
}

}  // namespace

TranscriptLines SplitTranscript(std::string_view transcript) {
  TranscriptLines lines;
  const auto breaks = std::count(transcript.begin(), transcript.end(), '\n');
  lines.complete.reserve(static_cast<std::size_t>(breaks) + 1);
  std::size_t start = 0;
  for (std::size_t end = FindLineEnd(transcript, 0); end != std::string_view::npos;
       end = FindLineEnd(transcript, start)) {
    std::size_t next = end + 1;
    if (transcript[end] == '\r') {
      if (next == transcript.size()) break;  // maybe half of a CR LF: held
      if (transcript[next] == '\n') ++next;
    }
    lines.complete.push_back(transcript.substr(start, end - start));
    start = next;
  }
  if (start < transcript.size()) {
    std::string_view rest = transcript.substr(start);
    if (rest.back() == '\r') rest.remove_suffix(1);
    lines.open = rest;
  }
  return lines;
}

namespace {

// The complete lines, then the last one without an ending.
std::vector<std::string_view> AllLines(const TranscriptLines& split) {
  std::vector<std::string_view> lines = split.complete;
  if (split.open) lines.push_back(*split.open);
  return lines;
}

}  // namespace

void TranscriptFollower::Reset(std::string_view snapshot) {
  const TranscriptLines split = SplitTranscript(snapshot);
  const std::vector<std::string_view> lines = AllLines(split);
  held_.reset();
  Remember(lines, lines.size(), split.open.has_value(), snapshot.size());
}

std::vector<std::string> TranscriptFollower::Update(std::string_view snapshot) {
  const TranscriptLines split = SplitTranscript(snapshot);
  const std::vector<std::string_view> lines = AllLines(split);
  const std::size_t first = FindContinuation(lines, snapshot.size());
  if (first == kReplaced) {
    Reset(snapshot);
    return {};
  }
  std::size_t taken = lines.size();
  // A new last line without an ending is said once it reads the same twice.
  const bool openIsNew = split.open && first < lines.size();
  if (openIsNew && held_ != *split.open) --taken;
  std::vector<std::string> fresh(lines.begin() + static_cast<std::ptrdiff_t>(first),
                                 lines.begin() + static_cast<std::ptrdiff_t>(taken));
  if (taken < lines.size()) {
    held_.emplace(*split.open);
  } else {
    held_.reset();
  }
  Remember(lines, taken, split.open && taken == lines.size(), snapshot.size());
  return fresh;
}

// The index of the first new line in `lines`, or kReplaced.
std::size_t TranscriptFollower::FindContinuation(const std::vector<std::string_view>& lines,
                                                 std::size_t characters) const {
  if (seenLines_ == 0) return 0;
  // Lowest place first: the fewest lines trimmed. A single line at the top
  // is tried only when a single line is all that is remembered.
  for (std::size_t last = std::min(seenLines_, lines.size()); last-- > 0;) {
    const std::size_t count = std::min(tail_.size(), last + 1);
    if (count < 2 && tail_.size() >= 2) break;
    if (TailEndsAt(lines, last, count)) return FirstNewAt(lines, last);
  }
  if (characters < shownCharacters_ && lines.size() < shownLines_) return kReplaced;
  // Overflow: every line is new but the last one taken, trimmed to the top.
  if (!lines.empty() && TailEndsAt(lines, 0, 1)) return FirstNewAt(lines, 0);
  return 0;
}

// Where the new lines start when the last line taken sits at lines[last]: a
// line taken without its ending that grew since is said anew.
std::size_t TranscriptFollower::FirstNewAt(const std::vector<std::string_view>& lines,
                                           std::size_t last) const {
  return tailOpen_ && lines[last] != tail_.back() ? last : last + 1;
}

// Whether the last `count` lines taken end at lines[last]. The last one, when
// taken without its ending, may have grown since.
bool TranscriptFollower::TailEndsAt(const std::vector<std::string_view>& lines, std::size_t last,
                                    std::size_t count) const {
  for (std::size_t back = 0; back < count; ++back) {
    const std::string& taken = tail_[tail_.size() - 1 - back];
    const std::string_view line = lines[last - back];
    const bool match = back == 0 && tailOpen_ ? line.starts_with(taken) : line == taken;
    if (!match) return false;
  }
  return true;
}

void TranscriptFollower::Remember(const std::vector<std::string_view>& lines, std::size_t taken,
                                  bool lastOpen, std::size_t characters) {
  seenLines_ = taken;
  shownLines_ = lines.size();
  shownCharacters_ = characters;
  tailOpen_ = lastOpen;
  const std::size_t keep = std::min(taken, kTailLines);
  tail_.assign(lines.begin() + static_cast<std::ptrdiff_t>(taken - keep),
               lines.begin() + static_cast<std::ptrdiff_t>(taken));
}

}  // namespace rollkeep
