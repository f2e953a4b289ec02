// Exports of the mail family.
#include "api/guard.h"
#include "core/state.h"
#include "mail/mail.h"

using namespace kelmod;

extern "C" KELMOD_API ErrorCode ZanCreateMailTable(int32_t mailType, char* data, int32_t length) {
  return guarded([&] { return mail::CreateMailTable(state(), mailType, data, length); });
}

extern "C" KELMOD_API ErrorCode ZanDescribeMailTable(int32_t mailType, char** count) {
  if (count == nullptr) return code::kMissingArgument;
  return guarded([&] { return mail::DescribeMailTable(state(), mailType, count); });
}

extern "C" KELMOD_API ErrorCode ZanGetMailData(int32_t mailType, int32_t position,
                                               char* fieldName, int32_t valueNumber,
                                               char** value) {
  if (fieldName == nullptr || value == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return mail::GetMailData(state(), mailType, position, fieldName, valueNumber, value);
  });
}

extern "C" KELMOD_API ErrorCode ZanWriteMailValue(int32_t mailType, int32_t position,
                                                  char* fieldName, int32_t valueNumber,
                                                  char* value) {
  if (fieldName == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return mail::WriteMailValue(state(), mailType, position, fieldName, valueNumber, value);
  });
}

extern "C" KELMOD_API ErrorCode ZanCreateSendstrMail(int32_t mode, int32_t mail, char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] { return mail::CreateSendstrMail(state(), mode, mail, sendString); });
}
