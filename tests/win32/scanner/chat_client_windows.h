#pragma once
// A chat client made of real windows of the client's classes, in this
// process: frame "AOL Frame25" -> "MDIClient" -> "AOL Child" documents. A
// room has the children "RICHCNTL" (entry box), "RICHCNTL" (transcript, a
// multi-line edit), "_AOL_Listbox", "_AOL_Icon", "_AOL_Static", in this
// child order. The entry box says its text into the room as the operator
// ("Host", tags removed) on WM_CHAR 13, as the client does.

#include <windows.h>

#include <string>

namespace rollkeep::win32::testing {

inline constexpr char kOperator[] = "Host";

class ChatClientWindows {
public:
  ChatClientWindows();  // the frame and its MDI area, no document yet
  ~ChatClientWindows();
  ChatClientWindows(const ChatClientWindows&) = delete;
  ChatClientWindows& operator=(const ChatClientWindows&) = delete;

  // A chat room whose transcript starts with `history`.
  HWND OpenRoom(const std::string& history = "");
  void Close(HWND document);

  static HWND EntryOf(HWND room);
  static HWND TranscriptOf(HWND room);
  static std::string Transcript(HWND room);
  static void SetTranscript(HWND room, const std::string& text);
  // Appends "<screenName>:\t<text>\r\n" to the room's transcript.
  static void Say(HWND room, const std::string& screenName, const std::string& text);
  // Appends raw text: a notice, or part of a line.
  static void Append(HWND room, const std::string& text);

  HWND frame() const { return frame_; }

private:
  HWND frame_ = nullptr;
  HWND area_ = nullptr;
};

// The entry box's text with every "<...>" tag removed, as the client shows it.
std::string WithoutTags(const std::string& text);

}  // namespace rollkeep::win32::testing
