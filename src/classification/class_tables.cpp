#include "classification/class_tables.h"

#include <cstring>
#include <new>
#include <utility>

#include "core/codes.h"
#include "core/text.h"

namespace kelmod::classification {

namespace {
constexpr int kHeaderValueCount = 5;
constexpr int32_t kHierarchyValues = 6;

// Room for the texts of a fill at once, so that the block does not grow by
// copying: a fill stores at most the string's bytes up to the length (only
// the hierarchy's last value can run past it). A block that has the room
// from the table before is not looked at again; without the memory the
// block grows as the texts come.
void ReserveTexts(FlatRecords& table, const char* data, int32_t length) {
  const auto scan = static_cast<std::size_t>(length);
  if (table.textCapacity() >= scan) return;
  const auto* end = static_cast<const char*>(std::memchr(data, '\0', scan));
  try {
    table.reserveTexts(end == nullptr ? scan : static_cast<std::size_t>(end - data));
  } catch (const std::bad_alloc&) {
  }
}

// A fill that fails leaves its table empty and gives its memory back.
void ReleaseRecords(FlatRecords& table) { FlatRecords().swap(table); }

}  // namespace

int32_t ReadHeaderValues(State& s, const char*& cursor, int64_t& remaining, int32_t& valuesRead,
                         bool& outOfMemory) {
  valuesRead = 0;
  outOfMemory = false;
  if (cursor == nullptr) return code::kListMissing;
  std::string value;
  try {
    value.reserve(kClassValueLimit + 1);
  } catch (const std::bad_alloc&) {
    return code::kNoMemory;
  }
  for (int i = 0; i < kHeaderValueCount; ++i) {
    // Without a separator the string has ended: the rest keep their texts.
    if (NextToken(cursor, s.iface.separator, value, kClassValueLimit) != 1) break;
    ++cursor;
    remaining -= static_cast<int64_t>(value.size()) + 1;
    std::optional<std::string>& header = HeaderValue(s, i);
    header.reset();
    TrimTrailingBlanks(value);
    try {
      header.emplace(value);
    } catch (const std::bad_alloc&) {
      outOfMemory = true;
      break;
    }
    ++valuesRead;
  }
  return code::kOk;
}

int32_t ReadHeaderValues(State& s, const char*& cursor, int64_t& remaining) {
  int32_t valuesRead = 0;
  bool outOfMemory = false;
  return ReadHeaderValues(s, cursor, remaining, valuesRead, outOfMemory);
}

int32_t AppendClassEntry(std::vector<ClassEntry>& table,
                         const std::array<std::optional<std::string>, 5>& values) {
  for (const auto& value : values)
    if (!value) return code::kListMissing;
  try {
    ClassEntry entry;
    for (std::size_t i = 0; i < values.size(); ++i) entry.values[i] = *values[i];
    table.push_back(std::move(entry));  // the table is unchanged if this fails
  } catch (const std::bad_alloc&) {
    return code::kListMemory;
  }
  return code::kOk;
}

int32_t LoadClassEntries(State& s, const char* data, int32_t length,
                         std::vector<ClassEntry>& table, int32_t& count) {
  count = 0;
  if (data == nullptr) return code::kListMissing;
  const char* cursor = data;
  int64_t consumed = 0;
  int64_t remaining = length;
  // The parse ends at the string's end as well as at `length`: trailing
  // blanks or a length beyond the string leave `consumed` short of it.
  while (consumed < length && *cursor != '\0') {
    ++count;
    int32_t read = 0;
    bool outOfMemory = false;
    const int32_t rc = ReadHeaderValues(s, cursor, remaining, read, outOfMemory);
    if (rc != code::kOk) return rc;
    if (outOfMemory) return code::kNoMemory;
    // The string ended inside the entry: it is counted but not kept (the
    // header values it did not reach still hold the previous entry's texts).
    if (read < kHeaderValueCount) break;
    std::array<std::optional<std::string>, 5> values;
    for (int i = 0; i < kHeaderValueCount; ++i)
      values[static_cast<std::size_t>(i)] = HeaderValue(s, i);
    const int32_t appended = AppendClassEntry(table, values);
    if (appended != code::kOk) return appended;
    for (const auto& value : values) consumed += static_cast<int64_t>(value->size()) + 1;
  }
  return code::kOk;
}

int32_t LoadClassSearchEntries(int32_t values, const char* data, int32_t length, char separator,
                               FlatRecords& table, int32_t& count) {
  count = 0;
  if (data == nullptr) return code::kListMissing;
  if (length > 0) ReserveTexts(table, data, length);
  const char* cursor = data;
  int64_t consumed = 0;
  std::string_view value;  // a view into data
  while (consumed < length && *cursor != '\0') {
    ++count;
    for (int32_t k = 0; k < values; ++k) {
      // A record that the string's end cuts short is dropped; the cursor
      // then stands on the NUL and the parse ends.
      if (NextTokenView(cursor, separator, value, kSearchValueLimit) != 1) break;
      ++cursor;
      value = WithoutTrailingBlanks(value);
      consumed += static_cast<int64_t>(value.size()) + 1;
      if (consumed > length) break;  // runs past the length: dropped
      table.push(value);
    }
  }
  // Only the last record begun can be short of its values.
  table.dropIncomplete();
  return code::kOk;
}

int32_t LoadClassHierarchy(const char* data, int32_t length, char separator, FlatRecords& table,
                           int32_t& count) {
  count = 0;
  if (data == nullptr) return code::kListMissing;
  if (length > 0) ReserveTexts(table, data, length);
  const char* cursor = data;
  int64_t consumed = 0;
  std::string_view value;  // a view into data
  while (consumed < length && *cursor != '\0') {
    ++count;
    if (NextTokenView(cursor, separator, value, kSearchValueLimit) != 1) continue;
    for (int32_t k = 1;; ++k) {
      ++cursor;
      value = WithoutTrailingBlanks(value);
      table.push(value);
      consumed += static_cast<int64_t>(value.size()) + 1;
      // The sixth value completes the record before the length is looked at.
      if (k == kHierarchyValues) break;
      if (consumed >= length) break;
      if (NextTokenView(cursor, separator, value, kSearchValueLimit) != 1) break;
    }
  }
  // Only the last record begun can be short of its values.
  table.dropIncomplete();
  return code::kOk;
}

void ReleaseClassTable(State& s, std::vector<ClassEntry>& table) {
  if (table.empty()) return;
  std::vector<ClassEntry>().swap(table);
  ClearHeaderValues(s);
}

int32_t CreateFillClasTableK4(State& s, int32_t mode, const char* data, int32_t length,
                              int32_t* count) {
  if (data == nullptr || count == nullptr) return kFillRefused;
  switch (mode) {
    case 1: ReleaseClassTable(s, s.classTable1); break;
    case 2: ReleaseClassTable(s, s.classTable2); break;
    case 3: s.classSearchTable.reset(kSearchValuesLong); break;
    case 4: s.classSearchTable.reset(kSearchValuesShort); break;
    default: return code::kUnsupported;
  }
  if (length < 1) return code::kOk;
  int32_t started = 0;
  try {
    if (mode == 1 || mode == 2) {
      std::vector<ClassEntry> table;
      if (LoadClassEntries(s, data, length, table, started) != code::kOk) return kFillRefused;
      (mode == 1 ? s.classTable1 : s.classTable2) = std::move(table);
    } else {
      // The table is filled in place, in the memory of the one before.
      const int32_t values = mode == 3 ? kSearchValuesLong : kSearchValuesShort;
      if (LoadClassSearchEntries(values, data, length, s.iface.separator, s.classSearchTable,
                                 started) != code::kOk)
        return kFillRefused;
    }
  } catch (const std::bad_alloc&) {
    if (mode == 3 || mode == 4) ReleaseRecords(s.classSearchTable);
    return kFillRefused;
  }
  *count = started;
  return code::kOk;
}

int32_t CreateFillClasHierarchTableK4(State& s, int32_t mode, const char* data, int32_t length,
                                      int32_t* count) {
  if (data == nullptr || count == nullptr) return kFillRefused;
  if (mode != 1) return code::kUnsupported;
  s.classHierarchy.reset(kHierarchyValues);
  if (length < 1) return code::kOk;
  int32_t started = 0;
  try {
    // Filled in place, in the memory of the table before.
    if (LoadClassHierarchy(data, length, s.iface.separator, s.classHierarchy, started) !=
        code::kOk)
      return kFillRefused;
  } catch (const std::bad_alloc&) {
    ReleaseRecords(s.classHierarchy);
    return kFillRefused;
  }
  *count = started;
  return code::kOk;
}

}  // namespace kelmod::classification
