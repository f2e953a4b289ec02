// Fixed-width send strings of the generic tables.
#pragma once

#include <cstdint>
#include <string>

#include "core/state.h"

namespace kelmod::tables {

// The fixed-width image of a table: for each record, each field's value
// padded with blanks or cut to the field's length; a missing value is all
// blanks. Values are read cut to 255 characters. Sized once up front.
void BuildSendString(const FieldList& list, std::string& out);

// ZanCreateSendstr: the send table into the send buffer. 0; 7 empty table.
int32_t CreateSendString(State& s);

// ZanCreateSendstrBomHead: the table of type 7 or 8 into the send buffer.
// 0; 7 empty table; 8 any other type.
int32_t CreateBomHeadSendString(State& s, int32_t type);

}  // namespace kelmod::tables
