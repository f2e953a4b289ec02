// The three description files that give the generic tables their layouts:
// the set index file (name, key, direction -> set name), the field definition
// file (the fields of each set in record order) and the table index file
// (complete field lists of table type 4).
#pragma once

#include <cstdint>
#include <string>

#include "core/records.h"

namespace kelmod {

// One field definition line taken apart by columns.
struct AttributeLine {
  std::string setName;      // columns 3-9 as they stand
  std::string fieldName;    // columns 11-21, trimmed
  std::string length;       // columns 30-32 as they stand
  std::string description;  // columns 33-72 as they stand
};

// Set name (columns 17-23 as they stand) of the first non-comment line of the
// set index file whose name (3-7), key (10-11) and direction letter (14)
// equal the arguments exactly. 0 found; -2 no such line or a null argument;
// -3 the file cannot be opened.
int32_t ReadSetName(const char* path, const char* name, const char* key, const char* direction,
                    std::string& setName);

// The n-th definition line (n from 1) of the set; an empty set name counts
// every definition line. Comment lines, empty lines and lines without a set
// name do not count. 0 found; -2 null path or file cannot be opened; -3 fewer
// than n lines belong to the set.
int32_t ReadFieldDefinition(const char* path, const std::string& setName, int32_t n,
                            AttributeLine& out);

// The first definition line of the set whose field name equals fieldName
// exactly. 0 found; -2 null path or file cannot be opened; -3 none.
int32_t FindFieldDefinition(const char* path, const std::string& setName, const char* fieldName,
                            AttributeLine& out);

// Every definition line of the set as a field list, in file order. A missing
// file or a set without lines gives an empty list. 0; -2 null path.
int32_t ReadFieldDefinitions(const char* path, const std::string& setName, FieldList& list);

// The fields of the table index file whose direction letter, name and key
// (trimmed) equal the arguments, in file order. 0 (an empty list when no
// line matches); -2 a null argument; -3 the file cannot be opened.
int32_t ReadIndexTable(const std::string& path, const char* direction, const char* name,
                       const char* key, FieldList& list);

// The field a definition line describes: set name, field name and
// description without trailing blanks, the decimal length, no values.
FieldDefinition FieldFromLine(AttributeLine line);

}  // namespace kelmod
