#include "tables/description_files.h"

#include "core/codes.h"
#include "core/lines.h"
#include "core/text.h"

namespace kelmod {

namespace {

bool IsComment(const std::string& line) { return !line.empty() && line[0] == '*'; }

AttributeLine SplitDefinition(const std::string& line) {
  AttributeLine a;
  a.setName = SubField(line, 3, 7);
  a.fieldName = SubField(line, 11, 11);
  TrimBlanks(a.fieldName);
  a.length = SubField(line, 30, 3);
  a.description = SubField(line, 33, 40);
  return a;
}

// Calls visit(line) for every definition line that belongs to the set, in
// file order, until visit returns false. Returns false when the file cannot
// be opened.
template <class Visit>
bool ForEachDefinition(const char* path, const std::string& setName, Visit visit) {
  LineReader reader(path, trace::FileKind::kFields);
  if (!reader.isOpen()) return false;
  std::string line;
  while (reader.next(line)) {
    if (line.empty() || IsComment(line)) continue;
    const std::string set = SubField(line, 3, 7);
    if (set.empty()) continue;
    if (!setName.empty() && set != setName) continue;
    if (!visit(line)) break;
  }
  return true;
}

}  // namespace

int32_t ReadSetName(const char* path, const char* name, const char* key, const char* direction,
                    std::string& setName) {
  if (path == nullptr || name == nullptr || key == nullptr || direction == nullptr)
    return code::kListMissing;
  LineReader reader(path, trace::FileKind::kSets);
  if (!reader.isOpen()) return code::kListBeyondEnd;
  std::string line;
  while (reader.next(line)) {
    if (IsComment(line)) continue;
    if (SubField(line, 3, 5) == name && SubField(line, 10, 2) == key &&
        SubField(line, 14, 1) == direction) {
      setName = SubField(line, 17, 7);
      return code::kOk;
    }
  }
  return code::kListMissing;
}

int32_t ReadFieldDefinition(const char* path, const std::string& setName, int32_t n,
                            AttributeLine& out) {
  if (path == nullptr) return code::kListMissing;
  int32_t seen = 0;
  bool found = false;
  const bool opened = ForEachDefinition(path, setName, [&](const std::string& line) {
    if (++seen < n) return true;
    out = SplitDefinition(line);
    found = true;
    return false;
  });
  if (!opened) return code::kListMissing;
  return found ? code::kOk : code::kListBeyondEnd;
}

int32_t FindFieldDefinition(const char* path, const std::string& setName, const char* fieldName,
                            AttributeLine& out) {
  if (path == nullptr || fieldName == nullptr) return code::kListMissing;
  bool found = false;
  const bool opened = ForEachDefinition(path, setName, [&](const std::string& line) {
    AttributeLine candidate = SplitDefinition(line);
    if (candidate.fieldName != fieldName) return true;
    out = std::move(candidate);
    found = true;
    return false;
  });
  if (!opened) return code::kListMissing;
  return found ? code::kOk : code::kListBeyondEnd;
}

int32_t ReadFieldDefinitions(const char* path, const std::string& setName, FieldList& list) {
  if (path == nullptr) return code::kListMissing;
  ForEachDefinition(path, setName, [&](const std::string& line) {
    list.push_back(FieldFromLine(SplitDefinition(line)));
    return true;
  });
  return code::kOk;
}

int32_t ReadIndexTable(const std::string& path, const char* direction, const char* name,
                       const char* key, FieldList& list) {
  if (direction == nullptr || name == nullptr || key == nullptr) return code::kListMissing;
  LineReader reader(path.c_str(), trace::FileKind::kIndex);
  if (!reader.isOpen()) return code::kListBeyondEnd;
  std::string line;
  while (reader.next(line)) {
    if (SubField(line, 1, 1) != direction) continue;
    std::string lineName = SubField(line, 7, 5);
    std::string lineKey = SubField(line, 13, 2);
    TrimBlanks(lineName);
    TrimBlanks(lineKey);
    if (lineName != name || lineKey != key) continue;
    FieldDefinition field;
    field.setName = SubField(line, 16, 7);
    TrimBlanks(field.setName);
    field.fieldName = SubField(line, 24, 10);
    TrimBlanks(field.fieldName);
    field.length = LeadingNumber(SubField(line, 35, 3), false);
    list.push_back(std::move(field));
  }
  return code::kOk;
}

FieldDefinition FieldFromLine(AttributeLine line) {
  FieldDefinition field;
  TrimTrailingBlanks(line.setName);
  TrimTrailingBlanks(line.fieldName);
  TrimTrailingBlanks(line.description);
  field.setName = std::move(line.setName);
  field.fieldName = std::move(line.fieldName);
  field.length = LeadingNumber(line.length, false);
  field.description = std::move(line.description);
  return field;
}

}  // namespace kelmod
