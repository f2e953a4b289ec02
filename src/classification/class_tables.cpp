#include "classification/class_tables.h"

#include <new>
#include <utility>

#include "core/codes.h"
#include "core/text.h"

namespace kelmod::classification {

namespace {
constexpr int kHeaderValueCount = 5;
constexpr int32_t kHierarchyValues = 6;
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
                               std::vector<ClassSearchEntry>& table, int32_t& count) {
  count = 0;
  if (data == nullptr) return code::kListMissing;
  const char* cursor = data;
  int64_t consumed = 0;
  std::string_view value;  // a view into data
  ClassSearchEntry work;
  while (consumed < length && *cursor != '\0') {
    ++count;
    for (int32_t k = 0;;) {
      // A record that the string's end cuts short is dropped; the cursor
      // then stands on the NUL and the parse ends.
      if (NextTokenView(cursor, separator, value, kSearchValueLimit) != 1) break;
      ++cursor;
      if (++k == 1) work.values.clear();
      value = WithoutTrailingBlanks(value);
      consumed += static_cast<int64_t>(value.size()) + 1;
      work.values.push(value);
      if (consumed > length) break;  // runs past the length: dropped
      if (k == values) {
        // A copy takes exactly the record's bytes; work keeps its block for
        // the next record.
        table.push_back(work);
        break;
      }
    }
  }
  return code::kOk;
}

int32_t LoadClassHierarchy(const char* data, int32_t length, char separator,
                           std::vector<ClassHierarchyEntry>& table, int32_t& count) {
  count = 0;
  if (data == nullptr) return code::kListMissing;
  const char* cursor = data;
  int64_t consumed = 0;
  std::string_view value;  // a view into data
  ClassHierarchyEntry work;
  while (consumed < length && *cursor != '\0') {
    ++count;
    if (NextTokenView(cursor, separator, value, kSearchValueLimit) != 1) continue;
    for (int32_t k = 1;; ++k) {
      ++cursor;
      if (k == 1) work.values.clear();
      value = WithoutTrailingBlanks(value);
      work.values.push(value);
      consumed += static_cast<int64_t>(value.size()) + 1;
      // The sixth value completes the record before the length is looked at.
      if (k == kHierarchyValues) {
        table.push_back(work);  // exactly the record's bytes; work keeps its block
        break;
      }
      if (consumed >= length) break;
      if (NextTokenView(cursor, separator, value, kSearchValueLimit) != 1) break;
    }
  }
  return code::kOk;
}

void ReleaseClassTable(State& s, std::vector<ClassEntry>& table) {
  if (table.empty()) return;
  std::vector<ClassEntry>().swap(table);
  ClearHeaderValues(s);
}

void ReleaseClassSearchTable(State& s) { std::vector<ClassSearchEntry>().swap(s.classSearchTable); }

void ReleaseClassHierarchy(State& s) { std::vector<ClassHierarchyEntry>().swap(s.classHierarchy); }

int32_t CreateFillClasTableK4(State& s, int32_t mode, const char* data, int32_t length,
                              int32_t* count) {
  if (data == nullptr || count == nullptr) return kFillRefused;
  switch (mode) {
    case 1: ReleaseClassTable(s, s.classTable1); break;
    case 2: ReleaseClassTable(s, s.classTable2); break;
    case 3:
    case 4: ReleaseClassSearchTable(s); break;
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
      const int32_t values = mode == 3 ? kSearchValuesLong : kSearchValuesShort;
      std::vector<ClassSearchEntry> table;
      if (LoadClassSearchEntries(values, data, length, s.iface.separator, table, started) !=
          code::kOk)
        return kFillRefused;
      s.classSearchTable = std::move(table);
    }
  } catch (const std::bad_alloc&) {
    return kFillRefused;
  }
  *count = started;
  return code::kOk;
}

int32_t CreateFillClasHierarchTableK4(State& s, int32_t mode, const char* data, int32_t length,
                                      int32_t* count) {
  if (data == nullptr || count == nullptr) return kFillRefused;
  if (mode != 1) return code::kUnsupported;
  ReleaseClassHierarchy(s);
  if (length < 1) return code::kOk;
  int32_t started = 0;
  try {
    std::vector<ClassHierarchyEntry> table;
    if (LoadClassHierarchy(data, length, s.iface.separator, table, started) != code::kOk)
      return kFillRefused;
    s.classHierarchy = std::move(table);
  } catch (const std::bad_alloc&) {
    return kFillRefused;
  }
  *count = started;
  return code::kOk;
}

}  // namespace kelmod::classification
