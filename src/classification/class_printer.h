// The print form of the class tables (table types 11 and 12 of the table
// printer).
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "core/records.h"

namespace kelmod::classification {

// Prints every entry of `table`, numbered from 1, into a new text file at
// `path` (an existing file is replaced). A print mode above 0 opens the file;
// only print mode 1 writes into it. 0; -1 table empty, path null or the file
// cannot be opened.
int32_t PrintClassTable(const std::vector<ClassEntry>& table, int32_t mode, const char* path);

// Writes one entry (with the table title before entry 1) when the entry and
// the file are present and the print mode is 1.
void PrintClassEntry(const ClassEntry* entry, int32_t mode, int32_t number, std::FILE* file);

}  // namespace kelmod::classification
