#include "tables/value_access.h"

#include <cstring>

#include "core/codes.h"
#include "core/text.h"
#include "tables/description_files.h"
#include "tables/record_tables.h"

namespace kelmod::tables {

namespace {

constexpr std::size_t kValueCapacity = 256;

// The list of a table type: those of the create functions, and the user
// table as type 10.
FieldList* ByType(State& s, int32_t type) { return type == 10 ? &s.userTable : CreateList(s, type); }

template <class Word>
inline Word Load(const char* p) {
  Word w;
  std::memcpy(&w, p, sizeof w);
  return w;
}

// The stored field name equals name. Field names are short (at most 11
// characters from a description file), so they are compared a word at a
// time: up to 8 bytes as two 4-byte words that may overlap, longer names in
// 8-byte words, the last one ending at the name's end.
inline bool SameName(const std::string& stored, std::string_view name) {
  const std::size_t n = name.size();
  if (stored.size() != n) return false;
  const char* a = stored.data();
  const char* b = name.data();
  if (n >= 8) {
    for (std::size_t i = 0; i + 8 < n; i += 8)
      if (Load<uint64_t>(a + i) != Load<uint64_t>(b + i)) return false;
    return Load<uint64_t>(a + n - 8) == Load<uint64_t>(b + n - 8);
  }
  if (n >= 4) return Load<uint32_t>(a) == Load<uint32_t>(b) &&
                     Load<uint32_t>(a + n - 4) == Load<uint32_t>(b + n - 4);
  for (std::size_t i = 0; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

// Finds a field by the write and modify rules: each stored name compared is
// first rewritten without blanks and tabs, for good.
FieldDefinition* FindNormalised(FieldList& list, std::string_view name) {
  for (FieldDefinition& field : list) {
    if (!field.nameWithoutBlanks) [[unlikely]] {
      RemoveBlanks(field.fieldName);
      field.nameWithoutBlanks = true;
    }
    if (SameName(field.fieldName, name)) return &field;
  }
  return nullptr;
}

FieldDefinition* FindExact(FieldList& list, std::string_view name) {
  for (FieldDefinition& field : list)
    if (SameName(field.fieldName, name)) return &field;
  return nullptr;
}

// Writes text into a fixed member of a caller's record or buffer that only
// receives a result: at most size-1 bytes, NUL-terminated, the rest of the
// member zeroed. Always written, never read first: such memory may be
// uninitialised.
void PutMember(char* member, std::size_t size, const std::string& text) {
  const std::size_t n = text.size() < size ? text.size() : size - 1;
  std::memcpy(member, text.data(), n);
  std::memset(member + n, 0, size - n);
}

// Cuts a caller's value at the field's length, in place; a value that fits
// is only read.
void CutToField(char* value, const FieldDefinition& field) {
  const std::size_t limit = field.length > 0 ? static_cast<std::size_t>(field.length) : 0;
  if (strnlen(value, limit + 1) > limit) PutByte(value + limit, '\0');
}

// Bytes that end the scan of a caller's field name: its end, blanks, tabs.
constexpr bool IsNameStop(char c) { return c == '\0' || c == ' ' || c == '\t'; }
struct NameStops {
  bool stop[256] = {};
  constexpr NameStops() {
    for (int c = 0; c < 256; ++c) stop[c] = IsNameStop(static_cast<char>(c));
  }
};
constexpr NameStops kNameStops;

// The given field name under the get rule: blanks and tabs removed, in the
// caller's string. A name without them is only read.
std::string_view WithoutBlanksInPlace(char* name) {
  std::size_t n = 0;
  while (!kNameStops.stop[static_cast<unsigned char>(name[n])]) ++n;
  if (name[n] == '\0') [[likely]] return std::string_view(name, n);
  std::string copy(name);
  RemoveBlanks(copy);
  WriteBack(name, copy);
  return std::string_view(name, copy.size());
}

// The text of value n (from 1), cut to the value capacity, as ValueAt
// gives it; ValueAt's code when there is none.
inline int32_t ValueText(const ValueList& values, int32_t n, std::string_view& text) {
  if (values.empty()) return code::kListMissing;
  if (n < 1 || static_cast<std::size_t>(n) > values.size()) return code::kListBeyondEnd;
  text = values.text(static_cast<std::size_t>(n) - 1).substr(0, kValueCapacity - 1);
  return code::kOk;
}

const char* DirectionLetter(int32_t direction) {
  return direction == 1 ? "U" : direction == 2 ? "D" : nullptr;
}

}  // namespace

int32_t GetTableValue(State& s, int32_t type, char* fieldName, int32_t record, char** value) {
  FieldList* first = nullptr;
  FieldList* second = nullptr;
  int32_t emptyCode = code::kTableNotPresent;
  switch (type) {
    case 1: first = &s.sendTable; emptyCode = code::kEmptyType1; break;
    case 2: first = &s.table2; emptyCode = code::kEmptyType2; break;
    case 3: first = &s.table34; emptyCode = code::kEmptyType3; break;
    case 4: first = &s.table34; break;
    case 5: first = &s.table2; second = &s.table5; break;
    case 6: second = &s.table5; break;
    case 7: second = &s.table7; break;
    case 8: second = &s.table8; break;
    case 10: first = &s.userTable; emptyCode = code::kUserTableEmpty; break;
    default: return code::kUnsupported;
  }
  if ((first == nullptr || first->empty()) && (second == nullptr || second->empty()))
    return emptyCode;

  const std::string_view name = WithoutBlanksInPlace(fieldName);

  // The value goes straight into the value buffer, whose memory is reused
  // from one read to the next.
  std::string& text = s.valueBuffer;
  int32_t result = code::kNoSuchField;
  if (FieldDefinition* field = first ? FindExact(*first, name) : nullptr) {
    std::string_view found;
    result = ValueText(field->values, record, found);
    if (result == code::kOk) [[likely]] AssignTrimmedBlanks(text, found);
  } else if (FieldDefinition* other = second ? FindExact(*second, name) : nullptr) {
    std::string_view found;
    result = ValueText(other->values, record, found);
    if (result == code::kOk) {
      text.clear();
      text.append(found.data(), found.size());
    }
  }
  if (result != code::kOk) text.clear();
  *value = text.data();
  return result;
}

int32_t WriteTableValue(State& s, int32_t type, const char* fieldName, char* value,
                        int32_t record) {
  FieldList* list = ByType(s, type);
  if (list == nullptr) return code::kUnsupported;
  if (list->empty()) {
    if (type == 10) return code::kUserTableEmpty;
    return (type == 1 || type == 6) ? code::kWriteEmptySendTable : code::kWriteEmptyTable;
  }
  if (fieldName == nullptr || value == nullptr) return code::kFieldOrValueMissing;

  std::size_t nameLength = 0;
  while (fieldName[nameLength] != '\0') ++nameLength;
  while (nameLength > 0 && fieldName[nameLength - 1] == ' ') --nameLength;
  FieldDefinition* field = FindNormalised(*list, std::string_view(fieldName, nameLength));
  if (field == nullptr) return code::kWriteNoSuchField;
  // The value is cut at the field's length (the user table takes any
  // length), then loses its trailing blanks; one NUL written after what is
  // kept does both in the caller's text, and the value is stored from there
  // without a copy. A value that fits and has no trailing blanks is only
  // read (PutByte writes only a byte that differs).
  std::size_t kept = 0;
  if (type != 10) {
    const std::size_t limit = field->length > 0 ? static_cast<std::size_t>(field->length) : 0;
    kept = strnlen(value, limit + 1);
    if (kept > limit) kept = limit;
  } else {
    kept = std::strlen(value);
  }
  while (kept > 0 && value[kept - 1] == ' ') --kept;
  PutByte(value + kept, '\0');
  const std::string_view text(value, kept);
  if (record == 0) {
    ValueList only;
    PutValue(only, text, 0);
    field->values = std::move(only);
  } else {
    field->values.appendNext(text);  // as PutValue at position 0: the text has no trailing blanks
  }
  return code::kOk;
}

int32_t ModifyTableValue(State& s, int32_t type, const char* fieldName, char* value,
                         int32_t record) {
  if (record == 0) return code::kOk;
  FieldList* list = type == 10 ? nullptr : ByType(s, type);
  if (list == nullptr) return code::kUnsupported;
  if (list->empty()) return type == 1 ? code::kModifyEmptySendTable : code::kModifyEmptyTable;
  if (fieldName == nullptr || value == nullptr) return code::kMissingArgument;

  FieldDefinition* field = FindNormalised(*list, fieldName);
  if (field == nullptr) return code::kOk;
  CutToField(value, *field);
  if (record < 1 || static_cast<std::size_t>(record) > field->values.size())
    return code::kModifyNoRecord;
  std::string text(value);
  TrimBlanks(text);
  WriteBack(value, text);
  const std::size_t index = static_cast<std::size_t>(record) - 1;
  field->values.replace(index, field->values.number(index), text);
  return code::kOk;
}

int32_t DeleteTableEntry(State& s, int32_t type, int32_t record) {
  FieldList* list = ByType(s, type);
  if (list == nullptr) return code::kUnsupported;
  if (list->empty()) {
    switch (type) {
      case 1: return code::kEmptyType1;
      case 2: return code::kEmptyType2;
      case 4: return code::kTableNotPresent;
      case 10: return code::kUserTableEmpty;
      default: return code::kEmptyType3;
    }
  }
  if (record < 1) return code::kOk;
  // The record count comes from the table's description, as the host sees
  // it (this also leaves the count in the value buffer).
  char* count = nullptr;
  if (DescribeTable(s, type, &count) != code::kOk) return code::kOk;
  if (record > LeadingNumber(count, false)) return code::kOk;
  const std::size_t index = static_cast<std::size_t>(record) - 1;
  for (FieldDefinition& field : *list)
    if (index < field.values.size())
      field.values.erase(index);
  return code::kOk;
}

int32_t DescribeTable(State& s, int32_t type, char** count) {
  const FieldList* list = nullptr;
  int32_t emptyCode = code::kTableNotPresent;
  switch (type) {
    case 1: list = &s.sendTable; emptyCode = code::kDescribeEmptyType1; break;
    case 2: list = &s.table2; emptyCode = code::kDescribeEmptyType2; break;
    case 3:
    case 4: list = &s.table34; emptyCode = code::kDescribeEmptyType34; break;
    case 5: list = &s.table5; break;
    case 6: {
      // Type 6 counts the characteristics of the bar of the newer release.
      if (s.smlK4Table.empty()) return code::kTableNotPresent;
      s.valueBuffer = IntToDecimal(static_cast<int32_t>(s.smlK4Table.size()));
      *count = s.valueBuffer.data();
      return code::kOk;
    }
    case 7: list = &s.table7; break;
    case 8: list = &s.table8; break;
    case 10: list = &s.userTable; break;
    default: return code::kUnsupported;
  }
  if (list->empty()) return emptyCode;
  s.valueBuffer = IntToDecimal(RecordCount(*list));
  *count = s.valueBuffer.data();
  return code::kOk;
}

int32_t GetAttributNameValue(State& s, int32_t type, int32_t fieldNumber, int32_t record,
                             char* fieldName, char** value) {
  FieldList* list = type == 10 ? nullptr : ByType(s, type);
  if (list == nullptr) return code::kUnsupported;
  if (list->empty()) {
    if (type == 2) return code::kAttributeEmptyType2;
    if (type == 3) return code::kAttributeEmptyType3;
    return code::kAttributeEmptyOther;
  }
  if (fieldNumber < 1 || static_cast<std::size_t>(fieldNumber) > list->size())
    return code::kNoFieldAtPosition;
  const FieldDefinition& field = (*list)[static_cast<std::size_t>(fieldNumber) - 1];
  // The caller's buffer holds at least 12 bytes.
  PutMember(fieldName, 12, field.fieldName);
  if (record < 1) return code::kNoFieldAtPosition;
  std::string text;
  if (ValueAt(text, kValueCapacity, field.values, record) == code::kOk) TrimBlanks(text);
  s.valueBuffer = std::move(text);
  *value = s.valueBuffer.data();
  return code::kOk;
}

namespace {

// The set whose definitions ZanGetAttributName reads: none (every line) when
// name and key are both empty, else the one the set index file names.
int32_t SelectSet(int32_t direction, const char* name, const char* key, const char* setIndexPath,
                  std::string& setName) {
  const char* letter = DirectionLetter(direction);
  if (letter == nullptr) return code::kUnsupported;
  if (SafeLength(name) == 0 && SafeLength(key) == 0) {
    setName.clear();
    return code::kOk;
  }
  if (ReadSetName(setIndexPath, name, key, letter, setName) != code::kOk)
    return code::kSetNotFound;
  return code::kOk;
}

void PutAttribute(AttributeRecord* attribute, const AttributeLine& line) {
  PutMember(attribute->setName, sizeof attribute->setName, line.setName);
  PutMember(attribute->fieldName, sizeof attribute->fieldName, line.fieldName);
  PutMember(attribute->length, sizeof attribute->length, line.length);
  PutMember(attribute->description, sizeof attribute->description, line.description);
}

}  // namespace

int32_t GetAttributName(State&, int32_t direction, const char* name, const char* key,
                        const char* setIndexPath, const char* definitionPath, int32_t n,
                        AttributeRecord* attribute) {
  std::string setName;
  const int32_t selected = SelectSet(direction, name, key, setIndexPath, setName);
  if (selected != code::kOk) return selected;
  AttributeLine line;
  const int32_t found = n < 1 ? code::kListBeyondEnd
                              : ReadFieldDefinition(definitionPath, setName, n, line);
  if (found == code::kListMissing) return code::kDefinitionFileMissing;
  if (found != code::kOk) return code::kNoDefinitionAtPosition;
  PutAttribute(attribute, line);
  return code::kOk;
}

int32_t SearchAttribut(State&, int32_t direction, const char* name, const char* key,
                       const char* setIndexPath, const char* definitionPath,
                       const char* fieldName, AttributeRecord* attribute) {
  std::string setName;
  if (SelectSet(direction, name, key, setIndexPath, setName) != code::kOk || fieldName == nullptr)
    return code::kNoDefinitionOfName;
  AttributeLine line;
  if (FindFieldDefinition(definitionPath, setName, fieldName, line) != code::kOk)
    return code::kNoDefinitionOfName;
  PutAttribute(attribute, line);
  return code::kOk;
}

}  // namespace kelmod::tables
