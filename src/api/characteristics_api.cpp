// Exports of the characteristic value lists: help tables, matchcode tables
// and the help and message requests.
#include "api/exports.h"
#include "api/guard.h"
#include "characteristics/help_tables.h"
#include "characteristics/matchcode.h"
#include "characteristics/requests.h"
#include "core/state.h"

using namespace kelmod;

namespace kelmod::api {

ErrorCode ZanCreateHlpTable(int32_t mode, char* data, int32_t length) {
  return guarded([&] { return help::CreateHlpTable(state(), mode, data, length); });
}

ErrorCode ZanFillHlpTable(int32_t mode, char* data, int32_t length) {
  return guarded([&] { return help::FillHlpTable(state(), mode, data, length); });
}

ErrorCode ZanGetHlpData(int32_t mode, int32_t column, int32_t line,
                                              CharacteristicData* data) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded([&] { return help::GetHlpData(state(), mode, column, line, data); });
}

ErrorCode ZanGetHlpDescription(int32_t mode, char** value) {
  if (value == nullptr) return code::kMissingArgument;
  return guarded([&] { return help::GetHlpDescription(state(), mode, value); });
}

ErrorCode ZanFindHelpTable(char* name, char* key, char* fieldName,
                                                 char* setIndexPath, char* definitionPathU,
                                                 char* definitionPathD, char* direction) {
  if (direction == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return help::FindHelpTable(state(), name, key, fieldName, setIndexPath, definitionPathU,
                               definitionPathD, direction);
  });
}

ErrorCode ZanCreateFillTableMcd(int32_t mode, char* data, int32_t length) {
  return guarded([&] { return matchcode::CreateFillTableMcd(state(), mode, data, length); });
}

ErrorCode ZanCreateSendstrMcd(int32_t mode, char* reserved1,
                                                    char* reserved2, char** sendString) {
  if (reserved1 == nullptr || reserved2 == nullptr || sendString == nullptr)
    return code::kMissingArgument;
  return guarded([&] { return matchcode::CreateSendstrMcd(state(), mode, sendString); });
}

ErrorCode ZanGetMcdValue(char* attribute, int32_t record, char** value) {
  if (attribute == nullptr || value == nullptr) return code::kMissingArgument;
  return guarded([&] { return matchcode::GetMcdValue(state(), attribute, record, value); });
}

ErrorCode ZanGetMcdDescription(int32_t mode, char** count) {
  if (count == nullptr) return code::kMissingArgument;
  return guarded([&] { return matchcode::GetMcdDescription(state(), mode, count); });
}

ErrorCode ZanWriteMcdValue(int32_t mode, int32_t record, char* value) {
  return guarded([&] { return matchcode::WriteMcdValue(state(), mode, record, value); });
}

ErrorCode ZanCreateSendstrHelp(char* part1, char* part2, char* part3,
                                                     char* part4, char** sendString) {
  if (part1 == nullptr || part2 == nullptr || part3 == nullptr || part4 == nullptr ||
      sendString == nullptr)
    return code::kMissingArgument;
  return guarded([&] {
    return requests::CreateSendstrHelp(state(), part1, part2, part3, part4, sendString);
  });
}

ErrorCode ZanCreateSendstrMessageK4(char* message, int32_t length,
                                                          char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return requests::CreateSendstrMessageK4(state(), message, length, sendString);
  });
}

}  // namespace kelmod::api
