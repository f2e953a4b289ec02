#include "tables/record_tables.h"

#include <cstring>
#include <new>

#include "core/codes.h"
#include "core/text.h"
#include "tables/description_files.h"

namespace kelmod::tables {

namespace {

const char* DirectionOf(int32_t type) {
  return (type == 1 || type == 6 || type == 7 || type == 8) ? "U" : "D";
}

}  // namespace

FieldList* CreateList(State& s, int32_t type) {
  switch (type) {
    case 1:
    case 6: return &s.sendTable;
    case 2: return &s.table2;
    case 3:
    case 4: return &s.table34;
    case 5: return &s.table5;
    case 7: return &s.table7;
    case 8: return &s.table8;
    default: return nullptr;
  }
}

int32_t CreateTable(State& s, int32_t type, const char* name, const char* key,
                    const char* setIndexPath, const char* definitionPath) {
  FieldList* target = CreateList(s, type);
  if (target == nullptr) return code::kUnsupported;
  if (name == nullptr || key == nullptr) return code::kMissingArgument;

  // The old table is gone whatever the outcome; its value memory is handed
  // on to the new fields.
  FieldList fields;
  int32_t result = code::kOk;
  try {
    if (type == 4) {
      if (ReadIndexTable(TableIndexFilePath(s), "D", name, key, fields) != code::kOk)
        result = code::kIndexFileUnreadable;
    } else {
      std::string setName;
      if (ReadSetName(setIndexPath, name, key, DirectionOf(type), setName) != code::kOk)
        result = code::kSetNotFound;
      else if (ReadFieldDefinitions(definitionPath, setName, fields) != code::kOk)
        result = code::kNoDefinitions;
    }
  } catch (const std::bad_alloc&) {
    result = code::kNoMemory;
  }
  if (result != code::kOk) {
    *target = FieldList{};
    return result;
  }
  ReplaceFields(*target, std::move(fields));
  s.current = target;
  return code::kOk;
}

int32_t CreateFillTable(State& s, int32_t type, const char* name, const char* key,
                        const char* setIndexPath, const char* definitionPath, char* data,
                        int32_t length) {
  if (data == nullptr) return code::kNoData;
  const int32_t created = CreateTable(s, type, name, key, setIndexPath, definitionPath);
  if (created != code::kOk) return created;
  if (length < 1) return code::kOk;
  const int32_t parsed = type == 4 ? FillSeparated(length, data, *s.current, s.iface.separator)
                                   : FillFixedWidth(length, data, *s.current);
  if (parsed == code::kListMemory) return code::kNoMemory;
  if (parsed < 0) return code::kNoData;
  return parsed;
}

int32_t FillTable(State& s, int32_t type, const char* data, int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  FieldList* list = CreateList(s, type);
  if (list == nullptr) return code::kUnsupported;
  if (list->empty()) return code::kTableNotCreated;
  const int32_t parsed = FillFixedWidth(length, data, *list);
  if (parsed == code::kListMemory) return code::kNoMemory;
  if (parsed < 0) return code::kZeroLength;
  return code::kOk;
}

int32_t FillFixedWidth(int32_t length, const char* data, FieldList& list) {
  if (data == nullptr || list.empty() || length < 1) return code::kListMissing;
  // A layout whose fields are all zero wide would never move on.
  int64_t recordWidth = 0;
  for (const FieldDefinition& field : list) recordWidth += field.length;
  if (recordWidth <= 0) return code::kOk;

  // Only the bytes of the string up to length are ever looked at.
  const std::string_view text(data, strnlen(data, static_cast<std::size_t>(length)));
  const bool lying = text.size() < static_cast<std::size_t>(length);
  int64_t position = 1;
  try {
    // Room for every record the string can hold, so that no value list is
    // copied while it grows. Widths are never negative (they are read
    // without a sign).
    const std::size_t records = text.size() / static_cast<std::size_t>(recordWidth) + 1;
    for (FieldDefinition& field : list)
      field.values.reserve(field.values.size() + records,
                           records * static_cast<std::size_t>(field.length));
    // The records that lie wholly within the string and the length: each
    // value is its full width, so they need none of the checks below.
    const std::size_t whole = text.size() / static_cast<std::size_t>(recordWidth);
    const char* cursor = text.data();
    for (std::size_t r = 0; r < whole; ++r) {
      for (FieldDefinition& field : list) {
        const std::size_t width = static_cast<std::size_t>(field.length);
        std::size_t kept = width;
        while (kept > 0 && cursor[kept - 1] == ' ') --kept;
        field.values.appendNext(std::string_view(cursor, kept));
        cursor += width;
      }
      position += recordWidth;
    }
    // The rest, field by field: a record the length cuts short keeps the
    // fields that fit, and a string shorter than the length gives short or
    // empty values.
    for (std::size_t f = 0;; f = (f + 1) % list.size()) {
      FieldDefinition& field = list[f];
      if (position + field.length - 1 > length) break;
      // A length beyond the string starts no record past its end.
      if (f == 0 && lying && position > static_cast<int64_t>(text.size())) break;
      PutValue(field.values, SubFieldView(text, static_cast<int32_t>(position), field.length), 0);
      position += field.length;
    }
  } catch (const std::bad_alloc&) {
    return code::kListMemory;  // the records read so far stay
  }
  return code::kOk;
}

int32_t FillSeparated(int32_t length, char* data, FieldList& list, char separator) {
  if (data == nullptr || list.empty() || length < 1) return code::kListMissing;
  // The caller's string is cut at length (a string that ends there already
  // is only read).
  const std::size_t used = strnlen(data, static_cast<std::size_t>(length));
  if (used == static_cast<std::size_t>(length)) PutByte(data + length, '\0');

  const char* cursor = data;
  std::string value;
  try {
    for (std::size_t f = 0;; f = (f + 1) % list.size()) {
      FieldDefinition& field = list[f];
      if (NextToken(cursor, separator, value, static_cast<std::size_t>(field.length)) == 0) break;
      PutValue(field.values, value, 0);
      ++cursor;
    }
  } catch (const std::bad_alloc&) {
    return code::kListMemory;
  }
  return code::kOk;
}

}  // namespace kelmod::tables
