#include "characteristics/help_tables.h"

#include <cstring>

#include "characteristics/characteristic_record.h"
#include "core/codes.h"
#include "core/text.h"
#include "tables/value_access.h"

namespace kelmod::help {

namespace {

constexpr int32_t kNotStored = 13;
constexpr int32_t kFillNoTable = 19;
constexpr int32_t kDataNoTable = 32;
constexpr int32_t kNoEntry = 33;
constexpr int32_t kDescribeNoTable = 37;
constexpr int32_t kNotFound = 73;
constexpr int32_t kOnlyFamily5 = 74;

// Sizes of the tokens a help layout provides for; longer ones are cut.
constexpr std::size_t kTitleLimit = 83;
constexpr std::size_t kWidthLimit = 11;
constexpr std::size_t kFlagLimit = 3;
constexpr std::size_t kEntryLimit = 83;
constexpr std::size_t kValueLimit = 256;
constexpr std::size_t kMaxPadding = std::size_t{1} << 20;

// Families 1 to 4 describe a column with two tokens, all others with three.
bool ThreeTokenForm(const State& s) { return s.releaseFamily < 1 || s.releaseFamily > 4; }

int32_t StoreInColumn(State& s, int32_t column, int32_t code, std::string& text, int32_t n) {
  return UpdateCharacteristic(s, selector::kTargetByFieldName, &s.helpTable, column, nullptr, code,
                              text, n);
}

}  // namespace

int32_t ParseHelpColumns(State& s, const char* data, int32_t length, bool withFlag) {
  const char sep = s.iface.separator;
  const char* cursor = data;
  std::string title, width, flag;
  int64_t consumed = 0;
  int32_t column = 0;
  int32_t result = code::kOk;
  if (NextToken(cursor, sep, title, kTitleLimit) == 0) return code::kOk;
  while (true) {
    ++cursor;
    ++column;
    consumed += static_cast<int64_t>(title.size()) + 1;
    if (consumed >= length) break;
    bool complete = NextToken(cursor, sep, width, kWidthLimit) == 1;
    if (complete) {
      ++cursor;
      consumed += static_cast<int64_t>(width.size()) + 1;
      if (withFlag) {
        complete = NextToken(cursor, sep, flag, kFlagLimit) == 1;
        if (complete) {
          ++cursor;
          consumed += static_cast<int64_t>(flag.size()) + 1;
        }
      }
    }
    if (complete) {
      result = StoreInColumn(s, column, field::kName, title, 1);
      if (result == code::kOk) result = StoreInColumn(s, column, field::kLength, width, 1);
      if (result == code::kOk && withFlag)
        result = StoreInColumn(s, column, field::kSelection, flag, 1);
    }
    if (consumed >= length || result != code::kOk) break;
    if (NextToken(cursor, sep, title, kTitleLimit) == 0) break;
  }
  return result;
}

namespace {

int32_t BuildHelpTable(State& s, int32_t mode, const char* data, int32_t length);

}  // namespace

int32_t CreateHlpTable(State& s, int32_t mode, const char* data, int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  if (mode != 1 && mode != 2) return code::kUnsupported;
  DiscardCharacteristicList(s, s.helpTable);
  if (length < 1) return code::kOk;
  int32_t result = code::kOk;
  try {
    result = BuildHelpTable(s, mode, data, length);
  } catch (const std::bad_alloc&) {
    result = code::kNoMemory;
  }
  // A help table that could not be built whole is not kept.
  if (result != code::kOk) s.helpTable = CharacteristicList{};
  return result;
}

namespace {

int32_t BuildHelpTable(State& s, int32_t mode, const char* data, int32_t length) {
  const char sep = s.iface.separator;
  int32_t result = code::kOk;
  if (mode == 1) {
    // Separators among the characters up to position length (the string's
    // terminating NUL included when it stands there).
    const std::size_t span = strnlen(data, static_cast<std::size_t>(length) + 1);
    int64_t separators = 0;
    for (std::size_t i = 0; i < span && sep != '\0'; ++i)
      if (data[i] == sep) ++separators;
    const bool withFlag = ThreeTokenForm(s);
    const int64_t columns = separators / (withFlag ? 3 : 2);
    s.helpTable.resize(static_cast<std::size_t>(columns));
    result = ParseHelpColumns(s, data, length, withFlag);
  } else {
    s.helpTable.resize(1);
    const char* cursor = data;
    std::string entry;
    int64_t consumed = 0;
    for (int32_t line = 1; NextToken(cursor, sep, entry, kEntryLimit) == 1; ++line) {
      ++cursor;
      consumed += static_cast<int64_t>(entry.size()) + 1;
      result = StoreInColumn(s, 1, field::kValue, entry, line);
      if (result != code::kOk || consumed >= length) break;
    }
  }
  return result == code::kOk ? code::kOk : kNotStored;
}

}  // namespace

int32_t FillHlpTable(State& s, int32_t mode, const char* data, int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  if (s.helpTable.empty()) return kFillNoTable;
  if (mode != 1) return code::kUnsupported;
  // The column count is taken as the description reports it, which leaves it
  // in the value buffer.
  char* count = nullptr;
  if (GetHlpDescription(s, 1, &count) != code::kOk) return code::kNoMemory;
  const int32_t columns = static_cast<int32_t>(s.helpTable.size());
  if (length < 1) return code::kOk;

  const char sep = s.iface.separator;
  const char* cursor = data;
  std::string entry;
  int64_t consumed = 0;
  int32_t result = code::kOk;
  for (int32_t line = 1;; ++line) {
    for (int32_t column = 1; column <= columns; ++column) {
      const bool terminated = NextToken(cursor, sep, entry, kEntryLimit) == 1;
      consumed += static_cast<int64_t>(entry.size()) + 1;
      if (result == code::kOk) result = StoreInColumn(s, column, field::kValue, entry, line);
      if (!terminated) return result;
      ++cursor;
    }
    if (consumed >= length) return result;
  }
}

int32_t GetHlpData(State& s, int32_t mode, int32_t column, int32_t line, CharacteristicData* out) {
  if (mode != 1) return code::kUnsupported;
  if (s.helpTable.empty()) return kDataNoTable;
  const CharacteristicRecord* record = NthCharacteristic(s.helpTable, column);
  if (record == nullptr) return kNoEntry;

  int32_t result = code::kOk;
  std::string entry;
  if (line > 0 && !record->values.empty() &&
      ValueAt(entry, kValueLimit + 1, record->values, line) != code::kOk)
    result = kNoEntry;
  // A width no help list could need would cost gigabytes of blanks.
  if (record->length > static_cast<int32_t>(kMaxPadding)) return code::kNoMemory;
  PadBlanks(entry, record->length);
  std::string title = record->name.value_or(std::string());

  CharacteristicResult& r = s.characteristicResult;
  r.name = std::move(title);
  r.length = record->length;
  r.value = std::move(entry);
  HandOut(r, out);
  return result;
}

int32_t GetHlpDescription(State& s, int32_t mode, char** value) {
  if (s.helpTable.empty()) return kDescribeNoTable;
  std::size_t number = 0;
  switch (mode) {
    case 1: number = s.helpTable.size(); break;
    case 2: number = s.helpTable.front().values.size(); break;
    case 3: {
      if (s.releaseFamily != 5) return kOnlyFamily5;
      number = 1;
      for (std::size_t i = 0; i < s.helpTable.size(); ++i) {
        const std::optional<std::string>& flag = s.helpTable[i].selection;
        if (flag && flag->size() == 1) {
          number = i + 1;
          break;
        }
      }
      break;
    }
    default: return code::kUnsupported;
  }
  s.valueBuffer = IntToDecimal(static_cast<int32_t>(number));
  *value = s.valueBuffer.data();
  return code::kOk;
}

int32_t FindHelpTable(State& s, const char* name, const char* key, const char* fieldName,
                      const char* setIndexPath, const char* definitionPathU,
                      const char* definitionPathD, char* direction) {
  AttributeRecord attribute;
  if (tables::SearchAttribut(s, 1, name, key, setIndexPath, definitionPathU, fieldName,
                             &attribute) == code::kOk) {
    *direction = 'U';  // a result: written, never read (it may be uninitialised)
    return code::kOk;
  }
  // The characteristic help tables are described under one key of their own.
  static const char* const kCharacteristicTables[] = {"EQICH", "MATCH", "TPCCH", "DOCCH", "CHGCH"};
  const char* keyD = key;
  for (const char* table : kCharacteristicTables)
    if (SafeCompare(name, table) == 0) keyD = "MD";
  if (tables::SearchAttribut(s, 2, name, keyD, setIndexPath, definitionPathD, fieldName,
                             &attribute) == code::kOk) {
    *direction = 'D';
    return code::kOk;
  }
  return kNotFound;
}

}  // namespace kelmod::help
