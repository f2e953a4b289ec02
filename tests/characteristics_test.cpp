// Characteristic value lists driven through kelmod.h: help tables in both
// column forms, matchcode tables, and the help and message requests.
#include <string>

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

using Got = std::pair<int32_t, std::string>;

// The code of an export with the text it handed out (empty after a failure).
Got With(int32_t rc, char* const* text) { return {rc, rc == 0 ? std::string(*text) : ""}; }

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

TEST_F(CharacteristicsTest, HelpColumnFormFollowsTheReleaseFamily) {
  CharacteristicData d{};
  UseRelease("60A ");  // family 2: title;width;
  ASSERT_EQ(CreateHlp(1, "Material;18;Text;40;", 20), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "2"));
  ASSERT_EQ(ZanGetHlpData(1, 2, 0, &d), 0);
  EXPECT_STREQ(d.name, "Text");
  EXPECT_EQ(d.length, 40);
  EXPECT_EQ(std::string(d.value), std::string(40, ' '));
  EXPECT_EQ(HlpDescription(3).first, 74);

  ASSERT_EQ(CreateHlp(1, "Material;18;Text;", 17), 0);  // the dangling title is dropped
  EXPECT_EQ(HlpDescription(1), Got(0, "1"));

  UseRelease("46C ");  // family 5: title;width;flag;
  ASSERT_EQ(CreateHlp(1, "Material;18;;Text;40;X;", 23), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "2"));
  ASSERT_EQ(ZanGetHlpData(1, 1, 0, &d), 0);
  EXPECT_STREQ(d.name, "Material");
  EXPECT_EQ(d.length, 18);
  EXPECT_EQ(HlpDescription(3), Got(0, "2"));
  ASSERT_EQ(CreateHlp(1, "Material;18;;Text;40;;", 22), 0);
  EXPECT_EQ(HlpDescription(3), Got(0, "1"));
  ASSERT_EQ(CreateHlp(1, "A;1;XY;B;2; ;C;3;Z;", 19), 0);  // only a one-character flag counts
  EXPECT_EQ(HlpDescription(3), Got(0, "3"));
  // The two-token string read as triples: four separators make one column.
  ASSERT_EQ(CreateHlp(1, "Material;18;Text;40;", 20), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "1"));
}

TEST_F(CharacteristicsTest, HelpColumnsCountSeparatorsUpToPositionLength) {
  UseRelease("60A ");
  // data[7] is a separator beyond the length: it still makes a second column.
  ASSERT_EQ(CreateHlp(1, "A;1;B;2;", 7), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "2"));
  CharacteristicData d{};
  ASSERT_EQ(ZanGetHlpData(1, 2, 0, &d), 0);
  EXPECT_STREQ(d.name, "B");
  EXPECT_EQ(d.length, 2);
  ASSERT_EQ(CreateHlp(1, "A;1;B;2;", 6), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "1"));
  ASSERT_EQ(CreateHlp(1, "A;1;", 500), 0);  // a length past the string reads nothing beyond it
  EXPECT_EQ(HlpDescription(1), Got(0, "1"));
  // A width ending past position length belongs to a column that was not
  // counted: the store fails and the build leaves no table.
  EXPECT_EQ(CreateHlp(1, "A;1;B;22;", 7), 13);
  EXPECT_EQ(HlpDescription(1).first, 37);
}

TEST_F(CharacteristicsTest, HelpPlainListAndEmptyBuilds) {
  ASSERT_EQ(CreateHlp(2, "A;B;C;", 6), 0);
  EXPECT_EQ(HlpDescription(1), Got(0, "1"));
  EXPECT_EQ(HlpDescription(2), Got(0, "3"));
  EXPECT_EQ(HlpValue(1, 2), Got(0, "B"));
  ASSERT_EQ(CreateHlp(2, "A;B;C", 5), 0);  // the unterminated entry is not stored
  EXPECT_EQ(HlpDescription(2), Got(0, "2"));
  ASSERT_EQ(CreateHlp(2, "A;B;C;", 3), 0);  // stops once the count reaches the length
  EXPECT_EQ(HlpDescription(2), Got(0, "2"));

  EXPECT_EQ(CreateHlp(2, "A;B;C;", 0), 0);  // releases the previous table
  EXPECT_EQ(HlpDescription(1).first, 37);
  EXPECT_EQ(CreateHlp(3, "A;", 2), 3);
  EXPECT_EQ(ZanCreateHlpTable(1, nullptr, 5), 78);
  EXPECT_EQ(HlpDescription(4).first, 37);
  ASSERT_EQ(CreateHlp(2, "A;", 2), 0);
  EXPECT_EQ(HlpDescription(4).first, 3);
  EXPECT_EQ(ZanGetHlpDescription(1, nullptr), 78);
}

TEST_F(CharacteristicsTest, FillHlpTableStoresLinesAndOverwritesThem) {
  EXPECT_EQ(FillHlp("a;b;", 4), 19);
  EXPECT_EQ(ZanFillHlpTable(1, nullptr, 4), 78);
  UseRelease("60A ");
  ASSERT_EQ(CreateHlp(1, "One;5;Two;3;", 12), 0);
  EXPECT_EQ(FillHlp("a;b;", 4, 2), 3);
  ASSERT_EQ(FillHlp("a;b;c;d;", 8), 0);
  EXPECT_EQ(HlpDescription(2), Got(0, "2"));
  EXPECT_EQ(HlpValue(2, 1), Got(0, "b  "));
  EXPECT_EQ(HlpValue(1, 2), Got(0, "c    "));

  ASSERT_EQ(FillHlp("x;y  ;", 6), 0);  // a second fill replaces line 1, keeps line 2
  EXPECT_EQ(HlpDescription(2), Got(0, "2"));
  EXPECT_EQ(HlpValue(2, 1), Got(0, "y  "));
  EXPECT_EQ(HlpValue(2, 2), Got(0, "d  "));

  ASSERT_EQ(CreateHlp(1, "One;5;Two;3;", 12), 0);
  ASSERT_EQ(FillHlp("a;b", 3), 0);  // the last entry needs no separator
  EXPECT_EQ(HlpDescription(2), Got(0, "1"));
  EXPECT_EQ(HlpValue(2, 1), Got(0, "b  "));
}

TEST_F(CharacteristicsTest, GetHlpDataPadsAndReportsMissingEntries) {
  CharacteristicData d{};
  EXPECT_EQ(ZanGetHlpData(1, 1, 1, &d), 32);
  UseRelease("60A ");
  ASSERT_EQ(CreateHlp(1, "One;5;Two;3;", 12), 0);
  ASSERT_EQ(FillHlp("x;abcdef;ab;z;", 14), 0);
  ASSERT_EQ(ZanGetHlpData(1, 1, 2, &d), 0);
  EXPECT_STREQ(d.name, "One");
  EXPECT_EQ(d.length, 5);
  EXPECT_STREQ(d.value, "ab   ");
  EXPECT_EQ(HlpValue(2, 1), Got(0, "abcdef"));  // longer than the width: not cut
  // The members a help read does not refresh keep what the last
  // characteristic read left there (empty texts before any): never null.
  for (const char* text : {d.fieldName, d.dinLetter, d.input, d.unit, d.format, d.template_,
                           d.selection, d.parameter})
    ASSERT_NE(text, nullptr);

  EXPECT_EQ(ZanGetHlpData(1, 1, 3, &d), 33);
  EXPECT_STREQ(d.name, "One");
  EXPECT_STREQ(d.value, "     ");
  EXPECT_EQ(HlpValue(1, 0), Got(0, "     "));
  EXPECT_EQ(HlpValue(3, 1).first, 33);
  EXPECT_EQ(ZanGetHlpData(2, 1, 1, &d), 3);
  EXPECT_EQ(ZanGetHlpData(1, 1, 1, nullptr), 78);
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
  auto find = [&](const std::string& name, const std::string& field) {
    Arg n(name), k("XY"), f(field);
    char out[3] = {'?', '#', '\0'};
    const int32_t rc = ZanFindHelpTable(n.get(), k.get(), f.get(), index.get(), defsU.get(),
                                        defsD.get(), out);
    EXPECT_EQ(out[1], '#') << "only one byte is written";
    return Got(rc, std::string(1, out[0]));
  };
  EXPECT_EQ(find("MATCH", "UFLD"), Got(0, "U"));
  EXPECT_EQ(find("MATCH", "MDFLD"), Got(0, "D"));  // a characteristic table: key "MD"
  EXPECT_EQ(find("MATCH", "XYFLD"), Got(73, "?"));
  EXPECT_EQ(find("MATCH", "UONLY"), Got(73, "?"));  // each direction reads its own file
  EXPECT_EQ(find("match", "XYFLD"), Got(0, "D"));  // another name keeps the caller's key
  EXPECT_EQ(find("match", "MDFLD"), Got(73, "?"));
  Arg n("MATCH"), k("XY"), f("UFLD");
  EXPECT_EQ(ZanFindHelpTable(n.get(), k.get(), f.get(), index.get(), defsU.get(), defsD.get(),
                             nullptr),
            78);
}

TEST_F(CharacteristicsTest, MatchcodeListAndFieldTables) {
  ASSERT_EQ(CreateMcd(1, "M1;01;Material;M2;02;Text;", 26), 0);
  EXPECT_EQ(McdCount(1), Got(0, "2"));
  EXPECT_EQ(McdValue("ID", 2), Got(0, "M2"));
  EXPECT_EQ(McdValue("SUBID", 2), Got(0, "02"));
  EXPECT_EQ(McdValue("TEXT02", 1), Got(0, "Material"));
  EXPECT_EQ(McdValue("TEXT01", 1), Got(0, "Material"));
  EXPECT_EQ(McdValue("VALUE", 1).first, 3);
  EXPECT_EQ(McdValue("ID", 3).first, 28);
  EXPECT_EQ(McdValue("ID", 0).first, 28);

  ASSERT_EQ(CreateMcd(1, "M1;01;Material;M2;", 18), 0);  // the partial entry is dropped
  EXPECT_EQ(McdCount(1), Got(0, "1"));
  EXPECT_EQ(CreateMcd(3, "P;4;", 4), 3);  // leaves the previous table
  EXPECT_EQ(McdCount(1), Got(0, "1"));
  EXPECT_EQ(ZanCreateFillTableMcd(1, nullptr, 4), 78);
  EXPECT_EQ(McdCount(1), Got(0, "1"));

  // Text tokens count without trailing blanks, the length token as received.
  ASSERT_EQ(CreateMcd(2, "a  ;1;b;2;", 8), 0);
  EXPECT_EQ(McdCount(1), Got(0, "2"));
  ASSERT_EQ(CreateMcd(2, "x;2  ;y;3;", 8), 0);
  EXPECT_EQ(McdCount(1), Got(0, "1"));

  EXPECT_EQ(CreateMcd(2, "Plant;4;", 0), 6);
  EXPECT_EQ(McdCount(1).first, 29);
  EXPECT_EQ(McdValue("VALUE", 1).first, 27);
  EXPECT_EQ(CreateMcd(1, "M1;01;T;", 0), 5);
  EXPECT_EQ(McdCount(3).first, 3);
  EXPECT_EQ(ZanGetMcdDescription(1, nullptr), 78);
}

TEST_F(CharacteristicsTest, MatchcodeValuesAndSendString) {
  char r1[] = "", r2[] = "";
  char* send = nullptr;
  Arg x("x");
  EXPECT_EQ(ZanWriteMcdValue(1, 1, x.get()), 54);
  EXPECT_EQ(ZanCreateSendstrMcd(2, r1, r2, &send), 10);
  ASSERT_EQ(CreateMcd(2, "Plant;4;Name;20;", 16), 0);
  EXPECT_EQ(McdValue("WERT", 1), Got(0, ""));
  EXPECT_EQ(McdValue("TEXT01", 2), Got(0, "Name"));

  Arg value("ab  ");
  ASSERT_EQ(ZanWriteMcdValue(1, 2, value.get()), 0);
  EXPECT_EQ(value.str(), "ab");
  EXPECT_EQ(ZanWriteMcdValue(2, 1, x.get()), 3);
  EXPECT_EQ(ZanWriteMcdValue(1, 0, x.get()), 55);
  EXPECT_EQ(ZanWriteMcdValue(1, 3, x.get()), 55);
  EXPECT_EQ(ZanWriteMcdValue(1, 1, nullptr), 55);

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
  ASSERT_EQ(ZanCreateFillTable(2, name.get(), key.get(), index.get(), defs.get(), data.get(), 10),
            0);
  EXPECT_EQ(McdCount(2), Got(0, "2"));
  ASSERT_EQ(ZanCreateTable(1, name.get(), key.get(), index.get(), defs.get()), 0);
  EXPECT_EQ(McdCount(2), Got(0, "0"));
  ASSERT_EQ(ZanCreateFillTable(2, name.get(), key.get(), index.get(), defs.get(), data.get(), 10),
            0);
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
  auto message = [](const std::string& text, int32_t length) {
    Arg m(text);
    char sentinel[] = "untouched";
    char* send = sentinel;
    const int32_t rc = ZanCreateSendstrMessageK4(m.get(), length, &send);
    if (rc != 0) {
      EXPECT_EQ(send, nullptr);
    }
    return Got(rc, send != nullptr ? std::string(send) : std::string());
  };
  EXPECT_EQ(message("E01234 text", 11), Got(0, "01;234;"));
  EXPECT_EQ(message("E0123", 1), Got(0, "01;23;"));  // the length is only checked to be >= 1
  EXPECT_EQ(message("E01", 3), Got(82, ""));
  EXPECT_EQ(message("E01234", 0), Got(82, ""));
  char* send = nullptr;
  EXPECT_EQ(ZanCreateSendstrMessageK4(nullptr, 5, &send), 82);
  Arg m("E01234");
  EXPECT_EQ(ZanCreateSendstrMessageK4(m.get(), 6, nullptr), 78);
}

TEST_F(CharacteristicsTest, ReleaseEmptiesHelpAndMatchcodeTables) {
  ASSERT_EQ(CreateHlp(2, "A;B;", 4), 0);
  ASSERT_EQ(CreateMcd(1, "M1;01;T;", 8), 0);
  ASSERT_EQ(ZanInitToolbox(2), 0);
  EXPECT_EQ(HlpDescription(1).first, 37);
  EXPECT_EQ(McdCount(1).first, 29);
  EXPECT_EQ(McdValue("ID", 1).first, 27);
}

}  // namespace
}  // namespace kelmod_test
