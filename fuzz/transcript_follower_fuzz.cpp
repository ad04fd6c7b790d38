// Fuzzes the transcript follower against a client that appends lines in any
// line-end format (CR LF, CR, LF, or lines separated with the last one
// without an ending), keeps only its last lines and sometimes trims more,
// changes lines in place (a re-render), shows an empty transcript for one
// read and then its text again, and replaces its text with another history.
// Every line is distinct. At each read: no line is reported twice, and every
// line said since it was last read and still shown is reported exactly once,
// in order, with its text as shown (a last line without an ending once it
// read the same twice). Lines of a replacing history may be heard or not.
//
// The client stays within what the follower tolerates: beyond what it keeps
// it trims only while the last two lines read stay in view; of the lines the
// follower remembers that are still shown, at least one reads as it was
// read, and fewer than half have changed when the transcript is shorter than
// at the read before.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "room/transcript_follower.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct Line {
  int id;
  std::string text;
  const char* end;
  bool history = false;  // from a replacing history: may be heard or not
};

class Client {
public:
  Client(std::size_t keep, bool separate) : keep_(keep), separate_(separate) {}

  void Say(FuzzedDataProvider& data, bool history = false) {
    static const char* const kEnds[] = {"\r\n", "\r", "\n"};
    static const char* const kMarks[] = {":\t", ": "};
    const int id = nextId_++;
    std::string text = "M" + std::to_string(id) + "." + kMarks[data.ConsumeIntegralInRange(0, 1)] +
                       data.ConsumeRandomLengthString(12);
    for (char& c : text) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    lines_.push_back({id, text, kEnds[data.ConsumeIntegralInRange(0, 2)], history});
    while (lines_.size() > keep_) lines_.pop_front();
  }

  // Drops up to `count` lines from the top, but none of the last `spare`.
  void Trim(std::size_t count, std::size_t spare) {
    while (count-- > 0 && lines_.size() > spare) lines_.pop_front();
  }

  // Changes a line in place: a mark after its id, so that it neither equals
  // another line nor reads as the old text continued.
  void Edit(std::size_t index) { lines_[index].text.insert(lines_[index].text.find('.') + 1, "~"); }

  void SetText(std::size_t index, const std::string& text) { lines_[index].text = text; }

  // Another history in place of the text: `count` lines never shown before.
  void Replace(FuzzedDataProvider& data, std::size_t count) {
    lines_.clear();
    while (count-- > 0) Say(data, true);
  }

  std::string Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      text += lines_[i].text;
      if (!separate_ || i + 1 < lines_.size()) text += lines_[i].end;
    }
    return text;
  }

  // The last line's index when it shows no ending yet (a CR at the very end
  // counts as none), else npos.
  std::size_t OpenIndex() const {
    if (lines_.empty()) return std::string::npos;
    const bool open = separate_ || std::string(lines_.back().end) == "\r";
    return open ? lines_.size() - 1 : std::string::npos;
  }

  std::size_t Keep() const { return keep_; }
  const std::deque<Line>& Lines() const { return lines_; }

private:
  std::size_t keep_;
  bool separate_;
  int nextId_ = 0;
  std::deque<Line> lines_;
};

std::size_t LineCount(const std::string& text) {
  const rollkeep::TranscriptLines split = rollkeep::SplitTranscript(text);
  return split.complete.size() + (split.open ? 1 : 0);
}

// What the follower remembers of the last read that showed a transcript: the
// lines taken (heard or history), in order, with their text then.
struct Memory {
  std::vector<int> ids;
  std::map<int, std::string> texts;
};

// Keeps the client within what the follower tolerates (see the top): undoes
// changes to remembered lines still shown until enough of them read as read.
// Whether the transcript is shorter than `before` is judged anew after each
// undo, as an undone change may shorten it.
void UndoTooManyChanges(Client& client, const Memory& memory, const std::string& before) {
  const std::size_t tail = rollkeep::TranscriptFollower::kTailLines;
  const std::size_t first = memory.ids.size() > tail ? memory.ids.size() - tail : 0;
  const std::set<int> remembered(memory.ids.begin() + static_cast<std::ptrdiff_t>(first),
                                 memory.ids.end());
  std::vector<std::size_t> shown, changed;
  for (std::size_t i = 0; i < client.Lines().size(); ++i) {
    const Line& line = client.Lines()[i];
    if (!remembered.contains(line.id)) continue;
    shown.push_back(i);
    if (line.text != memory.texts.at(line.id)) changed.push_back(i);
  }
  const auto tolerated = [&] {
    const std::string text = client.Text();
    const bool shorter = text.size() < before.size() && LineCount(text) < LineCount(before);
    return changed.empty() || (shorter ? changed.size() * 2 < shown.size()
                                       : changed.size() < shown.size());
  };
  while (!tolerated()) {
    const std::size_t i = changed.back();
    client.SetText(i, memory.texts.at(client.Lines()[i].id));
    changed.pop_back();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  Client client(data.ConsumeIntegralInRange<std::size_t>(1, 40), data.ConsumeBool());
  for (int n = data.ConsumeIntegralInRange(0, 30); n > 0; --n) client.Say(data);

  rollkeep::TranscriptFollower follower;
  std::string shown = client.Text();
  follower.Reset(shown);
  std::set<int> taken;  // heard, or taken as history
  Memory memory;
  const auto take = [&](const Line& line) {
    taken.insert(line.id);
    memory.ids.push_back(line.id);
    memory.texts[line.id] = line.text;
  };
  for (const Line& line : client.Lines()) take(line);
  int heldId = -1;  // the open last line the last read held back, and its text
  std::string heldText;

  while (data.remaining_bytes() > 0) {
    // Between two reads: lines said (the client trims to what it keeps), and
    // more trimmed, as long as the last two lines read stay in view.
    for (int n = data.ConsumeIntegralInRange(0, 60); n > 0; --n) client.Say(data);
    // (With none of them left, the client trimmed as a full client does.)
    const std::size_t needed = memory.ids.size() >= 2 ? 2 : memory.ids.size();
    std::size_t spare = needed == 0 ? 0 : client.Lines().size();
    for (std::size_t i = 0; i < client.Lines().size() && needed > 0; ++i) {
      if (client.Lines()[i].id == memory.ids[memory.ids.size() - needed]) {
        spare = client.Lines().size() - i;
      }
    }
    client.Trim(data.ConsumeIntegralInRange<std::size_t>(0, 8), spare);
    for (int n = data.ConsumeIntegralInRange(0, 3); n > 0 && !client.Lines().empty(); --n) {
      client.Edit(data.ConsumeIntegralInRange<std::size_t>(0, client.Lines().size() - 1));
    }
    if (data.ConsumeIntegralInRange(0, 15) == 0) {
      client.Replace(data, data.ConsumeIntegralInRange<std::size_t>(0, client.Keep()));
    }
    const bool blank = data.ConsumeIntegralInRange(0, 7) == 0;

    if (!blank) UndoTooManyChanges(client, memory, shown);
    const std::string text = client.Text();
    const std::vector<std::string> heard = follower.Update(blank ? std::string() : text);
    shown = blank ? std::string() : text;
    if (blank) {
      // An empty transcript: nothing to hear, and nothing held any more.
      Require(heard.empty());
      heldId = -1;
      continue;
    }

    // The lines that may be heard, in order: those not taken yet, but for a
    // last line without an ending that did not read the same at the last read.
    const std::size_t open = client.OpenIndex();
    const bool openUnsaid = open != std::string::npos && !(client.Lines()[open].id == heldId &&
                                                           client.Lines()[open].text == heldText);
    const auto unsaid = [&](std::size_t i) { return i == open && openUnsaid; };
    std::size_t next = 0;
    for (std::size_t i = 0; i < client.Lines().size(); ++i) {
      const Line& line = client.Lines()[i];
      if (taken.contains(line.id) || unsaid(i)) continue;
      if (next < heard.size() && heard[next] == line.text) {
        ++next;
      } else {
        Require(line.history);  // a line said and shown, not heard
      }
    }
    Require(next == heard.size());  // nothing heard twice, nothing invented

    memory = {};
    heldId = -1;
    for (std::size_t i = 0; i < client.Lines().size(); ++i) {
      const Line& line = client.Lines()[i];
      if (unsaid(i) && !taken.contains(line.id)) {
        heldId = line.id;
        heldText = line.text;
        break;
      }
      take(line);
    }
  }
  return 0;
}
