// The help request and the message request of the newer release.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::requests {

// part1;part2;part3;part4; in the send buffer, parts unchanged.
int32_t CreateSendstrHelp(State& s, const char* p1, const char* p2, const char* p3,
                          const char* p4, char** sendString);

// Characters 2-3 and 4-6 of the message text, each followed by the
// separator. *sendString is null after every failure.
// 0; 82 message null, length below 1 or a part empty.
int32_t CreateSendstrMessageK4(State& s, const char* message, int32_t length, char** sendString);

// Appends the separator after a part; a separator that was never set (NUL)
// joins the parts with nothing between them.
void AppendSeparator(std::string& out, char separator);

}  // namespace kelmod::requests
