#include "mail/mail.h"

#include <cstring>
#include <initializer_list>

#include "characteristics/characteristic_record.h"
#include "core/codes.h"
#include "core/text.h"

namespace kelmod::mail {

namespace {

constexpr int32_t kNoSuchName = 31;
constexpr int32_t kNoSuchMail = 36;
constexpr int32_t kFieldsNotCreated = 63;
constexpr int32_t kValueUnterminated = 64;
constexpr int32_t kReadTableEmpty = 65;
constexpr int32_t kNoSuchPosition = 66;
constexpr int32_t kSendTableEmpty = 67;
constexpr int32_t kDescribeTableEmpty = 69;
constexpr int32_t kWriteTableEmpty = 70;
constexpr int32_t kNoSuchField = 47;

// The fields of each mail type, in list order.
const std::initializer_list<const char*> kFields[] = {
    {"FOLTP", "FOLYR", "FOLNO", "DOCTP", "DOCYR", "DOCNO", "DOCDES", "SNDNAM", "RECNAM", "RECCNT",
     "OBJRD", "OBJRR", "OBJAC", "VMTYP", "RESUB", "SNDEX"},
    {"CONT"},
    {"FOLTP", "FOLYR", "FOLNO", "DOCTP", "DOCYR", "DOCNO", "DOCNAM", "DOCDES", "DOCLA", "OWNNAM",
     "SNDNAM", "CRDAT", "CRTIM", "OBJSRT", "OBJPRI", "OBJSNS", "VMTYP", "ACNAM", "OBJRD", "OBJRR",
     "OBJAC", "RESUB", "SNDEX"},
    {"PARNAM", "PAROPT", "PARLOW", "PARHIG"},
    {"PARNAM", "PARVAL"},
    {"RECNAM", "FORNAM", "OBJRD", "RDDAT", "RDTIM", "SNDPRI", "OBJAC", "ACDAT", "ACTIM", "ACALL",
     "ALONE", "ATDAT", "ATTIM"},
};

bool ValidType(int32_t type) { return type >= 1 && type <= 6; }

CharacteristicList& TableOf(State& s, int32_t type) {
  return s.mailTables[static_cast<std::size_t>(type) - 1];
}

// The field a read by position addresses: type 1 skips its six key fields,
// type 2 has its one field only.
const CharacteristicRecord* FieldAtPosition(CharacteristicList& table, int32_t type,
                                            int32_t position) {
  if (type == 2) return NthCharacteristic(table, 1);
  if (type == 1) return position > INT32_MAX - 6 ? nullptr : NthCharacteristic(table, position + 6);
  return NthCharacteristic(table, position);
}

}  // namespace

CharacteristicList BuildMailFields(int32_t type) {
  CharacteristicList list;
  if (!ValidType(type)) return list;
  const auto& names = kFields[type - 1];
  list.reserve(names.size());
  for (const char* name : names) {
    CharacteristicRecord record;
    record.name = name;
    record.format = "C";
    list.push_back(std::move(record));
  }
  return list;
}

int32_t CreateMailTable(State& s, int32_t type, const char* data, int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  if (!ValidType(type)) return code::kOk;
  CharacteristicList& table = TableOf(s, type);
  // The old table is gone whatever the outcome; its value memory goes on to
  // the new fields.
  CharacteristicList old;
  old.swap(table);
  table = BuildMailFields(type);
  if (table.empty()) return kFieldsNotCreated;
  ReuseValueMemory(table, old);
  const int32_t filled = FillCharacteristicValues(1, 0, length, data, table, s.iface.separator);
  if (filled == code::kListMemory) return code::kNoMemory;
  if (filled != code::kOk) return kValueUnterminated;
  return code::kOk;
}

int32_t DescribeMailTable(State& s, int32_t type, char** count) {
  if (!ValidType(type)) return code::kUnsupported;
  CharacteristicList& table = TableOf(s, type);
  if (table.empty()) return kDescribeTableEmpty;
  s.valueBuffer = IntToDecimal(CountCharacteristicValues(&table.front()));
  *count = s.valueBuffer.data();
  return code::kOk;
}

int32_t GetMailData(State& s, int32_t type, int32_t position, char* name, int32_t n,
                    char** value) {
  if (!ValidType(type)) return code::kUnsupported;
  CharacteristicList& table = TableOf(s, type);
  if (table.empty()) return kReadTableEmpty;
  const bool byName = name[0] != '\0';
  const CharacteristicRecord* field = nullptr;
  if (byName) {
    for (const CharacteristicRecord& candidate : table) {
      if (candidate.name && *candidate.name == name) {
        field = &candidate;
        break;
      }
    }
  } else {
    field = FieldAtPosition(table, type, position);
  }
  const int32_t missing = byName ? kNoSuchName : kNoSuchPosition;
  if (field == nullptr) return missing;
  // A read by name hands the value out trimmed, a read by position as stored.
  if (ReadSmlCharacteristic(s, field, n, byName) != code::kOk) return missing;
  s.valueBuffer = s.characteristicResult.value;
  *value = s.valueBuffer.data();
  if (!byName) {
    // The caller learns which field it read; mail field names have at most
    // six characters and the buffer holds seven bytes. It is a result, so it
    // is written (the bytes after the caller's empty text may be
    // uninitialised and are never read).
    const std::string& fieldName = *field->name;
    const std::size_t n6 = fieldName.size() < 6 ? fieldName.size() : 6;
    std::memcpy(name, fieldName.data(), n6);
    name[n6] = '\0';
  }
  return code::kOk;
}

int32_t WriteMailValue(State& s, int32_t type, int32_t position, const char* name, int32_t n,
                       char* value) {
  if (position != 0 || !ValidType(type)) return code::kUnsupported;
  CharacteristicList& table = TableOf(s, type);
  if (table.empty()) return kWriteTableEmpty;
  if (name[0] == '\0') return code::kOk;
  const int32_t result = UpdateCharacteristic(s, selector::kTargetByName, &table, 0, name,
                                              field::kValue, value, n);
  return result == code::kNoMemory ? result : (result == code::kOk ? code::kOk : kNoSuchField);
}

int32_t CreateSendstrMail(State& s, int32_t mode, int32_t mail, char** sendString) {
  if (mode != 1 && mode != 2) return code::kUnsupported;
  CharacteristicList& table = TableOf(s, 1);
  if (table.empty()) return kSendTableEmpty;
  const int32_t parts = mode == 1 ? 6 : 3;
  // Each part is read as a read by position does it, which also refreshes
  // the characteristic result; the outcome of the last read decides.
  const auto read = [&](int32_t part) {
    const CharacteristicRecord* field = NthCharacteristic(table, part);
    return ReadSmlCharacteristic(s, field, mail, false) == code::kOk ? code::kOk : kNoSuchMail;
  };
  int32_t result = code::kOk;
  for (int32_t part = 1; part <= parts; ++part) result = read(part);
  if (result != code::kOk) return result;
  std::string out;
  for (int32_t part = 1; part <= parts; ++part) {
    result = read(part);
    if (result != code::kOk) continue;
    out += s.characteristicResult.value;
    if (s.iface.separator != '\0') out += s.iface.separator;
  }
  if (result != code::kOk) return result;
  s.sendBuffer = std::move(out);
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

}  // namespace kelmod::mail
