#include "characteristics/matchcode.h"

#include <new>

#include "characteristics/characteristic_record.h"
#include "core/codes.h"
#include "core/text.h"

namespace kelmod::matchcode {

namespace {

constexpr int32_t kListNotStored = 5;
constexpr int32_t kFieldsNotStored = 6;
constexpr int32_t kSendTableEmpty = 10;
constexpr int32_t kReadTableEmpty = 27;
constexpr int32_t kReadNoRecord = 28;
constexpr int32_t kNoTable = 29;
constexpr int32_t kWriteTableEmpty = 54;
constexpr int32_t kWriteNoRecord = 55;

constexpr std::size_t kTokenLimit = 80;

}  // namespace

int32_t LoadMatchcodeEntries(int32_t mode, const char* data, int32_t length,
                             CharacteristicList& table, char separator) {
  if (length < 1) return code::kListMissing;
  // Field codes of the tokens of one entry.
  static constexpr int32_t kListCodes[] = {field::kName, field::kDinLetter, field::kUnit};
  static constexpr int32_t kFieldCodes[] = {field::kUnit, field::kLength};
  const int32_t* codes = mode == 1 ? kListCodes : kFieldCodes;
  const int32_t tokens = mode == 1 ? 3 : 2;

  const char* cursor = data;
  std::string token;
  CharacteristicRecord entry;
  int32_t t = 0;
  int64_t consumed = 0;
  while (NextToken(cursor, separator, token, kTokenLimit) == 1) {
    ++cursor;
    if (++t == 1) entry = CharacteristicRecord{};
    const int32_t stored = SetCharacteristicField(entry, codes[t - 1], token, 0);
    if (stored != code::kOk) return stored;
    if (t == tokens) {
      try {
        table.push_back(std::move(entry));
      } catch (const std::bad_alloc&) {
        return code::kListMemory;
      }
      t = 0;
    }
    // A text token counts without the trailing blanks its store removed.
    consumed += static_cast<int64_t>(token.size()) + 1;
    if (consumed >= length) break;
  }
  return code::kOk;
}

int32_t CreateFillTableMcd(State& s, int32_t mode, const char* data, int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  if (mode != 1 && mode != 2) return code::kUnsupported;
  // The old entries go; the list's own memory is kept for the new ones.
  s.matchcodeTable.clear();
  const int32_t loaded =
      LoadMatchcodeEntries(mode, data, length, s.matchcodeTable, s.iface.separator);
  if (loaded == code::kOk) return code::kOk;
  if (loaded == code::kListMemory) return code::kNoMemory;
  return mode == 1 ? kListNotStored : kFieldsNotStored;
}

int32_t GetMcdValue(State& s, const char* attribute, int32_t record, char** value) {
  if (s.matchcodeTable.empty()) return kReadTableEmpty;
  const CharacteristicRecord* entry = NthCharacteristic(s.matchcodeTable, record);
  if (entry == nullptr) return kReadNoRecord;
  const std::string_view name(attribute);
  const std::optional<std::string>* member = nullptr;
  if (name == "ID") member = &entry->name;
  else if (name == "SUBID") member = &entry->dinLetter;
  else if (name == "TEXT01" || name == "TEXT02") member = &entry->unit;
  else if (name == "WERT") member = &entry->input;
  else return code::kUnsupported;
  s.sendBuffer = member->value_or(std::string());
  *value = s.sendBuffer.data();
  return code::kOk;
}

int32_t GetMcdDescription(State& s, int32_t mode, char** count) {
  int32_t number = 0;
  if (mode == 1) {
    if (s.matchcodeTable.empty()) return kNoTable;
    number = static_cast<int32_t>(s.matchcodeTable.size());
  } else if (mode == 2) {
    if (s.current == nullptr || s.current->empty()) return kNoTable;
    number = RecordCount(*s.current);
  } else {
    return code::kUnsupported;
  }
  s.valueBuffer = IntToDecimal(number);
  *count = s.valueBuffer.data();
  return code::kOk;
}

int32_t WriteMcdValue(State& s, int32_t mode, int32_t record, char* value) {
  if (mode != 1) return code::kUnsupported;
  if (s.matchcodeTable.empty()) return kWriteTableEmpty;
  CharacteristicRecord* entry = NthCharacteristic(s.matchcodeTable, record);
  if (entry == nullptr) return kWriteNoRecord;
  const int32_t stored = SetCharacteristicField(*entry, field::kInput, value, 0);
  if (stored == code::kOk) return code::kOk;
  return stored == code::kListMemory ? code::kNoMemory : kWriteNoRecord;
}

int32_t CreateSendstrMcd(State& s, int32_t mode, char** sendString) {
  if (s.matchcodeTable.empty()) return kSendTableEmpty;
  if (mode != 1) return code::kUnsupported;
  std::size_t size = 1;
  for (const CharacteristicRecord& entry : s.matchcodeTable)
    size += (entry.input ? entry.input->size() : 0) + 2;
  std::string& out = s.sendBuffer;
  out.clear();
  out.reserve(size);
  for (const CharacteristicRecord& entry : s.matchcodeTable) {
    if (entry.input) out += *entry.input;
    out += '.';
  }
  *sendString = out.data();
  return code::kOk;
}

}  // namespace kelmod::matchcode
