#pragma once
// Handles one line said in the chat room: "list me" and "remove me".

#include <optional>
#include <string>

#include "roster/chat_ports.h"
#include "roster/roster.h"

namespace rollkeep {

inline constexpr char kAnnouncementPrefix[] = "Rollkeep: ";
inline constexpr double kAnnouncementPause = 0.7;

// A member's "list me" or "remove me", by screen name.
struct ChatCommand {
  enum class Kind { List, Remove };
  Kind kind;
  std::string screenName;
  bool operator==(const ChatCommand&) const = default;
};

// The command a line said in the room is, if any.
std::optional<ChatCommand> ParseChatCommand(const std::string& screenName,
                                            const std::string& text);

// The command's change to the roster, without announcement: "list me"
// appends and drops exact duplicates, "remove me" removes the last entry that
// matches by name. True when the roster took the change.
bool ApplyChatCommand(const ChatCommand& command, Roster& roster);

class ChatCommandHandler {
public:
  ChatCommandHandler(Roster& roster, Poster& poster, Waiter& waiter)
      : roster_(roster), poster_(poster), waiter_(waiter) {}

  // Returns false when the program ended during the handler's wait.
  bool ChatLine(const std::string& screenName, const std::string& text);
  // The same for a line already known to be a command.
  bool Handle(const ChatCommand& command);

private:
  // True when an entry equals `screenName` exactly.
  bool IsListed(const std::string& screenName) const;

  Roster& roster_;
  Poster& poster_;
  Waiter& waiter_;
};

}  // namespace rollkeep
