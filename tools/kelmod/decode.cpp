// kelmod decode FAMILY: fills a received string into its family's table with
// the export a host calls, reads the table back through the read exports only
// and prints it with PrintTable.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cli.h"

namespace kelmod_cli {
namespace {

struct Options {
  std::string family;
  std::string input = "-";
  std::string values;  // the second string of a two-string exchange
  std::string interface = "46C   ;";
  Format format = Format::kText;
  int32_t type = 2;  // the answer table, which received data strings fill
  std::string name;
  std::string key;
  std::string sets;
  std::string fields;
  std::string index;
  int32_t mode = 1;
  int32_t mailType = 1;
};

// The options that only some families take, for the check that a family
// is given none of another family's options.
struct FamilyOptions {
  CLI::Option* type = nullptr;
  CLI::Option* name = nullptr;
  CLI::Option* key = nullptr;
  CLI::Option* sets = nullptr;
  CLI::Option* fields = nullptr;
  CLI::Option* index = nullptr;
  CLI::Option* mode = nullptr;
  CLI::Option* mailType = nullptr;
  CLI::Option* values = nullptr;
};

const std::vector<std::string> kFamilies = {"table", "help",  "matchcode", "mail",     "bar",
                                            "class", "hierarchy", "objects", "positions"};

[[noreturn]] void Usage(const std::string& message) { throw Failure(status::kUsage, message); }

std::string TextOf(const char* text) { return text == nullptr ? std::string() : std::string(text); }

// A count the toolbox hands out as decimal text.
int32_t CountOf(const char* text) {
  if (text == nullptr) return 0;
  const long n = std::strtol(text, nullptr, 10);
  return n < 0 ? 0 : static_cast<int32_t>(std::min<long>(n, INT32_MAX));
}

// Column names as the table shows them: an empty name becomes fallback and
// its column number, and a name already taken gets " (2)", " (3)" ... for its
// second, third ... column, so that every JSON member stays apart.
std::vector<std::string> UniqueNames(const std::vector<std::string>& wanted,
                                     const std::string& fallback) {
  std::vector<std::string> names;
  std::set<std::string> used;
  for (std::size_t i = 0; i < wanted.size(); ++i) {
    const std::string base = wanted[i].empty() ? fallback + std::to_string(i + 1) : wanted[i];
    std::string name = base;
    for (int n = 2; !used.insert(name).second; ++n) name = base + " (" + std::to_string(n) + ")";
    names.push_back(name);
  }
  return names;
}

std::vector<std::string> Numbered(const std::string& stem, int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back(stem + std::to_string(i));
  return names;
}

// Release families 1 and 2 ("50", "5.", "60", "6." in columns 1-2) use the
// older characteristic-bar form; a release shorter than two characters
// keeps the family of a fresh toolbox, which is the newer form.
bool OlderForm(const std::string& interfaceRecord) {
  if (interfaceRecord.size() < 2) return false;
  const std::string head = interfaceRecord.substr(0, 2);
  return head == "50" || head == "5." || head == "60" || head == "6.";
}

// ------------------------------------------------------------ record tables

// ZanCreateFillTable, then the fields by position (ZanGetAttributNameValue),
// the record count (ZanDescribeTable) and every value by field name
// (ZanGetTableValue). A field whose name does not find it (a name given
// twice, or one with blanks inside, which the lookup removes) is read by
// position instead.
Table DecodeRecordTable(const Options& o, const std::string& data) {
  const int32_t type = o.type;
  std::string name = o.name;
  std::string key = o.key;
  if (type != 4) {
    // The set index file holds the name in 5 columns and the key in 2,
    // blanks included, and compares them exactly; the table index file of
    // type 4 compares them trimmed.
    name.resize(5, ' ');
    key.resize(2, ' ');
  }
  {
    Buffer n(name), k(key), sets(o.sets), fields(o.fields), d(data);
    Check("ZanCreateFillTable", ZanCreateFillTable(type, n.get(), k.get(), sets.get(),
                                                   fields.get(), d.get(), d.length()));
  }
  // Types 1 and 6 are the one send table; the count and the by-name read
  // reach it as type 1 (their type 6 stands for other tables).
  const int32_t readType = type == 6 ? 1 : type;

  Table table;
  for (int32_t f = 1;; ++f) {
    char fieldName[64] = {};
    char* value = nullptr;
    const int32_t code = ZanGetAttributNameValue(type, f, 1, fieldName, &value);
    if (code == 26 || code == 23 || code == 24 || code == 25) break;  // past the last field
    Check("ZanGetAttributNameValue", code);
    table.columns.push_back(fieldName);
  }
  std::map<std::string, int> uses;
  for (const auto& c : table.columns) ++uses[c];

  char* countText = nullptr;
  const int32_t countCode = ZanDescribeTable(readType, &countText);
  int32_t records = 0;
  if (countCode != 15 && countCode != 16 && countCode != 17 && countCode != 999) {
    Check("ZanDescribeTable", countCode);
    records = CountOf(countText);
  }
  for (int32_t r = 1; r <= records; ++r) {
    std::vector<std::string> row;
    for (std::size_t f = 0; f < table.columns.size(); ++f) {
      char* value = nullptr;
      int32_t code = 41;
      if (uses[table.columns[f]] == 1) {
        Buffer field(table.columns[f]);
        code = ZanGetTableValue(readType, field.get(), r, &value);
      }
      if (code == 41) {
        char fieldName[64] = {};
        code = ZanGetAttributNameValue(type, static_cast<int32_t>(f + 1), r, fieldName, &value);
        Check("ZanGetAttributNameValue", code);
      } else if (code != -2 && code != -3) {  // -2, -3: no value at that record
        Check("ZanGetTableValue", code);
      }
      row.push_back(code == 0 ? TextOf(value) : std::string());
    }
    table.rows.push_back(std::move(row));
  }
  table.columns = UniqueNames(table.columns, "field");
  return table;
}

// -------------------------------------------------------------- help tables

// ZanCreateHlpTable (mode 1 the column description, mode 2 a plain value
// list), ZanFillHlpTable with the lines; read with ZanGetHlpDescription and
// ZanGetHlpData. Columns are the column titles. ZanGetHlpData pads an entry
// with blanks to the column width; stored entries never end in a blank, so
// the padding is taken off again.
Table DecodeHelp(const Options& o, const std::string& data, const std::string* lines) {
  {
    Buffer d(data);
    Check("ZanCreateHlpTable", ZanCreateHlpTable(o.mode, d.get(), d.length()));
  }
  if (lines != nullptr) {
    Buffer l(*lines);
    Check("ZanFillHlpTable", ZanFillHlpTable(1, l.get(), l.length()));
  }
  auto dimension = [](int32_t mode) {
    char* text = nullptr;
    const int32_t code = ZanGetHlpDescription(mode, &text);
    if (code == 37) return 0;  // no help table (nothing was stored)
    Check("ZanGetHlpDescription", code);
    return CountOf(text);
  };
  const int32_t columns = dimension(1);
  const int32_t lineCount = dimension(2);

  Table table;
  std::vector<std::string> titles;
  CharacteristicData entry;
  for (int32_t c = 1; c <= columns; ++c) {
    Check("ZanGetHlpData", ZanGetHlpData(1, c, 0, &entry));
    titles.push_back(TextOf(entry.name));
  }
  for (int32_t line = 1; line <= lineCount; ++line) {
    std::vector<std::string> row;
    for (int32_t c = 1; c <= columns; ++c) {
      const int32_t code = ZanGetHlpData(1, c, line, &entry);
      std::string value;
      if (code == 0) {
        value = TextOf(entry.value);
        value.erase(value.find_last_not_of(' ') + 1);
      } else if (code != 33) {  // 33: this column has no entry in that line
        Check("ZanGetHlpData", code);
      }
      row.push_back(value);
    }
    table.rows.push_back(std::move(row));
  }
  table.columns = UniqueNames(titles, "column");
  return table;
}

// ----------------------------------------------------------- matchcode table

// ZanCreateFillTableMcd; entries counted by ZanGetMcdDescription and read
// attribute by attribute with ZanGetMcdValue. Mode 1 (the matchcode list)
// gives ID, SUBID and TEXT01; mode 2 (the fields of a matchcode) TEXT01 and
// the field length, which only the characteristic read of the matchcode
// table (ZanGetSmlData type 2) hands out.
Table DecodeMatchcode(const Options& o, const std::string& data) {
  {
    Buffer d(data);
    Check("ZanCreateFillTableMcd", ZanCreateFillTableMcd(o.mode, d.get(), d.length()));
  }
  char* countText = nullptr;
  const int32_t countCode = ZanGetMcdDescription(1, &countText);
  int32_t entries = 0;
  if (countCode != 29) {  // 29: no complete entry was received
    Check("ZanGetMcdDescription", countCode);
    entries = CountOf(countText);
  }
  Table table;
  const std::vector<std::string> attributes =
      o.mode == 1 ? std::vector<std::string>{"ID", "SUBID", "TEXT01"}
                  : std::vector<std::string>{"TEXT01"};
  table.columns = attributes;
  if (o.mode == 2) table.columns.push_back("length");
  for (int32_t r = 1; r <= entries; ++r) {
    std::vector<std::string> row;
    for (const auto& attribute : attributes) {
      Buffer a(attribute);
      char* value = nullptr;
      Check("ZanGetMcdValue", ZanGetMcdValue(a.get(), r, &value));
      row.push_back(TextOf(value));
    }
    if (o.mode == 2) {
      CharacteristicData d;
      Check("ZanGetSmlData", ZanGetSmlData(2, r, 0, &d));
      row.push_back(std::to_string(d.length));
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

// --------------------------------------------------------------------- mail

// ZanCreateMailTable; the field names through the characteristic read of
// the mail tables (ZanGetSmlData types 3 to 8, which reaches every field,
// the key fields of type 1 too), the mails counted by ZanDescribeMailTable
// and each value read by field name with ZanGetMailData.
Table DecodeMail(const Options& o, const std::string& data) {
  {
    Buffer d(data);
    Check("ZanCreateMailTable", ZanCreateMailTable(o.mailType, d.get(), d.length()));
  }
  Table table;
  for (int32_t position = 1;; ++position) {
    CharacteristicData d;
    const int32_t code = ZanGetSmlData(o.mailType + 2, position, 0, &d);
    if (code == 36 || code == 68) break;  // past the last field
    Check("ZanGetSmlData", code);
    table.columns.push_back(TextOf(d.name));
  }
  char* countText = nullptr;
  const int32_t countCode = ZanDescribeMailTable(o.mailType, &countText);
  int32_t mails = 0;
  if (countCode != 69) {
    Check("ZanDescribeMailTable", countCode);
    mails = CountOf(countText);
  }
  for (int32_t k = 1; k <= mails; ++k) {
    std::vector<std::string> row;
    for (const auto& field : table.columns) {
      Buffer name(field, 8);
      char* value = nullptr;
      const int32_t code = ZanGetMailData(o.mailType, 0, name.get(), k, &value);
      if (code != 31) Check("ZanGetMailData", code);  // 31: the last mail lacks this field
      row.push_back(code == 0 ? TextOf(value) : std::string());
    }
    table.rows.push_back(std::move(row));
  }
  table.columns = UniqueNames(table.columns, "field");
  return table;
}

// ------------------------------------------------------ characteristic bars

// The characteristics of the newer-form bar, by position (ZanGetSmlDataK4).
std::vector<std::string> K4CharacteristicNames() {
  std::vector<std::string> names;
  for (int32_t position = 1;; ++position) {
    SmlCharacteristicData d;
    const int32_t code = ZanGetSmlDataK4(2, position, 0, &d);
    if (code == 36 || code == 34) break;  // past the last characteristic
    Check("ZanGetSmlDataK4", code);
    names.push_back(TextOf(d.name));
  }
  return names;
}

// The object table and the position value table keep values by
// characteristic name: each name once, and an empty name reaches nothing.
std::vector<std::string> DistinctNames(const std::vector<std::string>& names) {
  std::vector<std::string> distinct;
  std::set<std::string> seen;
  for (const auto& name : names) {
    if (!name.empty() && seen.insert(name).second) distinct.push_back(name);
  }
  return distinct;
}

// One value text of the newer-form tables (ZanGetSmlDataValueK4); no value
// there is an empty cell.
std::string K4Value(int32_t mode, const std::string& name, int32_t index, int32_t object,
                    int32_t valueNumber) {
  Buffer n(name);
  char* value = nullptr;
  const int32_t code = ZanGetSmlDataValueK4(mode, n.get(), index, object, valueNumber, &value);
  if (code == -2 || code == -3) return std::string();
  Check("ZanGetSmlDataValueK4", code);
  return TextOf(value);
}

Buffer CreateSmlTable(const std::string& description) {
  Buffer d(description);
  Check("ZanCreateSmlTable", ZanCreateSmlTable(1, d.get(), d.length()));
  return d;
}

// Older form: ZanCreateSmlTable with the description, ZanFillSmlTable mode 1
// with the object rows (the toolbox puts the object characteristic OBJEKT
// with the object keys in front). Row k holds value k, the values of object
// k, of every characteristic (ZanGetSmlData type 1).
Table DecodeOlderBar(const std::string& description, const std::string* values) {
  CreateSmlTable(description);
  if (values != nullptr) {
    Buffer v(*values);
    Check("ZanFillSmlTable", ZanFillSmlTable(1, v.get(), v.length()));
  }
  char* text = nullptr;
  Check("ZanGetSmlDescription", ZanGetSmlDescription(1, &text));
  const int32_t characteristics = CountOf(text);
  Check("ZanGetSmlDescription", ZanGetSmlDescription(2, &text));
  const int32_t objects = CountOf(text);

  Table table;
  std::vector<std::string> names;
  CharacteristicData d;
  for (int32_t r = 1; r <= characteristics; ++r) {
    Check("ZanGetSmlData", ZanGetSmlData(1, r, 0, &d));
    names.push_back(TextOf(d.name));
  }
  for (int32_t k = 1; k <= objects; ++k) {
    std::vector<std::string> row;
    for (int32_t r = 1; r <= characteristics; ++r) {
      const int32_t code = ZanGetSmlData(1, r, k, &d);
      if (code != 36) Check("ZanGetSmlData", code);  // 36: fewer values than objects
      row.push_back(code == 0 ? TextOf(d.value) : std::string());
    }
    table.rows.push_back(std::move(row));
  }
  table.columns = UniqueNames(names, "characteristic");
  return table;
}

// Newer form: ZanCreateSmlTable with the description, ZanFillSmlTable mode 2
// with name;value pairs. Row k holds value k of every characteristic, read by
// position (ZanGetSmlDataValueK4 mode 2).
Table DecodeK4Bar(const std::string& description, const std::string* values) {
  CreateSmlTable(description);
  if (values != nullptr) {
    Buffer v(*values);
    Check("ZanFillSmlTable", ZanFillSmlTable(2, v.get(), v.length()));
  }
  const std::vector<std::string> names = K4CharacteristicNames();
  std::vector<std::vector<std::string>> byCharacteristic(names.size());
  std::size_t rows = 0;
  for (std::size_t c = 0; c < names.size(); ++c) {
    for (int32_t k = 1;; ++k) {
      Buffer none("");
      char* value = nullptr;
      const int32_t code =
          ZanGetSmlDataValueK4(2, none.get(), static_cast<int32_t>(c + 1), 0, k, &value);
      if (code == -2 || code == -3) break;  // no further value
      Check("ZanGetSmlDataValueK4", code);
      byCharacteristic[c].push_back(TextOf(value));
    }
    rows = std::max(rows, byCharacteristic[c].size());
  }
  Table table;
  for (std::size_t k = 0; k < rows; ++k) {
    std::vector<std::string> row;
    for (const auto& v : byCharacteristic) row.push_back(k < v.size() ? v[k] : std::string());
    table.rows.push_back(std::move(row));
  }
  table.columns = UniqueNames(names, "characteristic");
  return table;
}

// The object table: ZanFillSmlTable mode 1 in the newer form. One row per
// object: its fourteen object texts (ZanGetObjectDataK4), then the values of
// each characteristic of the bar in that object, read by name; a
// characteristic with several values in an object takes as many columns
// ("PN", "PN (2)").
Table DecodeObjects(const std::string& description, const std::string* objects) {
  CreateSmlTable(description);
  if (objects != nullptr) {
    Buffer v(*objects);
    Check("ZanFillSmlTable", ZanFillSmlTable(1, v.get(), v.length()));
  }
  const std::vector<std::string> names = DistinctNames(K4CharacteristicNames());
  constexpr int kObjectTexts = 14;
  std::vector<std::vector<std::string>> texts;
  for (int32_t k = 1;; ++k) {
    char* values[kObjectTexts] = {};
    const int32_t code = ZanGetObjectDataK4(1, k, values);
    if (code == 36 || code == 34) break;  // past the last object
    Check("ZanGetObjectDataK4", code);
    std::vector<std::string> row;
    for (char* value : values) row.push_back(TextOf(value));
    texts.push_back(std::move(row));
  }
  // counts[k][c]: values of characteristic c in object k+1.
  std::vector<std::vector<int32_t>> counts(texts.size(), std::vector<int32_t>(names.size(), 0));
  std::vector<int32_t> widest(names.size(), 1);
  for (std::size_t k = 0; k < texts.size(); ++k) {
    for (std::size_t c = 0; c < names.size(); ++c) {
      Buffer name(names[c]);
      int32_t count = 0;
      const int32_t code =
          ZanGetSmlValueDescriptionK4(1, static_cast<int32_t>(k + 1), name.get(), &count);
      if (code == 79) count = 0;  // the object has no value of this characteristic
      else Check("ZanGetSmlValueDescriptionK4", code);
      counts[k][c] = count;
      widest[c] = std::max(widest[c], count);
    }
  }
  Table table;
  std::vector<std::string> columns = Numbered("objectText", kObjectTexts);
  for (std::size_t c = 0; c < names.size(); ++c) columns.insert(columns.end(), widest[c], names[c]);
  table.columns = UniqueNames(columns, "column");
  for (std::size_t k = 0; k < texts.size(); ++k) {
    std::vector<std::string> row = texts[k];
    for (std::size_t c = 0; c < names.size(); ++c) {
      for (int32_t i = 1; i <= widest[c]; ++i) {
        row.push_back(i <= counts[k][c]
                          ? K4Value(1, names[c], 0, static_cast<int32_t>(k + 1), i)
                          : std::string());
      }
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

// The position value table: ZanCreateFillPosSmlValueTableK4 with the
// name;value pairs the backend answers the bar's value request with. Row k
// holds value k of every characteristic of the bar, read by name
// (ZanGetSmlDataValueK4 mode 3); the table gives no names of its own.
Table DecodePositions(const std::string& description, const std::string* values) {
  CreateSmlTable(description);
  if (values != nullptr) {
    Buffer v(*values);
    Check("ZanCreateFillPosSmlValueTableK4",
          ZanCreateFillPosSmlValueTableK4(1, v.get(), v.length()));
  }
  Table table;
  table.columns = DistinctNames(K4CharacteristicNames());
  std::vector<int32_t> counts;
  int32_t rows = 0;
  for (const auto& name : table.columns) {
    Buffer n(name);
    int32_t count = 0;
    const int32_t code = ZanGetSmlValueDescriptionK4(3, 0, n.get(), &count);
    if (code == 34 || code == 79) count = 0;  // no table, or no entry of that name
    else Check("ZanGetSmlValueDescriptionK4", code);
    counts.push_back(count);
    rows = std::max(rows, count);
  }
  for (int32_t k = 1; k <= rows; ++k) {
    std::vector<std::string> row;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
      row.push_back(k <= counts[c] ? K4Value(3, table.columns[c], 0, 0, k) : std::string());
    }
    table.rows.push_back(std::move(row));
  }
  return table;
}

// ----------------------------------------------------------- classification

// Reads records 1, 2, ... of a class table with its reader until the reader
// answers 75 (no such record) or 76 (the table is empty).
template <std::size_t N, typename Reader>
void ReadClassRecords(const char* call, Reader read, Table& table) {
  for (int32_t r = 1;; ++r) {
    char* values[N] = {};
    const int32_t code = read(r, values);
    if (code == 75 || code == 76) return;
    Check(call, code);
    std::vector<std::string> row;
    for (char* value : values) row.push_back(TextOf(value));
    table.rows.push_back(std::move(row));
  }
}

// ZanCreateFillClasTableK4: modes 1 and 2 the class tables (read with
// ZanGetClasDataK4: name, fieldName, dinLetter, input, unit), mode 3 the
// class search table of 22 values a record and mode 4 its short form of 3
// (read with ZanGetClasSearchDataK4: value1 ...).
Table DecodeClass(const Options& o, const std::string& data) {
  {
    Buffer d(data);
    int32_t count = 0;
    Check("ZanCreateFillClasTableK4",
          ZanCreateFillClasTableK4(o.mode, d.get(), d.length(), &count));
  }
  Table table;
  const int32_t mode = o.mode;
  if (mode <= 2) {
    table.columns = {"name", "fieldName", "dinLetter", "input", "unit"};
    ReadClassRecords<5>("ZanGetClasDataK4",
                        [mode](int32_t r, char** v) { return ZanGetClasDataK4(mode, r, v); },
                        table);
  } else {
    ReadClassRecords<22>("ZanGetClasSearchDataK4",
                         [](int32_t r, char** v) { return ZanGetClasSearchDataK4(1, r, v); },
                         table);
    const int width = mode == 3 ? 22 : 3;  // the short form fills the first three
    table.columns = Numbered("value", width);
    for (auto& row : table.rows) row.resize(width);
  }
  return table;
}

// ZanCreateFillClasHierarchTableK4, read with ZanGetClasHierarchDataK4.
Table DecodeHierarchy(const std::string& data) {
  {
    Buffer d(data);
    int32_t count = 0;
    Check("ZanCreateFillClasHierarchTableK4",
          ZanCreateFillClasHierarchTableK4(1, d.get(), d.length(), &count));
  }
  Table table;
  table.columns = Numbered("value", 6);
  ReadClassRecords<6>("ZanGetClasHierarchDataK4",
                      [](int32_t r, char** v) { return ZanGetClasHierarchDataK4(1, r, v); },
                      table);
  return table;
}

// ------------------------------------------------------------ the command

// Which of the family-bound options each family takes.
void CheckOptions(const Options& o, const FamilyOptions& given) {
  struct Allowed {
    CLI::Option* option;
    const char* name;
    std::set<std::string> families;
  };
  const std::vector<Allowed> allowed = {
      {given.type, "--type", {"table"}},
      {given.name, "--set", {"table"}},
      {given.key, "--key", {"table"}},
      {given.sets, "--sets", {"table"}},
      {given.fields, "--fields", {"table"}},
      {given.index, "--index", {"table"}},
      {given.mode, "--mode", {"help", "matchcode", "class"}},
      {given.mailType, "--mail-type", {"mail"}},
      {given.values, "--values", {"help", "bar", "objects", "positions"}},
  };
  for (const auto& a : allowed) {
    if (a.option->count() > 0 && a.families.count(o.family) == 0) {
      Usage(std::string(a.name) + " does not apply to the family " + o.family);
    }
  }
  if (o.family == "table") {
    if (o.name.empty() || given.name->count() == 0) Usage("decode table needs --set NAME");
    if (given.key->count() == 0) Usage("decode table needs --key KEY");
    if (o.type == 4) {
      if (given.sets->count() > 0 || given.fields->count() > 0) {
        Usage("table type 4 takes its layout from the table index file (--index), not from "
              "--sets and --fields");
      }
    } else {
      if (o.name.size() > 5) Usage("--set takes a name of up to 5 characters");
      if (o.key.size() > 2) Usage("--key takes a key of up to 2 characters");
      if (given.sets->count() == 0 || given.fields->count() == 0) {
        Usage("decode table needs --sets PATH and --fields PATH (except for type 4)");
      }
      if (given.index->count() > 0) Usage("--index applies to table type 4 only");
    }
  }
  if ((o.family == "help" || o.family == "matchcode") && o.mode > 2) {
    Usage("--mode of " + o.family + " is 1 or 2");
  }
  if (o.family == "help" && o.mode == 2 && given.values->count() > 0) {
    Usage("a plain value list (help --mode 2) has no lines to fill: --values applies to "
          "--mode 1");
  }
  if (given.values->count() > 0 && o.values == "-" && o.input == "-") {
    Usage("only one of FILE and --values can be standard input");
  }
  if ((o.family == "objects" || o.family == "positions") && OlderForm(o.interface)) {
    Usage(o.family + " is a table of the newer release; the interface record '" + o.interface +
          "' names a release of the older characteristic-bar form");
  }
  if (o.interface.empty()) Usage("--interface takes a record of at least one character");
}

void Run(Options& o, const FamilyOptions& given) {
  CheckOptions(o, given);
  if (o.family == "table") {
    if (o.type == 4) {
      if (!o.index.empty()) RequireReadable(o.index, "table index file");
    } else {
      RequireReadable(o.sets, "set index file");
      RequireReadable(o.fields, "field definition file");
    }
  }
  const std::string first = ReadInput(o.input);
  std::unique_ptr<std::string> second;
  if (given.values->count() > 0) second = std::make_unique<std::string>(ReadInput(o.values));

  if (o.family == "table" && o.type == 4 && !o.index.empty()) {
    Buffer path(o.index);
    Check("ZanConfigureToolbox", ZanConfigureToolbox(2, path.get()));
  }
  {
    Buffer record(o.interface);
    Check("ZanFillInterface", ZanFillInterface(record.get(), record.length()));
  }
  Table table;
  const std::string& f = o.family;
  if (f == "table") table = DecodeRecordTable(o, first);
  else if (f == "help") table = DecodeHelp(o, first, second.get());
  else if (f == "matchcode") table = DecodeMatchcode(o, first);
  else if (f == "mail") table = DecodeMail(o, first);
  else if (f == "bar") table = OlderForm(o.interface) ? DecodeOlderBar(first, second.get())
                                                      : DecodeK4Bar(first, second.get());
  else if (f == "class") table = DecodeClass(o, first);
  else if (f == "hierarchy") table = DecodeHierarchy(first);
  else if (f == "objects") table = DecodeObjects(first, second.get());
  else table = DecodePositions(first, second.get());
  PrintTable(table, o.format, std::cout);
}

}  // namespace

void AddDecodeCommand(CLI::App& app, Context& context) {
  auto* command = app.add_subcommand(
      "decode",
      "fill a received string into its family's table as a host does and print the table, read "
      "back through the toolbox's read exports.\n"
      "Families and their columns:\n"
      "  table      generic record table (ZanCreateFillTable): the field names of the set\n"
      "  help       help table (ZanCreateHlpTable, lines by ZanFillHlpTable): the column "
      "titles\n"
      "  matchcode  matchcode table (ZanCreateFillTableMcd): mode 1 ID SUBID TEXT01, mode 2 "
      "TEXT01 length\n"
      "  mail       mail table (ZanCreateMailTable): the mail fields of the type\n"
      "  bar        characteristic bar (ZanCreateSmlTable, values by ZanFillSmlTable): the "
      "characteristic names; older form (release 50x/5.x/60x/6.x): one row per object, "
      "values are object rows; newer form: row k is value k, values are name;value pairs\n"
      "  class      class table (ZanCreateFillClasTableK4): modes 1, 2 name fieldName "
      "dinLetter input unit; mode 3 value1-value22; mode 4 value1-value3\n"
      "  hierarchy  class hierarchy table (ZanCreateFillClasHierarchTableK4): value1-value6\n"
      "  objects    object table of the newer bar (ZanFillSmlTable mode 1): objectText1-14, "
      "then the bar's characteristic names\n"
      "  positions  position value table (ZanCreateFillPosSmlValueTableK4): the bar's "
      "characteristic names, row k value k\n"
      "FILE is the received string; for help, bar, objects and positions it is the description "
      "string and --values the second string.");
  auto o = std::make_shared<Options>();
  auto given = std::make_shared<FamilyOptions>();
  command->add_option("FAMILY", o->family, "which table the string fills")
      ->required()
      ->check(CLI::IsMember(kFamilies));
  command->add_option("FILE", o->input, "the received string (\"-\" or absent: standard input)")
      ->capture_default_str();
  given->values = command->add_option(
      "--values", o->values,
      "the second string: help lines, bar values, objects or position values (\"-\": standard "
      "input)");
  command->add_option("--interface", o->interface,
                      "interface record stored before the fill (separator in column 7, release "
                      "in columns 1-4)")
      ->capture_default_str();
  AddFormatOption(*command, o->format);
  given->type = command->add_option("--type", o->type, "table: table type 1 to 8")
                    ->check(CLI::Range(1, 8))
                    ->capture_default_str();
  given->name = command->add_option("--set", o->name, "table: name in the set index file");
  given->key = command->add_option("--key", o->key, "table: key in the set index file");
  given->sets = command->add_option("--sets", o->sets, "table: set index file");
  given->fields = command->add_option("--fields", o->fields, "table: field definition file");
  given->index = command->add_option(
      "--index", o->index,
      "table type 4: table index file (default: $KELMDAT, else ./kelmtab.dat)");
  given->mode = command->add_option("--mode", o->mode,
                                    "help 1 column description or 2 plain value list; "
                                    "matchcode 1 or 2; class 1 to 4")
                    ->check(CLI::Range(1, 4))
                    ->capture_default_str();
  given->mailType = command->add_option("--mail-type", o->mailType, "mail: mail type 1 to 6")
                        ->check(CLI::Range(1, 6))
                        ->capture_default_str();
  command->callback([o, given, &context] {
    Run(*o, *given);
    context.exitStatus = status::kOk;
  });
}

}  // namespace kelmod_cli
