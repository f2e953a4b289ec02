// The characteristic bar of the newer release: the table of characteristics
// with their 32 description fields, the object table, the position value
// table, and their reads and send strings.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"
#include "kelmod.h"

namespace kelmod::sml {

// Stores one member of a characteristic: codes 1 to 9, 12 to 32, 34 and 35
// the texts (trailing blanks removed, also from `text`), 10 and 11 the
// digits and decimals (read as atoi does), 33 value n (n = 1 first drops
// every value). 0; -1 code outside 1 to 35 or memory.
int32_t SetSmlCharacteristicField(SmlCharacteristic& record, int32_t code, std::string& text,
                                  int32_t n);

// Groups of 32 separator-terminated fields appended to `list` as
// characteristics until the consumed count reaches remaining or a field is
// not terminated. 0; -1 memory.
int32_t LoadSmlK4Characteristics(const char*& cursor, int64_t remaining, SmlK4Table& list,
                                 char separator);

// Gives each characteristic the values of the first run of name/value pairs
// bearing its name; characteristics without pairs keep their values. A
// value longer than a characteristic's digits raises them. Throws
// std::bad_alloc when memory runs out (the values stored so far stay).
void FillSmlValuesByName(int32_t length, const char* data, SmlK4Table& table, char separator);

// Releases the table; a table that held records also clears the header
// values.
void ReleaseSmlK4Table(State& s);

int32_t CreateSmlTableK4(State& s, int32_t mode, const char* data, int32_t length);
int32_t FillSmlTableK4(State& s, int32_t mode, char* data, int32_t length);
int32_t WriteSmlValueK4(State& s, int32_t type, int32_t position, const char* name, int32_t code,
                        char* text, int32_t n);
int32_t DeleteSmlSelectionK4(State& s);
int32_t GetSmlDescriptionK4(State& s, int32_t type, char** value);
int32_t CreateSendstrSmlK4(State& s, int32_t mode, char** sendString);

int32_t GetSmlDataK4(State& s, int32_t mode, int32_t position, int32_t number,
                     SmlCharacteristicData* out);
int32_t GetSmlAttributDataK4(State& s, int32_t kind, const char* key, int32_t n,
                             SmlCharacteristicData* out);
int32_t GetSmlDataValueK4(State& s, int32_t mode, const char* name, int32_t index,
                          int32_t objectNumber, int32_t valueNumber, char** value);
int32_t GetSmlValueDescriptionK4(State& s, int32_t mode, int32_t objectNumber, const char* name,
                                 int32_t* count);
int32_t CreateFillPosSmlValueTableK4(State& s, int32_t mode, const char* data, int32_t length);
int32_t CreateSendstrPosSmlValuesK4(State& s, int32_t mode, char** sendString);

// Name/value pairs into entries, one per name in order of first appearance,
// values numbered in arrival order. Mode 1 (an object's pairs) ends at an
// empty name; mode 2 (position values) at the end of the data.
// 0; -1 memory, a field not terminated (mode 1, or a value), or an empty
// name in mode 2; 3 another mode; 85 the pairs run past length.
int32_t ReadValuePairs(int32_t mode, const char*& cursor, int32_t length,
                       std::vector<SmlValueEntry>& list, char separator);

// Objects of a received object string (fourteen texts, then pairs closed by
// an empty field), appended to `list`; an object that fails is left out and
// the parse goes on after it. The data must end at length (the caller cuts
// it there), so no object runs past it. The result is that of the last
// object: 0, or -1 (a field without its separator, or memory).
int32_t LoadSmlObjects(const char*& cursor, int32_t length, std::vector<SmlObject>& list,
                       char separator);

}  // namespace kelmod::sml
