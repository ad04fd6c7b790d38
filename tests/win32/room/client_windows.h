#pragma once
// Real windows of the chat client's classes, made by the test process, for
// tests of the user32 window operations. Every window of these classes logs
// the WM_SETTEXT texts and WM_CHAR codes it receives (from any thread).

#include <windows.h>

#include <string>
#include <vector>

namespace rollkeep::testing {

struct Received {
  UINT message;      // WM_SETTEXT or WM_CHAR
  std::string text;  // WM_SETTEXT
  WPARAM code;       // WM_CHAR
  friend bool operator==(const Received&, const Received&) = default;
};

inline Received SetTextMsg(std::string text) { return {WM_SETTEXT, std::move(text), 0}; }
inline Received CharMsg(WPARAM code) { return {WM_CHAR, {}, code}; }

// What `window` has received so far, in order.
std::vector<Received> ReceivedBy(HWND window);
// Messages received by every window of the client's classes, together.
std::size_t ReceivedByAll();
void ForgetReceived();

// The five messages one post must bring to the entry box.
std::vector<Received> FivePostMessages(const std::string& line);

// Creates hidden windows of the client's classes on the calling thread and
// destroys the top-level ones (and with them their children) when it goes.
class ClientWindows {
public:
  ClientWindows();
  ~ClientWindows();
  ClientWindows(const ClientWindows&) = delete;
  ClientWindows& operator=(const ClientWindows&) = delete;

  HWND TopLevel(const char* className, const char* title = "");
  HWND Child(HWND parent, const char* className, const char* text = "");

  struct Client {
    HWND frame, mdiClient;
  };
  struct Room {
    HWND room, entry, transcript, members, sendButton, roomName;
  };
  Client AddClient();
  Room AddRoom(const Client& client, const char* name = "Town Square");
  // The room's children minus the class `missing` ("" for none), under `parent`.
  HWND AddPartialRoom(HWND parent, const std::string& missing);

private:
  std::vector<HWND> topLevel_;
};

}  // namespace rollkeep::testing
