// Exports of the mail family.
#include "api/exports.h"
#include "api/guard.h"
#include "core/state.h"
#include "mail/mail.h"

using namespace kelmod;

namespace kelmod::api {

ErrorCode ZanCreateMailTable(int32_t mailType, char* data, int32_t length) {
  return guarded([&] { return mail::CreateMailTable(state(), mailType, data, length); });
}

ErrorCode ZanDescribeMailTable(int32_t mailType, char** count) {
  if (count == nullptr) return code::kMissingArgument;
  return guarded([&] { return mail::DescribeMailTable(state(), mailType, count); });
}

ErrorCode ZanGetMailData(int32_t mailType, int32_t position,
                                               char* fieldName, int32_t valueNumber,
                                               char** value) {
  if (fieldName == nullptr || value == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return mail::GetMailData(state(), mailType, position, fieldName, valueNumber, value);
  });
}

ErrorCode ZanWriteMailValue(int32_t mailType, int32_t position,
                                                  char* fieldName, int32_t valueNumber,
                                                  char* value) {
  if (fieldName == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return mail::WriteMailValue(state(), mailType, position, fieldName, valueNumber, value);
  });
}

ErrorCode ZanCreateSendstrMail(int32_t mode, int32_t mail, char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] { return mail::CreateSendstrMail(state(), mode, mail, sendString); });
}

}  // namespace kelmod::api
