// Exports of the characteristic bars. Six of them serve both forms and look
// at the release family on every call: families 1 and 2 take the older form,
// every other family the form of the newer release.
#include "api/exports.h"
#include "api/guard.h"
#include "core/state.h"
#include "sml/sml_k4.h"
#include "sml/sml_older.h"

using namespace kelmod;

namespace kelmod::api {

ErrorCode ZanCreateSmlTable(int32_t mode, char* data, int32_t length) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    return sml::OlderForm(s) ? sml::CreateSmlTable(s, mode, data, length)
                             : sml::CreateSmlTableK4(s, mode, data, length);
  });
}

ErrorCode ZanFillSmlTable(int32_t mode, char* data, int32_t length) {
  return guarded([&] {
    State& s = state();
    return sml::OlderForm(s) ? sml::FillSmlTable(s, mode, data, length)
                             : sml::FillSmlTableK4(s, mode, data, length);
  });
}

ErrorCode ZanDeleteSmlSelection(void) {
  return guarded([&] {
    State& s = state();
    return sml::OlderForm(s) ? sml::DeleteSmlSelection(s) : sml::DeleteSmlSelectionK4(s);
  });
}

ErrorCode ZanGetSmlDescription(int32_t type, char** value) {
  if (value == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    return sml::OlderForm(s) ? sml::GetSmlDescription(s, type, value)
                             : sml::GetSmlDescriptionK4(s, type, value);
  });
}

ErrorCode ZanGetSmlData(int32_t type, int32_t position, int32_t valueNumber,
                                              CharacteristicData* data) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded([&] { return sml::GetSmlData(state(), type, position, valueNumber, data); });
}

ErrorCode ZanGetSmlAttributData(int32_t kind, char* key, int32_t valueNumber,
                                                      CharacteristicData* data) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded([&] { return sml::GetSmlAttributData(state(), kind, key, valueNumber, data); });
}

ErrorCode ZanWriteSmlValue(int32_t type, int32_t position, char* name,
                                                 int32_t code, char* text, int32_t valueNumber) {
  return guarded([&] {
    State& s = state();
    return sml::OlderForm(s)
               ? sml::WriteSmlValue(s, type, position, name, code, text, valueNumber)
               : sml::WriteSmlValueK4(s, type, position, name, code, text, valueNumber);
  });
}

ErrorCode ZanCreateSendstrSml(int32_t mode, char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    return sml::OlderForm(s) ? sml::CreateSendstrSml(s, mode, sendString)
                             : sml::CreateSendstrSmlK4(s, mode, sendString);
  });
}

ErrorCode ZanGetSmlDataK4(int32_t mode, int32_t position, int32_t number,
                                                SmlCharacteristicData* data) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded([&] { return sml::GetSmlDataK4(state(), mode, position, number, data); });
}

ErrorCode ZanGetSmlAttributDataK4(int32_t kind, char* key,
                                                        int32_t valueNumber,
                                                        SmlCharacteristicData* data) {
  if (data == nullptr) return code::kMissingArgument;
  return guarded(
      [&] { return sml::GetSmlAttributDataK4(state(), kind, key, valueNumber, data); });
}

ErrorCode ZanGetSmlDataValueK4(int32_t mode, char* name, int32_t index,
                                                     int32_t objectNumber, int32_t valueNumber,
                                                     char** value) {
  if (value == nullptr) return code::kMissingArgument;
  return guarded([&] {
    return sml::GetSmlDataValueK4(state(), mode, name, index, objectNumber, valueNumber, value);
  });
}

ErrorCode ZanGetSmlValueDescriptionK4(int32_t mode, int32_t objectNumber,
                                                            char* name, int32_t* count) {
  if (count == nullptr) return code::kMissingArgument;
  return guarded(
      [&] { return sml::GetSmlValueDescriptionK4(state(), mode, objectNumber, name, count); });
}

ErrorCode ZanCreateFillPosSmlValueTableK4(int32_t mode, char* data,
                                                                int32_t length) {
  return guarded([&] { return sml::CreateFillPosSmlValueTableK4(state(), mode, data, length); });
}

ErrorCode ZanCreateSendstrPosSmlValuesK4(int32_t mode, char** sendString) {
  if (sendString == nullptr) return code::kMissingArgument;
  return guarded([&] { return sml::CreateSendstrPosSmlValuesK4(state(), mode, sendString); });
}

}  // namespace kelmod::api
