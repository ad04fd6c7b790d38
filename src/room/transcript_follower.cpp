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
  kept_.clear();
  held_.reset();
  Remember(lines, lines.size(), split.open.has_value(), snapshot.size());
}

std::vector<std::string> TranscriptFollower::Update(std::string_view snapshot) {
  const TranscriptLines split = SplitTranscript(snapshot);
  const std::vector<std::string_view> lines = AllLines(split);
  bool fromKept = false;
  std::optional<std::size_t> found = FindContinuation(lines, fromKept);
  if (!found) {
    if (snapshot.size() < shownCharacters_ && lines.size() < shownLines_) {
      TakeAsBaseline(split, lines, snapshot.size());
      return {};
    }
    found = FindLoose(lines, fromKept);
  }
  const std::size_t first = found.value_or(0);  // none: an overflow
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
  // A line heard shows a clear was real; a place found in a memory kept
  // shows it was not.
  if (!fresh.empty() || fromKept) kept_.clear();
  Remember(lines, taken, split.open && taken == lines.size(), snapshot.size());
  return fresh;
}

// The first new line after the lowest place where a memory agrees with
// `lines`, or nullopt; `fromKept` tells whether a memory kept from before a
// clear gave it.
std::optional<std::size_t> TranscriptFollower::FindContinuation(const Lines& lines,
                                                                bool& fromKept) const {
  std::optional<std::size_t> best = Agree(last_, lines, 0);
  for (const Memory& memory : kept_) {
    if (best && *best >= lines.size()) break;  // nothing can come later
    const std::optional<std::size_t> first = Agree(memory, lines, best.value_or(0));
    if (first && (!best || *first > *best)) {
      best = first;
      fromKept = true;
    }
  }
  return best;
}

// The first new line after the lowest place where `memory` agrees with
// `lines`: all remembered lines equal there, else most of them. Places whose
// lines up to them are no more than `floor` are not looked at.
std::optional<std::size_t> TranscriptFollower::Agree(const Memory& memory, const Lines& lines,
                                                     std::size_t floor) {
  if (memory.seenLines == 0) return std::nullopt;
  const std::size_t size = memory.tail.size();
  const std::size_t top = std::min(memory.seenLines, lines.size());
  // All equal. A single line at the top is enough only when a single line is
  // all that is remembered.
  for (std::size_t last = top; last-- > floor;) {
    const std::size_t count = std::min(size, last + 1);
    if (count < 2 && size >= 2) break;
    if (Equal(memory, lines, last, count, count)) return FirstNewAt(memory, lines, last);
  }
  // Most equal: more than changed, and so never fewer than two.
  for (std::size_t last = top; last-- > floor;) {
    const std::size_t count = std::min(size, last + 1);
    if (count < 3) break;
    if (Equal(memory, lines, last, count, count / 2 + 1)) return FirstNewAt(memory, lines, last);
  }
  return std::nullopt;
}

// With no place agreed, the lowest place that a single remembered line
// found in `lines` gives to the last of them, in any memory.
std::optional<std::size_t> TranscriptFollower::FindLoose(const Lines& lines,
                                                         bool& fromKept) const {
  std::optional<std::size_t> best = Loose(last_, lines, std::nullopt);
  for (const Memory& memory : kept_) {
    const std::optional<std::size_t> first = Loose(memory, lines, best);
    if (first && (!best || *first > *best)) {
      best = first;
      fromKept = true;
    }
  }
  return best;
}

std::optional<std::size_t> TranscriptFollower::Loose(const Memory& memory, const Lines& lines,
                                                     std::optional<std::size_t> best) {
  const std::size_t size = memory.tail.size();
  const std::size_t top = std::min(memory.seenLines, lines.size());
  // tail[i] at lines[at] puts the last remembered line at at + size - 1 - i,
  // which must be above `top`. Lowest places first; none below at + size.
  for (std::size_t at = top; at-- > 0;) {
    if (best && at + size <= *best) break;
    for (std::size_t i = at + size > top ? at + size - top : 0; i < size; ++i) {
      if (!Same(memory, i, lines[at])) continue;
      const std::size_t first = FirstNewAt(memory, lines, at + size - 1 - i);
      if (!best || first > *best) best = first;
      break;
    }
  }
  return best;
}

// Where the new lines start when the last line remembered sits at
// lines[last]: a line taken without its ending that has grown since is said
// anew; one changed otherwise is not.
std::size_t TranscriptFollower::FirstNewAt(const Memory& memory, const Lines& lines,
                                           std::size_t last) {
  const std::string& taken = memory.tail.back();
  const bool grew = memory.tailOpen && lines[last] != taken && lines[last].starts_with(taken);
  return grew ? last : last + 1;
}

// Whether at least `needed` of the last `count` remembered lines equal the
// lines they meet when the last of them sits at lines[last].
bool TranscriptFollower::Equal(const Memory& memory, const Lines& lines, std::size_t last,
                               std::size_t count, std::size_t needed) {
  std::size_t equal = 0;
  for (std::size_t back = 0; back < count; ++back) {
    if (Same(memory, memory.tail.size() - 1 - back, lines[last - back])) {
      if (++equal == needed) return true;
    } else if (count - back - 1 + equal < needed) {
      return false;
    }
  }
  return false;
}

// Whether the remembered line tail[index] reads as `line`. The last one,
// when taken without its ending, may have grown since.
bool TranscriptFollower::Same(const Memory& memory, std::size_t index, std::string_view line) {
  const std::string& taken = memory.tail[index];
  return index + 1 == memory.tail.size() && memory.tailOpen ? line.starts_with(taken)
                                                            : line == taken;
}

// A shorter snapshot that does not agree: the new baseline. What was
// remembered before it is kept until a line heard shows the clear was real.
void TranscriptFollower::TakeAsBaseline(const TranscriptLines& split, const Lines& lines,
                                        std::size_t characters) {
  if (!last_.tail.empty()) {
    kept_.push_back(std::move(last_));
    if (kept_.size() > kKeptClears) kept_.erase(kept_.begin());
  }
  held_.reset();
  Remember(lines, lines.size(), split.open.has_value(), characters);
}

void TranscriptFollower::Remember(const Lines& lines, std::size_t taken, bool lastOpen,
                                  std::size_t characters) {
  last_.seenLines = taken;
  shownLines_ = lines.size();
  shownCharacters_ = characters;
  last_.tailOpen = lastOpen;
  const std::size_t keep = std::min(taken, kTailLines);
  last_.tail.assign(lines.begin() + static_cast<std::ptrdiff_t>(taken - keep),
                    lines.begin() + static_cast<std::ptrdiff_t>(taken));
}

}  // namespace rollkeep
