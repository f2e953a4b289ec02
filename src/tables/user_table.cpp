#include "tables/user_table.h"

#include <cstdio>

#include "core/codes.h"
#include "core/print_file.h"
#include "core/text.h"

namespace kelmod::tables {

namespace {

constexpr int32_t kUserFieldLength = 80;
constexpr std::size_t kUserValueLimit = 80;
constexpr int32_t kMaxUserFields = 1 << 20;

// Places each value at its 1-based column: the line is cut or padded with
// blanks to the column, then the value follows whole, so a value longer
// than its gap gives way to the next one.
std::string LayOut(const std::string* values, const int32_t* columns, std::size_t count) {
  std::string line;
  for (std::size_t i = 0; i < count; ++i) {
    line.resize(static_cast<std::size_t>(columns[i]) - 1, ' ');
    line += values[i];
  }
  line += '\n';
  return line;
}

}  // namespace

int32_t CreateFillUserTable(State& s, int32_t mode, int32_t fieldCount, const char* data,
                            int32_t length) {
  if (mode != 1) return code::kUnsupported;
  s.userTable = FieldList{};
  // More fields than any host could fill are refused like exhausted memory.
  if (fieldCount > kMaxUserFields) return code::kNoMemory;
  FieldList fields;
  if (fieldCount > 0) fields.reserve(static_cast<std::size_t>(fieldCount));
  for (int32_t i = 1; i <= fieldCount; ++i) {
    FieldDefinition field;
    field.setName = "USRSET";
    field.fieldName = "PARA" + IntToDecimal(i);
    field.length = kUserFieldLength;
    fields.push_back(std::move(field));
  }
  s.userTable = std::move(fields);
  if (length < 1 || fieldCount < 1) return code::kOk;

  // Values go field after field; after the last field the next record
  // begins. Each is stored as the next value of its field.
  const char* cursor = data;
  std::string value;
  int32_t field = 0;
  int64_t consumed = 0;
  while (consumed < length) {
    if (NextToken(cursor, s.iface.separator, value, kUserValueLimit) == 0) break;
    if (++field > fieldCount) field = 1;
    consumed += static_cast<int64_t>(value.size()) + 1;
    PutValue(s.userTable[static_cast<std::size_t>(field) - 1].values, value, 0);
    ++cursor;
  }
  return code::kOk;
}

int32_t WriteKonfiguration(State& s, int32_t mode, const char* data, int32_t length,
                           const char* path) {
  if (mode < 1 || mode > 3) return code::kUnsupported;
  const int32_t failed = mode == 1   ? code::kWriteConfigMode1
                         : mode == 2 ? code::kWriteConfigMode2
                                     : code::kWriteConfigMode3;
  if (path == nullptr || length < 1) return failed;

  static constexpr int32_t kDefinitionColumns[] = {3, 11, 30};
  static constexpr int32_t kIndexColumns[] = {3, 10, 14, 17};
  const int32_t* columns = mode == 3 ? kIndexColumns : kDefinitionColumns;
  const std::size_t perLine = mode == 3 ? 4 : 3;

  const std::string stamp = DateStamp();
  PrintFile file(path);
  if (!file) return failed;
  std::fprintf(file.get(), "* ------------------------------------------------------\n");
  std::fprintf(file.get(), "* Datum:%s\n", stamp.c_str());
  std::fprintf(file.get(), "* ------------------------------------------------------\n");

  const char* cursor = data;
  int64_t remaining = length;
  std::string values[4];
  bool complete = true;
  while (remaining > 0) {
    int64_t used = 0;
    for (std::size_t i = 0; i < perLine && complete; ++i) {
      complete = NextToken(cursor, s.iface.separator, values[i]) == 1;
      if (complete) ++cursor;
      used += static_cast<int64_t>(values[i].size()) + 1;
    }
    if (!complete) break;
    std::fputs(LayOut(values, columns, perLine).c_str(), file.get());
    remaining -= used;
  }
  if (!file.close()) return failed;
  return complete ? code::kOk : failed;
}

}  // namespace kelmod::tables
