#pragma once
// Posts each announcement straight through PostToRoom, with no retry queue:
// for tests that need real posts into a room of real windows.

#include <string>

#include "room/room_posting.h"
#include "roster/chat_ports.h"

namespace rollkeep {

// Posts announcements through PostToRoom.
class RoomPoster final : public Poster {
public:
  explicit RoomPoster(WindowOps& ops) : ops_(ops) {}
  void Post(const std::string& announcement) override {
    Brask32::PostToRoom(ops_, announcement);
  }

private:
  WindowOps& ops_;
};

}  // namespace rollkeep
