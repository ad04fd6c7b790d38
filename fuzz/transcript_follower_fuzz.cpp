// Fuzzes the transcript follower against a client that appends lines in any
// line-end format (CR LF, CR, LF, or lines separated with the last one
// without an ending), keeps only its last lines and sometimes trims more.
// Every line is distinct. At each read: no line is reported twice, and every
// line said since the previous read and still shown is reported exactly once,
// in order (a last line without an ending once it read the same twice).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
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
};

class Client {
public:
  Client(std::size_t keep, bool separate) : keep_(keep), separate_(separate) {}

  void Say(FuzzedDataProvider& data) {
    static const char* const kEnds[] = {"\r\n", "\r", "\n"};
    static const char* const kMarks[] = {":\t", ": "};
    const int id = nextId_++;
    std::string text = "M" + std::to_string(id) + "." + kMarks[data.ConsumeIntegralInRange(0, 1)] +
                       data.ConsumeRandomLengthString(12);
    for (char& c : text) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    lines_.push_back({id, text, kEnds[data.ConsumeIntegralInRange(0, 2)]});
    while (lines_.size() > keep_) lines_.pop_front();
  }

  // Drops up to `count` lines from the top, but none of the last `spare`.
  void Trim(std::size_t count, std::size_t spare) {
    while (count-- > 0 && lines_.size() > spare) lines_.pop_front();
  }

  std::string Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      text += lines_[i].text;
      if (!separate_ || i + 1 < lines_.size()) text += lines_[i].end;
    }
    return text;
  }

  // The last line's id when it shows no ending yet (a CR at the very end
  // counts as none), else -1.
  int OpenId() const {
    if (lines_.empty()) return -1;
    const bool open = separate_ || std::string(lines_.back().end) == "\r";
    return open ? lines_.back().id : -1;
  }

  const std::deque<Line>& Lines() const { return lines_; }

private:
  std::size_t keep_;
  bool separate_;
  int nextId_ = 0;
  std::deque<Line> lines_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  Client client(data.ConsumeIntegralInRange<std::size_t>(1, 40), data.ConsumeBool());
  for (int n = data.ConsumeIntegralInRange(0, 30); n > 0; --n) client.Say(data);

  rollkeep::TranscriptFollower follower;
  follower.Reset(client.Text());
  std::set<int> reported;  // taken: the baseline or reported
  std::vector<int> taken;  // the lines taken at the last read, in order
  for (const Line& line : client.Lines()) {
    reported.insert(line.id);
    taken.push_back(line.id);
  }
  int held = -1;  // the open last line the last read held back

  while (data.remaining_bytes() > 0) {
    // Between two reads: lines said (the client trims to what it keeps), and
    // more trimmed, as long as the last two lines taken stay in view.
    for (int n = data.ConsumeIntegralInRange(0, 60); n > 0; --n) client.Say(data);
    // (With none of them left, the client trimmed as a full client does.)
    const std::size_t needed = taken.size() >= 2 ? 2 : taken.size();
    std::size_t spare = needed == 0 ? 0 : client.Lines().size();
    for (std::size_t i = 0; i < client.Lines().size() && needed > 0; ++i) {
      if (client.Lines()[i].id == taken[taken.size() - needed]) spare = client.Lines().size() - i;
    }
    client.Trim(data.ConsumeIntegralInRange<std::size_t>(0, 8), spare);

    const int open = client.OpenId();
    std::vector<std::string> expected;
    for (const Line& line : client.Lines()) {
      if (reported.contains(line.id)) continue;
      if (line.id == open && open != held) break;  // not yet said
      expected.push_back(line.text);
    }
    const std::vector<std::string> heard = follower.Update(client.Text());
    Require(heard == expected);

    taken.clear();
    for (const Line& line : client.Lines()) {
      if (line.id == open && !reported.contains(line.id) && open != held) break;
      reported.insert(line.id);
      taken.push_back(line.id);
    }
    held = open != -1 && !reported.contains(open) ? open : -1;
  }
  return 0;
}
