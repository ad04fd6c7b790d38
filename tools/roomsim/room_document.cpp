#include "room_document.h"

#include "controls.h"
#include "frame.h"
#include "text.h"

namespace roomsim {
namespace {

// Past the end of any text: the edit control puts the selection at the end.
constexpr WPARAM kTextEnd = 0x7FFFFFFF;

std::string TextOf(HWND control) {
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(
      ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

RoomDocument::RoomDocument(Frame& frame, std::string title)
    : Document(frame, std::move(title)), state_(frame.Settings().keepLines, frame.Settings().lineEnd,
                                                  frame.Settings().speakerMark) {}

void RoomDocument::OnCreate() {
  // Creation order is child order: the five marks of a room come first.
  entry_ = AddChild(kRichClass, nullptr, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kEntryId);
  transcript_ = AddChild(kRichClass, nullptr,
                         WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                         kTranscriptId);
  ::SendMessageA(transcript_, EM_SETLIMITTEXT, 0, 0);
  members_ = AddChild(kListClass, nullptr,
                      WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS, kMembersId);
  send_ = AddChild(kIconClass, "Send", WS_TABSTOP | BS_PUSHBUTTON, kSendId);
  roomName_ = AddChild(kStaticClass, Title().c_str(), SS_LEFT, kRoomNameId);
  sayNameLabel_ = AddChild("STATIC", "Say as:", SS_LEFT, kSayNameLabelId);
  sayName_ = AddChild("EDIT", nullptr, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kSayNameId);
  sayTextLabel_ = AddChild("STATIC", "Text:", SS_LEFT, kSayTextLabelId);
  sayText_ = AddChild("EDIT", nullptr, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kSayTextId);
  sayButton_ = AddChild("BUTTON", "Say", WS_TABSTOP | BS_PUSHBUTTON, kSayButtonId);
}

void RoomDocument::OnSize(int width, int height) {
  constexpr int kGap = 6, kRow = 24, kSide = 150, kButton = 72, kNameRow = 18;
  const int top = kGap + kNameRow + kGap;
  const int rowsTop = height - 2 * (kRow + kGap);
  Place(roomName_, kGap, kGap, width - 2 * kGap, kNameRow);
  Place(transcript_, kGap, top, width - 3 * kGap - kSide, rowsTop - top);
  Place(members_, width - kGap - kSide, top, kSide, rowsTop - top);
  const int entryY = rowsTop + kGap;
  Place(entry_, kGap, entryY, width - 3 * kGap - kButton, kRow);
  Place(send_, width - kGap - kButton, entryY, kButton, kRow);
  const int sayY = entryY + kRow + kGap;
  Place(sayNameLabel_, kGap, sayY + 4, 44, kRow - 4);
  Place(sayName_, kGap + 44, sayY, 110, kRow);
  const int textX = kGap + 44 + 110 + kGap;
  Place(sayTextLabel_, textX, sayY + 4, 32, kRow - 4);
  Place(sayText_, textX + 32, sayY, width - textX - 32 - 2 * kGap - kButton, kRow);
  Place(sayButton_, width - kGap - kButton, sayY, kButton, kRow);
}

void RoomDocument::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == kSendId) SendEntry();
  if (id == kSayButtonId) SayFromBoxes();
}

std::optional<LRESULT> RoomDocument::OnEntryMessage(HWND entry, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
  if (message == WM_SETTEXT) {
    entryText_ = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
    frame_.Log().Write("SETTEXT", entryText_);
    CallEditProc(entry, message, wParam, lParam);
    return TRUE;
  }
  if (message == WM_CHAR) {
    frame_.Log().Write("CHAR", std::to_string(wParam));
    if (wParam == '\r') {
      SendEntry();
      return 0;
    }
  }
  return std::nullopt;
}

// Sends what the box holds as the operator, shown without its HTML tags, then
// empties the box. Text typed by hand since the last WM_SETTEXT is read from
// the control.
void RoomDocument::SendEntry() {
  bool typed = ::SendMessageA(entry_, EM_GETMODIFY, 0, 0) != 0;
  std::string text = typed ? TextOf(entry_) : entryText_;
  Say(frame_.Settings().operatorName, StripTags(text));
  CallEditProc(entry_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  entryText_.clear();
}

void RoomDocument::SayFromBoxes() {
  std::string name = TextOf(sayName_);
  if (name.empty()) {
    ::MessageBeep(MB_ICONWARNING);
    ::SetFocus(sayName_);
    return;
  }
  Say(name, TextOf(sayText_));
  ::SetWindowTextA(sayText_, "");
  ::SetFocus(sayText_);
}

void RoomDocument::Say(std::string_view name, std::string_view text) {
  RoomState::Said said = state_.Say(name, text);
  if (said.newMember) {
    ::SendMessageA(members_, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(state_.Members().back().c_str()));
  }
  ShowInTranscript(said);
  frame_.Log().Write("LINE", said.line);
}

void RoomDocument::ShowInTranscript(const RoomState::Said& said) {
  if (said.trimmed) {
    ::SetWindowTextA(transcript_, state_.Text().c_str());
  } else {
    ::SendMessageA(transcript_, EM_SETSEL, kTextEnd, kTextEnd);
    ::SendMessageA(transcript_, EM_REPLACESEL, FALSE,
                   reinterpret_cast<LPARAM>(said.appended.c_str()));
  }
  ::SendMessageA(transcript_, EM_SETSEL, kTextEnd, kTextEnd);
  ::SendMessageA(transcript_, EM_SCROLLCARET, 0, 0);
}

}  // namespace roomsim
