// The user table (table type 10) and the writer of description files.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::tables {

// Builds the user table: fields PARA1 to PARAn of set "USRSET", 80 wide,
// filled record after record from separator-terminated values (each cut to
// 80 characters). 0; 3 mode other than 1.
int32_t CreateFillUserTable(State& s, int32_t mode, int32_t fieldCount, const char* data,
                            int32_t length);

// Writes a field definition file (modes 1 and 2: set name, field name,
// length per line) or a set index file (mode 3: name, key, direction, set
// name per line) from separator-terminated values, after a dated header.
// 0; 3 mode; 42/43/44 the file could not be written or a line's values were
// incomplete (the lines written so far stay).
int32_t WriteKonfiguration(State& s, int32_t mode, const char* data, int32_t length,
                           const char* path);

}  // namespace kelmod::tables
