#pragma once
// What the chat command handler and the main window need from the outside:
// a way to post one announcement into the room, a way to wait, and the queue
// of the answers to members' commands.

#include <cstdint>
#include <string>

namespace rollkeep {

// Names one chat room (its window) while it is open; 0 names none.
using RoomId = std::uintptr_t;

class Poster {
public:
  virtual ~Poster() = default;
  // Posts one announcement (without the style prefix) into the chat room
  // open now.
  virtual void Post(const std::string& announcement) = 0;
  // The chat room open now, to bind a later announcement to: the room where
  // the line it answers was said.
  virtual RoomId RoomNow() { return 0; }
  // Posts one announcement into `room` alone; when that room is gone the
  // announcement is not delivered, never typed into another room.
  virtual void PostFor(RoomId room, const std::string& announcement) {
    (void)room;
    Post(announcement);
  }
};

class Waiter {
public:
  virtual ~Waiter() = default;
  // Waits at least `seconds`, handling window events meanwhile, so other
  // handlers may run nested inside. Returns false when the program ended
  // during the wait: the caller must then return at once, touching nothing.
  virtual bool Wait(double seconds) = 0;
};

// The answers to members' commands, posted in the order they were asked for.
// Neither call waits: the roster change is done, and the answer follows.
class Answerer {
public:
  virtual ~Answerer() = default;
  // An "added" answer: posted no earlier than the announcement pause after
  // now and after the "added" answer before it, and only when `screenName`
  // is still listed then.
  virtual void Added(const std::string& screenName, const std::string& announcement) = 0;
  // Posted at once, or right after the answers still waiting.
  virtual void Removed(const std::string& announcement) = 0;
  // Forgets every answer still waiting: the program ends.
  virtual void DropWaiting() = 0;
};

}  // namespace rollkeep
