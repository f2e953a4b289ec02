#include "classification/class_readers.h"

#include <array>
#include <new>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/codes.h"

namespace kelmod::classification {

namespace {

// Copies the values at(0) to at(N-1) of a record into the result strings in
// order. A string that cannot take its value is emptied and the copy stops
// there; the ones before it keep their new texts. false on that failure.
template <std::size_t N, class At>
bool CopyValues(At at, std::array<std::string, N>& results) {
  for (std::size_t i = 0; i < N; ++i) {
    try {
      results[i] = at(i);
    } catch (const std::bad_alloc&) {
      std::string().swap(results[i]);
      return false;
    }
  }
  return true;
}

template <std::size_t N>
void HandOut(std::array<std::string, N>& results, char** values) {
  for (std::size_t i = 0; i < N; ++i) values[i] = results[i].data();
}

// Each result array has a string for every text of its record type (a
// class search record of the short form reads its other 19 as empty).
static_assert(std::tuple_size_v<decltype(ClassEntry::values)> ==
              std::tuple_size_v<decltype(State::classResult)>);
static_assert(SmlObject::kTexts == std::tuple_size_v<decltype(State::objectResult)>);

// Value i of record k of a table.
std::string_view ValueOf(const std::vector<ClassEntry>& table, std::size_t k, std::size_t i) {
  return table[k].values[i];
}
std::string_view ValueOf(const FlatRecords& table, std::size_t k, std::size_t i) {
  return table.value(k, i);
}

// The common read of the three classification tables.
template <class Table, std::size_t N>
int32_t ReadRecord(const Table& table, int32_t record, std::array<std::string, N>& results,
                   char** values) {
  if (table.empty()) return kTableEmpty;
  const std::size_t index = record <= 1 ? 0 : static_cast<std::size_t>(record) - 1;
  if (index >= table.size()) return kNoSuchRecord;
  if (!CopyValues([&](std::size_t i) { return ValueOf(table, index, i); }, results))
    return kNoSuchRecord;
  HandOut(results, values);
  return code::kOk;
}

}  // namespace

int32_t GetClasDataK4(State& s, int32_t mode, int32_t record, char** values) {
  if (mode == 1) return ReadRecord(s.classTable1, record, s.classResult, values);
  if (mode == 2) return ReadRecord(s.classTable2, record, s.classResult, values);
  return code::kUnsupported;
}

int32_t GetClasHierarchDataK4(State& s, int32_t mode, int32_t record, char** values) {
  if (mode != 1) return code::kUnsupported;
  return ReadRecord(s.classHierarchy, record, s.hierarchyResult, values);
}

int32_t GetClasSearchDataK4(State& s, int32_t mode, int32_t record, char** values) {
  if (mode != 1) return code::kUnsupported;
  return ReadRecord(s.classSearchTable, record, s.searchResult, values);
}

int32_t GetObjectDataK4(State& s, int32_t mode, int32_t record, char** values) {
  if (mode != 1) return code::kUnsupported;
  if (s.objectTable.empty()) return kNoObjects;
  if (record < 1 || static_cast<std::size_t>(record) > s.objectTable.size()) return kNoSuchObject;
  const SmlObject& object = s.objectTable[static_cast<std::size_t>(record) - 1];
  if (!CopyValues([&](std::size_t i) -> const std::string& { return object.texts[i]; },
                  s.objectResult))
    return code::kNoMemory;
  HandOut(s.objectResult, values);
  return code::kOk;
}

}  // namespace kelmod::classification
