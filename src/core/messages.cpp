#include "core/messages.h"

#include "core/lines.h"
#include "core/text.h"

namespace kelmod {

namespace {
constexpr std::size_t kShortTextMax = 26;
constexpr std::size_t kLongTextMax = 221;
}  // namespace

std::string DefaultLongText(int32_t code) {
  const std::string digits = IntToDecimal(code);
  std::string text = "TB000";
  if (digits.size() <= 3) {
    text.replace(text.size() - digits.size(), digits.size(), digits);
  } else {
    text = "TB" + digits;
  }
  return text + " Error in toolbox";
}

MessageText LookUpMessage(State& s, int32_t code) {
  MessageText message;
  message.longText = DefaultLongText(code);
  LineReader reader(MessageFilePath(s).c_str(), trace::FileKind::kMessages);
  // Columns 3-5 hold digits only: a negative code, or one of more than three
  // digits, has no line and keeps the defaults.
  const bool fitsColumns = code >= 0 && code <= 999;
  std::string line;
  while (fitsColumns && reader.next(line)) {
    if (line.empty() || line[0] != 'E') continue;
    if (LeadingNumber(SubField(line, 3, 3), false) != code) continue;
    const std::string type = SubField(line, 7, 1);
    message.type = type.empty() ? '\0' : type[0];
    message.shortText = SubField(line, 9, static_cast<int32_t>(kShortTextMax));
    TrimBlanks(message.shortText);
    message.longText = SubField(line, 36, static_cast<int32_t>(kLongTextMax));
    break;
  }
  return message;
}

}  // namespace kelmod
