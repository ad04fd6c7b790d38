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

// What a command did to the roster.
enum class ChatOutcome {
  Listed,     // appended (a copy already listed went again)
  Removed,    // the last entry that matches by name went
  NotListed,  // "remove me" by a name that is not listed
  Full,       // "list me" on a full roster: nobody was added
};

// The command's change to the roster, without announcement: "list me"
// appends and drops exact duplicates, "remove me" removes the last entry that
// matches by name.
ChatOutcome ApplyChatCommand(const ChatCommand& command, Roster& roster);

// Changes the roster at once and hands the answer to the answerer, which
// posts it in its turn; nothing here waits, so the next line said is handled
// as soon as it is heard.
class ChatCommandHandler {
public:
  ChatCommandHandler(Roster& roster, Answerer& answerer) : roster_(roster), answerer_(answerer) {}

  ChatOutcome Handle(const ChatCommand& command);

private:
  Roster& roster_;
  Answerer& answerer_;
};

}  // namespace rollkeep
