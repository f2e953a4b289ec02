// Reading and changing the values of record tables by field name, field
// position and record number, and reading field definitions from the
// description files.
#pragma once

#include <cstdint>

#include "core/state.h"
#include "kelmod.h"

namespace kelmod::tables {

int32_t GetTableValue(State& s, int32_t type, char* fieldName, int32_t record, char** value);
int32_t WriteTableValue(State& s, int32_t type, const char* fieldName, char* value,
                        int32_t record);
int32_t ModifyTableValue(State& s, int32_t type, const char* fieldName, char* value,
                         int32_t record);
int32_t DeleteTableEntry(State& s, int32_t type, int32_t record);
int32_t DescribeTable(State& s, int32_t type, char** count);
int32_t GetAttributNameValue(State& s, int32_t type, int32_t fieldNumber, int32_t record,
                             char* fieldName, char** value);
int32_t GetAttributName(State& s, int32_t direction, const char* name, const char* key,
                        const char* setIndexPath, const char* definitionPath, int32_t n,
                        AttributeRecord* attribute);
int32_t SearchAttribut(State& s, int32_t direction, const char* name, const char* key,
                       const char* setIndexPath, const char* definitionPath,
                       const char* fieldName, AttributeRecord* attribute);

}  // namespace kelmod::tables
