#pragma once
// The chat client made of real windows in the test's own process, and the
// helpers every Win32 test shares: pumping this thread's messages until a
// state holds, reading windows, a temporary folder and whole files.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/desktop_builder.h"

namespace rollkeep::testing {

// Handles this thread's messages for `ms`.
void PumpFor(DWORD ms);
// Handles this thread's messages until `done()` holds or `timeoutMs` passed;
// true when it held. Generous: Wine on a loaded machine is slow.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 30000);

std::string TextOf(HWND window);
// What a list box shows.
std::vector<std::string> ListItems(HWND listBox);

// A fresh folder under the Windows temporary folder, removed with everything
// in it (hidden, system and read-only files included).
class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string file(const std::string& name) const { return path + "\\" + name; }
  // How many files and folders it holds: a temporary file left behind shows here.
  long entries() const;

  const std::string path;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);

// Every WM_SETTEXT, WM_CHAR and EM_SETSEL that a window of the client's own
// classes handled, from any thread, in order, worded as the window tree
// model words them: "WM_SETTEXT <text>", "WM_CHAR <code>", "EM_SETSEL <n> <n>".
using MessageLog = std::vector<std::pair<WindowHandle, std::string>>;
MessageLog Received();
std::vector<std::string> MessagesTo(WindowHandle window);

// The window procedure of the client's classes: logs as above. The entry
// box (a room's first "RICHCNTL") sends its line on Enter as the client
// does: the line, tags removed, is said in the room by kOperator, and the box
// is emptied.
LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam) noexcept;
inline constexpr char kOperator[] = "Host";

// Lines the entry boxes sent, in order; the style prefix of Rollkeep's posts
// taken off ("(unstyled) <line>" for a line without it).
std::vector<std::string> SentLines();

// Real hidden windows on the calling thread, which must destroy them: the
// "MDIClient" is the system's own class, every other class is registered
// with ClientWindowProc. Creating one clears the log and the sent lines.
class Win32Desktop final : public DesktopBuilder {
public:
  Win32Desktop();
  ~Win32Desktop() override;
  Win32Desktop(const Win32Desktop&) = delete;
  Win32Desktop& operator=(const Win32Desktop&) = delete;

  WindowHandle Create(const std::string& className, WindowHandle parent = kNoWindow,
                      Place place = Place::Last) override;
  void Destroy(WindowHandle window) override;

private:
  std::vector<HWND> topLevel_;
};

// The chat client with its frame and document area, and rooms opened in it.
class ChatClient {
public:
  ChatClient() : windows_(AddChatClient(desktop_)) {}
  // A room whose transcript starts with `history`.
  HWND OpenRoom(const std::string& history = {});
  Win32Desktop& desktop() { return desktop_; }

private:
  Win32Desktop desktop_;
  ChatClientWindows windows_;
};

inline HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// The room's transcript, and lines said into it as the client shows them.
HWND TranscriptOf(HWND room);
void SetTranscript(HWND room, const std::string& text);
void Append(HWND room, const std::string& text);
void Say(HWND room, const std::string& screenName, const std::string& text);

}  // namespace rollkeep::testing
