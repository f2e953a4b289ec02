#include "classification/class_readers.h"

#include <array>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "core/codes.h"

namespace kelmod::classification {

namespace {

std::string_view Text(const std::string& value) { return value; }
std::string_view Text(std::string_view value) { return value; }

// The number of texts a record type holds.
template <class Values>
struct CountOf;
template <class T, std::size_t N>
struct CountOf<std::array<T, N>> {
  static constexpr std::size_t value = N;
};
template <std::size_t N>
struct CountOf<PackedTexts<N>> {
  static constexpr std::size_t value = N;
};

// Copies the values of a record into the result strings in order. A string
// that cannot take its value is emptied and the copy stops there; the ones
// before it keep their new texts. false on that failure.
template <class Values, std::size_t N>
bool CopyValues(const Values& values, std::array<std::string, N>& results) {
  static_assert(CountOf<Values>::value == N);
  for (std::size_t i = 0; i < N; ++i) {
    try {
      results[i] = Text(values[i]);
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

// The common read of the three classification tables.
template <class Record, std::size_t N>
int32_t ReadRecord(const std::vector<Record>& table, int32_t record,
                   std::array<std::string, N>& results, char** values) {
  if (table.empty()) return kTableEmpty;
  const std::size_t index = record <= 1 ? 0 : static_cast<std::size_t>(record) - 1;
  if (index >= table.size()) return kNoSuchRecord;
  if (!CopyValues(table[index].values, results)) return kNoSuchRecord;
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
  if (!CopyValues(object.texts, s.objectResult)) return code::kNoMemory;
  HandOut(s.objectResult, values);
  return code::kOk;
}

}  // namespace kelmod::classification
