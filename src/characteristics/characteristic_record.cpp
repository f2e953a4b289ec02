#include "characteristics/characteristic_record.h"

#include <cstdint>
#include <new>

#include "core/codes.h"
#include "core/text.h"

namespace kelmod {

namespace {

constexpr std::size_t kValueLimit = 256;

std::optional<std::string>* TextMember(CharacteristicRecord& record, int32_t code) {
  switch (code) {
    case field::kName: return &record.name;
    case field::kFieldName: return &record.fieldName;
    case field::kDinLetter: return &record.dinLetter;
    case field::kInput: return &record.input;
    case field::kUnit: return &record.unit;
    case field::kFormat: return &record.format;
    case field::kTemplate: return &record.templ;
    case field::kSelection: return &record.selection;
    case field::kParameter: return &record.parameter;
    default: return nullptr;
  }
}

}  // namespace

int32_t SetCharacteristicField(CharacteristicRecord& record, int32_t code, std::string& text,
                               int32_t n) {
  try {
    if (std::optional<std::string>* member = TextMember(record, code)) {
      member->reset();
      TrimTrailingBlanks(text);
      member->emplace(text);
      return code::kOk;
    }
    switch (code) {
      case field::kLength:
        record.length = AtoiNumber(text);
        // A date field is two characters longer; the sum saturates like the number.
        if (record.format && *record.format == "DATE")
          record.length = record.length > INT32_MAX - 2 ? INT32_MAX : record.length + 2;
        return code::kOk;
      case field::kDecimals:
        record.decimals = AtoiNumber(text);
        return code::kOk;
      case field::kValue:
        TrimTrailingBlanks(text);
        PutValue(record.values, text, n);
        return code::kOk;
      default:
        return code::kListMemory;
    }
  } catch (const std::bad_alloc&) {
    return code::kListMemory;
  }
}

int32_t SetCharacteristicField(CharacteristicRecord& record, int32_t code, char* text, int32_t n) {
  if (text == nullptr) return code::kListMissing;
  std::string copy(text);
  const int32_t result = SetCharacteristicField(record, code, copy, n);
  if (code != field::kLength && code != field::kDecimals) WriteBack(text, copy);
  return result;
}

int32_t PrependCharacteristic(CharacteristicList& list, const char* name, const char* dinLetter,
                              const char* input, const char* unit, const char* format,
                              const char* templ, const char* lengthText,
                              const char* decimalsText) {
  CharacteristicRecord record;
  const std::pair<int32_t, const char*> texts[] = {
      {field::kName, name},     {field::kDinLetter, dinLetter}, {field::kInput, input},
      {field::kUnit, unit},     {field::kFormat, format},       {field::kTemplate, templ},
      {field::kLength, lengthText}, {field::kDecimals, decimalsText}};
  for (const auto& [code, text] : texts) {
    if (SafeLength(text) == 0) continue;
    std::string value(text);
    const int32_t result = SetCharacteristicField(record, code, value, 0);
    if (result != code::kOk) return result;
  }
  try {
    list.insert(list.begin(), std::move(record));
  } catch (const std::bad_alloc&) {
    return code::kListMemory;
  }
  return code::kOk;
}

CharacteristicRecord* NthCharacteristic(CharacteristicList& list, int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > list.size()) return nullptr;
  return &list[static_cast<std::size_t>(position) - 1];
}

int32_t CountCharacteristicValues(const CharacteristicRecord* record) {
  return record == nullptr ? 0 : static_cast<int32_t>(record->values.size());
}

void DiscardCharacteristicList(State& s, CharacteristicList& list) {
  if (!list.empty())
    for (auto& text : s.smlHeader) text.reset();
  list = CharacteristicList{};
}

CharacteristicList TakeCharacteristicList(State& s, CharacteristicList& list) {
  if (!list.empty())
    for (auto& text : s.smlHeader) text.reset();
  CharacteristicList old;
  old.swap(list);
  return old;
}

void ReuseValueMemory(CharacteristicList& list, CharacteristicList& old, std::size_t first) {
  for (std::size_t i = 0; i < list.size() && first + i < old.size(); ++i) {
    ValueList& values = old[first + i].values;
    values.clear();
    list[i].values = std::move(values);
  }
}

namespace {

// The record UpdateCharacteristic stores into, or the code why there is none.
int32_t FindForUpdate(State& s, int32_t selectorCode, CharacteristicList* target,
                      int32_t position, const char* name, CharacteristicRecord*& record) {
  CharacteristicList* list = nullptr;
  int32_t emptyCode = code::kTableNotPresent;
  switch (selectorCode) {
    case selector::kSmlTable: list = &s.smlTable; emptyCode = 45; break;
    case selector::kMatchcodeTable: list = &s.matchcodeTable; emptyCode = 46; break;
    case selector::kTargetByFieldName:
    case selector::kTargetByName: list = target; break;
    default: return code::kUnsupported;
  }
  if (list == nullptr || list->empty()) return emptyCode;

  record = nullptr;
  if (position > 0) {
    record = NthCharacteristic(*list, position);
  } else if (selectorCode != selector::kMatchcodeTable && SafeLength(name) > 0) {
    for (CharacteristicRecord& candidate : *list) {
      const std::optional<std::string>& key =
          selectorCode == selector::kTargetByName ? candidate.name : candidate.fieldName;
      if (key && *key == name) {
        record = &candidate;
        break;
      }
    }
  }
  return record == nullptr ? 47 : code::kOk;
}

int32_t StoreResult(int32_t stored) {
  if (stored == code::kOk) return code::kOk;
  return stored == code::kListMemory ? code::kNoMemory : 47;
}

}  // namespace

int32_t UpdateCharacteristic(State& s, int32_t selectorCode, CharacteristicList* target,
                             int32_t position, const char* name, int32_t code, std::string& text,
                             int32_t n) {
  CharacteristicRecord* record = nullptr;
  const int32_t found = FindForUpdate(s, selectorCode, target, position, name, record);
  if (found != code::kOk) return found;
  return StoreResult(SetCharacteristicField(*record, code, text, n));
}

int32_t UpdateCharacteristic(State& s, int32_t selectorCode, CharacteristicList* target,
                             int32_t position, const char* name, int32_t code, char* text,
                             int32_t n) {
  CharacteristicRecord* record = nullptr;
  const int32_t found = FindForUpdate(s, selectorCode, target, position, name, record);
  if (found != code::kOk) return found;
  return StoreResult(SetCharacteristicField(*record, code, text, n));
}

int32_t ReadSmlCharacteristic(State& s, const CharacteristicRecord* record, int32_t n, bool trim) {
  if (record == nullptr) return code::kListMissing;
  CharacteristicResult& r = s.characteristicResult;
  // Copied into the buffers in place, so that their memory is reused.
  const auto text = [](std::string& to, const std::optional<std::string>& member) {
    if (member) to.assign(*member);
    else to.clear();
  };
  text(r.name, record->name);
  text(r.fieldName, record->fieldName);
  text(r.dinLetter, record->dinLetter);
  text(r.input, record->input);
  text(r.unit, record->unit);
  text(r.format, record->format);
  text(r.templ, record->templ);
  text(r.selection, record->selection);
  text(r.parameter, record->parameter);
  r.length = record->length;
  r.width = record->width;
  r.decimals = record->decimals;
  // The value goes from the list straight into its buffer.
  std::string_view value;
  if (n > 0 && !record->values.empty()) {
    if (static_cast<std::size_t>(n) > record->values.size()) return code::kListMissing;
    value = record->values.text(static_cast<std::size_t>(n) - 1).substr(0, kValueLimit - 1);
  }
  if (trim) {
    AssignTrimmedBlanks(r.value, value);
  } else {
    r.value.assign(value.data(), value.size());
  }
  return code::kOk;
}

namespace {

int32_t DistributeValues(int32_t mode, int32_t n, int32_t length, const char* data,
                         CharacteristicList& list, char separator) {
  // Each value is taken as a view into data and stored without its trailing
  // blanks straight from there. Running out of memory throws (the values
  // stored so far stay).
  const char* cursor = data;
  std::string_view value;
  int64_t consumed = 0;
  for (std::size_t r = 0;;) {
    CharacteristicRecord& record = list[r];
    if (NextTokenView(cursor, separator, value, kValueLimit) == 0) return code::kListMissing;
    value = WithoutTrailingBlanks(value);
    if (n == 0) {
      record.values.appendNext(value);  // as PutValue at 0: the text has no trailing blanks
    } else {
      PutValue(record.values, value, n);
    }
    if (static_cast<int64_t>(value.size()) > record.length)
      record.length = static_cast<int32_t>(value.size());
    ++cursor;
    consumed += static_cast<int64_t>(value.size()) + 1;
    if (consumed >= length) return code::kOk;
    if (mode == 2) {
      if (NextTokenView(cursor, separator, value, kValueLimit) == 0) return code::kListMissing;
      if (!value.empty()) {
        value = WithoutTrailingBlanks(value);
        record.unit.reset();
        record.unit.emplace(value);
      }
      ++cursor;
      consumed += static_cast<int64_t>(value.size()) + 1;
      if (consumed >= length) return code::kOk;
    }
    if (++r == list.size()) r = 0;
  }
}

}  // namespace

int32_t FillCharacteristicValues(int32_t mode, int32_t n, int32_t length, const char* data,
                                 CharacteristicList& list, char separator) {
  if (length < 1 || data == nullptr || list.empty()) return code::kOk;
  try {
    return DistributeValues(mode, n, length, data, list, separator);
  } catch (const std::bad_alloc&) {
    return code::kListMemory;  // the values stored so far stay
  }
}

void HandOut(CharacteristicResult& result, CharacteristicData* data) {
  data->name = result.name.data();
  data->fieldName = result.fieldName.data();
  data->dinLetter = result.dinLetter.data();
  data->input = result.input.data();
  data->unit = result.unit.data();
  data->format = result.format.data();
  data->template_ = result.templ.data();
  data->selection = result.selection.data();
  data->parameter = result.parameter.data();
  data->length = result.length;
  data->width = result.width;
  data->decimals = result.decimals;
  data->value = result.value.data();
}

}  // namespace kelmod
