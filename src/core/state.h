// The one module-wide state of the toolbox. Every export works on it; there
// are no handles. Tables are owned here and live until they are created again
// or released by ZanInitToolbox(2).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/records.h"

namespace kelmod {

// Values taken from the interface record, stored as they stand.
struct InterfaceValues {
  std::string release;   // columns 1-4
  std::string flag5;     // column 5
  std::string flag6;     // column 6
  char separator = '\0'; // column 7: ends every separator-terminated value
  std::string flag8;     // column 8
  std::string text;      // columns 9-18
};

struct State {
  // Record tables, one list per table type group.
  FieldList sendTable;  // types 1 and 6, direction "U"
  FieldList table2;     // type 2, "D"
  FieldList table34;    // types 3 and 4, "D"
  FieldList table5;     // type 5, "D"
  FieldList table7;     // type 7, "U"
  FieldList table8;     // type 8, "U"
  FieldList userTable;  // type 10
  // The list most recently built by a create; refers to a list, not an owner.
  FieldList* current = nullptr;

  // Characteristic lists.
  CharacteristicList helpTable;
  CharacteristicList matchcodeTable;
  CharacteristicList smlTable;  // characteristic bar of the older form
  // The value memory of the object characteristic that a fill of objects
  // put in front of the characteristic bar, kept when the bar is created
  // again for the next such fill.
  ValueList smlObjectValues;
  // Header texts of the older characteristic-bar string; releasing the help
  // table or the characteristic bar clears them.
  std::array<std::optional<std::string>, 5> smlHeader;
  // Last characteristic handed out by the help and characteristic-bar reads.
  CharacteristicResult characteristicResult;
  // The six mail tables, mail types 1 to 6.
  std::array<CharacteristicList, 6> mailTables;

  // Characteristic bar of the newer release with its objects.
  SmlK4Table smlK4Table;
  std::vector<SmlObject> objectTable;
  std::vector<SmlValueEntry> positionValues;
  // Texts the characteristic reads of the newer release hand out: one per
  // text member of SmlCharacteristicData in its order, then the value.
  std::array<std::string, 33> smlK4Result;

  // Classification of the newer release.
  std::vector<ClassEntry> classTable1;
  std::vector<ClassEntry> classTable2;
  FlatRecords classSearchTable;  // 22 or 3 values a record
  FlatRecords classHierarchy;    // 6 values a record
  // The head of the last class or characteristic-bar string of the newer
  // release. Its second text is the first header text of the older
  // characteristic bar (smlHeader[0]); use HeaderValue() to reach all five.
  std::array<std::optional<std::string>, 5> headerValues;
  // Result strings of the four record readers.
  std::array<std::string, 5> classResult;
  std::array<std::string, 6> hierarchyResult;
  std::array<std::string, 22> searchResult;
  std::array<std::string, 14> objectResult;

  InterfaceValues iface;
  // Selects the older or newer form of the release-dependent exchanges.
  // Derived from the release text; survives ZanInitToolbox.
  int32_t releaseFamily = 0;

  // Chosen on first use and kept until released.
  std::optional<std::string> messagePath;
  std::optional<std::string> tableIndexPath;

  // Result buffers handed to the host.
  std::string sendBuffer;
  std::string valueBuffer;
};

// The module's one state, made at its first use. Inline, as every call of
// every export asks for it.
inline State& state() {
  static State instance;
  return instance;
}

// Header value i (0 to 4) of the newer release; the second one is the same
// text as the first header text of the older characteristic bar.
inline std::optional<std::string>& HeaderValue(State& s, int i) {
  return i == 1 ? s.smlHeader[0] : s.headerValues[static_cast<std::size_t>(i)];
}

// Clears the five header values.
void ClearHeaderValues(State& s);

// Start-up (ZanInitToolbox mode 1): every table, path and interface value
// becomes empty; the release family stays.
void StartToolbox(State& s);
// Release (ZanInitToolbox mode 2): every table and both paths are freed;
// interface values, release family and result buffers stay.
void ReleaseToolbox(State& s);

// The message file path: configured, else $KELMMES, else "./kelmmes.dat".
const std::string& MessageFilePath(State& s);
// The table index file path: configured, else $KELMDAT, else "./kelmtab.dat".
const std::string& TableIndexFilePath(State& s);

}  // namespace kelmod
