#pragma once
// The sentences that tell the operator a load or save did not happen.

#include <string>
#include <string_view>

namespace rollkeep {

// "The list could not be <action> <preposition> <path>: <reason>." The reason
// is tidied so that it reads as the end of the sentence: surrounding white
// space and a final full stop go, and a capitalised first word is lowered.
std::string FileFailureText(std::string_view action, std::string_view preposition,
                            std::string_view path, std::string_view reason);

// The same sentence when no path was chosen: "The list could not be <action>: <reason>."
std::string FileFailureText(std::string_view action, std::string_view reason);

}  // namespace rollkeep
