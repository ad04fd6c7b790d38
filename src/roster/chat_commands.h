#pragma once
// Handles one line said in the chat room: "list me" and "remove me".

#include <string>

#include "roster/chat_ports.h"
#include "roster/roster.h"

namespace rollkeep {

inline constexpr char kAnnouncementPrefix[] = "Rollkeep: ";
inline constexpr double kAnnouncementPause = 0.7;

class ChatCommandHandler {
public:
  ChatCommandHandler(Roster& roster, Poster& poster, Waiter& waiter)
      : roster_(roster), poster_(poster), waiter_(waiter) {}

  // Returns false when the program ended during the handler's wait.
  bool ChatLine(const std::string& screenName, const std::string& text);

private:
  bool ListCommand(const std::string& screenName);
  void RemoveCommand(const std::string& screenName);
  // True when an entry equals `screenName` exactly.
  bool IsListed(const std::string& screenName) const;

  Roster& roster_;
  Poster& poster_;
  Waiter& waiter_;
};

}  // namespace rollkeep
