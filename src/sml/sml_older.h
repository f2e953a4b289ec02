// The characteristic bar of the older form (release families 1 and 2): a
// characteristic list with five header texts, filled with object rows or
// value/unit pairs, read by record or attribute and sent back.
#pragma once

#include <cstdint>

#include "core/state.h"
#include "kelmod.h"

namespace kelmod::sml {

// True when the release family takes the older form of the characteristic
// bar; every other family (0 included) takes the form of the newer release.
inline bool OlderForm(const State& s) { return s.releaseFamily == 1 || s.releaseFamily == 2; }

int32_t CreateSmlTable(State& s, int32_t mode, const char* data, int32_t length);
int32_t FillSmlTable(State& s, int32_t mode, const char* data, int32_t length);
int32_t DeleteSmlSelection(State& s);
int32_t GetSmlDescription(State& s, int32_t type, char** value);
int32_t GetSmlData(State& s, int32_t type, int32_t position, int32_t n, CharacteristicData* out);
int32_t GetSmlAttributData(State& s, int32_t kind, const char* key, int32_t n,
                           CharacteristicData* out);
int32_t WriteSmlValue(State& s, int32_t type, int32_t position, const char* name, int32_t code,
                      char* text, int32_t n);
int32_t CreateSendstrSml(State& s, int32_t mode, char** sendString);

// Reads the five header texts from the head of a description string; a
// text whose field is not terminated keeps its previous contents.
void ReadSmlHeader(State& s, const char*& cursor, int64_t& remaining);

// Parses groups of nine separator-terminated fields into characteristics
// (appended to `list` as they complete) until the consumed count reaches
// remaining or a field is not terminated. 0; -1 memory.
int32_t LoadSmlCharacteristics(const char*& cursor, int64_t remaining, CharacteristicList& list,
                               char separator);

// Each record's width: the longer of its trimmed name and its longest
// trimmed value.
void ComputeSmlWidths(CharacteristicList& list);

// The description of a characteristic bar of either form: types 1 and 2
// the two counts as decimal text in the value buffer, types 3 to 7 the five
// header texts in the given order as they stand (null when absent); an empty
// bar gives "00" for types 1 and 2 and the empty text for every other type.
// 0; 3 other type.
int32_t DescribeBar(State& s, int32_t type, bool empty, int32_t count1, int32_t count2,
                    const std::array<std::optional<std::string>*, 5>& headers, char** value);

// Removes the first record named `name`. 0; -2 none.
int32_t RemoveSmlSelection(CharacteristicList& list, const char* name);

}  // namespace kelmod::sml
