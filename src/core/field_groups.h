// Records read from a run of separator-terminated fields, a fixed number of
// fields per record (the description strings of the characteristic bars).
#pragma once

#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "core/codes.h"
#include "core/text.h"

namespace kelmod {

// Reads fields (each cut to fieldLimit characters) and stores field k of a
// group into a fresh record with store(record, k, field), which may trim the
// field in place; a complete group of perRecord fields is appended to list.
// Stops when the consumed count (fields as stored plus separators) reaches
// remaining or a field is not terminated; a trailing incomplete group makes
// no record. 0; -1 memory; or the first error of store.
template <class Record, class Store>
int32_t LoadFieldGroups(const char*& cursor, int64_t remaining, std::vector<Record>& list,
                        char separator, int32_t perRecord, std::size_t fieldLimit, Store store) {
  std::string field;
  Record record;
  int32_t k = 0;
  int64_t count = 0;
  while (NextToken(cursor, separator, field, fieldLimit) == 1) {
    ++cursor;
    if (++k == 1) record = Record{};
    const int32_t stored = store(record, k, field);
    if (stored != code::kOk) return stored;
    if (k == perRecord) {
      try {
        list.push_back(std::move(record));
      } catch (const std::bad_alloc&) {
        return code::kListMemory;
      }
      k = 0;
    }
    count += static_cast<int64_t>(field.size()) + 1;
    if (count >= remaining) break;
  }
  return code::kOk;
}

}  // namespace kelmod
