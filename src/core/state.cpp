#include "core/state.h"

#include <cstdlib>

namespace kelmod {

namespace {

// Frees every table. With `owners` set each table is released the way its
// own family releases it: the class tables and the characteristic bar of
// the newer release clear the header values when they held records.
// Empties a table and gives its memory back.
template <class Table>
void Release(Table& table) {
  Table().swap(table);
}

void ReleaseTables(State& s, bool owners) {
  s.current = nullptr;
  s.sendTable = FieldList{};
  s.table2 = FieldList{};
  s.table34 = FieldList{};
  s.table5 = FieldList{};
  s.table7 = FieldList{};
  s.table8 = FieldList{};
  s.userTable = FieldList{};
  s.helpTable = CharacteristicList{};
  s.matchcodeTable = CharacteristicList{};
  s.smlTable = CharacteristicList{};
  // Moved out and destroyed: an assignment from an empty list would keep
  // the text block (a string keeps its buffer when given a short one).
  { const ValueList released = std::move(s.smlObjectValues); }
  s.smlObjectValues = ValueList{};
  for (auto& mail : s.mailTables) mail = CharacteristicList{};
  if (owners && (!s.smlK4Table.empty() || !s.classTable1.empty() || !s.classTable2.empty()))
    ClearHeaderValues(s);
  s.smlK4Table = SmlK4Table{};
  // Swapped with empty ones, not cleared: clearing would keep their buffers.
  Release(s.objectTable);
  Release(s.positionValues);
  Release(s.classTable1);
  Release(s.classTable2);
  Release(s.classSearchTable);
  Release(s.classHierarchy);
  for (auto& text : s.smlHeader) text.reset();
  s.messagePath.reset();
  s.tableIndexPath.reset();
}

const std::string& ChoosePath(std::optional<std::string>& path, const char* variable,
                              const char* fallback) {
  if (!path) {
    const char* env = std::getenv(variable);
    path.emplace(env != nullptr ? env : fallback);
  }
  return *path;
}

}  // namespace

void ClearHeaderValues(State& s) {
  for (int i = 0; i < 5; ++i) HeaderValue(s, i).reset();
}

void StartToolbox(State& s) {
  // Start-up empties every table, the header texts of the older
  // characteristic bar, the paths and the interface values; the other four
  // header values of the newer release are left as they are. Tables still
  // held from an earlier run are freed, so that calling it twice leaks
  // nothing.
  ReleaseTables(s, false);
  s.iface = InterfaceValues{};
}

void ReleaseToolbox(State& s) { ReleaseTables(s, true); }

const std::string& MessageFilePath(State& s) {
  return ChoosePath(s.messagePath, "KELMMES", "./kelmmes.dat");
}

const std::string& TableIndexFilePath(State& s) {
  return ChoosePath(s.tableIndexPath, "KELMDAT", "./kelmtab.dat");
}

}  // namespace kelmod
