#pragma once
// Follows the chat room's transcript from one read to the next and tells
// which lines are new. All that is known of the transcript is that it is the
// room's text window, one line per thing said, speaker first; the client
// appends at the bottom, may be caught mid-append, and drops old lines from
// the top once it holds as many as it keeps. It may also re-render a line in
// place (a smiley, a link), and a read may catch its text empty or shorter
// for a moment (a redraw).
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
// Where to continue. A line is new only if it comes after the last place
// where the remembered lines and the snapshot agree. The follower remembers
// the last lines it has taken (at most kTailLines) and where the last of them
// was. In a new snapshot that line can only have stayed at its place or moved
// up (lines trimmed from the top). The remembered lines agree with the
// snapshot at a place when, laid with their last line there, they are equal
// to the lines they meet there, all of them, or but for lines changed in
// place (a line re-rendered) as long as more are equal than changed; the
// lines compared are as many as both the remembered run and the lines above
// that place allow, and at least two where both have more than one. The
// lowest place where all are equal is taken, else the lowest where most are:
// identical lines trimmed count before lines changed. A last line taken
// without its ending that reads otherwise in its place, and not longer
// (above), was changed: it is not reported again.
//
// Empty and shorter snapshots. A snapshot shorter than the one before, in
// both characters and lines, where the remembered lines do not agree, is a
// clear or a replacement, or a read that caught the client redrawing: it
// becomes the baseline and nothing in it is reported, but what was
// remembered before it is kept (at most two such memories) until a later
// snapshot shows the clear was real, by a line heard after it. A later
// snapshot is compared with every memory kept, and continues after the
// lowest place found in any: a transcript that read empty or shorter once
// and then shows its lines again reports only what was said meanwhile.
//
// No place found. Then, in a snapshot no shorter than the one before, the
// lowest place that any single remembered line found in the snapshot gives
// to the last of them is taken (a line at the very top equal to the last
// line taken, too). Only when no remembered line is found at all is the
// snapshot an overflow: the client appended more lines than it keeps since
// the last read, and every line is new.
//
// Left ambiguous, and settled by the tests' tables:
//  - identical lines trimmed in a very small transcript ("x", "hi", "hi"
//    read as "hi", "hi", "hi"): taken as one line trimmed and "hi" said, not
//    "x" changed into "hi".
//  - a same-window history replaced by an unrelated one no shorter than
//    before cannot be told from a burst larger than the client keeps: it is
//    heard as one. A line in it equal to a remembered one is taken as that
//    line, and the lines above it are not heard.
//  - a transcript cleared and then showing the same last lines as before the
//    clear is taken as restored: those lines are not reported.
//  - a line changed in place where it is the only remembered line shown, or
//    where as many changed as stayed in a shorter snapshot, cannot be told
//    from a new line or another history.
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
  // What is remembered of a snapshot.
  struct Memory {
    // Lines taken from it (reported or baseline).
    std::size_t seenLines = 0;
    // The last (at most kTailLines) lines taken, oldest first.
    std::vector<std::string> tail;
    // Whether the last of them had no ending when taken.
    bool tailOpen = false;
  };
  // How many memories from before a clear not yet shown real are kept.
  static constexpr std::size_t kKeptClears = 2;

  using Lines = std::vector<std::string_view>;

  std::optional<std::size_t> FindContinuation(const Lines& lines, bool& fromKept) const;
  std::optional<std::size_t> FindLoose(const Lines& lines, bool& fromKept) const;
  static std::optional<std::size_t> Agree(const Memory& memory, const Lines& lines,
                                          std::size_t floor);
  static std::optional<std::size_t> Loose(const Memory& memory, const Lines& lines,
                                          std::optional<std::size_t> best);
  static std::size_t FirstNewAt(const Memory& memory, const Lines& lines, std::size_t last);
  static bool Equal(const Memory& memory, const Lines& lines, std::size_t last, std::size_t count,
                    std::size_t needed);
  static bool Same(const Memory& memory, std::size_t index, std::string_view line);
  void TakeAsBaseline(const TranscriptLines& split, const Lines& lines, std::size_t characters);
  void Remember(const Lines& lines, std::size_t taken, bool lastOpen, std::size_t characters);

  // What was remembered of the previous snapshot.
  Memory last_;
  // What was remembered before a clear (or shorter snapshot) not yet shown
  // real, oldest first.
  std::vector<Memory> kept_;
  // Lines and characters of the previous snapshot, all of them.
  std::size_t shownLines_ = 0;
  std::size_t shownCharacters_ = 0;
  // The previous snapshot's last line without an ending, when not taken.
  std::optional<std::string> held_;
};

}  // namespace rollkeep
