#include "core/records.h"

#include "core/codes.h"
#include "core/text.h"

namespace kelmod {

void PutValue(std::vector<FieldValue>& values, std::string text, int32_t position) {
  TrimTrailingBlanks(text);
  const std::size_t count = values.size();
  if (position >= 1 && static_cast<std::size_t>(position) <= count) {
    FieldValue& v = values[static_cast<std::size_t>(position) - 1];
    v.text = std::move(text);
    v.number = position;
    return;
  }
  if (position > 0) {
    // Empty values fill the gap up to position-1; one allocation for all.
    values.reserve(static_cast<std::size_t>(position));
    for (std::size_t n = count + 1; n < static_cast<std::size_t>(position); ++n)
      values.push_back(FieldValue{static_cast<int32_t>(n), {}});
  }
  values.push_back(FieldValue{static_cast<int32_t>(values.size() + 1), std::move(text)});
}

int32_t ValueAt(std::string& out, std::size_t capacity, const std::vector<FieldValue>& values,
                int32_t n) {
  out.clear();
  if (values.empty()) return code::kListMissing;
  if (n < 1 || static_cast<std::size_t>(n) > values.size()) return code::kListBeyondEnd;
  const std::string& text = values[static_cast<std::size_t>(n) - 1].text;
  out.assign(text, 0, capacity > 0 ? capacity - 1 : 0);
  return code::kOk;
}

int32_t RecordCount(const FieldList& list) {
  for (const FieldDefinition& field : list)
    if (!field.values.empty()) return static_cast<int32_t>(field.values.size());
  return 0;
}

}  // namespace kelmod
