#pragma once
// Follows the chat room's transcript from one read to the next and tells
// which lines are new. All that is known of the transcript is that it is the
// room's text window, one line per thing said, speaker first; the client
// appends at the bottom, may be caught mid-append, and drops old lines from
// the top once it holds as many as it keeps.
//
// Line ends. A line ends with CR LF, CR alone or LF alone, mixed freely. A
// CR LF pair inside one snapshot is always one ending, so no empty line is
// invented between its halves. A CR at the very end of a snapshot may be the
// first half of a CR LF still being written: it does not end its line yet,
// the line is held like a last line without an ending (below). Whatever the
// next read shows after it (LF, more text, nothing), the line is then one
// line, reported once.
//
// The last line without an ending. A client may separate its lines rather
// than end them, so the last line may never get an ending until the next one
// is said; or it may be a line still being written. It counts as said once
// it reads the same at two successive reads (or once it has an ending,
// whichever comes first), and it is not reported again when its ending
// arrives later. A line held back that reads longer at the next read was
// still being written: it is one line, reported once said by the same rule.
// A last line taken without its ending that later reads longer was still
// being written after all: the longer line is reported as said.
//
// Where to continue. The follower remembers the last lines it has taken
// (at most kTailLines). In a new snapshot the last of them can only have
// stayed at its place or moved up (lines trimmed from the top). The lowest
// place where the remembered lines sit is taken, and only when enough of
// them match there: as many as both the remembered run and the lines above
// that place allow, and so more than one where both have more than one. A
// single line at the very top that equals the last line taken is not enough
// on its own (see below).
//
// No place found. Then no run of the remembered lines is left, and the
// snapshot is one of two things:
//  - an overflow: the client appended more lines than it keeps since the last
//    read. The transcript is no shorter than before (in characters or in
//    lines: a client that trims is full). Every line in it is new and is
//    reported in order, but for a first line equal to the last line taken,
//    which is that line trimmed down to the top.
//  - a replacement or a clear: the transcript is shorter than before in both
//    characters and lines. It becomes the new baseline and nothing in it is
//    reported: what it holds cannot be told apart from what was said before.
// A transcript of another window (another room) is a replacement too; the
// caller knows the window and calls Reset.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rollkeep {

// One thing said in the room: "<screen name>:<TAB><text>" or
// "<screen name>: <text>".
struct ChatLineParts {
  std::string screenName;
  std::string text;

  friend bool operator==(const ChatLineParts&, const ChatLineParts&) = default;
};

// Splits a transcript line at its first ":" followed by a TAB or a space.
// Exactly that one TAB or space belongs to the separator; everything after it
// is the text, leading spaces included. A line without a speaker (a room
// notice, an empty line) is not something a member said: nullopt.
std::optional<ChatLineParts> ParseChatLine(std::string_view line);

// A transcript cut into lines, without their endings.
struct TranscriptLines {
  std::vector<std::string_view> complete;
  // The last line when it has no ending yet (a CR at the very end does not
  // count as one); nullopt when the transcript ends with a line end or is
  // empty.
  std::optional<std::string_view> open;
};

TranscriptLines SplitTranscript(std::string_view transcript);

class TranscriptFollower {
public:
  // How many of the last lines are remembered to find the place to continue
  // from. More lines tell apart longer repeated runs of text.
  static constexpr std::size_t kTailLines = 16;

  // Takes `snapshot` as the baseline: none of its lines will be reported. A
  // last line without an ending is part of it when it stays the same; when it
  // grows, it was still being written and is reported once said.
  void Reset(std::string_view snapshot);

  // The lines of `snapshot` said since the previous one, in order, by the
  // rules above. Identical lines are told apart by their place, so a line
  // said twice is reported twice.
  std::vector<std::string> Update(std::string_view snapshot);

private:
  static constexpr std::size_t kReplaced = static_cast<std::size_t>(-1);

  std::size_t FindContinuation(const std::vector<std::string_view>& lines,
                               std::size_t characters) const;
  std::size_t FirstNewAt(const std::vector<std::string_view>& lines, std::size_t last) const;
  bool TailEndsAt(const std::vector<std::string_view>& lines, std::size_t last,
                  std::size_t count) const;
  void Remember(const std::vector<std::string_view>& lines, std::size_t taken, bool lastOpen,
                std::size_t characters);

  // Lines taken from the previous snapshot (reported or baseline).
  std::size_t seenLines_ = 0;
  // Lines and characters of the previous snapshot, all of them.
  std::size_t shownLines_ = 0;
  std::size_t shownCharacters_ = 0;
  // The last (at most kTailLines) lines taken, oldest first.
  std::vector<std::string> tail_;
  // Whether the last of them had no ending when taken.
  bool tailOpen_ = false;
  // The previous snapshot's last line without an ending, when not taken.
  std::optional<std::string> held_;
};

}  // namespace rollkeep
