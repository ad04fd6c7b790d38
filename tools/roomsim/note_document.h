#pragma once
// A document window that is not a chat room: an "AOL Child" with only some of
// a room's marks (a "RICHCNTL" and an "_AOL_Static"), as the client's other
// windows have.

#include "document.h"

namespace roomsim {

class NoteDocument final : public Document {
public:
  NoteDocument(Frame& frame, std::string title) : Document(frame, std::move(title)) {}

private:
  void OnCreate() override;
  void OnSize(int width, int height) override;

  HWND text_ = nullptr;
  HWND name_ = nullptr;
};

}  // namespace roomsim
