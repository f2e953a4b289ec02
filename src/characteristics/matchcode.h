// The matchcode table: the list of matchcodes (ID, SUBID, text) or the
// fields of one matchcode (text, length) with the values the user enters.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::matchcode {

int32_t CreateFillTableMcd(State& s, int32_t mode, const char* data, int32_t length);
int32_t GetMcdValue(State& s, const char* attribute, int32_t record, char** value);
int32_t GetMcdDescription(State& s, int32_t mode, char** count);
int32_t WriteMcdValue(State& s, int32_t mode, int32_t record, char* value);
int32_t CreateSendstrMcd(State& s, int32_t mode, char** sendString);

// Appends the complete entries of received matchcode data to the table:
// mode 1 ID;SUBID;TEXT; mode 2 TEXT;length; per entry. 0; -1 memory; -2 a
// length below 1.
int32_t LoadMatchcodeEntries(int32_t mode, const char* data, int32_t length,
                             CharacteristicList& table, char separator);

}  // namespace kelmod::matchcode
