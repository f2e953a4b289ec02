// The six mail tables: one characteristic list per mail type whose records
// are the mail fields and whose values are the mails.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::mail {

// Creates the field records of a mail type in list order ("C" format, no
// values); nothing for a type outside 1 to 6.
CharacteristicList BuildMailFields(int32_t type);

int32_t CreateMailTable(State& s, int32_t type, const char* data, int32_t length);
int32_t DescribeMailTable(State& s, int32_t type, char** count);
int32_t GetMailData(State& s, int32_t type, int32_t position, char* name, int32_t n,
                    char** value);
int32_t WriteMailValue(State& s, int32_t type, int32_t position, const char* name, int32_t n,
                       char* value);
int32_t CreateSendstrMail(State& s, int32_t mode, int32_t mail, char** sendString);

}  // namespace kelmod::mail
