// Generic record tables driven through kelmod.h: layouts from real description
// files, fixed-width and separator-terminated fills, send strings and value
// access by name, position and record number.
#include <climits>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>

#include "support.h"

namespace kelmod_test {
namespace {

using Got = std::pair<int32_t, std::string>;

std::string SetIndexLine(const std::string& name, const std::string& key,
                         const std::string& direction, std::string set) {
  set.resize(7, ' ');  // the set name is taken as it stands, 7 columns wide
  return Columns({{3, name}, {10, key}, {14, direction}, {17, set}}) + "\n";
}

std::string DefinitionLine(const std::string& set, const std::string& field,
                           const std::string& length, const std::string& description = "") {
  if (description.empty()) return Columns({{3, set}, {11, field}, {30, length}}) + "\r\n";
  return Columns({{3, set}, {11, field}, {30, length}, {33, description}}) + "\r\n";
}

std::string IndexTableLine(const std::string& direction, const std::string& name,
                           const std::string& field, const std::string& length,
                           const std::string& key = "01") {
  return Columns({{1, direction}, {3, "xyz"}, {7, name}, {13, key}, {16, "SET4"}, {24, field},
                  {35, length}}) +
         "\n";
}

const std::string kLongDescription = " Material number of the part, cut after forty columns";

class TablesTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    index_ = dir_.write("index.dat",
                        "*" + SetIndexLine("MAT", "01", "D", "SETC").substr(1) +
                            SetIndexLine("MAT", "01", "D", "SETD") +
                            SetIndexLine("MAT", "01", "U", "SETU") +
                            SetIndexLine("MAT", "02", "D", "EMPTY") +
                            SetIndexLine("ZERO", "01", "D", "ZERO") +
                            SetIndexLine("ZERO", "02", "D", "ALLZERO") +
                            SetIndexLine("BIG", "01", "U", "BIG") +
                            SetIndexLine("MNR", "01", "D", "NAMES"));
    // Sets SETD and SETU interleaved, with a comment and an empty line between.
    defs_ = dir_.write("defs.dat",
                       "*" + DefinitionLine("SETD", "COMMENT", "9").substr(1) +
                           DefinitionLine("SETC", "WRONG", "3") +
                           DefinitionLine("SETD", "MATNR", "3", kLongDescription) +
                           DefinitionLine("SETU", "OUTA", "3") + "\r\n" +
                           DefinitionLine("SETD", "QTY", " 2") +
                           DefinitionLine("SETU", "OUTB", "2") +
                           DefinitionLine("ZERO", "Z1", "   ") +
                           DefinitionLine("ZERO", "Z2", " 8") +
                           DefinitionLine("ALLZERO", "NONE", "   ") +
                           DefinitionLine("BIG", "WIDE", "300") +
                           DefinitionLine("NAMES", "A B", "2") +
                           DefinitionLine("NAMES", "MAT NR", "5"));
  }

  // Configures a table index file with the fields F4A (3) and F4B (2) for
  // direction D, name 'MAT' and key '01'.
  void UseIndexTable() {
    Arg path(dir_.write("kelmtab.dat", IndexTableLine("D", "MAT", "F4A", "3") +
                                           IndexTableLine("U", "MAT", "UPONLY", "4") +
                                           IndexTableLine("D", "MAT", "OTHER", "4", "02") +
                                           IndexTableLine("*", "MAT", "STAR", "4") +
                                           IndexTableLine("D", "MAT", " F4B", " 2")));
    ASSERT_EQ(ZanConfigureToolbox(2, path.get()), 0);
  }

  int32_t Create(int32_t type, const std::string& name = "MAT  ", const std::string& key = "01") {
    Arg n(name), k(key), i(index_), d(defs_);
    return ZanCreateTable(type, n.get(), k.get(), i.get(), d.get());
  }
  int32_t CreateFill(int32_t type, const std::string& data, int32_t length,
                     const std::string& name = "MAT  ", const std::string& key = "01") {
    Arg n(name), k(key), i(index_), d(defs_), text(data);
    return ZanCreateFillTable(type, n.get(), k.get(), i.get(), d.get(), text.get(), length);
  }
  static int32_t Fill(int32_t type, const std::string& data, int32_t length) {
    return ZanFillTable(type, Arg(data).get(), length);
  }
  static int32_t Write(int32_t type, const std::string& field, const std::string& value,
                       int32_t record) {
    return ZanWriteTableValue(type, Arg(field).get(), Arg(value).get(), record);
  }
  static int32_t Modify(int32_t type, const std::string& field, const std::string& value,
                        int32_t record) {
    return ZanModifyTableValue(type, Arg(field).get(), Arg(value).get(), record);
  }

  // Stores values as records 1, 2, ... of a field.
  static void Writes(int32_t type, const std::string& field,
                     std::initializer_list<const char*> values) {
    int32_t record = 0;
    for (const char* v : values) ASSERT_EQ(Write(type, field, v, record++), 0) << v;
  }

  // The code and the text handed back ("(none)" when no address was set).
  // The text is read by reference, after the call.
  static Got Result(int32_t rc, char* const& text) { return {rc, text ? text : "(none)"}; }
  static Got Get(int32_t type, const std::string& field, int32_t record) {
    char* value = nullptr;
    return Result(ZanGetTableValue(type, Arg(field).get(), record, &value), value);
  }
  static Got Count(int32_t type) {
    char* count = nullptr;
    return Result(ZanDescribeTable(type, &count), count);
  }
  static Got Send() {
    char* out = nullptr;
    return Result(ZanCreateSendstr(&out), out);
  }
  // "name=value" of a field by position.
  static Got At(int32_t type, int32_t field, int32_t record = 1) {
    char name[12] = "(none)";
    char* value = nullptr;
    const Got got = Result(ZanGetAttributNameValue(type, field, record, name, &value), value);
    return {got.first, std::string(name) + "=" + got.second};
  }

  // ZanGetAttributName for n, or ZanSearchAttribut when a field name is given.
  int32_t Attribute(int32_t direction, const std::string& name, int32_t n, AttributeRecord& rec,
                    const char* field = nullptr, const std::string& defs = "") {
    Arg nm(name), k(name.empty() ? "" : "01"), i(index_), d(defs.empty() ? defs_ : defs);
    std::memset(&rec, 0, sizeof rec);
    if (field != nullptr)
      return ZanSearchAttribut(direction, nm.get(), k.get(), i.get(), d.get(), Arg(field).get(),
                               &rec);
    return ZanGetAttributName(direction, nm.get(), k.get(), i.get(), d.get(), n, &rec);
  }

  std::string index_;
  std::string defs_;
};

TEST_F(TablesTest, SetIndexMatchesNameKeyAndDirectionColumnForColumn) {
  EXPECT_EQ(Create(2, "MAT"), 1);  // the name column holds 'MAT' and two blanks
  EXPECT_EQ(Create(2, "MAT  ", "1"), 1);
  ASSERT_EQ(Create(2, "MAT  "), 0);
  // The commented-out line naming set SETC comes first but is not used.
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{-2, ""}));
  EXPECT_EQ(Get(2, "WRONG", 1), (Got{41, ""}));
  // Same name and key with direction U select the outgoing set.
  ASSERT_EQ(Create(1), 0);
  EXPECT_EQ(At(1, 1), (Got{0, "OUTA="}));
  EXPECT_EQ(At(1, 2), (Got{0, "OUTB="}));
  EXPECT_EQ(Get(1, "MATNR", 1).first, 41);

  Arg n("MAT  "), k("01"), missing(dir_.file("missing.dat")), d(defs_);
  EXPECT_EQ(ZanCreateTable(2, n.get(), k.get(), missing.get(), d.get()), 1);
}

TEST_F(TablesTest, FieldDefinitionsComeInFileOrderWithTheirLengths) {
  ASSERT_EQ(Create(2), 0);
  EXPECT_EQ(At(2, 1), (Got{0, "MATNR="}));  // the comment line of SETD is not counted
  EXPECT_EQ(At(2, 2), (Got{0, "QTY="}));
  EXPECT_EQ(At(2, 3).first, 26);
  ASSERT_EQ(Fill(2, "AAABB", 5), 0);  // lengths '3' and ' 2'
  EXPECT_EQ(At(2, 1), (Got{0, "MATNR=AAA"}));
  EXPECT_EQ(At(2, 2), (Got{0, "QTY=BB"}));

  // A blank length column is 0; ' 8' is 8.
  ASSERT_EQ(CreateFill(2, "12345678", 8, "ZERO "), 0);
  EXPECT_EQ(Get(2, "Z1", 1), (Got{0, ""}));
  EXPECT_EQ(Get(2, "Z2", 1), (Got{0, "12345678"}));
  // The zero-wide first field still fits at position 9 and starts record 2.
  EXPECT_EQ(Count(2), (Got{0, "2"}));
}

TEST_F(TablesTest, TableIndexFileGivesTypeFourItsTrimmedDirectionDFields) {
  EXPECT_EQ(Create(4, "MAT"), 60);  // the configured file does not exist
  EXPECT_EQ(Count(4).first, 15);

  UseIndexTable();
  ASSERT_EQ(Create(4, "MAT"), 0);  // 'MAT  ' in the file matches 'MAT'
  EXPECT_EQ(At(4, 1), (Got{0, "F4A="}));
  EXPECT_EQ(At(4, 2), (Got{0, "F4B="}));
  EXPECT_EQ(At(4, 3).first, 26);  // no U line, no other key, no '*' line
  ASSERT_EQ(Fill(4, "AAABB", 5), 0);  // filled fixed width by lengths 3 and ' 2'
  EXPECT_EQ(Get(4, "F4A", 1), (Got{0, "AAA"}));
  EXPECT_EQ(Get(4, "F4B", 1), (Got{0, "BB"}));

  // Types 3 and 4 share one table.
  ASSERT_EQ(Create(3), 0);
  EXPECT_EQ(Get(4, "F4A", 1).first, 41);
  EXPECT_EQ(Get(4, "MATNR", 1), (Got{-2, ""}));
}

TEST_F(TablesTest, CreateTableCodesAndWhatIsLeftAfterwards) {
  EXPECT_EQ(Create(9), 3);
  EXPECT_EQ(Create(0), 3);

  ASSERT_EQ(CreateFill(2, "AAABB", 5), 0);
  EXPECT_EQ(Create(2, "NONE "), 1);
  EXPECT_EQ(Count(2).first, 16);  // the old table is gone all the same

  Arg n("MAT  "), k("01"), i(index_), d(defs_);
  ASSERT_EQ(CreateFill(2, "AAABB", 5), 0);
  EXPECT_EQ(ZanCreateTable(2, n.get(), k.get(), i.get(), nullptr), 2);
  EXPECT_EQ(Count(2).first, 16);

  // Null name or key: nothing is released.
  ASSERT_EQ(CreateFill(2, "AAABB", 5), 0);
  EXPECT_EQ(ZanCreateTable(2, nullptr, k.get(), i.get(), d.get()), 78);
  EXPECT_EQ(ZanCreateTable(4, n.get(), nullptr, i.get(), d.get()), 78);
  EXPECT_EQ(Count(2), (Got{0, "1"}));
  // A null data string ends the create-and-fill before anything is created.
  EXPECT_EQ(ZanCreateFillTable(2, n.get(), k.get(), i.get(), d.get(), nullptr, 5), 4);
  EXPECT_EQ(Count(2), (Got{0, "1"}));

  // A set without definition lines, or a missing definition file, is an
  // empty table: created, but nothing to fill.
  EXPECT_EQ(Create(2, "MAT  ", "02"), 0);
  EXPECT_EQ(Count(2).first, 16);
  EXPECT_EQ(Fill(2, "AAABB", 5), 61);
  EXPECT_EQ(CreateFill(2, "AAABB", 5, "MAT  ", "02"), 4);
  EXPECT_EQ(CreateFill(2, "AAABB", 0, "MAT  ", "02"), 0);
  Arg missing(dir_.file("missing.dat"));
  EXPECT_EQ(ZanCreateTable(2, n.get(), k.get(), i.get(), missing.get()), 0);
  EXPECT_EQ(Count(2).first, 16);
}

TEST_F(TablesTest, FixedWidthRecordsFollowTheFieldLengths) {
  ASSERT_EQ(CreateFill(2, "AAABBCCCDD", 10), 0);
  EXPECT_EQ(Count(2), (Got{0, "2"}));
  EXPECT_EQ(Get(2, "MATNR", 2), (Got{0, "CCC"}));
  EXPECT_EQ(Get(2, "QTY", 2), (Got{0, "DD"}));

  // Record 2 is cut short: its second field would end beyond length 9.
  ASSERT_EQ(CreateFill(2, "AAABBCCCDD", 9), 0);
  EXPECT_EQ(Count(2), (Got{0, "2"}));
  EXPECT_EQ(Get(2, "MATNR", 2), (Got{0, "CCC"}));
  EXPECT_EQ(Get(2, "QTY", 2), (Got{-3, ""}));

  // Trailing blanks go, leading blanks stay (type 6 reads type 5 untrimmed).
  ASSERT_EQ(CreateFill(5, " A  B", 5), 0);
  EXPECT_EQ(Count(5), (Got{0, "1"}));
  EXPECT_EQ(Get(6, "MATNR", 1), (Got{0, " A"}));
  EXPECT_EQ(Get(6, "QTY", 1), (Got{0, " B"}));

  ASSERT_EQ(Create(2), 0);
  ASSERT_EQ(Fill(2, "EEEFF", 5), 0);
  ASSERT_EQ(Fill(2, "GGGHH", 5), 0);
  EXPECT_EQ(Count(2), (Got{0, "2"}));
  EXPECT_EQ(Get(2, "QTY", 2), (Got{0, "HH"}));

  EXPECT_EQ(Fill(2, "III", 0), 62);
  EXPECT_EQ(Fill(2, "III", -1), 62);
  EXPECT_EQ(ZanFillTable(2, nullptr, 5), 78);
  EXPECT_EQ(Fill(9, "III", 3), 3);
  EXPECT_EQ(Count(2), (Got{0, "2"}));
}

TEST_F(TablesTest, FixedWidthFillNeverReadsPastTheString) {
  ASSERT_EQ(Create(2), 0);
  ASSERT_EQ(Fill(2, "AAABBCCC", INT32_MAX), 0);
  EXPECT_EQ(Count(2), (Got{0, "2"}));
  EXPECT_EQ(Get(2, "MATNR", 2), (Got{0, "CCC"}));
  EXPECT_EQ(Get(2, "QTY", 2), (Got{0, ""}));  // present, but empty
  EXPECT_EQ(Get(2, "MATNR", 3).first, -3);

  ASSERT_EQ(CreateFill(2, "AAABB", INT32_MAX), 0);  // ends on a record boundary
  EXPECT_EQ(Count(2), (Got{0, "1"}));

  // Fields that are all zero wide: nothing is stored, nothing hangs.
  ASSERT_EQ(CreateFill(2, "ABC", 3, "ZERO ", "02"), 0);
  EXPECT_EQ(Count(2), (Got{0, "0"}));
  ASSERT_EQ(Fill(2, "ABC", INT32_MAX), 0);
  EXPECT_EQ(Count(2), (Got{0, "0"}));
}

TEST_F(TablesTest, TypeFourParsesSeparatorTerminatedValues) {
  UseIndexTable();
  // No interface record yet: no value is ever terminated.
  ASSERT_EQ(CreateFill(4, "X;Y;", 4, "MAT"), 0);
  EXPECT_EQ(Count(4), (Got{0, "0"}));

  UseSeparator(';');
  ASSERT_EQ(CreateFill(4, "X;Y;Z", 5, "MAT"), 0);  // 'Z' is not terminated
  EXPECT_EQ(Count(4), (Got{0, "1"}));
  EXPECT_EQ(Get(4, "F4A", 1), (Got{0, "X"}));
  EXPECT_EQ(Get(4, "F4B", 1), (Got{0, "Y"}));
  EXPECT_EQ(Get(4, "F4A", 2).first, -3);

  ASSERT_EQ(CreateFill(4, "LONGER;YES;", 11, "MAT"), 0);
  EXPECT_EQ(Get(4, "F4A", 1), (Got{0, "LON"}));  // cut to the field lengths
  EXPECT_EQ(Get(4, "F4B", 1), (Got{0, "YE"}));

  Arg n("MAT"), k("01"), data("A;B;C;D;");
  ASSERT_EQ(ZanCreateFillTable(4, n.get(), k.get(), nullptr, nullptr, data.get(), 4), 0);
  EXPECT_EQ(data.str(), "A;B;");  // the caller's string is cut at length
  EXPECT_EQ(Count(4), (Got{0, "1"}));
  EXPECT_EQ(CreateFill(4, "A;B;", 4, "NONE"), 4);  // no fields to parse into
}

TEST_F(TablesTest, SendStringsLayRecordsOutAtTheFieldWidths) {
  EXPECT_EQ(Send().first, 7);
  ASSERT_EQ(Create(1), 0);
  EXPECT_EQ(Send(), (Got{0, ""}));  // fields without values
  EXPECT_EQ(Count(1), (Got{0, "0"}));

  Writes(1, "OUTA", {"A", "CCCC"});
  Writes(1, "OUTB", {"BB", "D"});
  EXPECT_EQ(Send(), (Got{0, "A  BBCCCD "}));

  // A field with fewer values contributes blanks.
  ASSERT_EQ(Create(1), 0);
  Writes(1, "OUTA", {"A", "C"});
  Writes(1, "OUTB", {"B"});
  EXPECT_EQ(Send(), (Got{0, "A  B C    "}));

  // Type 6 replaces the send table; the record count comes from the first
  // field that has values.
  ASSERT_EQ(Create(6), 0);
  Writes(6, "OUTB", {"1", "2", "3"});
  EXPECT_EQ(Send(), (Got{0, "   1    2    3 "}));
  EXPECT_EQ(Count(1), (Got{0, "3"}));
  EXPECT_EQ(Count(6).first, 999);  // type 6 counts the characteristic bar instead

  // Fields wider than 256 are still padded or cut to their full length.
  ASSERT_EQ(Create(1, "BIG  "), 0);
  ASSERT_EQ(Write(1, "WIDE", std::string(300, 'W'), 0), 0);
  EXPECT_EQ(Send(), (Got{0, std::string(255, 'W') + std::string(45, ' ')}));
  ASSERT_EQ(Write(1, "WIDE", "S", 0), 0);
  EXPECT_EQ(Send(), (Got{0, "S" + std::string(299, ' ')}));

  char* out = nullptr;
  EXPECT_EQ(ZanCreateSendstrBomHead(5, &out), 8);
  EXPECT_EQ(ZanCreateSendstrBomHead(7, &out), 7);
  EXPECT_EQ(ZanCreateSendstrBomHead(8, &out), 7);
  ASSERT_EQ(Create(8), 0);
  Writes(8, "OUTB", {"Q"});
  ASSERT_EQ(ZanCreateSendstrBomHead(8, &out), 0);
  EXPECT_STREQ(out, "   Q ");
  EXPECT_EQ(ZanCreateSendstrBomHead(7, &out), 7);
}

TEST_F(TablesTest, EachExportAnswersAnAbsentTableWithItsOwnCode) {
  struct Row {
    int32_t type, fill, get, write, modify, remove, describe, byPosition;
  };
  const std::initializer_list<Row> rows = {
      {1, 61, 38, 48, 51, 38, 17, 25},   {2, 61, 39, 49, 52, 39, 16, 24},
      {3, 61, 40, 49, 52, 40, 15, 23},   {4, 61, 999, 49, 52, 999, 15, 25},
      {5, 61, 999, 49, 52, 40, 999, 25}, {6, 61, 999, 48, 52, 40, 999, 25},
      {7, 61, 999, 49, 52, 40, 999, 25}, {8, 61, 999, 49, 52, 40, 999, 25},
      {10, 3, 59, 59, 3, 59, 999, 3},    {9, 3, 3, 3, 3, 3, 3, 3}};
  for (const Row& r : rows) {
    SCOPED_TRACE("type " + std::to_string(r.type));
    EXPECT_EQ(Fill(r.type, "AAABB", 5), r.fill);
    EXPECT_EQ(Get(r.type, "MATNR", 1).first, r.get);
    EXPECT_EQ(Write(r.type, "MATNR", "X", 0), r.write);
    EXPECT_EQ(Modify(r.type, "MATNR", "X", 1), r.modify);
    EXPECT_EQ(ZanDeleteTableEntry(r.type, 1), r.remove);
    EXPECT_EQ(Count(r.type).first, r.describe);
    EXPECT_EQ(At(r.type, 1).first, r.byPosition);
  }
}

TEST_F(TablesTest, GetTableValueFindsFieldsAndTrimsByType) {
  ASSERT_EQ(CreateFill(2, " AB X", 5), 0);
  ASSERT_EQ(CreateFill(5, " CD Y", 5), 0);

  // Blanks and tabs leave the caller's name for good.
  Arg name(" MAT\tN R ");
  char* value = nullptr;
  EXPECT_EQ(ZanGetTableValue(2, name.get(), 1, &value), 0);
  EXPECT_STREQ(value, "AB");
  EXPECT_EQ(name.str(), "MATNR");

  EXPECT_EQ(Get(5, "MATNR", 1), (Got{0, "AB"}));   // type 2 first, trimmed
  EXPECT_EQ(Get(6, "MATNR", 1), (Got{0, " CD"}));  // type 5, untrimmed
  ASSERT_EQ(Create(2, "ZERO "), 0);
  EXPECT_EQ(Get(5, "MATNR", 1), (Got{0, " CD"}));  // now found in type 5 only
  EXPECT_EQ(Get(5, "Z1", 1), (Got{-2, ""}));

  ASSERT_EQ(CreateFill(1, " EF Z", 5), 0);
  ASSERT_EQ(CreateFill(3, " GH Z", 5), 0);
  ASSERT_EQ(CreateFill(7, " IJ Z", 5), 0);
  ASSERT_EQ(CreateFill(8, " KL Z", 5), 0);
  EXPECT_EQ(Get(1, "OUTA", 1), (Got{0, "EF"}));
  EXPECT_EQ(Get(3, "MATNR", 1), (Got{0, "GH"}));
  EXPECT_EQ(Get(7, "OUTA", 1), (Got{0, " IJ"}));
  EXPECT_EQ(Get(8, "OUTB", 1), (Got{0, " Z"}));
  EXPECT_EQ(Get(8, "OUTA", 0), (Got{-3, ""}));
  EXPECT_EQ(Get(3, "NOPE", 1), (Got{41, ""}));
  EXPECT_EQ(Get(6, "OUTA", 1), (Got{41, ""}));  // type 6 does not read the send table

  ASSERT_EQ(Create(1, "BIG  "), 0);
  ASSERT_EQ(Write(1, "WIDE", std::string(300, 'W'), 0), 0);
  EXPECT_EQ(Get(1, "WIDE", 1), (Got{0, std::string(255, 'W')}));
}

TEST_F(TablesTest, WriteTableValueCutsReplacesAndAppends) {
  ASSERT_EQ(Create(1), 0);
  Arg name("OUTA  "), value("ABCDEFGH");
  EXPECT_EQ(ZanWriteTableValue(1, name.get(), value.get(), 0), 0);
  EXPECT_EQ(value.str(), "ABC");  // cut to the field length in place
  EXPECT_EQ(Get(1, "OUTA", 1), (Got{0, "ABC"}));
  EXPECT_EQ(Write(1, "OUTA", "XY", 7), 0);  // appended as record 2
  EXPECT_EQ(Get(1, "OUTA", 2), (Got{0, "XY"}));
  EXPECT_EQ(Count(1), (Got{0, "2"}));
  EXPECT_EQ(Write(1, "OUTA", "NEW", 0), 0);  // record 0 replaces every value
  EXPECT_EQ(Count(1), (Got{0, "1"}));
  EXPECT_EQ(Get(1, "OUTA", 1), (Got{0, "NEW"}));

  EXPECT_EQ(Write(1, " OUTA", "X", 0), 50);  // only trailing blanks are dropped
  EXPECT_EQ(Write(1, "NOPE", "X", 0), 50);
  EXPECT_EQ(ZanWriteTableValue(1, nullptr, value.get(), 0), 71);
  EXPECT_EQ(ZanWriteTableValue(1, name.get(), nullptr, 0), 71);

  // Stored names lose their blanks for good as they are compared.
  ASSERT_EQ(Create(2, "MNR  "), 0);
  EXPECT_EQ(Get(2, "MAT NR", 1).first, 41);
  EXPECT_EQ(At(2, 1), (Got{0, "A B="}));
  EXPECT_EQ(Write(2, "MATNR ", "12345678", 0), 0);
  EXPECT_EQ(At(2, 1), (Got{0, "AB="}));
  EXPECT_EQ(At(2, 2), (Got{0, "MATNR=12345"}));
  EXPECT_EQ(Get(2, "MAT NR", 1), (Got{0, "12345"}));
}

TEST_F(TablesTest, ModifyTableValueReplacesOneExistingValue) {
  EXPECT_EQ(Modify(9, "X", "V", 0), 0);  // record 0 is looked at before the type
  ASSERT_EQ(CreateFill(2, "AAABBCCCDD", 10), 0);
  EXPECT_EQ(Modify(2, "MATNR", "Z", 0), 0);
  Arg name("MATNR"), value(" XYZW");
  EXPECT_EQ(ZanModifyTableValue(2, name.get(), value.get(), 2), 0);
  EXPECT_EQ(value.str(), "XY");  // cut to 3, then trimmed, in place
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{0, "AAA"}));
  EXPECT_EQ(Get(2, "MATNR", 2), (Got{0, "XY"}));
  EXPECT_EQ(Count(2), (Got{0, "2"}));
  EXPECT_EQ(Modify(2, "MATNR", "Q", 3), 53);
  EXPECT_EQ(Modify(2, "MATNR", "Q", -1), 53);
  EXPECT_EQ(Modify(2, "NOPE", "Q", 1), 0);
  EXPECT_EQ(Modify(2, "MATNR ", "Q", 1), 0);  // the name is taken as given
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{0, "AAA"}));
  EXPECT_EQ(ZanModifyTableValue(2, name.get(), nullptr, 1), 78);

  // The given name never matches with a blank, but stored names lose theirs.
  ASSERT_EQ(CreateFill(2, "AB12345", 7, "MNR  "), 0);
  EXPECT_EQ(Modify(2, "MAT NR", "X", 1), 0);
  EXPECT_EQ(At(2, 1), (Got{0, "AB=AB"}));
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{0, "12345"}));
  EXPECT_EQ(Modify(2, "MATNR", "NEW", 1), 0);
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{0, "NEW"}));
}

TEST_F(TablesTest, DeleteTableEntryClosesUpEveryField) {
  ASSERT_EQ(CreateFill(2, "AAABBCCCDDEEEFF", 15), 0);
  for (int32_t record : {0, -1, 4}) EXPECT_EQ(ZanDeleteTableEntry(2, record), 0);
  EXPECT_EQ(Count(2), (Got{0, "3"}));

  EXPECT_EQ(ZanDeleteTableEntry(2, 2), 0);
  EXPECT_EQ(Count(2), (Got{0, "2"}));
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{0, "AAA"}));
  EXPECT_EQ(Get(2, "MATNR", 2), (Got{0, "EEE"}));
  EXPECT_EQ(Get(2, "QTY", 2), (Got{0, "FF"}));
  EXPECT_EQ(Get(2, "QTY", 3).first, -3);
  EXPECT_EQ(ZanDeleteTableEntry(2, 3), 0);  // beyond the count now
  EXPECT_EQ(ZanDeleteTableEntry(2, 1), 0);
  EXPECT_EQ(ZanDeleteTableEntry(2, 1), 0);
  EXPECT_EQ(Count(2), (Got{0, "0"}));
  EXPECT_EQ(Get(2, "MATNR", 1), (Got{-2, ""}));

  // A field without a value at that record keeps what it has.
  ASSERT_EQ(CreateFill(2, "AAABBCCC", 8), 0);
  EXPECT_EQ(ZanDeleteTableEntry(2, 2), 0);
  EXPECT_EQ(Count(2), (Got{0, "1"}));
  EXPECT_EQ(Get(2, "QTY", 1), (Got{0, "BB"}));

  // The count comes from the first field with values; beyond it nothing goes,
  // even where a later field has a value.
  ASSERT_EQ(Create(1), 0);
  Writes(1, "OUTA", {"A"});
  Writes(1, "OUTB", {"B1", "B2"});
  EXPECT_EQ(ZanDeleteTableEntry(1, 2), 0);
  EXPECT_EQ(Get(1, "OUTB", 2), (Got{0, "B2"}));

  // Type 6 counts the characteristic bar, which is empty: nothing goes.
  ASSERT_EQ(CreateFill(1, "AAABB", 5), 0);
  EXPECT_EQ(ZanDeleteTableEntry(6, 1), 0);
  EXPECT_EQ(Count(1), (Got{0, "1"}));
  EXPECT_EQ(ZanDeleteTableEntry(1, 1), 0);
  EXPECT_EQ(Count(1), (Got{0, "0"}));
}

TEST_F(TablesTest, GetAttributNameValueReadsByPosition) {
  ASSERT_EQ(CreateFill(2, "AAA BCCCDD", 10), 0);
  char name[16];
  std::memset(name, '#', sizeof name);
  char* value = nullptr;
  ASSERT_EQ(ZanGetAttributNameValue(2, 2, 1, name, &value), 0);
  EXPECT_STREQ(name, "QTY");
  EXPECT_STREQ(value, "B");  // trimmed
  EXPECT_EQ(std::string(name + 12, 4), "####");  // 12 bytes written, no more

  EXPECT_EQ(At(2, 1, 2), (Got{0, "MATNR=CCC"}));
  EXPECT_EQ(At(2, 1, 3), (Got{0, "MATNR="}));  // no such record
  EXPECT_EQ(At(2, 1, 0), (Got{26, "MATNR=(none)"}));
  EXPECT_EQ(At(2, 3).first, 26);
  EXPECT_EQ(At(2, 0).first, 26);

  ASSERT_EQ(CreateFill(7, " IJ Z", 5), 0);
  EXPECT_EQ(At(7, 1), (Got{0, "OUTA=IJ"}));  // trimmed, unlike ZanGetTableValue
  EXPECT_EQ(Count(7), (Got{0, "1"}));
}

TEST_F(TablesTest, GetAttributNameReadsDefinitionLinesAsTheyStand) {
  AttributeRecord rec;
  ASSERT_EQ(Attribute(2, "MAT  ", 1, rec), 0);
  EXPECT_STREQ(rec.setName, "SETD   ");
  EXPECT_STREQ(rec.fieldName, "MATNR");
  EXPECT_STREQ(rec.length, "3  ");
  EXPECT_EQ(std::string(rec.description), kLongDescription.substr(0, 40));
  ASSERT_EQ(Attribute(2, "MAT  ", 2, rec), 0);
  EXPECT_STREQ(rec.fieldName, "QTY");
  EXPECT_STREQ(rec.length, " 2");
  EXPECT_STREQ(rec.description, "");
  EXPECT_EQ(Attribute(2, "MAT  ", 3, rec), 57);
  EXPECT_EQ(Attribute(2, "MAT  ", 0, rec), 57);
  ASSERT_EQ(Attribute(1, "MAT  ", 1, rec), 0);
  EXPECT_STREQ(rec.fieldName, "OUTA");

  // No name and key: every definition line counts, comments and empty lines not.
  ASSERT_EQ(Attribute(1, "", 1, rec), 0);
  EXPECT_STREQ(rec.setName, "SETC   ");
  EXPECT_STREQ(rec.fieldName, "WRONG");
  ASSERT_EQ(Attribute(1, "", 2, rec), 0);
  EXPECT_STREQ(rec.fieldName, "MATNR");
  ASSERT_EQ(Attribute(2, "", 11, rec), 0);
  EXPECT_STREQ(rec.setName, "NAMES  ");
  EXPECT_STREQ(rec.fieldName, "MAT NR");
  EXPECT_EQ(Attribute(2, "", 12, rec), 57);

  EXPECT_EQ(Attribute(3, "MAT  ", 1, rec), 3);
  EXPECT_EQ(Attribute(2, "MAT", 1, rec), 1);
  EXPECT_EQ(Attribute(2, "MAT  ", 1, rec, nullptr, dir_.file("missing.dat")), 56);

  // By field name, within the set.
  ASSERT_EQ(Attribute(2, "MAT  ", 0, rec, "QTY"), 0);
  EXPECT_STREQ(rec.setName, "SETD   ");
  EXPECT_STREQ(rec.length, " 2");
  EXPECT_EQ(Attribute(2, "MAT  ", 0, rec, "OUTA"), 58);     // another set's field
  EXPECT_EQ(Attribute(2, "MAT  ", 0, rec, "COMMENT"), 58);  // a comment line
  EXPECT_EQ(Attribute(2, "MAT  ", 0, rec, "QTY "), 58);     // compared exactly
  EXPECT_EQ(Attribute(2, "MAT", 0, rec, "QTY"), 58);
  EXPECT_EQ(Attribute(3, "MAT  ", 0, rec, "QTY"), 58);
  EXPECT_EQ(Attribute(2, "MAT  ", 0, rec, "QTY", dir_.file("missing.dat")), 58);
}

TEST_F(TablesTest, ValuesCountsAndDeletionsShareTheValueBuffer) {
  ASSERT_EQ(CreateFill(2, "AAABBCCCDD", 10), 0);
  Arg name("MATNR");
  char* value = nullptr;
  char* count = nullptr;
  ASSERT_EQ(ZanGetTableValue(2, name.get(), 2, &value), 0);
  ASSERT_EQ(ZanDescribeTable(2, &count), 0);
  ASSERT_EQ(value, count);
  EXPECT_STREQ(value, "2");

  char field[12];
  char* byPosition = nullptr;
  ASSERT_EQ(ZanGetAttributNameValue(2, 1, 1, field, &byPosition), 0);
  ASSERT_EQ(byPosition, count);
  EXPECT_STREQ(count, "AAA");
  // Short texts keep the buffer in place, so the address still shows what
  // the deletion left there: the count taken before it.
  ASSERT_EQ(ZanDeleteTableEntry(2, 1), 0);
  EXPECT_STREQ(count, "2");
}

}  // namespace
}  // namespace kelmod_test
