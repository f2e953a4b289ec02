// The record types of the generic record tables, shared by every family that
// keeps values per field (record tables, user table, characteristic lists).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelmod {

// One value of a field: the record number it was stored under and its text
// (stored without trailing blanks).
struct FieldValue {
  int32_t number = 0;
  std::string text;
};

// One field of a table layout with its values in record order. A table is
// stored by column: value k of every field forms record k.
struct FieldDefinition {
  std::string setName;
  std::string fieldName;
  int32_t length = 0;
  std::optional<std::string> description;  // absent for layouts without one
  std::vector<FieldValue> values;
};

using FieldList = std::vector<FieldDefinition>;

}  // namespace kelmod

namespace kelmod {

// Stores text (trailing blanks removed) in a value list. Position 0 appends a
// value numbered one past the count; a position within the list replaces
// that value and renumbers it; a position beyond the end first appends empty
// values up to position-1. O(1) amortised for appends and replacements.
void PutValue(std::vector<FieldValue>& values, std::string text, int32_t position);

// The text of the n-th value (n from 1), cut to capacity-1 characters.
// Returns 0; -2 when the list is empty; -3 when n is outside it (out empty).
int32_t ValueAt(std::string& out, std::size_t capacity, const std::vector<FieldValue>& values,
                int32_t n);

// Number of records of a table: the value count of the first field that has
// values; 0 when none has.
int32_t RecordCount(const FieldList& list);

}  // namespace kelmod
