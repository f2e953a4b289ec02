#include "classification/class_requests.h"

#include <new>
#include <string>

#include "core/codes.h"

namespace kelmod::classification {

int32_t BuildClassRequest(State& s, std::initializer_list<const char*> values,
                          char** sendString) {
  std::size_t size = 1;
  for (const char* value : values) {
    if (value == nullptr) return code::kMissingArgument;
    size += std::char_traits<char>::length(value) + 1;
  }
  const char separator = s.iface.separator;
  try {
    std::string request;
    request.reserve(size);
    for (const char* value : values) {
      request += value;
      if (separator != '\0') request += separator;
    }
    s.sendBuffer = std::move(request);
  } catch (const std::bad_alloc&) {
    std::string().swap(s.sendBuffer);
    return code::kNoMemory;
  }
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

int32_t CreateSendstrClasSearchK4(State& s, int32_t mode, const char* v1, const char* v2,
                                  const char* v3, const char* v4, const char* v5,
                                  const char* v6, const char* v7, char** sendString) {
  switch (mode) {
    case 1: return BuildClassRequest(s, {v1, v2, v3, v4, v5}, sendString);
    case 2: return BuildClassRequest(s, {v1, v2, v3, v4}, sendString);
    case 3: return BuildClassRequest(s, {v1, v2, v3, v4, v6, v7}, sendString);
    default: return code::kUnsupported;
  }
}

}  // namespace kelmod::classification
