#pragma once
// The client's main window: an "AOL Frame25" frame around a real MDI client
// that holds the document windows. It replays the script into the first room
// and ends or hangs the program when the options say so.

#include "document.h"
#include "event_log.h"
#include "options.h"
#include "script.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace roomsim {

class RoomDocument;

// Menu commands of the frame; automation may send them as WM_COMMAND.
enum FrameCommand : int {
  kCmdNewRoom = 40001,
  kCmdNewDocument = 40002,
  kCmdCloseWindow = 40003,
  kCmdExit = 40004,
  kCmdCascade = 40005,
  kCmdTile = 40006,
};

class Frame {
public:
  Frame(HINSTANCE instance, Options options, std::vector<ScriptEvent> script, EventLog& log,
        Stopwatch clock);
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  // Registers the classes and shows the frame with its first room.
  bool Create(int show);
  // The message loop; returns the exit code.
  int Run();

  const Options& Settings() const { return options_; }
  EventLog& Log() { return log_; }
  // Called as a document window goes away: the Document is deleted.
  void Forget(Document* document);

private:
  struct CreateParams {
    Frame* frame;
    CLIENTCREATESTRUCT* client;
  };

  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool OnCreate(const CreateParams& params);
  bool OnCommand(int id);
  void OnTimer(UINT_PTR id);

  void Open(std::unique_ptr<Document> document);
  void OpenRoom();
  void OpenNote();
  void CloseActive();
  RoomDocument* FirstRoom() const;

  void StartTimer(UINT_PTR id, std::int64_t atMs);
  void PlayDueScript();
  void Exit(const char* reason);
  void Hang();

  HINSTANCE instance_;
  Options options_;
  std::vector<ScriptEvent> script_;
  std::size_t nextEvent_ = 0;
  EventLog& log_;
  Stopwatch clock_;
  HWND window_ = nullptr;
  HWND mdiClient_ = nullptr;
  int roomsOpened_ = 0;
  int notesOpened_ = 0;
  std::vector<std::unique_ptr<Document>> documents_;
};

}  // namespace roomsim
