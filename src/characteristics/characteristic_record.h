// Operations on characteristic lists, shared by the help, matchcode, mail and
// characteristic-bar tables.
#pragma once

#include <cstdint>
#include <string>

#include "core/records.h"
#include "core/state.h"
#include "kelmod.h"

namespace kelmod {

// Field codes of SetCharacteristicField.
namespace field {
inline constexpr int32_t kName = 1;
inline constexpr int32_t kFieldName = 2;
inline constexpr int32_t kDinLetter = 3;
inline constexpr int32_t kInput = 4;
inline constexpr int32_t kUnit = 5;
inline constexpr int32_t kFormat = 6;
inline constexpr int32_t kTemplate = 7;
inline constexpr int32_t kLength = 8;
inline constexpr int32_t kDecimals = 9;
inline constexpr int32_t kValue = 10;
inline constexpr int32_t kSelection = 11;
inline constexpr int32_t kParameter = 12;
}  // namespace field

// Stores one member. Text members (codes 1-7, 11, 12) take the text without
// its trailing blanks, which are also removed from `text` itself. Code 8
// reads the length as atoi does and adds 2 when the record's format is
// already "DATE"; code 9 reads the decimals; code 10 stores the text as value
// n (PutValue). 0; -1 code outside 1 to 12 or memory; -2 null text.
int32_t SetCharacteristicField(CharacteristicRecord& record, int32_t code, std::string& text,
                               int32_t n);
// The same for a caller's writable text, trimmed in place.
int32_t SetCharacteristicField(CharacteristicRecord& record, int32_t code, char* text, int32_t n);

// A record built from the eight description texts (codes 1, 3, 4, 5, 6, 7,
// 8, 9 in that order, so a "DATE" format takes effect on the length); empty
// or null texts leave their member absent. Put in front of `list`.
int32_t PrependCharacteristic(CharacteristicList& list, const char* name, const char* dinLetter,
                              const char* input, const char* unit, const char* format,
                              const char* templ, const char* lengthText,
                              const char* decimalsText);

// The record at 1-based position, or null.
CharacteristicRecord* NthCharacteristic(CharacteristicList& list, int32_t position);

// Number of values of a record; 0 for none.
int32_t CountCharacteristicValues(const CharacteristicRecord* record);

// Releases a list; a list that held records also clears the header texts of
// the characteristic bar.
void DiscardCharacteristicList(State& s, CharacteristicList& list);

// Empties a list as DiscardCharacteristicList does, but hands its records
// back so that their value memory can go on to the list built next.
CharacteristicList TakeCharacteristicList(State& s, CharacteristicList& list);

// Hands the value memory of the records of `old` from `first` on, cleared,
// to the records of `list` in order (whose values are empty), so that a
// table created again at the same size needs no fresh memory.
void ReuseValueMemory(CharacteristicList& list, CharacteristicList& old, std::size_t first = 0);

// List selectors of UpdateCharacteristic.
namespace selector {
inline constexpr int32_t kSmlTable = 1;
inline constexpr int32_t kMatchcodeTable = 2;
inline constexpr int32_t kTargetByFieldName = 3;
inline constexpr int32_t kTargetByName = 4;
}  // namespace selector

// Finds one record and stores one member. Selector 1 the characteristic bar
// of the older form, 2 the matchcode table, 3 and 4 `target`. The record is
// the one at `position` when that is above 0, else the first whose field
// name (selectors 1 and 3) or name (selector 4) equals `name` exactly.
// 0; 3 selector; 8 memory; 45/46 characteristic bar/matchcode table empty;
// 47 no such record or the store failed; 999 target empty.
int32_t UpdateCharacteristic(State& s, int32_t selectorCode, CharacteristicList* target,
                             int32_t position, const char* name, int32_t code, std::string& text,
                             int32_t n);

// The same for a caller's writable text, which loses its trailing blanks in
// place when a text or value is stored. A null text gives 47.
int32_t UpdateCharacteristic(State& s, int32_t selectorCode, CharacteristicList* target,
                             int32_t position, const char* name, int32_t code, char* text,
                             int32_t n);

// Copies a record and its value n into the module's characteristic result:
// every text member (absent ones as empty texts), the three numbers, and
// the value cut to 255 characters, with its blanks at both ends removed when
// `trim` is set. A record with values but fewer than n gives -2 (the texts
// and numbers are already copied); n below 1 or a record without values
// gives an empty value. 0; -2.
int32_t ReadSmlCharacteristic(State& s, const CharacteristicRecord* record, int32_t n, bool trim);

// Distributes separator-terminated values over the records, cyclically in
// list order; n = 0 appends, any other n stores value n. A record's length
// grows to its longest stored value. Mode 2 reads a unit after each value
// (stored when not empty). Stops with 0 when the consumed count (stored
// lengths plus separators) reaches length. 0; -1 memory; -2 a value not
// terminated.
int32_t FillCharacteristicValues(int32_t mode, int32_t n, int32_t length, const char* data,
                                 CharacteristicList& list, char separator);

// Copies the module's characteristic result into the host's record, member
// by member.
void HandOut(CharacteristicResult& result, CharacteristicData* data);

}  // namespace kelmod
