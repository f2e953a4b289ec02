// Record tables of types 1 to 8: creation from the description files and the
// parsing of received data strings into records.
#pragma once

#include <cstdint>

#include "core/state.h"

namespace kelmod::tables {

// The module list a create or fill of `type` (1 to 8) works on; null for any
// other type. Types 1 and 6 share the send table, types 3 and 4 one list.
FieldList* CreateList(State& s, int32_t type);

// ZanCreateTable: replaces the table of the type with the layout selected by
// name and key (type 4: from the table index file) and makes it current.
int32_t CreateTable(State& s, int32_t type, const char* name, const char* key,
                    const char* setIndexPath, const char* definitionPath);

// ZanCreateFillTable: CreateTable, then the received data parsed into it.
int32_t CreateFillTable(State& s, int32_t type, const char* name, const char* key,
                        const char* setIndexPath, const char* definitionPath, char* data,
                        int32_t length);

// ZanFillTable: appends fixed-width records to the existing table.
int32_t FillTable(State& s, int32_t type, const char* data, int32_t length);

// Appends the fixed-width records of the first `length` bytes of data, field
// after field at their widths, cycling through the fields; a field that would
// end beyond length ends the parse. Columns beyond the end of the string are
// short or empty; no record starts beyond it. 0; -1 memory; -2 null data, an
// empty list or a length below 1.
int32_t FillFixedWidth(int32_t length, const char* data, FieldList& list);

// Appends separator-terminated values field after field, cycling through the
// fields, until a value is not terminated (it is dropped). data is cut at
// length in place; a value longer than its field is cut to the field length.
// 0; -1 memory; -2 null data, an empty list or a length below 1.
int32_t FillSeparated(int32_t length, char* data, FieldList& list, char separator);

}  // namespace kelmod::tables
