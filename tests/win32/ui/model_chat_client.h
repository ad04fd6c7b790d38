#pragma once
// A model of the chat client made of real windows of the client's classes:
// "AOL Frame25" -> "MDIClient" -> "AOL Child" holding, in child order, the
// entry box ("RICHCNTL"), the transcript ("RICHCNTL"), "_AOL_Listbox",
// "_AOL_Icon" and "_AOL_Static". The entry box records every WM_SETTEXT and
// WM_CHAR it receives; on Enter it appends its line to the transcript as said
// by the operator, like the client.

#include <windows.h>

#include <string>
#include <vector>

namespace rollkeep::uitest {

class ModelChatClient {
public:
  explicit ModelChatClient(std::string operatorName = "Operator");
  ~ModelChatClient();
  ModelChatClient(const ModelChatClient&) = delete;
  ModelChatClient& operator=(const ModelChatClient&) = delete;

  // Every message the entry box got: "text:<text>" or "char:<code>".
  const std::vector<std::string>& entryLog() const { return entryLog_; }
  // The lines sent with Enter, without the style prefix.
  std::vector<std::string> Announcements() const;
  // A member says a line: it is appended to the transcript.
  void Say(const std::string& screenName, const std::string& text);
  HWND transcript() const { return transcript_; }

private:
  static LRESULT CALLBACK EntryProc(HWND, UINT, WPARAM, LPARAM) noexcept;
  void Record(UINT message, WPARAM wParam, LPARAM lParam);
  void AppendToTranscript(const std::string& line);

  std::string operatorName_;
  std::vector<std::string> entryLog_;
  std::vector<std::string> sent_;
  HWND frame_ = nullptr;
  HWND entry_ = nullptr;
  HWND transcript_ = nullptr;
};

}  // namespace rollkeep::uitest
