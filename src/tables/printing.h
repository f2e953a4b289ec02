// ZanPrintTable: every family's table written to a text file for
// inspection, by table type.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::tables {

// Prints the fields of a record table, each with all its values; a null
// path, or a file that cannot be created, prints nothing.
void PrintRecordTable(const FieldList& list, const char* path);

// 0 (also when the file cannot be created); 3 type; 86 table empty.
int32_t PrintTable(State& s, int32_t type, const char* path);

}  // namespace kelmod::tables
