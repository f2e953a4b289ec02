// Characteristic value lists driven through kelmod.h: help tables in both
// column forms, matchcode tables, and the help and message requests.
#include <string>
#include <tuple>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

std::string SetIndexLine(const std::string& name, const std::string& key,
                         const std::string& direction, std::string set) {
  set.resize(7, ' ');  // the set name is taken as it stands, 7 columns wide
  return Columns({{3, name}, {10, key}, {14, direction}, {17, set}}) + "\n";
}
std::string DefinitionLine(const std::string& set, const std::string& field,
                           const std::string& length) {
  return Columns({{3, set}, {11, field}, {30, length}}) + "\n";
}

// The code of an export with the text it handed out (empty after a failure).
using Got = std::pair<int32_t, std::string>;
Got With(int32_t rc, char* const* text) { return {rc, rc == 0 ? std::string(*text) : ""}; }
Got Rc(int32_t rc) { return {rc, ""}; }
// Each row: what a call gave and what it should give, in call order.
void Expect(const std::vector<std::pair<Got, Got>>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].first, rows[i].second) << i;
}

int32_t CreateHlp(int32_t mode, const std::string& data, int32_t length) {
  Arg d(data);
  return ZanCreateHlpTable(mode, d.get(), length);
}
int32_t FillHlp(const std::string& data, int32_t length, int32_t mode = 1) {
  Arg d(data);
  return ZanFillHlpTable(mode, d.get(), length);
}
Got HlpDescription(int32_t mode) {
  char* value = nullptr;
  return With(ZanGetHlpDescription(mode, &value), &value);
}
// The code of ZanGetHlpData with the value it handed out (set also with 33).
Got HlpValue(int32_t column, int32_t line) {
  CharacteristicData d{};
  const int32_t rc = ZanGetHlpData(1, column, line, &d);
  return {rc, d.value != nullptr ? d.value : ""};
}
// Name and width of a help column as line 0 reads them.
std::string HlpColumn(int32_t column) {
  CharacteristicData d{};
  EXPECT_EQ(ZanGetHlpData(1, column, 0, &d), 0);
  return std::string(d.name != nullptr ? d.name : "<null>") + "/" + std::to_string(d.length);
}
// Every line of the help table: values joined with '|', each line closed by '/'.
std::string HlpLines() {
  const Got columns = HlpDescription(1), lines = HlpDescription(2);
  if (columns.first != 0 || lines.first != 0) return "#";
  std::string out;
  for (int32_t l = 1; l <= std::stoi(lines.second); ++l)
    for (int32_t c = 1, n = std::stoi(columns.second); c <= n; ++c)
      out += HlpValue(c, l).second + (c < n ? "|" : "/");
  return out;
}
int32_t CreateMcd(int32_t mode, const std::string& data, int32_t length) {
  Arg d(data);
  return ZanCreateFillTableMcd(mode, d.get(), length);
}
Got McdValue(const std::string& attribute, int32_t record) {
  Arg a(attribute);
  char* value = nullptr;
  return With(ZanGetMcdValue(a.get(), record, &value), &value);
}
Got McdCount(int32_t mode) {
  char* count = nullptr;
  return With(ZanGetMcdDescription(mode, &count), &count);
}

class CharacteristicsTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
  }
  // The release family survives a restart; leave family 5 behind.
  void TearDown() override {
    UseSeparator(';');
    ToolboxTest::TearDown();
  }
  // An interface record with the release in columns 1-4 and ';' in column 7.
  void UseRelease(const std::string& release) {
    Arg rec(release + "  ; ");
    ASSERT_EQ(ZanFillInterface(rec.get(), 8), 0);
  }
};

TEST_F(CharacteristicsTest, HelpColumnFormFollowsTheReleaseFamilyAndPositionLength) {
  struct Build {
    const char *release, *data;
    int32_t length;
    Got columns, flags;  // descriptions 1 and 3; flags code -1: not checked
  } const builds[] = {
      {"60A ", "Material;18;Text;40;", 20, {0, "2"}, Rc(74)},  // family 2: title;width;
      {"60A ", "Material;18;Text;", 17, {0, "1"}, Rc(74)},  // the dangling title is dropped
      {"60A ", "A;1;B;2;", 7, {0, "2"}, Rc(74)},  // data[7] beyond the length still counts
      {"60A ", "A;1;B;2;", 6, {0, "1"}, Rc(74)},
      {"60A ", "A;1;", 500, {0, "1"}, Rc(74)},  // nothing is read past the string
      // A width ending past position length belongs to a column that was not
      // counted: the store fails and the build leaves no table.
      {"60A ", "A;1;B;22;", 7, Rc(37), Rc(37)},
      {"46C ", "Material;18;;Text;40;X;", 23, {0, "2"}, {0, "2"}},  // family 5: title;width;flag;
      {"46C ", "Material;18;;Text;40;;", 22, {0, "2"}, {0, "1"}},
      {"46C ", "A;1;XY;B;2; ;C;3;Z;", 19, {0, "3"}, {0, "3"}},  // only a one-character flag counts
      {"46C ", "Material;18;Text;40;", 20, {0, "1"}, Rc(-1)},  // four separators: one column
  };
  for (const Build& b : builds) {
    SCOPED_TRACE(std::string(b.release) + b.data + " " + std::to_string(b.length));
    UseRelease(b.release);
    EXPECT_EQ(CreateHlp(1, b.data, b.length), b.columns.first == 0 ? 0 : 13);
    EXPECT_EQ(HlpDescription(1), b.columns);
    if (b.flags.first != -1) {
      EXPECT_EQ(HlpDescription(3), b.flags);
    }
  }
  UseRelease("60A ");
  ASSERT_EQ(CreateHlp(1, "Material;18;Text;40;", 20), 0);
  EXPECT_EQ(HlpColumn(1) + " " + HlpColumn(2), "Material/18 Text/40");
  EXPECT_EQ(HlpValue(2, 0), Got(0, std::string(40, ' ')));
  UseRelease("46C ");
  ASSERT_EQ(CreateHlp(1, "Material;18;;Text;40;X;", 23), 0);
  EXPECT_EQ(HlpColumn(1) + " " + HlpColumn(2), "Material/18 Text/40");
  // A length that ends right after a column's flag ends the table there.
  ASSERT_EQ(CreateHlp(1, "A;5;X;B;6;Y;", 6), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "1"));
}

TEST_F(CharacteristicsTest, HelpPlainListAndEmptyBuilds) {
  Expect({{Rc(CreateHlp(2, "A;B;C;", 6)), Rc(0)}, {HlpDescription(1), Got(0, "1")},
          {HlpDescription(2), Got(0, "3")}, {HlpValue(1, 2), Got(0, "B")},
          {Rc(CreateHlp(2, "A;B;C", 5)), Rc(0)},  // the unterminated entry is not stored
          {HlpDescription(2), Got(0, "2")},
          {Rc(CreateHlp(2, "A;B;C;", 3)), Rc(0)},  // stops once the count reaches the length
          {HlpDescription(2), Got(0, "2")},
          {Rc(CreateHlp(2, "A;B;C;", 0)), Rc(0)},  // releases the previous table
          {HlpDescription(1), Rc(37)}, {Rc(CreateHlp(3, "A;", 2)), Rc(3)},
          {Rc(ZanCreateHlpTable(1, nullptr, 5)), Rc(78)}, {HlpDescription(4), Rc(37)},
          {Rc(CreateHlp(2, "A;", 2)), Rc(0)}, {HlpDescription(4), Rc(3)},
          {Rc(ZanGetHlpDescription(1, nullptr)), Rc(78)}});
}

TEST_F(CharacteristicsTest, FillHlpTableStoresLinesAndOverwritesThem) {
  EXPECT_EQ(FillHlp("a;b;", 4), 19);
  EXPECT_EQ(ZanFillHlpTable(1, nullptr, 4), 78);
  UseRelease("60A ");
  ASSERT_EQ(CreateHlp(1, "One;5;Two;3;", 12), 0);
  EXPECT_EQ(FillHlp("a;b;", 4, 2), 3);
  ASSERT_EQ(FillHlp("a;b;c;d;", 8), 0);
  EXPECT_EQ(HlpLines(), "a    |b  /c    |d  /");
  ASSERT_EQ(FillHlp("x;y  ;", 6), 0);  // a second fill replaces line 1, keeps line 2
  EXPECT_EQ(HlpLines(), "x    |y  /c    |d  /");
  ASSERT_EQ(CreateHlp(1, "One;5;Two;3;", 12), 0);
  ASSERT_EQ(FillHlp("a;b", 3), 0);  // the last entry needs no separator
  EXPECT_EQ(HlpLines(), "a    |b  /");
}

TEST_F(CharacteristicsTest, GetHlpDataPadsAndReportsMissingEntries) {
  CharacteristicData d{};
  EXPECT_EQ(ZanGetHlpData(1, 1, 1, &d), 32);
  UseRelease("60A ");
  ASSERT_EQ(CreateHlp(1, "One;5;Two;3;", 12), 0);
  ASSERT_EQ(FillHlp("x;abcdef;ab;z;", 14), 0);
  EXPECT_EQ(HlpLines(), "x    |abcdef/ab   |z  /");  // longer than the width: not cut
  // The members a help read does not refresh keep what the last
  // characteristic read left there (empty texts before any): never null.
  ASSERT_EQ(ZanGetHlpData(1, 1, 2, &d), 0);
  for (const char* text : {d.fieldName, d.dinLetter, d.input, d.unit, d.format, d.template_,
                           d.selection, d.parameter})
    ASSERT_NE(text, nullptr);
  EXPECT_EQ(ZanGetHlpData(1, 1, 3, &d), 33);
  EXPECT_STREQ(d.name, "One");
  EXPECT_STREQ(d.value, "     ");
  Expect({{HlpValue(1, 0), Got(0, "     ")}, {HlpValue(3, 1), Rc(33)},
          {Rc(ZanGetHlpData(2, 1, 1, &d)), Rc(3)}, {Rc(ZanGetHlpData(1, 1, 1, nullptr)), Rc(78)}});
}

TEST_F(CharacteristicsTest, FindHelpTableSearchesUThenD) {
  Arg index(dir_.write("index.dat", SetIndexLine("MATCH", "XY", "U", "SETU") +
                                        SetIndexLine("MATCH", "MD", "D", "SETMD") +
                                        SetIndexLine("MATCH", "XY", "D", "SETXY") +
                                        SetIndexLine("match", "MD", "D", "SETMD") +
                                        SetIndexLine("match", "XY", "D", "SETXY")));
  Arg defsU(dir_.write("defsU.dat", DefinitionLine("SETU", "UFLD", "4") +
                                        DefinitionLine("SETMD", "UONLY", "4")));
  Arg defsD(dir_.write("defsD.dat", DefinitionLine("SETMD", "MDFLD", "4") +
                                        DefinitionLine("SETXY", "XYFLD", "4") +
                                        DefinitionLine("SETU", "UONLY", "4")));
  auto find = [&](const std::string& name, const std::string& field, bool out_null = false) {
    Arg n(name), k("XY"), f(field);
    char out[3] = {'?', '#', '\0'};
    const int32_t rc = ZanFindHelpTable(n.get(), k.get(), f.get(), index.get(), defsU.get(),
                                        defsD.get(), out_null ? nullptr : out);
    EXPECT_EQ(out[1], '#') << "only one byte is written";
    return Got(rc, std::string(1, out[0]));
  };
  Expect({{find("MATCH", "UFLD"), Got(0, "U")},
          {find("MATCH", "MDFLD"), Got(0, "D")},  // a characteristic table: key "MD"
          {find("MATCH", "XYFLD"), Got(73, "?")},
          {find("MATCH", "UONLY"), Got(73, "?")},  // each direction reads its own file
          {find("match", "XYFLD"), Got(0, "D")},   // another name keeps the caller's key
          {find("match", "MDFLD"), Got(73, "?")}, {find("MATCH", "UFLD", true), Got(78, "?")}});
}

TEST_F(CharacteristicsTest, MatchcodeListAndFieldTables) {
  Expect({{Rc(CreateMcd(1, "M1;01;Material;M2;02;Text;", 26)), Rc(0)}, {McdCount(1), Got(0, "2")},
          {McdValue("ID", 2), Got(0, "M2")}, {McdValue("SUBID", 2), Got(0, "02")},
          {McdValue("TEXT02", 1), Got(0, "Material")}, {McdValue("TEXT01", 1), Got(0, "Material")},
          {McdValue("VALUE", 1), Rc(3)}, {McdValue("ID", 3), Rc(28)}, {McdValue("ID", 0), Rc(28)},
          {Rc(CreateMcd(1, "M1;01;Material;M2;", 18)), Rc(0)},  // the partial entry is dropped
          {McdCount(1), Got(0, "1")},
          {Rc(CreateMcd(3, "P;4;", 4)), Rc(3)},  // leaves the previous table
          {Rc(ZanCreateFillTableMcd(1, nullptr, 4)), Rc(78)}, {McdCount(1), Got(0, "1")},
          // Text tokens count without trailing blanks, the length token as received.
          {Rc(CreateMcd(2, "a  ;1;b;2;", 8)), Rc(0)}, {McdCount(1), Got(0, "2")},
          {Rc(CreateMcd(2, "x;2  ;y;3;", 8)), Rc(0)}, {McdCount(1), Got(0, "1")},
          {Rc(CreateMcd(2, "Plant;4;", 0)), Rc(6)}, {McdCount(1), Rc(29)},
          {McdValue("VALUE", 1), Rc(27)}, {Rc(CreateMcd(1, "M1;01;T;", 0)), Rc(5)},
          {McdCount(3), Rc(3)}, {Rc(ZanGetMcdDescription(1, nullptr)), Rc(78)}});
}

TEST_F(CharacteristicsTest, MatchcodeValuesAndSendString) {
  char r1[] = "", r2[] = "";
  char* send = nullptr;
  Arg x("x"), value("ab  ");
  EXPECT_EQ(ZanWriteMcdValue(1, 1, x.get()), 54);
  EXPECT_EQ(ZanCreateSendstrMcd(2, r1, r2, &send), 10);
  ASSERT_EQ(CreateMcd(2, "Plant;4;Name;20;", 16), 0);
  EXPECT_EQ(McdValue("WERT", 1), Got(0, ""));
  EXPECT_EQ(McdValue("TEXT01", 2), Got(0, "Name"));
  ASSERT_EQ(ZanWriteMcdValue(1, 2, value.get()), 0);
  EXPECT_EQ(value.str(), "ab");
  for (auto [mode, record, text] : {std::tuple(2, 1, x.get()), std::tuple(1, 0, x.get()),
                                    std::tuple(1, 3, x.get()), std::tuple(1, 1, static_cast<char*>(nullptr))})
    EXPECT_EQ(ZanWriteMcdValue(mode, record, text), mode == 2 ? 3 : 55) << mode << record;
  char* read = nullptr;
  Arg wert("WERT");
  ASSERT_EQ(ZanGetMcdValue(wert.get(), 2, &read), 0);
  EXPECT_STREQ(read, "ab");
  ASSERT_EQ(ZanCreateSendstrMcd(1, r1, r2, &send), 0);
  EXPECT_STREQ(send, ".ab.");
  ASSERT_EQ(read, send) << "both hand out the send buffer";
  EXPECT_EQ(ZanCreateSendstrMcd(2, r1, r2, &send), 3);
  EXPECT_EQ(ZanCreateSendstrMcd(1, nullptr, r2, &send), 78);
  EXPECT_EQ(ZanCreateSendstrMcd(1, r1, nullptr, &send), 78);
}

TEST_F(CharacteristicsTest, McdDescriptionCountsTheCurrentRecordTable) {
  EXPECT_EQ(McdCount(2).first, 29);
  Arg index(dir_.write("index.dat", SetIndexLine("MAT", "01", "D", "SETD") +
                                        SetIndexLine("MAT", "01", "U", "SETU")));
  Arg defs(dir_.write("defs.dat", DefinitionLine("SETD", "F1", "3") +
                                      DefinitionLine("SETD", "F2", "2") +
                                      DefinitionLine("SETU", "OUT", "4")));
  Arg name("MAT  "), key("01"), data("aaabbcccdd"), none("NONE ");
  auto fill = [&] {
    return ZanCreateFillTable(2, name.get(), key.get(), index.get(), defs.get(), data.get(), 10);
  };
  ASSERT_EQ(fill(), 0);
  EXPECT_EQ(McdCount(2), Got(0, "2"));
  ASSERT_EQ(ZanCreateTable(1, name.get(), key.get(), index.get(), defs.get()), 0);
  EXPECT_EQ(McdCount(2), Got(0, "0"));
  ASSERT_EQ(fill(), 0);
  ASSERT_NE(ZanCreateTable(2, none.get(), key.get(), index.get(), defs.get()), 0);
  EXPECT_EQ(McdCount(2).first, 29);
}

TEST_F(CharacteristicsTest, HelpRequestJoinsPartsUnchanged) {
  Arg a("A"), empty(""), c("C D"), e("E"), longPart(std::string(50, 'L'));
  char* send = nullptr;
  ASSERT_EQ(ZanCreateSendstrHelp(a.get(), empty.get(), c.get(), e.get(), &send), 0);
  EXPECT_STREQ(send, "A;;C D;E;");
  ASSERT_EQ(ZanCreateSendstrHelp(longPart.get(), a.get(), longPart.get(), e.get(), &send), 0);
  EXPECT_EQ(std::string(send), longPart.str() + ";A;" + longPart.str() + ";E;");
  UseSeparator('|');
  ASSERT_EQ(ZanCreateSendstrHelp(a.get(), empty.get(), c.get(), e.get(), &send), 0);
  EXPECT_STREQ(send, "A||C D|E|");
  EXPECT_EQ(ZanCreateSendstrHelp(a.get(), nullptr, c.get(), e.get(), &send), 78);
  EXPECT_EQ(ZanCreateSendstrHelp(a.get(), empty.get(), c.get(), e.get(), nullptr), 78);
}

TEST_F(CharacteristicsTest, MessageRequestTakesCharactersTwoToSix) {
  auto message = [](const char* text, int32_t length) {
    Arg m(text != nullptr ? text : "");
    char sentinel[] = "untouched";
    char* send = sentinel;
    const int32_t rc = ZanCreateSendstrMessageK4(text != nullptr ? m.get() : nullptr, length, &send);
    if (rc != 0) {
      EXPECT_EQ(send, nullptr);
    }
    return Got(rc, send != nullptr ? std::string(send) : std::string());
  };
  Expect({{message("E01234 text", 11), Got(0, "01;234;")},
          {message("E0123", 1), Got(0, "01;23;")},  // the length is only checked to be >= 1
          {message("E01", 3), Rc(82)}, {message("E01234", 0), Rc(82)}, {message(nullptr, 5), Rc(82)}});
  Arg m("E01234");
  EXPECT_EQ(ZanCreateSendstrMessageK4(m.get(), 6, nullptr), 78);
}

TEST_F(CharacteristicsTest, ReleaseEmptiesHelpAndMatchcodeTables) {
  ASSERT_EQ(CreateHlp(2, "A;B;", 4), 0);
  ASSERT_EQ(CreateMcd(1, "M1;01;T;", 8), 0);
  ASSERT_EQ(ZanInitToolbox(2), 0);
  Expect({{HlpDescription(1), Rc(37)}, {McdCount(1), Rc(29)}, {McdValue("ID", 1), Rc(27)}});
}

}  // namespace
}  // namespace kelmod_test
