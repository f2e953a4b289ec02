// Exports of the toolbox core: lifecycle, configuration, version, messages
// and the interface record.
#include <cstring>

#include "api/exports.h"
#include "api/guard.h"
#include "core/interface.h"
#include "core/messages.h"
#include "core/state.h"

using namespace kelmod;

namespace {

char kVersion[] = "3.1G";

// Writes a text into a fixed member of a caller's record: at most size-1
// bytes, NUL-terminated, the rest of the member zeroed.
void PutText(char* member, std::size_t size, const std::string& text) {
  const std::size_t n = text.size() < size ? text.size() : size - 1;
  std::memcpy(member, text.data(), n);
  std::memset(member + n, 0, size - n);
}

}  // namespace

namespace kelmod::api {

ErrorCode ZanInitToolbox(int32_t mode) {
  return guarded([&] {
    switch (mode) {
      case 1: StartToolbox(state()); return code::kOk;
      case 2: ReleaseToolbox(state()); return code::kOk;
      default: return code::kUnsupported;
    }
  });
}

ErrorCode ZanConfigureToolbox(int32_t mode, char* path) {
  if (path == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    switch (mode) {
      case 1: s.messagePath.emplace(path); return code::kOk;
      case 2: s.tableIndexPath.emplace(path); return code::kOk;
      default: return code::kUnsupported;
    }
  });
}

ErrorCode ZanToolboxVersion(char** version) {
  if (version == nullptr) return code::kMissingArgument;
  *version = kVersion;
  return code::kOk;
}

ErrorCode ZanGetErrorMessage(int32_t code, MessageRecord* message) {
  if (message == nullptr) return code::kMissingArgument;
  return guarded([&] {
    const MessageText text = LookUpMessage(state(), code);
    std::memcpy(&message->code, &code, sizeof code);
    message->type[0] = text.type;
    message->type[1] = '\0';
    message->type[2] = '\0';
    PutText(message->shortText, sizeof message->shortText, text.shortText);
    PutText(message->longText, sizeof message->longText, text.longText);
    return code::kOk;
  });
}

ErrorCode ZanFillInterface(char* record, int32_t length) {
  if (record == nullptr || length < 1) return code::kMissingArgument;
  return guarded([&] {
    StoreInterface(state(), record);
    return code::kOk;
  });
}

ErrorCode ZanDescribeInterface(int32_t mode, char** value) {
  if (value == nullptr) return code::kMissingArgument;
  return guarded([&] {
    State& s = state();
    std::string text;
    if (!InterfaceValue(s, mode, text)) return code::kUnsupported;
    s.sendBuffer = std::move(text);
    *value = s.sendBuffer.data();
    return code::kOk;
  });
}

}  // namespace kelmod::api
