#pragma once
// A chat room: an "AOL Child" whose direct children are, in this order, the
// entry box ("RICHCNTL"), the transcript ("RICHCNTL"), the members
// ("_AOL_Listbox"), the send button ("_AOL_Icon") and the room's name
// ("_AOL_Static"), followed by plain controls to say a line as any member.

#include "document.h"
#include "room_state.h"

#include <string>
#include <string_view>

namespace roomsim {

class RoomDocument final : public Document {
public:
  RoomDocument(Frame& frame, std::string title);

  // Appends "<name>:\t<text>" to the transcript, adds a new speaker to the
  // members and logs the line.
  void Say(std::string_view name, std::string_view text);

  std::optional<LRESULT> OnEntryMessage(HWND entry, UINT message, WPARAM wParam,
                                        LPARAM lParam) override;

private:
  void OnCreate() override;
  void OnSize(int width, int height) override;
  void OnCommand(int id, int code) override;

  void SendEntry();
  void SayFromBoxes();
  void ShowInTranscript(const RoomState::Said& said);

  RoomState state_;
  // The entry box's text exactly as WM_SETTEXT gave it; the edit control may
  // show less (it stops at a line break).
  std::string entryText_;
  HWND entry_ = nullptr;
  HWND transcript_ = nullptr;
  HWND members_ = nullptr;
  HWND send_ = nullptr;
  HWND roomName_ = nullptr;
  HWND sayNameLabel_ = nullptr;
  HWND sayName_ = nullptr;
  HWND sayTextLabel_ = nullptr;
  HWND sayText_ = nullptr;
  HWND sayButton_ = nullptr;
};

}  // namespace roomsim
