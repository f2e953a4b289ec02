#include "characteristics/requests.h"

#include "core/codes.h"
#include "core/text.h"

namespace kelmod::requests {

namespace {
constexpr int32_t kMessageRefused = 82;
}

void AppendSeparator(std::string& out, char separator) {
  if (separator != '\0') out += separator;
}

int32_t CreateSendstrHelp(State& s, const char* p1, const char* p2, const char* p3,
                          const char* p4, char** sendString) {
  std::string request;
  for (const char* part : {p1, p2, p3, p4}) {
    request += part;
    AppendSeparator(request, s.iface.separator);
  }
  s.sendBuffer = std::move(request);
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

int32_t CreateSendstrMessageK4(State& s, const char* message, int32_t length, char** sendString) {
  *sendString = nullptr;
  if (message == nullptr || length < 1) return kMessageRefused;
  const std::string_view text(message);
  const std::string area = SubField(text, 2, 2);
  const std::string number = SubField(text, 4, 3);
  if (area.empty() || number.empty()) return kMessageRefused;
  std::string request = area;
  AppendSeparator(request, s.iface.separator);
  request += number;
  AppendSeparator(request, s.iface.separator);
  s.sendBuffer = std::move(request);
  *sendString = s.sendBuffer.data();
  return code::kOk;
}

}  // namespace kelmod::requests
