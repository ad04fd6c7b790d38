#pragma once
// The sentences that tell the operator a load or save did not happen, and
// the tidying that lets any reason from the system end a sentence of ours.

#include <string>
#include <string_view>

namespace rollkeep {

// A reason as the system words it ("Access is denied.\r\n") made to read as
// the end of a sentence of ours ("access is denied"): surrounding white space
// and final full stops go, and a capitalised first word is lowered ("I/O"
// stays). The caller adds its own full stop.
std::string TidyReason(std::string_view reason);

// "The list could not be <action> <preposition> <path>: <reason>." The reason
// is tidied so that it reads as the end of the sentence: surrounding white
// space and a final full stop go, and a capitalised first word is lowered.
std::string FileFailureText(std::string_view action, std::string_view preposition,
                            std::string_view path, std::string_view reason);

// The same sentence when no path was chosen: "The list could not be <action>: <reason>."
std::string FileFailureText(std::string_view action, std::string_view reason);

}  // namespace rollkeep
