#include "core/state.h"

#include <cstdlib>

namespace kelmod {

State& state() {
  static State instance;
  return instance;
}

namespace {

void ReleaseTables(State& s) {
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

void StartToolbox(State& s) {
  // Start-up empties everything. Tables still held from an earlier run are
  // freed rather than dropped so that a host calling it twice leaks nothing.
  ReleaseTables(s);
  s.iface = InterfaceValues{};
}

void ReleaseToolbox(State& s) { ReleaseTables(s); }

const std::string& MessageFilePath(State& s) {
  return ChoosePath(s.messagePath, "KELMMES", "./kelmmes.dat");
}

const std::string& TableIndexFilePath(State& s) {
  return ChoosePath(s.tableIndexPath, "KELMDAT", "./kelmtab.dat");
}

}  // namespace kelmod
