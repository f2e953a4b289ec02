// Record-by-record reads of the class tables, the class search table, the
// class hierarchy table and the object table of the characteristic bar. Each
// read copies one record's values into its own result strings (absent values
// become empty texts) and hands the host their addresses.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::classification {

// Codes of the readers.
inline constexpr int32_t kNoSuchRecord = 75;
inline constexpr int32_t kTableEmpty = 76;
inline constexpr int32_t kNoObjects = 34;
inline constexpr int32_t kNoSuchObject = 36;

// Record `record` of a table (1 or less: the first record) into values[0..n).
// Mode 1 reads the mode-1 class table, mode 2 the mode-2 class table.
// 0; 3 mode; 75 no such record or no memory for a result; 76 table empty.
int32_t GetClasDataK4(State& s, int32_t mode, int32_t record, char** values);
// Mode 1 only; codes as GetClasDataK4.
int32_t GetClasHierarchDataK4(State& s, int32_t mode, int32_t record, char** values);
int32_t GetClasSearchDataK4(State& s, int32_t mode, int32_t record, char** values);

// The fourteen texts of object `record` (counted from 1). Mode 1 only.
// 0; 3 mode; 8 no memory; 34 no objects; 36 no such object.
int32_t GetObjectDataK4(State& s, int32_t mode, int32_t record, char** values);

}  // namespace kelmod::classification
