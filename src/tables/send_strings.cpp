#include "tables/send_strings.h"

#include <algorithm>
#include <cstring>

#include "core/codes.h"

namespace kelmod::tables {

namespace {
constexpr std::size_t kValueCapacity = 256;
}

void BuildSendString(const FieldList& list, std::string& out) {
  std::size_t width = 0;
  for (const FieldDefinition& field : list) width += static_cast<std::size_t>(field.length);
  const int32_t records = RecordCount(list);

  // Built in place so that the buffer's memory is reused from one send
  // string to the next: the buffer takes its final length at once (bytes
  // it held already are not cleared first) and every byte is then written
  // exactly once.
  std::string& result = out;
  const std::size_t total = width * static_cast<std::size_t>(records);
  if (total + 1 > result.capacity()) {
    result.clear();
    result.reserve(total + 1);
  }
  result.resize(total);
  char* cursor = result.data();
  for (int32_t r = 1; r <= records; ++r) {
    const std::size_t index = static_cast<std::size_t>(r) - 1;
    for (const FieldDefinition& field : list) {
      const std::size_t fieldWidth = static_cast<std::size_t>(field.length);
      std::size_t kept = 0;
      if (index < field.values.size()) {
        const std::string_view text = field.values.text(index);
        kept = std::min(text.size(), std::min(kValueCapacity - 1, fieldWidth));
        if (kept > 0) std::memcpy(cursor, text.data(), kept);
      }
      std::memset(cursor + kept, ' ', fieldWidth - kept);
      cursor += fieldWidth;
    }
  }
}

int32_t CreateSendString(State& s) {
  if (s.sendTable.empty()) return code::kSendTableEmpty;
  BuildSendString(s.sendTable, s.sendBuffer);
  return code::kOk;
}

int32_t CreateBomHeadSendString(State& s, int32_t type) {
  const FieldList* list = type == 7 ? &s.table7 : type == 8 ? &s.table8 : nullptr;
  if (list == nullptr) return code::kNoMemory;
  if (list->empty()) return code::kSendTableEmpty;
  BuildSendString(*list, s.sendBuffer);
  return code::kOk;
}

}  // namespace kelmod::tables
