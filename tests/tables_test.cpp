// Generic record tables driven through kelmod.h: layouts from real description
// files, fixed-width and separator-terminated fills, send strings and value
// access by name, position and record number.
#include <climits>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Got = std::pair<int32_t, std::string>;
using Codes = std::vector<int32_t>;  // codes of calls made in order
using Gots = std::vector<Got>;

// Name at column 3, key 10, direction 14, set 17 (7 wide, taken as it stands);
// lines that match in name only, or in name and key only, and an empty line
// come before the one of direction D.
const char* const kIndex =
    "* MAT    01  D  SETC   \n"
    "\n"
    "  MAT    02  D  EMPTY  \n"
    "  MAT    01  U  SETU   \n"
    "  MAT    01  D  SETD   \n"
    "  ZERO   01  D  ZERO   \n"
    "  ZERO   02  D  ALLZERO\n"
    "  BIG    01  U  BIG    \n"
    "  MNR    01  D  NAMES  \n"
    "  TWICE  01  D  TWICE  \n"
    "  LONG   01  D  LONG   \n";
// Set at column 3, field 11, length 30, description 33: sets SETD and SETU
// interleaved, with a comment, an empty line and a line too short to hold a
// set name between.
const char* const kDefs =
    "* SETD    COMMENT            9\r\n"
    "  SETC    WRONG              3\r\n"
    "  SETD    MATNR              3   Material number of the part, cut after forty columns\r\n"
    "  SETU    OUTA               3\r\n"
    "\r\n"
    " x\r\n"
    "  SETD    QTY                 2\r\n"
    "  SETU    OUTB               2\r\n"
    "  ZERO    Z1                    \r\n"
    "  ZERO    Z2                  8\r\n"
    "  ALLZERO NONE                  \r\n"
    "  BIG     WIDE               300\r\n"
    "  NAMES   A B                2\r\n"
    "  NAMES   MAT NR             5\r\n"
    "  TWICE   SAME               1   first\r\n"
    "  TWICE   SAME               2   second\r\n"
    "  LONG    AB                 1\r\n"
    "  LONG    AC                 1\r\n"
    "  LONG    ABCDEF             1\r\n"
    "  LONG    XBCDEF             1\r\n"
    "  LONG    ABCDEG             1\r\n"
    "  LONG    ABCDEFGHIJ         1\r\n"
    "  LONG    XBCDEFGHIJ         1\r\n"
    "  LONG    ABCDEFGHIK         1\r\n"
    "  LONG    ABCDEFGH           1\r\n";

class TablesTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    index_ = dir_.write("index.dat", kIndex);
    defs_ = dir_.write("defs.dat", kDefs);
  }
  // A table index file with the fields F4A (3) and F4B (2) for direction D,
  // name 'MAT' and key '01', among lines that must not be taken.
  void UseIndexTable() {
    Arg path(dir_.write("kelmtab.dat", "D xyz MAT   01 SET4    F4A        3\n"
                                       "U xyz MAT   01 SET4    UPONLY     4\n"
                                       "D xyz MAT   02 SET4    OTHER      4\n"
                                       "* xyz MAT   01 SET4    STAR       4\n"
                                       "D xyz MAT   01 SET4     F4B        2\n"));
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
  static void Writes(int32_t type, const std::string& field, std::initializer_list<const char*> v) {
    int32_t record = 0;
    for (const char* value : v) ASSERT_EQ(Write(type, field, value, record++), 0) << value;
  }

  // The code and the text handed back ("(none)" when no address was set).
  static Got Result(int32_t rc, char* const& text) { return {rc, text ? text : "(none)"}; }
  static Got Get(int32_t type, const std::string& field, int32_t record) {
    char* value = nullptr;
    return Result(ZanGetTableValue(type, Arg(field).get(), record, &value), value);
  }
  static Got Count(int32_t t) { char* n = nullptr; return Result(ZanDescribeTable(t, &n), n); }
  static Got Send() { char* out = nullptr; return Result(ZanCreateSendstr(&out), out); }
  // "name=value" of a field by position.
  static Got At(int32_t type, int32_t field, int32_t record = 1) {
    char name[12] = "(none)";
    char* value = nullptr;
    const Got got = Result(ZanGetAttributNameValue(type, field, record, name, &value), value);
    return {got.first, std::string(name) + "=" + got.second};
  }
  // The whole table as "count|FIELD=value,value|...": each field found by
  // position, its values by name, record after record.
  static std::string Dump(int32_t type) {
    std::string out = Count(type).second;
    char name[12];
    char* value = nullptr;
    for (int32_t f = 1; ZanGetAttributNameValue(type, f, 1, name, &value) == 0; ++f) {
      out += std::string("|") + name + "=";
      for (int32_t r = 1; Get(type, name, r).first == 0; ++r)
        out += (r > 1 ? "," : "") + Get(type, name, r).second;
    }
    return out;
  }
  // ZanGetAttributName for n, or ZanSearchAttribut when a field name is
  // given; the record as "set|field|length|description".
  Got Attribute(int32_t direction, const std::string& name, int32_t n, const char* field = nullptr,
                const std::string& defs = "") {
    Arg nm(name), k(name.empty() ? "" : "01"), i(index_), d(defs.empty() ? defs_ : defs);
    AttributeRecord r;
    std::memset(&r, 0, sizeof r);
    const int32_t rc =
        field ? ZanSearchAttribut(direction, nm.get(), k.get(), i.get(), d.get(), Arg(field).get(),
                                  &r)
              : ZanGetAttributName(direction, nm.get(), k.get(), i.get(), d.get(), n, &r);
    return {rc, std::string(r.setName) + "|" + r.fieldName + "|" + r.length + "|" + r.description};
  }

  std::string index_, defs_;
};

TEST_F(TablesTest, LayoutComesFromTheSetIndexAndTheDefinitionLinesInFileOrder) {
  Arg n("MAT  "), k("01"), missing(dir_.file("missing.dat")), d(defs_);
  // The name column holds 'MAT' and two blanks; the key is compared whole.
  EXPECT_EQ((Codes{Create(2, "MAT"), Create(2, "MAT  ", "1"),
                   ZanCreateTable(2, n.get(), k.get(), missing.get(), d.get())}),
            (Codes{1, 1, 1}));
  // Direction D takes SETD, not the commented-out SETC, without its comment
  // line; lengths '3' and ' 2'.
  ASSERT_EQ(Create(2), 0);
  ASSERT_EQ(Fill(2, "AAABB", 5), 0);
  EXPECT_EQ(Dump(2), "1|MATNR=AAA|QTY=BB");
  // A blank length column is 0, ' 8' is 8; the zero-wide first field still
  // fits at position 9 and starts record 2.
  ASSERT_EQ(CreateFill(2, "12345678", 8, "ZERO "), 0);
  EXPECT_EQ(Dump(2), "2|Z1=,|Z2=12345678");
}

TEST_F(TablesTest, TableIndexFileGivesTypeFourItsTrimmedDirectionDFields) {
  EXPECT_EQ(Create(4, "MAT"), 60);  // the configured file does not exist
  EXPECT_EQ(Count(4).first, 15);
  UseIndexTable();
  ASSERT_EQ(Create(4, "MAT"), 0);  // 'MAT  ' in the file matches 'MAT'
  ASSERT_EQ(Fill(4, "AAABB", 5), 0);  // filled fixed width by lengths 3 and ' 2'
  EXPECT_EQ(Dump(4), "1|F4A=AAA|F4B=BB");  // no U line, no other key, no '*' line
  ASSERT_EQ(Create(3), 0);  // types 3 and 4 share one table
  EXPECT_EQ(Dump(4), "0|MATNR=|QTY=");
}

TEST_F(TablesTest, CreateTableCodesAndWhatIsLeftAfterwards) {
  EXPECT_EQ((Codes{Create(9), Create(0)}), (Codes{3, 3}));
  Arg n("MAT  "), k("01"), i(index_), d(defs_), missing(dir_.file("missing.dat"));
  // An unknown name or a null definition file: the old table is gone all the same.
  ASSERT_EQ(CreateFill(2, "AAABB", 5), 0);
  EXPECT_EQ(Create(2, "NONE "), 1);
  EXPECT_EQ(Count(2).first, 16);
  ASSERT_EQ(CreateFill(2, "AAABB", 5), 0);
  EXPECT_EQ(ZanCreateTable(2, n.get(), k.get(), i.get(), nullptr), 2);
  EXPECT_EQ(Count(2).first, 16);
  // Null name or key, or a null data string: nothing is released or created.
  ASSERT_EQ(CreateFill(2, "AAABB", 5), 0);
  EXPECT_EQ((Codes{ZanCreateTable(2, nullptr, k.get(), i.get(), d.get()),
                   ZanCreateTable(4, n.get(), nullptr, i.get(), d.get()),
                   ZanCreateFillTable(2, n.get(), k.get(), i.get(), d.get(), nullptr, 5)}),
            (Codes{78, 78, 4}));
  EXPECT_EQ(Count(2), (Got{0, "1"}));
  // A set without definition lines, or a missing definition file, is an
  // empty table: created, but nothing to fill.
  EXPECT_EQ((Codes{Create(2, "MAT  ", "02"), Count(2).first, Fill(2, "AAABB", 5),
                   CreateFill(2, "AAABB", 5, "MAT  ", "02"),
                   CreateFill(2, "AAABB", 0, "MAT  ", "02"),
                   ZanCreateTable(2, n.get(), k.get(), i.get(), missing.get()), Count(2).first}),
            (Codes{0, 16, 61, 4, 0, 0, 16}));
}

TEST_F(TablesTest, FixedWidthFillsFollowTheFieldLengthsAndNeverReadPastTheString) {
  const struct {
    std::vector<std::pair<std::string, int32_t>> fills;
    std::string table;
  } cases[] = {
      {{{"AAABBCCCDD", 10}}, "2|MATNR=AAA,CCC|QTY=BB,DD"},
      {{{"AAABBCCCDD", 9}}, "2|MATNR=AAA,CCC|QTY=BB"},  // record 2 cut short
      {{{"EEEFF", 5}, {"GGGHH", 5}}, "2|MATNR=EEE,GGG|QTY=FF,HH"},  // a fill appends
      {{{"AAABBCCC", INT32_MAX}}, "2|MATNR=AAA,CCC|QTY=BB,"},  // present, but empty
      {{{"AAABB", INT32_MAX}}, "1|MATNR=AAA|QTY=BB"},  // ends on a record boundary
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.table);
    ASSERT_EQ(Create(2), 0);
    for (const auto& [data, length] : c.fills) ASSERT_EQ(Fill(2, data, length), 0);
    EXPECT_EQ(Dump(2), c.table);
  }
  EXPECT_EQ((Codes{Fill(2, "III", 0), Fill(2, "III", -1), ZanFillTable(2, nullptr, 5),
                   Fill(9, "III", 3)}),
            (Codes{62, 62, 78, 3}));
  EXPECT_EQ(Count(2), (Got{0, "1"}));
  // Trailing blanks go, leading blanks stay (type 6 reads type 5 untrimmed).
  ASSERT_EQ(CreateFill(5, " A  B", 5), 0);
  EXPECT_EQ((Gots{Count(5), Get(6, "MATNR", 1), Get(6, "QTY", 1)}),
            (Gots{{0, "1"}, {0, " A"}, {0, " B"}}));
  // Fields that are all zero wide: nothing is stored, nothing hangs.
  ASSERT_EQ(CreateFill(2, "ABC", 3, "ZERO ", "02"), 0);
  ASSERT_EQ(Fill(2, "ABC", INT32_MAX), 0);
  EXPECT_EQ(Count(2), (Got{0, "0"}));
}

TEST_F(TablesTest, TypeFourParsesSeparatorTerminatedValues) {
  UseIndexTable();
  ASSERT_EQ(CreateFill(4, "X;Y;", 4, "MAT"), 0);
  EXPECT_EQ(Count(4), (Got{0, "0"}));  // no interface record: no value is ever terminated
  UseSeparator(';');
  ASSERT_EQ(CreateFill(4, "X;Y;Z", 5, "MAT"), 0);
  EXPECT_EQ(Dump(4), "1|F4A=X|F4B=Y");  // 'Z' is not terminated
  ASSERT_EQ(CreateFill(4, "LONGER;YES;", 11, "MAT"), 0);
  EXPECT_EQ(Dump(4), "1|F4A=LON|F4B=YE");  // cut to the field lengths
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
  Writes(1, "OUTA", {"A", "CCCC"});
  Writes(1, "OUTB", {"BB", "D"});
  EXPECT_EQ(Send(), (Got{0, "A  BBCCCD "}));
  ASSERT_EQ(Create(1), 0);  // a field with fewer values contributes blanks
  Writes(1, "OUTA", {"A", "C"});
  Writes(1, "OUTB", {"B"});
  EXPECT_EQ(Send(), (Got{0, "A  B C    "}));
  // Type 6 replaces the send table; the record count comes from the first
  // field that has values, but type 6 counts the characteristic bar instead.
  ASSERT_EQ(Create(6), 0);
  Writes(6, "OUTB", {"1", "2", "3"});
  EXPECT_EQ((Gots{Send(), Count(1)}), (Gots{{0, "   1    2    3 "}, {0, "3"}}));
  EXPECT_EQ(Count(6).first, 999);
  // Fields wider than 256 are still padded or cut to their full length; a
  // value read back is cut to 255.
  ASSERT_EQ(Create(1, "BIG  "), 0);
  ASSERT_EQ(Write(1, "WIDE", std::string(300, 'W'), 0), 0);
  EXPECT_EQ(Send(), (Got{0, std::string(255, 'W') + std::string(45, ' ')}));
  EXPECT_EQ(Get(1, "WIDE", 1), (Got{0, std::string(255, 'W')}));
  ASSERT_EQ(Write(1, "WIDE", "S", 0), 0);
  EXPECT_EQ(Send(), (Got{0, "S" + std::string(299, ' ')}));

  char* out = nullptr;
  EXPECT_EQ((Codes{ZanCreateSendstrBomHead(5, &out), ZanCreateSendstrBomHead(8, &out)}),
            (Codes{8, 7}));
  EXPECT_EQ(out, nullptr);  // a refused call hands out nothing
  ASSERT_EQ(Create(8), 0);
  Writes(8, "OUTB", {"Q"});
  ASSERT_EQ(ZanCreateSendstrBomHead(8, &out), 0);
  EXPECT_STREQ(out, "   Q ");
  out = nullptr;
  EXPECT_EQ(ZanCreateSendstrBomHead(7, &out), 7);
  EXPECT_EQ(out, nullptr);
}

// A table filled in one go is stored packed; the first delete or change
// turns it into the general form without changing what reads back.
TEST_F(TablesTest, FilledTablesReadTheSameAfterDeletesChangesAndRefills) {
  ASSERT_EQ(CreateFill(2, "AAABBCCCDDEEEFF", 15), 0);
  ASSERT_EQ(ZanDeleteTableEntry(2, 2), 0);
  EXPECT_EQ(Count(2), Got(0, "2"));
  EXPECT_EQ(Get(2, "MATNR", 2), Got(0, "EEE"));
  EXPECT_EQ(Get(2, "QTY", 2), Got(0, "FF"));
  ASSERT_EQ(Modify(2, "MATNR", "X", 2), 0);
  EXPECT_EQ(Get(2, "MATNR", 2), Got(0, "X"));
  EXPECT_EQ(Get(2, "MATNR", 1), Got(0, "AAA"));
  // Filled again, the table holds the new records only.
  ASSERT_EQ(CreateFill(2, "UUUVVWWWXX", 10), 0);
  EXPECT_EQ(Count(2), Got(0, "2"));
  EXPECT_EQ(Get(2, "MATNR", 2), Got(0, "WWW"));
  EXPECT_EQ(Get(2, "QTY", 3), Got(-3, ""));
  // A send table created again builds a string of its own records only.
  ASSERT_EQ(Create(1), 0);
  Writes(1, "OUTA", {"a1", "a2", "a3"});
  Writes(1, "OUTB", {"b1", "b2", "b3"});
  EXPECT_EQ(Send(), Got(0, "a1 b1a2 b2a3 b3"));
  ASSERT_EQ(Create(1), 0);
  Writes(1, "OUTA", {"z"});
  EXPECT_EQ(Send(), Got(0, "z    "));
}

TEST_F(TablesTest, EachExportAnswersAnAbsentTableWithItsOwnCode) {
  const struct {
    int32_t type, fill, get, write, modify, remove, describe, byPosition;
  } rows[] = {{1, 61, 38, 48, 51, 38, 17, 25},   {2, 61, 39, 49, 52, 39, 16, 24},
              {3, 61, 40, 49, 52, 40, 15, 23},   {4, 61, 999, 49, 52, 999, 15, 25},
              {5, 61, 999, 49, 52, 40, 999, 25}, {6, 61, 999, 48, 52, 40, 999, 25},
              {7, 61, 999, 49, 52, 40, 999, 25}, {8, 61, 999, 49, 52, 40, 999, 25},
              {10, 3, 59, 59, 3, 59, 999, 3},    {9, 3, 3, 3, 3, 3, 3, 3}};
  for (const auto& r : rows) {
    SCOPED_TRACE("type " + std::to_string(r.type));
    EXPECT_EQ((Codes{Fill(r.type, "AAABB", 5), Get(r.type, "MATNR", 1).first,
                     Write(r.type, "MATNR", "X", 0), Modify(r.type, "MATNR", "X", 1),
                     ZanDeleteTableEntry(r.type, 1), Count(r.type).first, At(r.type, 1).first}),
              (Codes{r.fill, r.get, r.write, r.modify, r.remove, r.describe, r.byPosition}));
  }
}

TEST_F(TablesTest, FieldNamesThatDifferInOneByteAreToldApart) {
  // Names of 2, 6, 8 and 10 characters, each differing from another of its
  // length in its first or its last byte only.
  const char* const names[] = {"AB",         "AC",         "ABCDEF",     "XBCDEF",  "ABCDEG",
                               "ABCDEFGHIJ", "XBCDEFGHIJ", "ABCDEFGHIK", "ABCDEFGH"};
  ASSERT_EQ(CreateFill(2, "123456789", 9, "LONG "), 0);
  Gots got, want;
  for (int i = 0; i < 9; ++i) {
    got.push_back(Get(2, names[i], 1));
    want.push_back({0, std::string(1, static_cast<char>('1' + i))});
  }
  EXPECT_EQ(got, want);
  // The write rule finds them the same way.
  for (int i = 0; i < 9; ++i) ASSERT_EQ(Write(2, names[i], std::string(1, 'a' + i), 0), 0);
  got.clear();
  want.clear();
  for (int i = 0; i < 9; ++i) {
    got.push_back(Get(2, names[i], 1));
    want.push_back({0, std::string(1, static_cast<char>('a' + i))});
  }
  EXPECT_EQ(got, want);
  EXPECT_EQ((Codes{Get(2, "ABCDEFGHIZ", 1).first, Get(2, "ABCDEFGHI", 1).first,
                   Get(2, "ABCDEZ", 1).first, Write(2, "ZBCDEFGH", "x", 0), Write(2, "AD", "x", 0)}),
            (Codes{41, 41, 41, 50, 50}));
}

TEST_F(TablesTest, GetTableValueFindsFieldsAndTrimsByType) {
  ASSERT_EQ(CreateFill(2, " AB X", 5), 0);
  ASSERT_EQ(CreateFill(5, " CD Y", 5), 0);
  Arg name(" MAT\tN R ");  // blanks and tabs leave the caller's name for good
  char* value = nullptr;
  EXPECT_EQ(Result(ZanGetTableValue(2, name.get(), 1, &value), value), (Got{0, "AB"}));
  EXPECT_EQ(name.str(), "MATNR");
  // Type 5 looks in type 2 first, trimmed; type 6 reads type 5 untrimmed.
  EXPECT_EQ((Gots{Get(5, "MATNR", 1), Get(6, "MATNR", 1)}), (Gots{{0, "AB"}, {0, " CD"}}));
  ASSERT_EQ(Create(2, "ZERO "), 0);
  EXPECT_EQ((Gots{Get(5, "MATNR", 1), Get(5, "Z1", 1)}), (Gots{{0, " CD"}, {-2, ""}}));
  ASSERT_EQ((Codes{CreateFill(1, " EF Z", 5), CreateFill(3, " GH Z", 5), CreateFill(7, " IJ Z", 5),
                   CreateFill(8, " KL Z", 5)}),
            (Codes{0, 0, 0, 0}));
  // Types 1 and 3 trim, 7 and 8 do not; type 6 does not read the send table.
  EXPECT_EQ((Gots{Get(1, "OUTA", 1), Get(3, "MATNR", 1), Get(7, "OUTA", 1), Get(8, "OUTB", 1),
                  Get(8, "OUTA", 0), Get(3, "NOPE", 1), Get(3, "", 1), Get(6, "OUTA", 1)}),
            (Gots{{0, "EF"}, {0, "GH"}, {0, " IJ"}, {0, " Z"}, {-3, ""}, {41, ""}, {41, ""},
                  {41, ""}}));
}

TEST_F(TablesTest, WriteTableValueCutsReplacesAndAppends) {
  ASSERT_EQ(Create(1), 0);
  Arg name("OUTA  "), value("ABCDEFGH");
  EXPECT_EQ(ZanWriteTableValue(1, name.get(), value.get(), 0), 0);
  EXPECT_EQ(value.str(), "ABC");  // cut to the field length in place
  EXPECT_EQ(Write(1, "OUTA", "XY", 7), 0);  // appended as record 2
  EXPECT_EQ(Dump(1), "2|OUTA=ABC,XY|OUTB=");
  EXPECT_EQ(Write(1, "OUTA", "NEW", 0), 0);  // record 0 replaces every value
  EXPECT_EQ(Dump(1), "1|OUTA=NEW|OUTB=");
  // Only trailing blanks are dropped from the name.
  EXPECT_EQ((Codes{Write(1, " OUTA", "X", 0), Write(1, "NOPE", "X", 0),
                   ZanWriteTableValue(1, nullptr, value.get(), 0),
                   ZanWriteTableValue(1, name.get(), nullptr, 0)}),
            (Codes{50, 50, 71, 71}));
}

TEST_F(TablesTest, ModifyTableValueReplacesOneExistingValue) {
  EXPECT_EQ(Modify(9, "X", "V", 0), 0);  // record 0 is looked at before the type
  ASSERT_EQ(CreateFill(2, "AAABBCCCDD", 10), 0);
  EXPECT_EQ(Modify(2, "MATNR", "Z", 0), 0);
  Arg name("MATNR"), value(" XYZW");
  EXPECT_EQ(ZanModifyTableValue(2, name.get(), value.get(), 2), 0);
  EXPECT_EQ(value.str(), "XY");  // cut to 3, then trimmed, in place
  // Records out of range, and names taken as given: nothing changes.
  EXPECT_EQ((Codes{Modify(2, "MATNR", "Q", 3), Modify(2, "MATNR", "Q", -1),
                   Modify(2, "NOPE", "Q", 1), Modify(2, "MATNR ", "Q", 1),
                   ZanModifyTableValue(2, name.get(), nullptr, 1)}),
            (Codes{53, 53, 0, 0, 78}));
  EXPECT_EQ(Dump(2), "2|MATNR=AAA,XY|QTY=BB,DD");
}

TEST_F(TablesTest, StoredFieldNamesLoseTheirBlanksAsTheyAreCompared) {
  ASSERT_EQ(Create(2, "MNR  "), 0);
  EXPECT_EQ(Get(2, "MAT NR", 1).first, 41);
  EXPECT_EQ(At(2, 1), (Got{0, "A B="}));
  EXPECT_EQ(Write(2, "MATNR ", "12345678", 0), 0);
  EXPECT_EQ(At(2, 1), (Got{0, "AB="}));
  EXPECT_EQ(At(2, 2), (Got{0, "MATNR=12345"}));
  EXPECT_EQ(Get(2, "MAT NR", 1), (Got{0, "12345"}));
  // A name given to Modify never matches with a blank.
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
  EXPECT_EQ(Dump(2), "2|MATNR=AAA,EEE|QTY=BB,FF");
  for (int32_t record : {3, 1, 1}) EXPECT_EQ(ZanDeleteTableEntry(2, record), 0);  // 3: beyond
  EXPECT_EQ(Dump(2), "0|MATNR=|QTY=");
  // A field without a value at that record keeps what it has.
  ASSERT_EQ(CreateFill(2, "AAABBCCC", 8), 0);
  EXPECT_EQ(ZanDeleteTableEntry(2, 2), 0);
  EXPECT_EQ(Dump(2), "1|MATNR=AAA|QTY=BB");
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

TEST_F(TablesTest, GetAttributNameValueReadsByPositionIntoTheSharedValueBuffer) {
  ASSERT_EQ(CreateFill(2, "AAA BCCCDD", 10), 0);
  char name[16];
  std::memset(name, '#', sizeof name);
  char *value = nullptr, *count = nullptr;
  ASSERT_EQ(ZanGetAttributNameValue(2, 2, 1, name, &value), 0);
  EXPECT_STREQ(name, "QTY");
  EXPECT_STREQ(value, "B");  // trimmed
  EXPECT_EQ(std::string(name + 12, 4), "####");  // 12 bytes written, no more
  EXPECT_EQ(At(2, 1, 2), (Got{0, "MATNR=CCC"}));
  EXPECT_EQ(At(2, 1, 3), (Got{0, "MATNR="}));  // no such record
  EXPECT_EQ(At(2, 1, 0), (Got{26, "MATNR=(none)"}));
  EXPECT_EQ((Codes{At(2, 0).first, At(2, 3).first}), (Codes{26, 26}));
  // Values, counts and deletions share one buffer; short texts keep it in
  // place, so the address still shows what the deletion left there: the
  // count taken before it.
  ASSERT_EQ(ZanDescribeTable(2, &count), 0);
  ASSERT_EQ(value, count);
  EXPECT_STREQ(value, "2");
  ASSERT_EQ(ZanDeleteTableEntry(2, 1), 0);
  EXPECT_STREQ(count, "2");
  ASSERT_EQ(CreateFill(7, " IJ Z", 5), 0);
  EXPECT_EQ(At(7, 1), (Got{0, "OUTA=IJ"}));  // trimmed, unlike ZanGetTableValue
}

TEST_F(TablesTest, GetAttributNameReadsDefinitionLinesAsTheyStand) {
  const std::string description = " Material number of the part, cut after ";  // 40 columns
  EXPECT_EQ(Attribute(2, "MAT  ", 1), (Got{0, "SETD   |MATNR|3  |" + description}));
  EXPECT_EQ(Attribute(2, "MAT  ", 2), (Got{0, "SETD   |QTY| 2|"}));
  EXPECT_EQ(Attribute(1, "MAT  ", 1), (Got{0, "SETU   |OUTA|3|"}));
  // No name and key: every definition line counts, comments, empty lines and
  // lines without a set column not.
  EXPECT_EQ(Attribute(1, "", 1), (Got{0, "SETC   |WRONG|3|"}));
  EXPECT_EQ(Attribute(1, "", 2), (Got{0, "SETD   |MATNR|3  |" + description}));
  EXPECT_EQ(Attribute(2, "", 11), (Got{0, "NAMES  |MAT NR|5|"}));
  EXPECT_EQ(Attribute(2, "", 22), (Got{0, "LONG   |ABCDEFGH|1|"}));
  const std::string missing = dir_.file("missing.dat");
  EXPECT_EQ((Codes{Attribute(2, "MAT  ", 3).first, Attribute(2, "MAT  ", 0).first,
                   Attribute(2, "", 23).first, Attribute(3, "MAT  ", 1).first,
                   Attribute(2, "MAT", 1).first, Attribute(2, "MAT  ", 1, nullptr, missing).first}),
            (Codes{57, 57, 57, 3, 1, 56}));
  // By field name, within the set, compared exactly.
  EXPECT_EQ(Attribute(2, "MAT  ", 0, "QTY"), (Got{0, "SETD   |QTY| 2|"}));
  // A field defined twice: the first definition.
  EXPECT_EQ(Attribute(2, "TWICE", 0, "SAME"), (Got{0, "TWICE  |SAME|1  | first"}));
  EXPECT_EQ(Attribute(2, "TWICE", 2), (Got{0, "TWICE  |SAME|2  | second"}));
  EXPECT_EQ((Codes{Attribute(2, "MAT  ", 0, "OUTA").first,
                   Attribute(2, "MAT  ", 0, "COMMENT").first,
                   Attribute(2, "MAT  ", 0, "QTY ").first, Attribute(2, "MAT", 0, "QTY").first,
                   Attribute(3, "MAT  ", 0, "QTY").first,
                   Attribute(2, "MAT  ", 0, "QTY", missing).first}),
            Codes(6, 58));
}

}  // namespace
}  // namespace kelmod_test
