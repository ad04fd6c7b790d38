#pragma once
// What the chat command handler and the main window need from the outside:
// a way to post one announcement into the room, and a way to wait.

#include <string>

namespace rollkeep {

class Poster {
public:
  virtual ~Poster() = default;
  // Posts one announcement (without the style prefix) into the chat room.
  virtual void Post(const std::string& announcement) = 0;
};

class Waiter {
public:
  virtual ~Waiter() = default;
  // Waits at least `seconds`, handling window events meanwhile, so other
  // handlers may run nested inside. Returns false when the program ended
  // during the wait: the caller must then return at once, touching nothing.
  virtual bool Wait(double seconds) = 0;
};

}  // namespace rollkeep
