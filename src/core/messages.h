// Texts of the toolbox's return codes, looked up in the message file.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"

namespace kelmod {

struct MessageText {
  char type = 'X';
  std::string shortText;  // at most 26 characters
  std::string longText;   // at most 221 characters
};

// The text of `code`: the first message line of the message file that holds
// it, else the default ("TB041 Error in toolbox", type "X", no short text).
MessageText LookUpMessage(State& s, int32_t code);

// The default long text: the decimal code written right-aligned over "TB000"
// ("TB" followed by the code when it needs more than three characters), then
// " Error in toolbox".
std::string DefaultLongText(int32_t code);

}  // namespace kelmod
