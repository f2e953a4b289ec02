#include "sml/sml_k4.h"

#include <cstring>
#include <new>
#include <unordered_map>

#include "classification/class_tables.h"
#include "core/codes.h"
#include "core/field_groups.h"
#include "core/text.h"
#include "sml/sml_older.h"

namespace kelmod::sml {

namespace {

constexpr int32_t kSendTableEmpty = 9;
constexpr int32_t kHeaderUnreadable = 11;
constexpr int32_t kPosNoLength = 12;
constexpr int32_t kDeleteTableEmpty = 14;
constexpr int32_t kFillTableEmpty = 21;
constexpr int32_t kFillFailed = 22;
constexpr int32_t kAttributeTableEmpty = 30;
constexpr int32_t kNoSuchAttribute = 31;
constexpr int32_t kTableEmpty = 34;
constexpr int32_t kObjectTableEmpty = 35;
constexpr int32_t kNoSuchRecord = 36;
constexpr int32_t kWriteTableEmpty = 45;
constexpr int32_t kWriteNoRecord = 47;
constexpr int32_t kMissingName = 78;
constexpr int32_t kNoSuchName = 79;
constexpr int32_t kPosDataMissing = 83;
constexpr int32_t kPairsPastLength = 85;

constexpr int32_t kFields = 32;               // description fields per characteristic
constexpr std::size_t kFieldLimit = 80;       // a description field
constexpr std::size_t kDataLimit = 256;       // a field of a value string
constexpr std::size_t kObjectFieldLimit = 43; // a field of an object or position string
constexpr std::size_t kValueCapacity = 256;   // values are handed out cut to 255

constexpr int32_t kValueCode = 33;
constexpr const char* kObjectName = "OBJEKT";

bool IsTextCode(int32_t code) {
  return (code >= 1 && code <= 9) || (code >= 12 && code <= 32) || code == 34 || code == 35;
}

bool NameIs(const SmlCharacteristic& record, std::string_view name) {
  return record.name() && *record.name() == name;
}

SmlValueEntry* FindSmlEntry(std::vector<SmlValueEntry>& list, std::string_view name) {
  for (SmlValueEntry& entry : list)
    if (entry.name == name) return &entry;
  return nullptr;
}

SmlCharacteristic* FirstNamed(SmlK4Table& table, std::string_view name) {
  for (SmlCharacteristic& record : table)
    if (NameIs(record, name)) return &record;
  return nullptr;
}

template <class List>
auto* Nth(List& list, int32_t position) {
  return position < 1 || static_cast<std::size_t>(position) > list.size()
             ? nullptr
             : &list[static_cast<std::size_t>(position) - 1];
}

void AppendField(std::string& out, std::string_view text, char separator) {
  out += text;
  if (separator != '\0') out += separator;
}

// Copies a characteristic and one of its values into the module's result
// texts. Mode 2: value n of the characteristic (n below 1 or no values: an
// empty value); mode 1: its first value in object n. 0; -2 no such value,
// object or entry.
int32_t ReadSmlK4Characteristic(State& s, int32_t mode, const SmlCharacteristic& record,
                                int32_t n) {
  std::array<std::string, 33>& r = s.smlK4Result;
  std::size_t slot = 0;
  for (int32_t code = 1; code <= SmlCharacteristic::kCodes; ++code) {
    if (!IsTextCode(code)) continue;
    r[slot++] = record.texts[static_cast<std::size_t>(code) - 1].value_or(std::string());
  }
  std::string value;
  if (mode == 2) {
    if (n > 0 && !record.values.empty() &&
        ValueAt(value, kValueCapacity, record.values, n) != code::kOk)
      return code::kListMissing;
  } else {
    SmlObject* object = Nth(s.objectTable, n);
    if (object == nullptr) return code::kListMissing;
    SmlValueEntry* entry = FindSmlEntry(object->entries, record.name().value_or(std::string()));
    if (entry == nullptr || !record.name()) return code::kListMissing;
    ValueAt(value, kValueCapacity, entry->values, 1);
  }
  TrimBlanks(value);
  r[32] = std::move(value);
  return code::kOk;
}

void HandOutK4(State& s, const SmlCharacteristic& record, SmlCharacteristicData* out) {
  std::array<std::string, 33>& r = s.smlK4Result;
  char** texts[] = {&out->name,           &out->description,     &out->mandatory,
                    &out->inherited,      &out->valuated,        &out->dataType,
                    &out->singleValue,    &out->interval,        &out->additionalValues,
                    &out->sign,           &out->exponentDisplay, &out->exponentFormat,
                    &out->template_,      &out->lowerCase,       &out->unit,
                    &out->dinLetter,      &out->documentType,    &out->documentNumber,
                    &out->documentPart,   &out->documentVersion, &out->view0,
                    &out->view1,          &out->view2,           &out->view3,
                    &out->view4,          &out->view5,           &out->view6,
                    &out->view7,          &out->view8,           &out->view9,
                    &out->sendText1,      &out->sendText2,       &out->value};
  for (std::size_t i = 0; i < r.size(); ++i) *texts[i] = r[i].data();
  out->digits = record.digits;
  out->decimals = record.decimals;
}

// The value list ZanGetSmlDataValueK4 reads, or the code why there is none.
int32_t FindValueList(State& s, int32_t mode, std::string_view name, int32_t index,
                      int32_t objectNumber, const ValueList*& values) {
  if (mode == 1) {
    if (s.objectTable.empty()) return kObjectTableEmpty;
    SmlObject* object = Nth(s.objectTable, objectNumber);
    if (object == nullptr) return kNoSuchRecord;
    if (!name.empty()) {
      SmlValueEntry* entry = FindSmlEntry(object->entries, name);
      if (entry == nullptr) return kNoSuchName;
      values = &entry->values;
    } else {
      SmlValueEntry* entry = Nth(object->entries, index);
      if (entry == nullptr) return kNoSuchRecord;
      values = &entry->values;
    }
  } else if (mode == 2) {
    if (s.smlK4Table.empty()) return kTableEmpty;
    SmlCharacteristic* record =
        name.empty() ? Nth(s.smlK4Table, index) : FirstNamed(s.smlK4Table, name);
    if (record == nullptr) return name.empty() ? kNoSuchRecord : kNoSuchName;
    values = &record->values;
  } else {
    if (s.positionValues.empty()) return kTableEmpty;
    SmlValueEntry* entry = name.empty() ? nullptr : FindSmlEntry(s.positionValues, name);
    if (entry == nullptr) return kNoSuchName;
    values = &entry->values;
  }
  return code::kOk;
}

}  // namespace

int32_t SetSmlCharacteristicField(SmlCharacteristic& record, int32_t code, std::string& text,
                                  int32_t n) {
  try {
    if (IsTextCode(code)) {
      std::optional<std::string>& member = record.texts[static_cast<std::size_t>(code) - 1];
      member.reset();
      TrimTrailingBlanks(text);
      member.emplace(text);
      return code::kOk;
    }
    switch (code) {
      case 10: record.digits = AtoiNumber(text); return code::kOk;
      case 11: record.decimals = AtoiNumber(text); return code::kOk;
      case kValueCode:
        if (n == 1) record.values.clear();
        TrimTrailingBlanks(text);
        PutValue(record.values, text, n);
        return code::kOk;
      default: return code::kListMemory;
    }
  } catch (const std::bad_alloc&) {
    return code::kListMemory;
  }
}

int32_t LoadSmlK4Characteristics(const char*& cursor, int64_t remaining, SmlK4Table& list,
                                 char separator) {
  return LoadFieldGroups(cursor, remaining, list, separator, kFields, kFieldLimit,
                         [](SmlCharacteristic& record, int32_t k, std::string& field) {
                           return SetSmlCharacteristicField(record, k, field, 0);
                         });
}

void FillSmlValuesByName(int32_t length, const char* data, SmlK4Table& table, char separator) {
  if (length < 1 || data == nullptr) return;
  // The fields of the data, read once. Names stand at even positions: every
  // characteristic walks the pairs from the start, skipping whole pairs.
  std::vector<std::string> fields;
  for (const char* cursor = data;;) {
    std::string field;
    if (NextToken(cursor, separator, field, kDataLimit) == 0) break;
    fields.push_back(std::move(field));
    ++cursor;
  }
  // Consumed count before each field, and the first pair of each name.
  std::vector<int64_t> before(fields.size() + 1, 0);
  for (std::size_t i = 0; i < fields.size(); ++i)
    before[i + 1] = before[i] + static_cast<int64_t>(fields[i].size()) + 1;
  std::unordered_map<std::string_view, std::size_t> firstPair;
  for (std::size_t i = 0; i < fields.size(); i += 2) {
    // Skipping a pair ends the walk once the count reaches length.
    if (i > 0 && (before[i - 1] >= length || before[i] >= length)) break;
    firstPair.emplace(fields[i], i);
  }

  for (SmlCharacteristic& record : table) {
    if (!record.name()) continue;
    const auto found = firstPair.find(*record.name());
    if (found == firstPair.end()) continue;
    int64_t consumed = before[found->second];
    int32_t n = 0;
    for (std::size_t i = found->second; i < fields.size() && fields[i] == *record.name(); i += 2) {
      consumed += static_cast<int64_t>(fields[i].size()) + 1;
      if (consumed >= length || i + 1 >= fields.size()) break;
      std::string value = fields[i + 1];
      // Running out of memory must not go unnoticed: the fill reports it.
      if (SetSmlCharacteristicField(record, kValueCode, value, ++n) != code::kOk)
        throw std::bad_alloc();
      if (static_cast<int64_t>(value.size()) > record.digits)
        record.digits = static_cast<int32_t>(value.size());
      consumed += static_cast<int64_t>(value.size()) + 1;
      if (consumed >= length) break;
    }
  }
}

void ReleaseSmlK4Table(State& s) {
  if (s.smlK4Table.empty()) return;
  s.smlK4Table = SmlK4Table{};
  ClearHeaderValues(s);
}

int32_t CreateSmlTableK4(State& s, int32_t mode, const char* data, int32_t length) {
  ReleaseSmlK4Table(s);
  if (length < 1) return code::kOk;
  const char* cursor = data;
  int64_t remaining = length;
  if (classification::ReadHeaderValues(s, cursor, remaining) != code::kOk)
    return kHeaderUnreadable;
  if (mode != 1 && mode != 2) return code::kUnsupported;
  const int32_t loaded =
      LoadSmlK4Characteristics(cursor, remaining, s.smlK4Table, s.iface.separator);
  return loaded == code::kListMemory ? code::kNoMemory : loaded;
}

int32_t FillSmlTableK4(State& s, int32_t mode, char* data, int32_t length) {
  if (mode == 1) {
    s.objectTable = {};
    if (length < 1) return code::kOk;
    if (data == nullptr) return code::kMissingArgument;
    // The data ends at length; the caller's string is cut there (a string
    // that ends there already is only read).
    if (strnlen(data, static_cast<std::size_t>(length)) == static_cast<std::size_t>(length))
      PutByte(data + length, '\0');
    const char* cursor = data;
    const int32_t loaded = LoadSmlObjects(cursor, length, s.objectTable, s.iface.separator);
    return loaded == code::kListMemory ? code::kNoMemory : loaded;
  }
  if (length == 0) return code::kOk;
  if (s.smlK4Table.empty()) return kFillTableEmpty;
  if (mode != 2) return code::kUnsupported;
  try {
    FillSmlValuesByName(length, data, s.smlK4Table, s.iface.separator);
  } catch (const std::bad_alloc&) {
    return kFillFailed;
  }
  return code::kOk;
}

int32_t WriteSmlValueK4(State& s, int32_t type, int32_t position, const char* name, int32_t code,
                        char* text, int32_t n) {
  if (type != 1) return code::kUnsupported;
  if (s.smlK4Table.empty()) return kWriteTableEmpty;
  SmlCharacteristic* record = nullptr;
  if (position > 0) record = Nth(s.smlK4Table, position);
  else if (SafeLength(name) > 0) record = FirstNamed(s.smlK4Table, name);
  if (record == nullptr || text == nullptr) return kWriteNoRecord;
  std::string copy(text);
  const int32_t stored = SetSmlCharacteristicField(*record, code, copy, n);
  if (copy.size() < std::strlen(text)) WriteBack(text, copy);
  return stored == code::kOk ? code::kOk : code::kNoMemory;
}

int32_t DeleteSmlSelectionK4(State& s) {
  if (s.smlK4Table.empty()) return kDeleteTableEmpty;
  for (auto it = s.smlK4Table.begin(); it != s.smlK4Table.end(); ++it) {
    if (NameIs(*it, kObjectName)) {
      s.smlK4Table.erase(it);
      break;
    }
  }
  return code::kOk;
}

int32_t GetSmlDescriptionK4(State& s, int32_t type, char** value) {
  const bool empty = s.objectTable.empty();
  // Header values in the order the types ask for them: second, first,
  // third, fourth, fifth.
  return DescribeBar(s, type, empty,
                     empty ? 0 : static_cast<int32_t>(s.objectTable.front().entries.size()),
                     static_cast<int32_t>(s.objectTable.size()),
                     {&HeaderValue(s, 1), &HeaderValue(s, 0), &HeaderValue(s, 2), &HeaderValue(s, 3),
                      &HeaderValue(s, 4)},
                     value);
}

int32_t CreateSendstrSmlK4(State& s, int32_t mode, char** sendString) {
  if (s.smlK4Table.empty()) return kSendTableEmpty;
  if (mode != 1 && mode != 2) return code::kUnsupported;
  const char sep = s.iface.separator;
  std::string out;
  std::string value;
  if (mode == 1) {
    for (const SmlCharacteristic& record : s.smlK4Table) {
      AppendField(out, record.name().value_or(std::string()), sep);
      AppendField(out, record.texts[33].value_or(std::string()), sep);
      AppendField(out, record.texts[34].value_or(std::string()), sep);
    }
  } else {
    // Each characteristic sends as many values as the first characteristic
    // of its name holds.
    std::unordered_map<std::string_view, std::size_t> countOfName;
    for (const SmlCharacteristic& record : s.smlK4Table)
      if (record.name()) countOfName.emplace(*record.name(), record.values.size());
    bool any = false;
    for (const SmlCharacteristic& record : s.smlK4Table) {
      if (!record.name()) continue;
      const std::size_t count = countOfName[*record.name()];
      for (std::size_t k = 1; k <= count; ++k) {
        ValueAt(value, kValueCapacity, record.values, static_cast<int32_t>(k));
        AppendField(out, *record.name(), sep);
        AppendField(out, value, sep);
        any = true;
      }
    }
    if (!any) return code::kNoMemory;
  }
  s.sendBuffer = std::move(out);
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

int32_t GetSmlDataK4(State& s, int32_t mode, int32_t position, int32_t number,
                     SmlCharacteristicData* out) {
  if (mode != 1 && mode != 2) return code::kUnsupported;
  if (s.smlK4Table.empty()) return kTableEmpty;
  const SmlCharacteristic* record = Nth(s.smlK4Table, position);
  if (record == nullptr) return kNoSuchRecord;
  if (ReadSmlK4Characteristic(s, mode, *record, number) != code::kOk) return kNoSuchRecord;
  HandOutK4(s, *record, out);
  return code::kOk;
}

int32_t GetSmlAttributDataK4(State& s, int32_t kind, const char* key, int32_t n,
                             SmlCharacteristicData* out) {
  if (kind != 1 && kind != 2) return code::kUnsupported;
  if (s.smlK4Table.empty()) return kAttributeTableEmpty;
  const SmlCharacteristic* found = nullptr;
  for (const SmlCharacteristic& record : s.smlK4Table) {
    const std::optional<std::string>& member = kind == 1 ? record.name() : record.description();
    if (member && SafeCompare(member->c_str(), key) == 0) {
      found = &record;
      break;
    }
  }
  if (found == nullptr) return kNoSuchAttribute;
  if (ReadSmlK4Characteristic(s, 2, *found, n) != code::kOk) return kNoSuchAttribute;
  HandOutK4(s, *found, out);
  return code::kOk;
}

int32_t GetSmlDataValueK4(State& s, int32_t mode, const char* name, int32_t index,
                          int32_t objectNumber, int32_t valueNumber, char** value) {
  if (mode < 1 || mode > 3) return code::kUnsupported;
  const std::string_view key = name == nullptr ? std::string_view() : std::string_view(name);
  if (key.empty() && index == 0) return kMissingName;
  if (mode == 1 && objectNumber == 0) return kMissingName;
  const ValueList* values = nullptr;
  const int32_t found = FindValueList(s, mode, key, index, objectNumber, values);
  if (found != code::kOk) return found;
  std::string text;
  const int32_t read = ValueAt(text, kValueCapacity, *values, valueNumber);
  if (read != code::kOk) return read;
  s.sendBuffer = std::move(text);
  *value = s.sendBuffer.data();
  return code::kOk;
}

int32_t GetSmlValueDescriptionK4(State& s, int32_t mode, int32_t objectNumber, const char* name,
                                 int32_t* count) {
  *count = 0;
  bool empty = false;
  switch (mode) {
    case 1: empty = s.objectTable.empty(); break;
    case 2: empty = s.smlK4Table.empty(); break;
    case 3: empty = s.positionValues.empty(); break;
    default: return code::kUnsupported;
  }
  if (empty) return kTableEmpty;
  if (SafeLength(name) == 0) return code::kOk;
  const ValueList* values = nullptr;
  if (mode == 1) {
    SmlObject* object = Nth(s.objectTable, objectNumber == 0 ? 1 : objectNumber);
    if (object == nullptr) return kNoSuchRecord;
    SmlValueEntry* entry = FindSmlEntry(object->entries, name);
    if (entry == nullptr) return kNoSuchName;
    values = &entry->values;
  } else if (mode == 2) {
    SmlCharacteristic* record = FirstNamed(s.smlK4Table, name);
    if (record == nullptr) return code::kOk;
    values = &record->values;
  } else {
    SmlValueEntry* entry = FindSmlEntry(s.positionValues, name);
    if (entry == nullptr) return kNoSuchName;
    values = &entry->values;
  }
  *count = static_cast<int32_t>(values->size());
  return code::kOk;
}

int32_t ReadValuePairs(int32_t mode, const char*& cursor, int32_t length,
                       std::vector<SmlValueEntry>& list, char separator) {
  if (mode != 1 && mode != 2) return code::kUnsupported;
  try {
    // Entries by name, so that a long list of pairs is read in linear time.
    std::unordered_map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < list.size(); ++i) index.emplace(list[i].name, i);
    int64_t consumed = 0;
    std::string name, value;
    while (true) {
      if (NextToken(cursor, separator, name, kObjectFieldLimit) == 0)
        return mode == 1 ? code::kListMemory : code::kOk;
      consumed += static_cast<int64_t>(name.size()) + 1;
      if (consumed > length) return kPairsPastLength;
      ++cursor;
      if (name.empty()) return mode == 1 ? code::kOk : code::kListMemory;
      TrimTrailingBlanks(name);
      if (NextToken(cursor, separator, value, kObjectFieldLimit) == 0) return code::kListMemory;
      consumed += static_cast<int64_t>(value.size()) + 1;
      if (consumed > length) return kPairsPastLength;
      ++cursor;
      const auto [at, added] = index.emplace(name, list.size());
      if (added) list.push_back(SmlValueEntry{name, {}});
      PutValue(list[at->second].values, value, 0);
    }
  } catch (const std::bad_alloc&) {
    return code::kListMemory;
  }
}

int32_t LoadSmlObjects(const char*& cursor, int32_t length, std::vector<SmlObject>& list,
                       char separator) {
  int32_t result = code::kOk;
  std::string field;
  do {
    SmlObject object;
    result = code::kOk;
    // The data ends at length (the caller cuts it there), so the texts,
    // each closed by its separator, cannot run past it.
    for (std::string& text : object.texts) {
      if (NextToken(cursor, separator, field, kObjectFieldLimit) == 0) {
        result = code::kListMemory;
        break;
      }
      ++cursor;
      TrimTrailingBlanks(field);
      text = field;
    }
    if (result == code::kOk) result = ReadValuePairs(1, cursor, length, object.entries, separator);
    if (result == code::kOk) {
      try {
        list.push_back(std::move(object));
      } catch (const std::bad_alloc&) {
        result = code::kListMemory;
      }
    }
  } while (*cursor != '\0');
  return result;
}

int32_t CreateFillPosSmlValueTableK4(State& s, int32_t mode, const char* data, int32_t length) {
  if (data == nullptr) return kPosDataMissing;
  if (mode != 1) return code::kUnsupported;
  s.positionValues = {};
  if (length < 1) return kPosNoLength;
  std::vector<SmlValueEntry> list;
  const char* cursor = data;
  const int32_t read = ReadValuePairs(2, cursor, length, list, s.iface.separator);
  if (read != code::kOk) return read;
  s.positionValues = std::move(list);
  return code::kOk;
}

int32_t CreateSendstrPosSmlValuesK4(State& s, int32_t mode, char** sendString) {
  if (mode != 1 && mode != 2) return code::kUnsupported;
  if (s.smlK4Table.empty()) return kSendTableEmpty;
  std::string out;
  for (const SmlCharacteristic& record : s.smlK4Table)
    AppendField(out, record.name().value_or(std::string()), s.iface.separator);
  s.sendBuffer = std::move(out);
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

}  // namespace kelmod::sml
