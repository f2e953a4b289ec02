// Exports of the generic record tables.
#include "api/exports.h"
#include "api/guard.h"
#include "core/state.h"
#include "tables/printing.h"
#include "tables/record_tables.h"
#include "tables/send_strings.h"
#include "tables/user_table.h"
#include "tables/value_access.h"

using namespace kelmod;

namespace kelmod::api {

ErrorCode ZanCreateTable(int32_t type, char* name, char* key,
                                               char* setIndexPath, char* definitionPath) {
  return guarded([&] {
    return tables::CreateTable(state(), type, name, key, setIndexPath, definitionPath);
  });
}

ErrorCode ZanCreateFillTable(int32_t type, char* name, char* key,
                                                   char* setIndexPath, char* definitionPath,
                                                   char* data, int32_t length) {
  return guarded([&] {
    return tables::CreateFillTable(state(), type, name, key, setIndexPath, definitionPath, data,
                                   length);
  });
}

ErrorCode ZanFillTable(int32_t type, char* data, int32_t length) {
  return guarded([&] { return tables::FillTable(state(), type, data, length); });
}

ErrorCode ZanCreateSendstr(char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    const int32_t result = tables::CreateSendString(s);
    if (result == code::kOk) *sendString = s.sendBuffer.data();
    return result;
  });
}

ErrorCode ZanCreateSendstrBomHead(int32_t type, char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    const int32_t result = tables::CreateBomHeadSendString(s, type);
    if (result == code::kOk) *sendString = s.sendBuffer.data();
    return result;
  });
}

ErrorCode ZanGetTableValue(int32_t type, char* fieldName, int32_t record,
                                                 char** value) {
  if (fieldName == nullptr || value == nullptr) return code::kMissingArgument;
  return guarded([&] { return tables::GetTableValue(state(), type, fieldName, record, value); });
}

ErrorCode ZanWriteTableValue(int32_t type, char* fieldName, char* value,
                                                   int32_t record) {
  return guarded([&] { return tables::WriteTableValue(state(), type, fieldName, value, record); });
}

ErrorCode ZanModifyTableValue(int32_t type, char* fieldName, char* value,
                                                    int32_t record) {
  return guarded(
      [&] { return tables::ModifyTableValue(state(), type, fieldName, value, record); });
}

ErrorCode ZanDeleteTableEntry(int32_t type, int32_t record) {
  return guarded([&] { return tables::DeleteTableEntry(state(), type, record); });
}

ErrorCode ZanDescribeTable(int32_t type, char** count) {
  if (count == nullptr) return code::kMissingArgument;
  return guarded([&] { return tables::DescribeTable(state(), type, count); });
}

ErrorCode ZanGetAttributName(int32_t direction, char* name, char* key,
                                                   char* setIndexPath, char* definitionPath,
                                                   int32_t n, AttributeRecord* attribute) {
  if (attribute == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return tables::GetAttributName(state(), direction, name, key, setIndexPath, definitionPath,
                                   n, attribute);
  });
}

ErrorCode ZanGetAttributNameValue(int32_t type, int32_t fieldNumber,
                                                        int32_t record, char* fieldName,
                                                        char** value) {
  if (fieldName == nullptr || value == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return tables::GetAttributNameValue(state(), type, fieldNumber, record, fieldName, value);
  });
}

ErrorCode ZanSearchAttribut(int32_t direction, char* name, char* key,
                                                  char* setIndexPath, char* definitionPath,
                                                  char* fieldName, AttributeRecord* attribute) {
  if (attribute == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return tables::SearchAttribut(state(), direction, name, key, setIndexPath, definitionPath,
                                  fieldName, attribute);
  });
}

ErrorCode ZanCreateFillUserTable(int32_t mode, int32_t fieldCount, char* data,
                                                       int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded(
      [&] { return tables::CreateFillUserTable(state(), mode, fieldCount, data, length); });
}

ErrorCode ZanWriteKonfiguration(int32_t mode, char* data, int32_t length,
                                                      char* path) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded([&] { return tables::WriteKonfiguration(state(), mode, data, length, path); });
}

ErrorCode ZanPrintTable(int32_t type, char* path) {
  return guarded([&] { return tables::PrintTable(state(), type, path); });
}

}  // namespace kelmod::api
