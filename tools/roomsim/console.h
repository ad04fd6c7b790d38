#pragma once
// Messages for whoever started the simulator. It is a GUI program, so it
// writes to the standard handles it was given, or to the console of the
// process that started it; never to a message box, which would stall
// automation.

#include <string_view>

namespace roomsim {

void WriteStdout(std::string_view text);
void WriteStderr(std::string_view text);

}  // namespace roomsim
