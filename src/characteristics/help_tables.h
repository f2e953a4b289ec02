// Help tables: a small table of columns (title, width, selection flag) and
// lines offered by the backend for a field.
#pragma once

#include <cstdint>

#include "core/state.h"
#include "kelmod.h"

namespace kelmod::help {

int32_t CreateHlpTable(State& s, int32_t mode, const char* data, int32_t length);
int32_t FillHlpTable(State& s, int32_t mode, const char* data, int32_t length);
int32_t GetHlpData(State& s, int32_t mode, int32_t column, int32_t line, CharacteristicData* out);
int32_t GetHlpDescription(State& s, int32_t mode, char** value);
int32_t FindHelpTable(State& s, const char* name, const char* key, const char* fieldName,
                      const char* setIndexPath, const char* definitionPathU,
                      const char* definitionPathD, char* direction);

// Reads the column description (title;width; or title;width;flag;) into the
// columns of the help table. 0, or the code of the first failed store.
int32_t ParseHelpColumns(State& s, const char* data, int32_t length, bool withFlag);

}  // namespace kelmod::help
