#include "note_document.h"

#include "controls.h"

namespace roomsim {
namespace {

constexpr int kTextId = 200;
constexpr int kNameId = 201;

}  // namespace

void NoteDocument::OnCreate() {
  text_ = AddChild(kRichClass, "This window is not a chat room.",
                   WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY, kTextId);
  name_ = AddChild(kStaticClass, Title().c_str(), SS_LEFT, kNameId);
}

void NoteDocument::OnSize(int width, int height) {
  constexpr int kGap = 6, kNameRow = 18;
  Place(name_, kGap, kGap, width - 2 * kGap, kNameRow);
  Place(text_, kGap, 2 * kGap + kNameRow, width - 2 * kGap, height - 3 * kGap - kNameRow);
}

}  // namespace roomsim
