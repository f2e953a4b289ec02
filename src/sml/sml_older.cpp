#include "sml/sml_older.h"

#include <new>
#include <utility>

#include "characteristics/characteristic_record.h"
#include "core/codes.h"
#include "core/field_groups.h"
#include "core/text.h"

namespace kelmod::sml {

namespace {

constexpr int32_t kSendTableEmpty = 9;
constexpr int32_t kHeaderUnreadable = 11;
constexpr int32_t kFillTableEmpty = 21;
constexpr int32_t kFillFailed = 22;
constexpr int32_t kDeleteTableEmpty = 14;
constexpr int32_t kAttributeTableEmpty = 30;
constexpr int32_t kNoSuchAttribute = 31;
constexpr int32_t kSmlTableEmpty = 34;
constexpr int32_t kMatchcodeTableEmpty = 35;
constexpr int32_t kNoSuchRecord = 36;
constexpr int32_t kMailTableEmpty = 68;

constexpr std::size_t kHeaderLimit = 256;
constexpr std::size_t kFieldLimit = 80;
constexpr std::size_t kValueCapacity = 256;

// The object characteristic that carries each object's key in a mode-1 fill.
constexpr const char* kObjectName = "OBJEKT";

// The list ZanGetSmlData reads for a table type, with its code when empty.
CharacteristicList* ReadList(State& s, int32_t type, int32_t& emptyCode) {
  if (type == 1) {
    emptyCode = kSmlTableEmpty;
    return &s.smlTable;
  }
  if (type == 2) {
    emptyCode = kMatchcodeTableEmpty;
    return &s.matchcodeTable;
  }
  if (type >= 3 && type <= 8) {
    emptyCode = kMailTableEmpty;
    return &s.mailTables[static_cast<std::size_t>(type - 3)];
  }
  return nullptr;
}

}  // namespace

void ReadSmlHeader(State& s, const char*& cursor, int64_t& remaining) {
  std::string field;
  for (auto& text : s.smlHeader) {
    if (NextToken(cursor, s.iface.separator, field, kHeaderLimit) == 0) return;
    ++cursor;
    remaining -= static_cast<int64_t>(field.size()) + 1;
    text.reset();
    TrimTrailingBlanks(field);
    text.emplace(field);
  }
}

int32_t LoadSmlCharacteristics(const char*& cursor, int64_t remaining, CharacteristicList& list,
                               char separator) {
  return LoadFieldGroups(cursor, remaining, list, separator, 9, kFieldLimit,
                         [](CharacteristicRecord& record, int32_t k, std::string& field) {
                           return SetCharacteristicField(record, k, field, 0);
                         });
}

void ComputeSmlWidths(CharacteristicList& list) {
  for (CharacteristicRecord& record : list) {
    std::size_t width = record.name ? TrimmedLength(record.name->c_str()) : 0;
    // A characteristic's values are stored without their trailing blanks
    // (PutValue and the fills strip them), so the width of a value is its
    // length, read without touching its text; only a value cut at the value
    // capacity can end in a blank again.
    for (std::size_t i = 0; i < record.values.size(); ++i) {
      std::string_view text = record.values.text(i);
      if (text.size() >= kValueCapacity - 1) [[unlikely]] {
        text = text.substr(0, kValueCapacity - 1);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
      }
      if (text.size() > width) width = text.size();
    }
    record.width = static_cast<int32_t>(width);
  }
}

int32_t RemoveSmlSelection(CharacteristicList& list, const char* name) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (it->name && SafeCompare(it->name->c_str(), name) == 0) {
      list.erase(it);
      return code::kOk;
    }
  }
  return code::kListMissing;
}

int32_t CreateSmlTable(State& s, int32_t mode, const char* data, int32_t length) {
  // The old table is gone whatever the outcome; the value memory of its
  // characteristics goes on to the new ones, that of the object
  // characteristic a fill of objects put in front to the next such fill.
  CharacteristicList old = TakeCharacteristicList(s, s.smlTable);
  if (length < 1) return code::kOk;
  const char* cursor = data;
  int64_t remaining = length;
  try {
    ReadSmlHeader(s, cursor, remaining);
  } catch (const std::bad_alloc&) {
    return kHeaderUnreadable;
  }
  if (mode != 1 && mode != 2) return code::kUnsupported;
  // The characteristics parsed so far form the table whatever the outcome.
  const int32_t loaded = LoadSmlCharacteristics(cursor, remaining, s.smlTable, s.iface.separator);
  const bool objects = !old.empty() && old.front().name && *old.front().name == kObjectName;
  if (objects) s.smlObjectValues = std::move(old.front().values);
  ReuseValueMemory(s.smlTable, old, objects ? 1 : 0);
  return loaded == code::kListMemory ? code::kNoMemory : loaded;
}

int32_t FillSmlTable(State& s, int32_t mode, const char* data, int32_t length) {
  if (length == 0) return code::kOk;
  if (s.smlTable.empty()) return kFillTableEmpty;
  if (mode == 1) {
    CharacteristicList& table = s.smlTable;
    const int32_t added =
        PrependCharacteristic(table, kObjectName, "", "*", "", "C", "", "30", "0");
    if (added == code::kListMemory) return code::kNoMemory;
    if (added != code::kOk) return kFillFailed;
    table.front().values = std::exchange(s.smlObjectValues, ValueList{});
    for (CharacteristicRecord& record : table) record.values.clear();
    const int32_t filled = FillCharacteristicValues(1, 0, length, data, table, s.iface.separator);
    if (filled != code::kOk) {
      // The new object characteristic goes again; the other records keep
      // what the fill stored in them.
      table.erase(table.begin());
      if (filled == code::kListMemory) return code::kNoMemory;
      return filled > 0 ? filled : kFillFailed;
    }
    ComputeSmlWidths(table);
    return code::kOk;
  }
  if (mode == 2) {
    if (FillCharacteristicValues(2, 0, length, data, s.smlTable, s.iface.separator) != code::kOk)
      return kFillFailed;
    ComputeSmlWidths(s.smlTable);
    return code::kOk;
  }
  return code::kUnsupported;
}

int32_t DeleteSmlSelection(State& s) {
  if (s.smlTable.empty()) return kDeleteTableEmpty;
  RemoveSmlSelection(s.smlTable, kObjectName);
  return code::kOk;
}

int32_t DescribeBar(State& s, int32_t type, bool empty, int32_t count1, int32_t count2,
                    const std::array<std::optional<std::string>*, 5>& headers, char** value) {
  if (empty) {
    s.valueBuffer = (type == 1 || type == 2) ? "00" : "";
    *value = s.valueBuffer.data();
    return code::kOk;
  }
  if (type == 1 || type == 2) {
    s.valueBuffer = IntToDecimal(type == 1 ? count1 : count2);
    *value = s.valueBuffer.data();
    return code::kOk;
  }
  if (type < 3 || type > 7) return code::kUnsupported;
  std::optional<std::string>& text = *headers[static_cast<std::size_t>(type - 3)];
  *value = text ? text->data() : nullptr;
  return code::kOk;
}

int32_t GetSmlDescription(State& s, int32_t type, char** value) {
  const bool empty = s.smlTable.empty();
  // Header texts in the order the types ask for them: first, second, third,
  // fifth, fourth.
  return DescribeBar(s, type, empty, static_cast<int32_t>(s.smlTable.size()),
                     empty ? 0 : CountCharacteristicValues(&s.smlTable.front()),
                     {&s.smlHeader[0], &s.smlHeader[1], &s.smlHeader[2], &s.smlHeader[4],
                      &s.smlHeader[3]},
                     value);
}

int32_t GetSmlData(State& s, int32_t type, int32_t position, int32_t n, CharacteristicData* out) {
  int32_t emptyCode = code::kOk;
  CharacteristicList* list = ReadList(s, type, emptyCode);
  if (list == nullptr) return code::kUnsupported;
  if (list->empty()) return emptyCode;
  const CharacteristicRecord* record = NthCharacteristic(*list, position);
  if (record == nullptr) return kNoSuchRecord;
  if (ReadSmlCharacteristic(s, record, n, type <= 2) != code::kOk) return kNoSuchRecord;
  HandOut(s.characteristicResult, out);
  return code::kOk;
}

int32_t GetSmlAttributData(State& s, int32_t kind, const char* key, int32_t n,
                           CharacteristicData* out) {
  if (kind != 1 && kind != 2) return code::kUnsupported;
  if (s.smlTable.empty()) return kAttributeTableEmpty;
  const CharacteristicRecord* found = nullptr;
  for (const CharacteristicRecord& record : s.smlTable) {
    const std::optional<std::string>& member = kind == 1 ? record.name : record.fieldName;
    if (member && SafeCompare(member->c_str(), key) == 0) {
      found = &record;
      break;
    }
  }
  if (found == nullptr) return kNoSuchAttribute;
  if (ReadSmlCharacteristic(s, found, n, true) != code::kOk) return kNoSuchAttribute;
  HandOut(s.characteristicResult, out);
  return code::kOk;
}

int32_t WriteSmlValue(State& s, int32_t type, int32_t position, const char* name, int32_t code,
                      char* text, int32_t n) {
  // Only the characteristic bar and the matchcode table can be written here;
  // no list is designated for the selectors of other tables.
  return UpdateCharacteristic(s, type, nullptr, position, name, code, text, n);
}

int32_t CreateSendstrSml(State& s, int32_t mode, char** sendString) {
  if (s.smlTable.empty()) return kSendTableEmpty;
  if (mode != 1 && mode != 2) return code::kUnsupported;
  const char sep = s.iface.separator;
  std::string out;
  std::string value;
  const auto field = [&](const std::optional<std::string>& text) {
    if (text) out += *text;
    if (sep != '\0') out += sep;
  };
  for (const CharacteristicRecord& record : s.smlTable) {
    if (mode == 1) {
      field(record.selection);
      field(record.parameter);
    } else if (record.input && *record.input == "*") {
      field(std::nullopt);
      field(std::nullopt);
    } else {
      ValueAt(value, kValueCapacity, record.values, 1);
      field(value);
      field(record.unit);
    }
  }
  s.sendBuffer = std::move(out);
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

}  // namespace kelmod::sml
