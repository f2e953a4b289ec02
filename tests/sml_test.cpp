// Characteristic bars driven through kelmod.h: the older form (release
// families 1 and 2), the form of the newer release with its object and
// position value tables, and the choice between them on every call.
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Got = std::pair<int32_t, std::string>;

const std::string kHead = "H1;H2;H3;H4;H5;";
constexpr int32_t kWhole = INT32_MIN;  // pass the length of the whole text
const std::string kDesc = kHead + "L;Laenge;A;;mm;N;;6;1;";  // 37 characters

int32_t Whole(const std::string& data, int32_t length) {
  return length == kWhole ? static_cast<int32_t>(data.size()) : length;
}
int32_t Create(int32_t mode, const std::string& data, int32_t length = kWhole) {
  Arg d(data);
  return ZanCreateSmlTable(mode, d.get(), Whole(data, length));
}
int32_t Fill(int32_t mode, const std::string& data, int32_t length = kWhole) {
  Arg d(data);
  return ZanFillSmlTable(mode, d.get(), Whole(data, length));
}
// The code with the text handed out; "<null>" for a null text.
Got Description(int32_t type) {
  char* value = nullptr;
  const int32_t rc = ZanGetSmlDescription(type, &value);
  return {rc, rc != 0 ? "" : value == nullptr ? "<null>" : value};
}
Got Send(int32_t mode) {
  char* out = nullptr;
  const int32_t rc = ZanCreateSendstrSml(mode, &out);
  return {rc, rc == 0 ? out : ""};
}
// The members of a record handed out: the nine texts, then
// "length,width,decimals", then the value, separated by '|'.
std::string Members(const CharacteristicData& d) {
  std::string out;
  for (const char* text : {d.name, d.fieldName, d.dinLetter, d.input, d.unit, d.format,
                           d.template_, d.selection, d.parameter})
    out += std::string(text) + "|";
  return out + std::to_string(d.length) + "," + std::to_string(d.width) + "," +
         std::to_string(d.decimals) + "|" + d.value;
}
Got Read(int32_t type, int32_t position, int32_t n) {
  CharacteristicData d{};
  const int32_t rc = ZanGetSmlData(type, position, n, &d);
  return {rc, rc == 0 ? Members(d) : ""};
}
Got Value(int32_t type, int32_t position, int32_t n) {
  CharacteristicData d{};
  const int32_t rc = ZanGetSmlData(type, position, n, &d);
  return {rc, rc == 0 ? d.value : ""};
}
int32_t Write(int32_t type, int32_t position, const std::string& name, int32_t code,
              const std::string& text, int32_t n) {
  Arg a(name), t(text);
  return ZanWriteSmlValue(type, position, a.get(), code, t.get(), n);
}

class SmlTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseRelease("50A ");  // release family 1: the older form
  }
  // The release family survives a restart; leave family 5 behind.
  void TearDown() override {
    UseSeparator(';');
    ToolboxTest::TearDown();
  }
  void UseRelease(const std::string& release) {
    Arg rec(release + "  ;           ");
    ASSERT_EQ(ZanFillInterface(rec.get(), 18), 0);
  }
};

TEST_F(SmlTest, DescriptionMakesOneCharacteristicPerNineFields) {
  ASSERT_EQ(Create(1, kDesc, 37), 0);
  EXPECT_EQ(Read(1, 1, 0), Got(0, "L|Laenge|A||mm|N||||6,0,1|"));  // no width before a fill
  EXPECT_EQ(Description(1), Got(0, "1"));
  EXPECT_EQ(Description(2), Got(0, "0"));
  ASSERT_EQ(Create(1, kHead + "L;Laenge;A;;mm;DATE;;8;1;"), 0);
  EXPECT_EQ(Read(1, 1, 0), Got(0, "L|Laenge|A||mm|DATE||||10,0,1|"));

  // Characteristics stand in the order of the string.
  ASSERT_EQ(Create(2, kDesc + "B;Breite;B;;cm;N;;4;0;"), 0);
  EXPECT_EQ(Description(1), Got(0, "2"));
  EXPECT_EQ(Read(1, 2, 0), Got(0, "B|Breite|B||cm|N||||4,0,0|"));
  EXPECT_EQ(Read(1, 3, 0).first, 36);

  // Eight fields make no characteristic.
  EXPECT_EQ(Create(1, kHead + "L;Laenge;A;;mm;N;;6;"), 0);
  EXPECT_EQ(Value(1, 1, 0).first, 34);
  ASSERT_EQ(Create(1, kDesc), 0);
  EXPECT_EQ(Create(1, kDesc, 0), 0);
  EXPECT_EQ(Description(1), Got(0, "00"));
  EXPECT_EQ(Create(5, kDesc), 3);
  EXPECT_EQ(Value(1, 1, 0).first, 34);
  EXPECT_EQ(ZanCreateSmlTable(1, nullptr, 10), 78);
}

TEST_F(SmlTest, DescriptionHandsOutCountsAndHeaderTexts) {
  for (int32_t type : {1, 2, 3, 7, 9})
    EXPECT_EQ(Description(type), Got(0, type <= 2 ? "00" : "")) << type;
  ASSERT_EQ(Create(1, kDesc), 0);
  // Types 3 to 7: first, second, third, fifth, fourth.
  const char* expected[] = {"H1", "H2", "H3", "H5", "H4"};
  for (int32_t type = 3; type <= 7; ++type)
    EXPECT_EQ(Description(type), Got(0, expected[type - 3])) << type;
  EXPECT_EQ(Description(8).first, 3);

  // The first header text is also the second header value of the newer form.
  UseRelease("46C ");
  ASSERT_EQ(Fill(1, "o1;o2;o3;o4;o5;o6;o7;o8;o9;o10;o11;o12;o13;o14;;"), 0);
  EXPECT_EQ(Description(3), Got(0, "H1"));
  UseRelease("50A ");

  // Releasing a help table that held columns clears the header texts.
  Arg help("Col;5;");
  ASSERT_EQ(ZanCreateHlpTable(1, help.get(), 6), 0);
  ASSERT_EQ(ZanCreateHlpTable(1, help.get(), 6), 0);
  EXPECT_EQ(Description(1), Got(0, "1"));
  EXPECT_EQ(Description(3), Got(0, "<null>"));
}

TEST_F(SmlTest, ObjectFillPutsObjektInFrontAndDeleteTakesTheFirstOut) {
  EXPECT_EQ(Fill(1, "P1;12.5;"), 21);
  EXPECT_EQ(Fill(1, "P1;12.5;", 0), 0);
  EXPECT_EQ(ZanDeleteSmlSelection(), 14);
  ASSERT_EQ(Create(1, kDesc), 0);
  ASSERT_EQ(Fill(1, "P1;12.5;P2;13;", 14), 0);
  EXPECT_EQ(Description(1), Got(0, "2"));
  EXPECT_EQ(Description(2), Got(0, "2"));
  EXPECT_EQ(Read(1, 1, 2), Got(0, "OBJEKT|||*||C||||30,6,0|P2"));
  EXPECT_EQ(Read(1, 2, 1), Got(0, "L|Laenge|A||mm|N||||6,4,1|12.5"));
  EXPECT_EQ(Value(1, 2, 2), Got(0, "13"));
  CharacteristicData untouched{};
  EXPECT_EQ(ZanGetSmlData(1, 2, 3, &untouched), 36);
  EXPECT_EQ(untouched.name, nullptr);  // a failed read writes nothing
  EXPECT_EQ(Send(2), Got(0, ";;12.5;mm;"));
  EXPECT_EQ(Send(1), Got(0, ";;;;"));
  EXPECT_EQ(Fill(3, "x;"), 3);

  // A second object fill without a deletion: two keys per row.
  ASSERT_EQ(Fill(1, "Q1;Q2;7;"), 0);
  EXPECT_EQ(Description(1), Got(0, "3"));
  EXPECT_EQ(Description(2), Got(0, "1"));
  EXPECT_EQ(ZanDeleteSmlSelection(), 0);
  EXPECT_EQ(Description(1), Got(0, "2"));
  EXPECT_EQ(Value(1, 1, 1), Got(0, "Q2"));
  EXPECT_EQ(ZanDeleteSmlSelection(), 0);
  EXPECT_EQ(ZanDeleteSmlSelection(), 0);  // none left: nothing changes
  EXPECT_EQ(Description(1), Got(0, "1"));
  EXPECT_EQ(Value(1, 1, 1), Got(0, "7"));
}

TEST_F(SmlTest, FailedAndEmptyObjectFillsClearTheValues) {
  ASSERT_EQ(Create(1, kDesc), 0);
  ASSERT_EQ(Fill(2, "12.5;mm;"), 0);
  EXPECT_EQ(Fill(1, "P1;12.5", 7), 22);
  EXPECT_EQ(Description(1), Got(0, "1"));  // no new object characteristic
  EXPECT_EQ(Description(2), Got(0, "0"));  // and the old values are gone
  EXPECT_EQ(Value(1, 1, 1), Got(0, ""));

  ASSERT_EQ(Fill(2, "12.5;mm;"), 0);
  EXPECT_EQ(Fill(1, "P1;12.5;", -5), 0);
  EXPECT_EQ(Description(1), Got(0, "2"));
  EXPECT_EQ(Description(2), Got(0, "0"));
  EXPECT_EQ(Value(1, 2, 1), Got(0, ""));
}

TEST_F(SmlTest, ValueUnitFillAppendsAndRecomputesWidths) {
  ASSERT_EQ(Create(1, kHead + "Laenge;LAENGE;A;;mm;N;;12;3;B;BREITE;;;;N;;4;0;"), 0);
  ASSERT_EQ(Fill(2, "12.5;cm;1;;"), 0);
  EXPECT_EQ(Read(1, 1, 1), Got(0, "Laenge|LAENGE|A||cm|N||||12,6,3|12.5"));  // the name is wider
  // An empty unit changes nothing; the members are length, width, decimals.
  ASSERT_EQ(Fill(2, "1234567.25;;22;in;"), 0);
  EXPECT_EQ(Read(1, 1, 2), Got(0, "Laenge|LAENGE|A||cm|N||||12,10,3|1234567.25"));
  EXPECT_EQ(Read(1, 2, 2), Got(0, "B|BREITE|||in|N||||4,2,0|22"));
  ASSERT_EQ(Fill(2, "1;;12345;;"), 0);  // a longer value raises the length
  EXPECT_EQ(Read(1, 2, 3), Got(0, "B|BREITE|||in|N||||5,5,0|12345"));
  EXPECT_EQ(Fill(2, "x;y;z"), 22);  // what was read before the failure stays
  EXPECT_EQ(Read(1, 1, 4), Got(0, "Laenge|LAENGE|A||y|N||||12,10,3|x"));
  EXPECT_EQ(Value(1, 2, 4).first, 36);
  // A value cut at the value capacity is as wide as the cut leaves it
  // without its trailing blanks.
  ASSERT_EQ(Create(1, kHead + "Laenge;LAENGE;A;;mm;N;;12;3;B;BREITE;;;;N;;4;0;"), 0);
  ASSERT_EQ(Fill(2, std::string(254, 'A') + " B;;" + std::string(254, 'C') + ";;"), 0);
  EXPECT_EQ(Read(1, 1, 1), Got(0, "Laenge|LAENGE|A||mm|N||||256,254,3|" + std::string(254, 'A')));
  EXPECT_EQ(Read(1, 2, 1), Got(0, "B|BREITE||||N||||254,254,0|" + std::string(254, 'C')));
}

TEST_F(SmlTest, ReadsTrimCharacteristicBarValuesButNotMailValues) {
  ASSERT_EQ(Create(1, kDesc), 0);
  ASSERT_EQ(Fill(2, "  12.5;mm;"), 0);
  EXPECT_EQ(Value(1, 1, 1), Got(0, "12.5"));
  CharacteristicData d{};
  Arg key("Laenge");
  ASSERT_EQ(ZanGetSmlAttributData(2, key.get(), 1, &d), 0);
  EXPECT_EQ(Members(d), "L|Laenge|A||mm|N||||6,6,1|12.5");
  EXPECT_EQ(ZanGetSmlAttributData(1, key.get(), 1, &d), 31);  // no characteristic named so
  Arg name("L");
  EXPECT_EQ(ZanGetSmlAttributData(1, name.get(), 1, &d), 0);
  EXPECT_EQ(ZanGetSmlAttributData(1, name.get(), 2, &d), 31);
  EXPECT_EQ(ZanGetSmlAttributData(3, name.get(), 1, &d), 3);
  EXPECT_EQ(ZanGetSmlData(9, 1, 1, &d), 3);
  EXPECT_EQ(ZanGetSmlData(2, 1, 1, &d), 35);

  Arg mail("  P1;V1;");
  ASSERT_EQ(ZanCreateMailTable(5, mail.get(), 8), 0);
  EXPECT_EQ(Value(7, 1, 1), Got(0, "  P1"));

  ASSERT_EQ(ZanInitToolbox(2), 0);
  EXPECT_EQ(ZanGetSmlAttributData(1, name.get(), 1, &d), 30);
}

TEST_F(SmlTest, ValuesAreHandedOutAndSentCutTo255Characters) {
  ASSERT_EQ(Create(1, kDesc), 0);
  const std::string longValue(300, 'x');
  ASSERT_EQ(Write(1, 1, "", 10, longValue, 0), 0);
  EXPECT_EQ(Value(1, 1, 1), Got(0, std::string(255, 'x')));
  EXPECT_EQ(Send(2), Got(0, std::string(255, 'x') + ";mm;"));
  // A received value is kept to 256 characters and counted as kept.
  ASSERT_EQ(Fill(2, longValue + ";;", 258), 0);
  EXPECT_EQ(Read(1, 1, 2), Got(0, "L|Laenge|A||mm|N||||256,255,1|" + std::string(255, 'x')));
}

TEST_F(SmlTest, WriteStoresMembersByPositionOrFieldName) {
  EXPECT_EQ(Write(1, 1, "", 11, "S", 0), 45);
  EXPECT_EQ(Write(2, 1, "", 10, "v", 0), 46);
  ASSERT_EQ(Create(1, kDesc + "B;Breite;;;cm;N;;4;0;"), 0);
  Arg sel("sel  ");
  Arg field("Breite");
  ASSERT_EQ(ZanWriteSmlValue(1, 0, field.get(), 11, sel.get(), 0), 0);
  EXPECT_EQ(sel.str(), "sel");  // trimmed in place
  ASSERT_EQ(Write(1, 1, "", 12, "par", 0), 0);
  EXPECT_EQ(Send(1), Got(0, ";par;sel;;"));
  EXPECT_EQ(Send(2), Got(0, ";mm;;cm;"));  // no values: empty value fields
  EXPECT_EQ(Write(1, 0, "B", 11, "x", 0), 47);  // names are not field names
  EXPECT_EQ(Write(1, 3, "", 11, "x", 0), 47);
  EXPECT_EQ(Write(1, 0, "", 11, "x", 0), 47);
  EXPECT_EQ(ZanWriteSmlValue(1, 1, field.get(), 11, nullptr, 0), 47);
  EXPECT_EQ(Write(1, 1, "", 13, "x", 0), 8);
  EXPECT_EQ(Write(3, 1, "", 11, "x", 0), 999);
  EXPECT_EQ(Write(5, 1, "", 11, "x", 0), 3);
  EXPECT_EQ(Send(3).first, 3);
  ASSERT_EQ(Create(1, kDesc, 0), 0);
  EXPECT_EQ(Send(1).first, 9);
}

TEST_F(SmlTest, ReadsShareOneCharacteristicResult) {
  ASSERT_EQ(Create(1, kDesc), 0);
  ASSERT_EQ(Fill(2, "12.5;mm;"), 0);
  ASSERT_EQ(Read(1, 1, 1).first, 0);
  Arg columns("Col;5;"), lines("ab;");
  ASSERT_EQ(ZanCreateHlpTable(1, columns.get(), 6), 0);
  ASSERT_EQ(ZanFillHlpTable(1, lines.get(), 3), 0);
  // The help read refreshes name, length and value; the rest is what the
  // characteristic-bar read left.
  CharacteristicData h{};
  ASSERT_EQ(ZanGetHlpData(1, 1, 1, &h), 0);
  EXPECT_EQ(Members(h), "Col|Laenge|A||mm|N||||5,4,1|ab   ");
  // A mail read refreshes every member.
  Arg mail("P1;V1;");
  ASSERT_EQ(ZanCreateMailTable(5, mail.get(), 6), 0);
  char name[8] = "PARVAL";
  char* value = nullptr;
  ASSERT_EQ(ZanGetMailData(5, 0, name, 1, &value), 0);
  ASSERT_EQ(ZanGetHlpData(1, 1, 1, &h), 0);
  EXPECT_EQ(Members(h), "Col|||||C||||5,0,0|ab   ");
}

TEST_F(SmlTest, ReleaseFamilyChoosesTheFormOnEveryCall) {
  // Five header fields and 36 more: four characteristics of the older form,
  // one of the newer form (its last four fields make none).
  std::string data = kHead;
  for (int i = 1; i <= 36; ++i) data += "f" + std::to_string(i) + ";";
  const std::pair<const char*, bool> releases[] = {
      {"50A ", true}, {"6.0 ", true}, {"21  ", false}, {"2.2 ", false}, {"30A ", false}};
  for (const auto& [release, older] : releases) {
    SCOPED_TRACE(release);
    UseRelease(release);
    ASSERT_EQ(ZanInitToolbox(2), 0);
    ASSERT_EQ(Create(1, data), 0);
    char* count = nullptr;
    EXPECT_EQ(ZanDescribeTable(6, &count), older ? 999 : 0);
    if (!older) {
      EXPECT_STREQ(count, "1");
    }
    EXPECT_EQ(Value(1, 1, 0).first, older ? 0 : 34);
    EXPECT_EQ(ZanDeleteSmlSelection(), 0);  // the other form's table is empty
    EXPECT_EQ(Write(1, 1, "", 34, "S", 0), older ? 8 : 0);
    EXPECT_EQ(Send(1), Got(0, older ? ";;;;;;;;" : "f1;S;;"));
    EXPECT_EQ(Fill(1, "P;"), older ? 0 : 8);
    EXPECT_EQ(Description(1), Got(0, older ? "5" : "00"));
  }
}

// ---- The newer form ---------------------------------------------------

const std::string kK4Head = "K1;K2;K3;K4;K5;";

// The 32 description fields of one characteristic: field k holds "t<k>"
// unless `set` gives another text.
std::vector<std::string> K4Fields(std::initializer_list<std::pair<int, std::string>> set) {
  std::vector<std::string> fields;
  for (int k = 1; k <= 32; ++k) fields.push_back("t" + std::to_string(k));
  for (const auto& [k, text] : set) fields[static_cast<std::size_t>(k) - 1] = text;
  return fields;
}
std::string Join(const std::vector<std::string>& fields) {
  std::string out;
  for (const std::string& f : fields) out += f + ";";
  return out;
}
std::string K4Record(const std::string& name, const std::string& digits = "3") {
  return Join(K4Fields({{1, name}, {2, name + "-text"}, {10, digits}}));
}
// One object of an object string: fourteen texts, the pairs, the closing field.
std::string Object(const std::string& key, const std::string& pairs) {
  std::string out;
  for (int k = 1; k <= 14; ++k) out += key + std::to_string(k) + ";";
  return out + pairs + ";";
}
Got DataValue(int32_t mode, const std::string& name, int32_t index, int32_t object, int32_t n) {
  Arg a(name);
  char* value = nullptr;
  const int32_t rc = ZanGetSmlDataValueK4(mode, a.get(), index, object, n, &value);
  return {rc, rc == 0 ? value : ""};
}
// ZanGetSmlDataK4 as a code and "name,digits,value".
Got ReadK4(int32_t mode, int32_t position, int32_t number) {
  SmlCharacteristicData d{};
  const int32_t rc = ZanGetSmlDataK4(mode, position, number, &d);
  return {rc, rc == 0 ? std::string(d.name) + "," + std::to_string(d.digits) + "," + d.value
                      : ""};
}
std::pair<int32_t, int32_t> Count(int32_t mode, int32_t object, const std::string& name) {
  Arg a(name);
  int32_t count = -1;
  const int32_t rc = ZanGetSmlValueDescriptionK4(mode, object, a.get(), &count);
  return {rc, count};
}

class SmlK4Test : public SmlTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');  // release family 5
  }
};

TEST_F(SmlK4Test, DescriptionMakesOneCharacteristicPer32Fields) {
  const std::vector<std::string> fields = K4Fields({{6, "DATE"}, {10, "10"}, {11, "2"}});
  ASSERT_EQ(Create(1, kK4Head + Join(fields)), 0);
  SmlCharacteristicData d{};
  ASSERT_EQ(ZanGetSmlDataK4(2, 1, 0, &d), 0);
  const char* texts[] = {d.name,      d.description, d.mandatory,     d.inherited,
                         d.valuated,  d.dataType,    d.singleValue,   d.interval,
                         d.additionalValues,         d.sign,          d.exponentDisplay,
                         d.exponentFormat,           d.template_,     d.lowerCase,
                         d.unit,      d.dinLetter,   d.documentType,  d.documentNumber,
                         d.documentPart,             d.documentVersion, d.view0,
                         d.view1,     d.view2,       d.view3,         d.view4,
                         d.view5,     d.view6,       d.view7,         d.view8,
                         d.view9};
  std::size_t i = 0;
  for (int code = 1; code <= 32; ++code) {
    if (code == 10 || code == 11) continue;  // the two numbers
    EXPECT_STREQ(texts[i++], fields[code - 1].c_str()) << code;
  }
  EXPECT_EQ(d.digits, 10);  // a date type changes nothing
  EXPECT_EQ(d.decimals, 2);
  EXPECT_STREQ(d.sendText1, "");
  EXPECT_STREQ(d.sendText2, "");
  EXPECT_STREQ(d.value, "");

  char* count = nullptr;
  ASSERT_EQ(Create(1, kK4Head + K4Record("A") + K4Record("B")), 0);
  ASSERT_EQ(ZanDescribeTable(6, &count), 0);
  EXPECT_STREQ(count, "2");
  std::string short31 = K4Record("A");
  short31.resize(short31.size() - 4);  // drop "t32;"
  EXPECT_EQ(Create(1, kK4Head + short31), 0);
  EXPECT_EQ(ZanDescribeTable(6, &count), 999);
  EXPECT_EQ(Create(5, kK4Head + K4Record("A")), 3);
  EXPECT_EQ(ZanGetSmlDataK4(2, 1, 0, &d), 34);
}

TEST_F(SmlK4Test, ValueFillTakesEachNamesFirstRunOfPairs) {
  EXPECT_EQ(Fill(2, "A;1;"), 21);
  ASSERT_EQ(Create(1, kK4Head + K4Record("A") + K4Record("B", "10")), 0);
  ASSERT_EQ(Fill(2, "A;1;B;x;A;2;", 12), 0);
  EXPECT_EQ(Count(2, 0, "A"), std::make_pair(0, 1));
  EXPECT_EQ(DataValue(2, "A", 0, 0, 1), Got(0, "1"));
  EXPECT_EQ(DataValue(2, "B", 0, 0, 1), Got(0, "x"));

  ASSERT_EQ(Fill(2, "A;12345;B;12345;", 8), 0);  // B lies beyond the length
  EXPECT_EQ(ReadK4(2, 1, 1), Got(0, "A,5,12345"));  // earlier values are replaced
  EXPECT_EQ(Count(2, 0, "A").second, 1);
  EXPECT_EQ(DataValue(2, "B", 0, 0, 1), Got(0, "x"));
  ASSERT_EQ(Fill(2, "B;12345;"), 0);
  EXPECT_EQ(ReadK4(2, 2, 1), Got(0, "B,10,12345"));
  ASSERT_EQ(Fill(2, "B;1;A;7;A;8;"), 0);
  EXPECT_EQ(Count(2, 0, "A").second, 2);
  // A length that ends right after a repeated name, or right after its value.
  ASSERT_EQ(Fill(2, "A;1;A;2;", 6), 0);
  EXPECT_EQ(Count(2, 0, "A").second, 1);
  ASSERT_EQ(Fill(2, "A;1;A;2;", 8), 0);
  EXPECT_EQ(Count(2, 0, "A").second, 2);
  EXPECT_EQ(Fill(3, "A;1;"), 3);
  EXPECT_EQ(Fill(2, "A;1;", 0), 0);
}

TEST_F(SmlK4Test, WriteAddressesByPositionOrNameAndFeedsTheSendStrings) {
  EXPECT_EQ(Write(1, 1, "", 34, "S", 0), 45);
  EXPECT_EQ(Send(1).first, 9);
  ASSERT_EQ(Create(1, kK4Head + K4Record("A") + K4Record("B")), 0);
  Arg s("S  ");
  Arg a("A");
  ASSERT_EQ(ZanWriteSmlValue(1, 0, a.get(), 34, s.get(), 0), 0);
  EXPECT_EQ(s.str(), "S");
  ASSERT_EQ(Write(1, 2, "A", 35, "T", 0), 0);  // the position wins over the name
  EXPECT_EQ(Send(1), Got(0, "A;S;;B;;T;"));
  EXPECT_EQ(Send(2).first, 8);  // no values to send
  EXPECT_EQ(Send(3).first, 3);

  ASSERT_EQ(Write(1, 1, "", 33, "v", 0), 0);
  ASSERT_EQ(Write(1, 1, "", 33, "w", 0), 0);
  EXPECT_EQ(Send(2), Got(0, "A;v;A;w;"));
  ASSERT_EQ(Write(1, 1, "", 33, "u", 1), 0);  // value 1 drops the others
  EXPECT_EQ(Send(2), Got(0, "A;u;"));
  EXPECT_EQ(Write(1, 1, "", 36, "x", 0), 8);
  EXPECT_EQ(Write(1, 0, "", 34, "x", 0), 47);
  EXPECT_EQ(Write(1, 0, "C", 34, "x", 0), 47);
  EXPECT_EQ(Write(1, 3, "", 34, "x", 0), 47);
  EXPECT_EQ(Write(2, 1, "", 34, "x", 0), 3);

  // Every characteristic sends as many values as the first of its name.
  ASSERT_EQ(Create(1, kK4Head + K4Record("A") + K4Record("B") + K4Record("A")), 0);
  ASSERT_EQ(Write(1, 1, "", 33, "1", 0), 0);
  ASSERT_EQ(Write(1, 1, "", 33, "2", 0), 0);
  ASSERT_EQ(Write(1, 3, "", 33, "3", 0), 0);
  EXPECT_EQ(Send(2), Got(0, "A;1;A;2;A;3;A;;"));
}

TEST_F(SmlK4Test, DeleteRemovesTheFirstObjektCharacteristic) {
  EXPECT_EQ(ZanDeleteSmlSelection(), 14);
  ASSERT_EQ(Create(1, kK4Head + K4Record("A") + K4Record("OBJEKT") + K4Record("OBJEKT")), 0);
  char* count = nullptr;
  for (const char* left : {"2", "1", "1"}) {
    EXPECT_EQ(ZanDeleteSmlSelection(), 0);
    EXPECT_EQ(ZanDescribeTable(6, &count), 0);
    EXPECT_STREQ(count, left);
  }
}

TEST_F(SmlK4Test, ObjectFillBuildsTheObjectTable) {
  ASSERT_EQ(Create(1, kK4Head + K4Record("L")), 0);
  ASSERT_EQ(Fill(1, Object("o", "L;10;L;20;B;x;")), 0);
  EXPECT_EQ(Description(2), Got(0, "1"));
  EXPECT_EQ(Description(1), Got(0, "2"));
  EXPECT_EQ(DataValue(1, "L", 0, 1, 2), Got(0, "20"));
  EXPECT_EQ(DataValue(1, "", 2, 1, 1), Got(0, "x"));
  EXPECT_EQ(Count(1, 0, "L"), std::make_pair(0, 2));

  // A name's later pairs join its entry, which keeps its place.
  const std::string two = Object("o", "L;10;B;x;L;20;") + Object("p", "L;5;");
  ASSERT_EQ(Fill(1, two), 0);
  EXPECT_EQ(DataValue(1, "", 1, 1, 2), Got(0, "20"));
  EXPECT_EQ(DataValue(1, "", 2, 1, 1), Got(0, "x"));
  EXPECT_EQ(Description(2), Got(0, "2"));
  char* texts[14] = {};
  ASSERT_EQ(ZanGetObjectDataK4(1, 2, texts), 0);
  EXPECT_STREQ(texts[0], "p1");
  EXPECT_STREQ(texts[13], "p14");
  EXPECT_EQ(ReadK4(1, 1, 2), Got(0, "L,3,5"));  // L's first value in object 2

  // An object cut off by the end of the data is left out.
  std::string cut = Object("p", "L;2;");
  cut.pop_back();
  EXPECT_EQ(Fill(1, Object("o", "L;1;") + cut), 8);
  EXPECT_EQ(Description(2), Got(0, "1"));
  EXPECT_EQ(ReadK4(1, 1, 2).first, 36);

  // The data is cut at its length in place.
  const std::string one = Object("o", "L;1;");
  Arg data(one + "JUNK;");
  ASSERT_EQ(ZanFillSmlTable(1, data.get(), static_cast<int32_t>(one.size())), 0);
  EXPECT_EQ(data.str(), one);
  EXPECT_EQ(ZanFillSmlTable(1, nullptr, 5), 78);
  EXPECT_EQ(Description(2), Got(0, "00"));
  ASSERT_EQ(Fill(1, one), 0);
  EXPECT_EQ(Fill(1, one, 0), 0);  // a length of 0 releases the object table too
  EXPECT_EQ(Description(2), Got(0, "00"));
}

TEST_F(SmlK4Test, DescriptionHandsOutObjectCountsAndHeaderValues) {
  for (int32_t type : {1, 2, 5, 9})
    EXPECT_EQ(Description(type), Got(0, type <= 2 ? "00" : "")) << type;
  ASSERT_EQ(Create(1, kK4Head + K4Record("L")), 0);
  ASSERT_EQ(Fill(1, Object("o", "L;1;") + Object("p", "L;1;B;2;C;3;")), 0);
  EXPECT_EQ(Description(1), Got(0, "1"));  // entries of the first object
  EXPECT_EQ(Description(2), Got(0, "2"));
  // Types 3 to 7: second, first, third, fourth, fifth.
  const char* expected[] = {"K2", "K1", "K3", "K4", "K5"};
  for (int32_t type = 3; type <= 7; ++type)
    EXPECT_EQ(Description(type), Got(0, expected[type - 3])) << type;
  EXPECT_EQ(Description(8).first, 3);
}

TEST_F(SmlK4Test, PositionValueTableAndItsRequest) {
  char* out = nullptr;
  EXPECT_EQ(ZanCreateSendstrPosSmlValuesK4(1, &out), 9);
  ASSERT_EQ(Create(1, kK4Head + K4Record("A") + K4Record("BB")), 0);
  for (int32_t mode : {1, 2}) {
    ASSERT_EQ(ZanCreateSendstrPosSmlValuesK4(mode, &out), 0);
    EXPECT_STREQ(out, "A;BB;");
  }
  EXPECT_EQ(ZanCreateSendstrPosSmlValuesK4(3, &out), 3);

  Arg data("A;1;A;2;B;3;"), emptyName("A;1;A;2;B;3;;");
  ASSERT_EQ(ZanCreateFillPosSmlValueTableK4(1, data.get(), 12), 0);
  EXPECT_EQ(DataValue(3, "A", 0, 0, 2), Got(0, "2"));
  EXPECT_EQ(DataValue(3, "B", 0, 0, 1), Got(0, "3"));
  EXPECT_EQ(Count(3, 0, "A"), std::make_pair(0, 2));
  EXPECT_EQ(DataValue(3, "", 1, 0, 1).first, 79);  // entries are found by name only
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(1, emptyName.get(), 13), -1);
  EXPECT_EQ(DataValue(3, "A", 0, 0, 1).first, 34);
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(1, data.get(), 5), 85);
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(1, data.get(), 0), 12);
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(2, data.get(), 12), 3);
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(1, nullptr, 12), 83);
}

TEST_F(SmlK4Test, ReadsOfCharacteristicsObjectsAndPositionValues) {
  SmlCharacteristicData d{};
  EXPECT_EQ(ReadK4(2, 1, 0).first, 34);
  Arg key("L-text");
  EXPECT_EQ(ZanGetSmlAttributDataK4(1, key.get(), 1, &d), 30);
  EXPECT_EQ(DataValue(1, "L", 0, 1, 1).first, 35);
  EXPECT_EQ(Count(2, 0, "L"), std::make_pair(34, 0));
  ASSERT_EQ(Create(1, kK4Head + K4Record("L") + K4Record("M")), 0);
  ASSERT_EQ(Write(1, 1, "", 33, "a", 0), 0);
  ASSERT_EQ(Write(1, 1, "", 33, "  b", 0), 0);

  EXPECT_EQ(ReadK4(2, 1, 2), Got(0, "L,3,b"));  // trimmed at both ends
  EXPECT_EQ(ReadK4(2, 1, 0), Got(0, "L,3,"));
  EXPECT_EQ(ReadK4(2, 1, 9).first, 36);
  EXPECT_EQ(ReadK4(2, 3, 0).first, 36);
  EXPECT_EQ(ReadK4(3, 1, 0).first, 3);
  EXPECT_EQ(ReadK4(1, 1, 1).first, 36);  // no objects

  ASSERT_EQ(ZanGetSmlAttributDataK4(2, key.get(), 1, &d), 0);  // by description
  EXPECT_STREQ(d.name, "L");
  EXPECT_STREQ(d.value, "a");
  EXPECT_EQ(ZanGetSmlAttributDataK4(1, key.get(), 1, &d), 31);
  EXPECT_EQ(ZanGetSmlAttributDataK4(2, key.get(), 3, &d), 31);
  EXPECT_EQ(ZanGetSmlAttributDataK4(3, key.get(), 1, &d), 3);

  EXPECT_EQ(DataValue(2, "L", 0, 0, 2), Got(0, "  b"));
  EXPECT_EQ(DataValue(2, "", 1, 0, 1), Got(0, "a"));
  EXPECT_EQ(DataValue(2, "L", 0, 0, 3).first, -3);
  EXPECT_EQ(DataValue(2, "M", 0, 0, 1).first, -2);
  EXPECT_EQ(DataValue(2, "X", 0, 0, 1).first, 79);
  EXPECT_EQ(DataValue(2, "", 3, 0, 1).first, 36);
  EXPECT_EQ(DataValue(2, "", 0, 0, 1).first, 78);
  EXPECT_EQ(DataValue(4, "L", 0, 0, 1).first, 3);
  EXPECT_EQ(DataValue(3, "L", 0, 0, 1).first, 34);

  ASSERT_EQ(Fill(1, Object("o", "L;10;L;20;N;x;")), 0);
  EXPECT_EQ(DataValue(1, "L", 0, 0, 1).first, 78);
  EXPECT_EQ(DataValue(1, "L", 0, 2, 1).first, 36);
  EXPECT_EQ(DataValue(1, "X", 0, 1, 1).first, 79);
  EXPECT_EQ(DataValue(1, "", 3, 1, 1).first, 36);
  EXPECT_EQ(ReadK4(1, 1, 1), Got(0, "L,3,10"));
  EXPECT_EQ(ReadK4(1, 2, 1).first, 36);  // object 1 has no entry M

  EXPECT_EQ(Count(2, 0, "X"), std::make_pair(0, 0));
  EXPECT_EQ(Count(2, 7, "L"), std::make_pair(0, 2));  // the object number plays no part
  EXPECT_EQ(Count(1, 2, "L"), std::make_pair(36, 0));
  EXPECT_EQ(Count(1, 1, "M"), std::make_pair(79, 0));
  EXPECT_EQ(Count(4, 0, "L"), std::make_pair(3, 0));
  Arg pos("X;1;");
  ASSERT_EQ(ZanCreateFillPosSmlValueTableK4(1, pos.get(), 4), 0);
  EXPECT_EQ(Count(3, 0, "Y"), std::make_pair(79, 0));
}

}  // namespace
}  // namespace kelmod_test
