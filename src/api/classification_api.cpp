// Exports of the classification family of the newer release: class tables,
// class hierarchy, class requests and the record readers.
#include "api/exports.h"
#include "api/guard.h"
#include "classification/class_readers.h"
#include "classification/class_requests.h"
#include "classification/class_tables.h"
#include "core/state.h"

using namespace kelmod;

namespace kelmod::api {

ErrorCode ZanCreateFillClasTableK4(int32_t mode, char* data, int32_t length,
                                                         int32_t* count) {
  // Every failure of a class fill, running out of memory included, is 80.
  const ErrorCode rc = guarded(
      [&] { return classification::CreateFillClasTableK4(state(), mode, data, length, count); });
  return rc == code::kNoMemory ? classification::kFillRefused : rc;
}

ErrorCode ZanCreateFillClasHierarchTableK4(int32_t mode, char* data,
                                                                 int32_t length, int32_t* count) {
  const ErrorCode rc = guarded([&] {
    return classification::CreateFillClasHierarchTableK4(state(), mode, data, length, count);
  });
  return rc == code::kNoMemory ? classification::kFillRefused : rc;
}

ErrorCode ZanCreateSendstrClasK4(char* v1, char* v2, char* v3, char* v4,
                                                       char* v5, char* v6, char* v7, char* v8,
                                                       char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return classification::BuildClassRequest(state(), {v1, v2, v3, v4, v5, v6, v7, v8},
                                             sendString);
  });
}

ErrorCode ZanCreateSendstrClasScopeK4(char* v1, char* v2, char* v3,
                                                            char* v4, char* v5, char* v6,
                                                            char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return classification::BuildClassRequest(state(), {v1, v2, v3, v4, v5, v6}, sendString);
  });
}

ErrorCode ZanCreateSendstrClasSearchK4(int32_t mode, char* v1, char* v2,
                                                             char* v3, char* v4, char* v5,
                                                             char* v6, char* v7,
                                                             char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return classification::CreateSendstrClasSearchK4(state(), mode, v1, v2, v3, v4, v5, v6, v7,
                                                     sendString);
  });
}

ErrorCode ZanCreateSendstrClasSelectK4(char* v1, char* v2, char* v3,
                                                             char* v4, char* v5, char* v6,
                                                             char* v7, char* v8, char* v9,
                                                             char* v10, char* v11,
                                                             char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return classification::BuildClassRequest(
        state(), {v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11}, sendString);
  });
}

ErrorCode ZanCreateSendstrClasSelScopeK4(char* v1, char* v2, char* v3,
                                                               char* v4, char* v5, char* v6,
                                                               char* v7, char* v8,
                                                               char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return classification::BuildClassRequest(state(), {v1, v2, v3, v4, v5, v6, v7, v8},
                                             sendString);
  });
}

ErrorCode ZanGetClasDataK4(int32_t mode, int32_t record, char** values) {
  if (values == nullptr) return code::kMissingArgument;
  return guarded([&] { return classification::GetClasDataK4(state(), mode, record, values); });
}

ErrorCode ZanGetClasHierarchDataK4(int32_t mode, int32_t record,
                                                         char** values) {
  if (values == nullptr) return code::kMissingArgument;
  return guarded(
      [&] { return classification::GetClasHierarchDataK4(state(), mode, record, values); });
}

ErrorCode ZanGetClasSearchDataK4(int32_t mode, int32_t record,
                                                       char** values) {
  if (values == nullptr) return code::kMissingArgument;
  return guarded(
      [&] { return classification::GetClasSearchDataK4(state(), mode, record, values); });
}

ErrorCode ZanGetObjectDataK4(int32_t mode, int32_t record, char** values) {
  if (values == nullptr) return code::kMissingArgument;
  return guarded([&] { return classification::GetObjectDataK4(state(), mode, record, values); });
}

}  // namespace kelmod::api
