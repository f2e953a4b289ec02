// The toolbox under hostile input, driven through kelmod.h: texts of 10 000
// characters in every text argument, lengths that lie, a separator that was
// never set, and description, index and message files that are long, binary,
// empty, missing, directories or unreadable. Every call returns a code and
// writes nothing past a caller's buffer; a normal exchange runs correctly
// afterwards, and a release leaves no table of any family behind.
#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

namespace fs = std::filesystem;
using Got = std::pair<int32_t, std::string>;
using Fill = int32_t (*)(int32_t, char*, int32_t, int32_t*);
using Read = int32_t (*)(int32_t, int32_t, char**);

const std::string kLong(10000, 'x');
std::string X(std::size_t n) { return std::string(n, 'x'); }
int32_t Len(const std::string& s) { return static_cast<int32_t>(s.size()); }

// A caller's buffer of N bytes between two blocks filled with a canary:
// anything a call writes outside the buffer shows.
template <std::size_t N>
struct Fenced {
  Fenced() { std::memset(this, 0x5a, sizeof *this); }
  template <class T>
  T* as() { return reinterpret_cast<T*>(buffer); }
  bool Intact() const {
    return std::ranges::count(before, 0x5a) + std::ranges::count(after, 0x5a) == 128;
  }
  alignas(8) char before[64];
  char buffer[N];
  char after[64];
};

std::string IndexLine(const std::string& name, const std::string& dir, std::string set) {
  set.resize(7, ' ');  // the set name is compared as it stands, 7 columns wide
  return Columns({{3, name}, {10, "01"}, {14, dir}, {17, set}});
}
std::string DefLine(const std::string& set, const std::string& field, const std::string& length,
                    const std::string& description = "") {
  return Columns({{3, set}, {11, field}, {30, length}, {33, description}});
}
std::string TableIndexLine(const std::string& field, const std::string& length) {
  return Columns({{1, "D"}, {7, "MAT"}, {13, "01"}, {16, "SET4"}, {24, field}, {35, length}});
}

// The code of an export with the text it handed out through its last
// argument, read after the call; "#code" after a failure.
template <class F, class... A>
Got Out(F f, A... args) {
  char* text = nullptr;
  const int32_t rc = f(args..., &text);
  return {rc, rc != 0 ? "#" + std::to_string(rc) : text};
}
std::string Interface(int32_t mode) { return Out(ZanDescribeInterface, mode).second; }
std::string HlpColumns() { return Out(ZanGetHlpDescription, 1).second; }
std::string HlpLines() { return Out(ZanGetHlpDescription, 2).second; }
std::string McdCount() { return Out(ZanGetMcdDescription, 1).second; }
std::string SmlDescription(int32_t type) { return Out(ZanGetSmlDescription, type).second; }
std::string MailCount(int32_t type) { return Out(ZanDescribeMailTable, type).second; }
std::string ValueCount(int32_t mode, const std::string& name) {
  int32_t count = -1;
  const int32_t rc = ZanGetSmlValueDescriptionK4(mode, 0, Arg(name).get(), &count);
  return rc != 0 ? "#" + std::to_string(rc) : std::to_string(count);
}
Got Value(int32_t type, const std::string& field, int32_t record) {
  return Out(ZanGetTableValue, type, Arg(field).get(), record);
}
// "count:value,value,..." of one field of a table; "#code" without a table.
std::string Column(int32_t type, const std::string& field) {
  std::string out = Out(ZanDescribeTable, type).second;
  if (out[0] == '#') return out;
  const int records = std::stoi(out);
  out += ":";
  for (int32_t r = 1; r <= records; ++r) out += (r > 1 ? "," : "") + Value(type, field, r).second;
  return out;
}
// "records begun/records kept" of a classification fill (-7: count untouched).
Got Classes(Fill fill, Read read, int32_t mode, char* data, int32_t length) {
  int32_t count = -7;
  const int32_t rc = fill(mode, data, length, &count);
  std::array<char*, 22> values{};
  int32_t kept = 0;
  while (read(mode == 2 ? 2 : 1, kept + 1, values.data()) == 0) ++kept;
  return {rc, std::to_string(count) + "/" + std::to_string(kept)};
}

class HostileInputTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    index_ = dir_.write("index.dat", IndexLine("MAT", "D", "SETD") + "\n" +
                                         IndexLine("MAT", "U", "SETU") + "\n");
    defs_ = dir_.write("defs.dat", DefLine("SETD", "A", "3") + "\n" +
                                       DefLine("SETD", "QUANTITY123", "2") + "\n" +
                                       DefLine("SETU", "OUT", "4") + "\n");
  }
  // Releasing leaves no table of any family behind.
  void TearDown() override {
    ASSERT_EQ(ZanInitToolbox(2), 0);
    char* t = nullptr;
    std::array<char*, 22> v{};
    CharacteristicData d{};
    SmlCharacteristicData k{};
    int32_t n = 0;
    for (int32_t type : {5, 6, 7, 8, 10}) EXPECT_EQ(ZanDescribeTable(type, &t), 999) << type;
    for (int32_t type = 1; type <= 6; ++type) EXPECT_EQ(ZanDescribeMailTable(type, &t), 69);
    EXPECT_EQ((std::vector<int32_t>{
                  ZanDescribeTable(1, &t), ZanDescribeTable(2, &t), ZanDescribeTable(3, &t),
                  ZanGetHlpDescription(1, &t), ZanGetMcdDescription(1, &t),
                  ZanGetSmlData(1, 1, 1, &d), ZanGetSmlData(7, 1, 1, &d),
                  ZanGetSmlDataK4(2, 1, 1, &k), ZanGetObjectDataK4(1, 1, v.data()),
                  ZanGetSmlValueDescriptionK4(3, 0, W("P"), &n),
                  ZanGetSmlDataValueK4(1, W("P"), 0, 1, 1, &t),
                  ZanGetSmlDataValueK4(3, W("P"), 0, 0, 1, &t),
                  ZanGetClasDataK4(1, 1, v.data()), ZanGetClasDataK4(2, 1, v.data()),
                  ZanGetClasSearchDataK4(1, 1, v.data()),
                  ZanGetClasHierarchDataK4(1, 1, v.data())}),
              (std::vector<int32_t>{17, 16, 15, 37, 29, 34, 68, 34, 34, 34, 35, 34, 76, 76, 76,
                                    76}));
    UseSeparator(';');  // leave release family 5 behind for the next test
    ToolboxTest::TearDown();
  }

  // A writable copy of a text that lives until the test ends.
  char* W(const std::string& text) { return kept_.emplace_back(text).get(); }
  void UseRelease(const std::string& release, const std::string& separator = ";") {
    const std::string record = release + "  " + separator;
    ASSERT_EQ(ZanFillInterface(W(record), Len(record)), 0);
  }
  void UseTableIndex(const std::string& text) {
    ASSERT_EQ(ZanConfigureToolbox(2, W(dir_.write("kelmtab.dat", text))), 0);
  }
  int32_t Create(int32_t type, const std::string& name = "MAT  ", const std::string& key = "01") {
    return ZanCreateTable(type, W(name), W(key), W(index_), W(defs_));
  }
  int32_t CreateFill(int32_t type, char* data, int32_t length, const std::string& name = "MAT  ") {
    return ZanCreateFillTable(type, W(name), W("01"), W(index_), W(defs_), data, length);
  }
  // Definition n of set MAT (or of the whole file with an empty name).
  int32_t Attribute(const std::string& name, const std::string& definitions, int32_t n,
                    AttributeRecord* a) {
    return ZanGetAttributName(2, W(name), W(name.empty() ? "" : "01"), W(index_), W(definitions),
                              n, a);
  }

  // A small exchange of the generic tables with its results checked.
  void ExpectUsable() {
    SCOPED_TRACE("normal exchange");
    EXPECT_EQ(CreateFill(2, W("AAA12BBB34"), 10), 0);
    EXPECT_EQ(Column(2, "QUANTITY123"), "2:12,34");
    EXPECT_EQ(Value(2, "A", 2), Got(0, "BBB"));
    EXPECT_EQ(Create(1), 0);
    EXPECT_EQ(ZanWriteTableValue(1, W("OUT"), W("ab"), 0), 0);
    EXPECT_EQ(Out(ZanCreateSendstr), Got(0, "ab  "));
    const std::string s = Interface(1);
    EXPECT_EQ(Out(ZanCreateSendstrHelp, W("a"), W("b"), W("c"), W("d")),
              Got(0, "a" + s + "b" + s + "c" + s + "d" + s));
  }

  // An export that takes a length, called with a length shorter than its
  // text, INT32_MAX, -1, 0 and 1 (a value is read while any of the length is
  // left, so one byte starts one); it reports its code and what it left
  // behind.
  struct Lying {
    const char* what;
    std::string data;
    int32_t shorter;
    std::function<Got(char*, int32_t)> call;
    std::vector<Got> expected;
  };
  void ExpectLengths(const std::vector<Lying>& cases) {
    for (const Lying& c : cases) {
      const int32_t lengths[] = {c.shorter, INT32_MAX, -1, 0, 1};
      ASSERT_EQ(c.expected.size(), 5u) << c.what;
      for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(c.call(W(c.data), lengths[i]), c.expected[i]) << c.what << ", " << lengths[i];
      }
    }
    ExpectUsable();
  }

  std::string index_, defs_;
  std::deque<Arg> kept_;
};

TEST_F(HostileInputTest, CoreTakesLongTextsAndLyingLengths) {
  for (int32_t mode : {1, 2}) EXPECT_EQ(ZanConfigureToolbox(mode, W(kLong)), 0);
  Fenced<sizeof(MessageRecord)> block;
  ASSERT_EQ(ZanGetErrorMessage(41, block.as<MessageRecord>()), 0);
  EXPECT_TRUE(block.Intact());
  EXPECT_STREQ(block.as<MessageRecord>()->longText, "TB041 Error in toolbox");
  EXPECT_EQ(Create(4), 60) << "no table index file of that name";

  // The columns are read up to the record's NUL whatever the length says; a
  // length below 1 changes nothing.
  const std::string record = "46C xy;z" + std::string(10, 't') + kLong;
  for (int32_t length : {3, INT32_MAX, Len(record), -1, 0}) {
    UseRelease("60A ", ",");
    const int32_t rc = ZanFillInterface(W(record), length);
    EXPECT_EQ(Got(rc, Interface(2) + Interface(1) + Interface(3) + Interface(5)),
              length > 0 ? Got(0, "46C ;xtttttttttt") : Got(78, "60A , ")) << length;
  }
  ExpectUsable();
}

TEST_F(HostileInputTest, RecordTablesTakeLongTexts) {
  UseSeparator(';');
  EXPECT_EQ(Create(2, kLong), 1);
  EXPECT_EQ(Create(2, "MAT  ", kLong), 1);
  EXPECT_EQ(ZanCreateTable(2, W("MAT  "), W("01"), W(kLong), W(defs_)), 1);
  EXPECT_EQ(ZanCreateTable(2, W("MAT  "), W("01"), W(index_), W(kLong)), 0);
  EXPECT_EQ(Column(2, "A"), "#16") << "a layout without fields";
  std::string records;
  for (int i = 0; i < 2000; ++i) records += "AAA" + std::to_string(10 + i % 90);
  EXPECT_EQ(CreateFill(2, W(records), Len(records)), 0);
  EXPECT_EQ(ZanFillTable(2, W(records), Len(records)), 0);
  EXPECT_EQ(Value(2, "QUANTITY123", 4000), Got(0, "29"));  // 10 + 1999 % 90
  EXPECT_EQ(Value(2, kLong, 1).first, 41);

  // Values written into a field are cut to its width in place.
  ASSERT_EQ(Create(1), 0);
  EXPECT_EQ(ZanWriteTableValue(1, W(kLong), W("v"), 0), 50);
  char* value = W(kLong);
  char* modified = W(" y" + kLong);
  EXPECT_EQ(ZanWriteTableValue(1, W("OUT"), value, 0), 0);
  EXPECT_STREQ(value, "xxxx");
  EXPECT_EQ(ZanModifyTableValue(1, W("OUT"), modified, 1), 0);
  EXPECT_STREQ(modified, "yxx");
  EXPECT_EQ(ZanModifyTableValue(1, W(kLong), W("v"), 1), 0);
  EXPECT_EQ(Value(1, "OUT", 1), Got(0, "yxx"));

  // Caller records: 66 bytes of an attribute, 12 of a field name, one byte of
  // a direction.
  Fenced<sizeof(AttributeRecord)> attribute;
  Fenced<12> name;
  Fenced<1> direction;
  auto* a = attribute.as<AttributeRecord>();
  EXPECT_EQ(ZanGetAttributName(2, W(kLong), W("01"), W(index_), W(defs_), 1, a), 1);
  EXPECT_EQ(Attribute("", kLong, 1, a), 56);
  EXPECT_EQ(ZanSearchAttribut(2, W("MAT  "), W("01"), W(index_), W(defs_), W(kLong), a), 58);
  EXPECT_EQ(Out(ZanGetAttributNameValue, 2, 2, 1, name.buffer), Got(0, "10"));
  EXPECT_STREQ(name.buffer, "QUANTITY123");
  EXPECT_EQ(ZanFindHelpTable(W(kLong), W(kLong), W(kLong), W(kLong), W(kLong), W(kLong),
                             direction.buffer), 73);
  EXPECT_EQ(ZanFindHelpTable(W("MAT  "), W("01"), W("QUANTITY123"), W(index_), W(defs_), W(defs_),
                             direction.buffer), 0);
  EXPECT_EQ(direction.buffer[0], 'D');
  EXPECT_TRUE(attribute.Intact() && name.Intact() && direction.Intact());

  // The user table cuts values to 80 characters; the description-file writer
  // lets the next value overwrite the tail of a long one.
  EXPECT_EQ(ZanCreateFillUserTable(1, 2, W(kLong + ";b;"), 10003), 0);
  EXPECT_EQ(Value(10, "PARA1", 1), Got(0, X(80)));
  const std::string path = dir_.file("written.dat");
  EXPECT_EQ(ZanWriteKonfiguration(1, W(kLong + ";F;3;"), 10005, W(path)), 0);
  const std::string line = Columns({{3, X(8)}, {11, "F"}, {30, "3"}});
  EXPECT_NE(ReadFile(path).find("\n" + line + "\n"), std::string::npos);
  EXPECT_EQ(ZanWriteKonfiguration(1, W("S;F;3;"), 6, W(kLong)), 42);
  EXPECT_EQ(ZanPrintTable(2, W(kLong)), 0);
  ExpectUsable();
}

TEST_F(HostileInputTest, CharacteristicListsAndMailTakeLongTexts) {
  UseSeparator(';');
  EXPECT_EQ(ZanCreateHlpTable(1, W(kLong + ";10;" + kLong + ";"), 20005), 0);
  EXPECT_EQ(ZanFillHlpTable(1, W(kLong), Len(kLong)), 0);
  CharacteristicData d{};
  ASSERT_EQ(ZanGetHlpData(1, 1, 1, &d), 0);
  EXPECT_EQ(d.name + std::string("|") + d.value, X(83) + "|" + X(83));
  EXPECT_EQ(ZanCreateHlpTable(2, W(kLong + ";" + kLong + ";"), 20002), 0);
  EXPECT_EQ(HlpLines(), "2");

  EXPECT_EQ(ZanCreateFillTableMcd(1, W(kLong + ";S;" + kLong + ";"), 20004), 0);
  EXPECT_EQ(Out(ZanGetMcdValue, W("ID"), 1), Got(0, X(80)));
  EXPECT_EQ(Out(ZanGetMcdValue, W(kLong), 1).first, 3);
  EXPECT_EQ(ZanWriteMcdValue(1, 1, W(kLong + "  ")), 0);
  EXPECT_EQ(Out(ZanCreateSendstrMcd, 1, W(kLong), W(kLong)), Got(0, kLong + "."));
  const std::string part = kLong + ";";
  EXPECT_EQ(Out(ZanCreateSendstrHelp, W(kLong), W(kLong), W(kLong), W(kLong)),
            Got(0, part + part + part + part));
  EXPECT_EQ(Out(ZanCreateSendstrMessageK4, W("E01234" + kLong), 10006), Got(0, "01;234;"));

  // The long value counts as the 256 characters kept, so the whole string
  // falls short of its length: the last value then lacks its separator.
  std::string mail = kLong + ";";
  for (int i = 2; i <= 16; ++i) mail += "v" + std::to_string(i) + ";";
  ASSERT_EQ(ZanCreateMailTable(1, W(mail), Len(mail)), 64);
  EXPECT_EQ(Out(ZanGetMailData, 1, 0, W("FOLTP"), 1), Got(0, X(255)));
  Fenced<7> name;
  name.buffer[0] = '\0';
  EXPECT_EQ(Out(ZanGetMailData, 1, 1, name.buffer, 1), Got(0, "v7"));
  EXPECT_STREQ(name.buffer, "DOCDES");
  EXPECT_TRUE(name.Intact());
  char* longName = W(kLong);
  EXPECT_EQ(Out(ZanGetMailData, 1, 0, longName, 1).first, 31);
  EXPECT_EQ(longName, kLong);
  EXPECT_EQ(ZanWriteMailValue(1, 0, longName, 1, W("v")), 47);
  EXPECT_EQ(ZanWriteMailValue(1, 0, W("SNDEX"), 2, W(kLong)), 0);
  EXPECT_EQ(MailCount(1), "1") << "the count follows the first field";
  ExpectUsable();
}

TEST_F(HostileInputTest, CharacteristicBarsTakeLongTexts) {
  UseRelease("50A ");  // the older form
  const std::string older = kLong + ";H2;H3;H4;H5;L;" + kLong + ";A;;mm;N;;6;1;";
  EXPECT_EQ(ZanCreateSmlTable(1, W(older), Len(older)), 0);
  EXPECT_EQ(SmlDescription(3), X(256));
  CharacteristicData d{};
  EXPECT_EQ(ZanGetSmlAttributData(1, W(kLong), 0, &d), 31);
  EXPECT_EQ(ZanGetSmlAttributData(2, W(X(80)), 0, &d), 0);
  EXPECT_EQ(ZanWriteSmlValue(1, 0, W(kLong), 4, W("v"), 0), 47);
  EXPECT_EQ(ZanWriteSmlValue(1, 1, W(""), 10, W(kLong), 1), 0);
  ASSERT_EQ(ZanGetSmlData(1, 1, 1, &d), 0);
  EXPECT_EQ(d.value, X(255));
  EXPECT_EQ(ZanFillSmlTable(2, W(kLong + ";" + kLong + ";"), 20002), 22) << "counted as kept";
  EXPECT_EQ(SmlDescription(2), "2");
  ExpectUsable();

  UseRelease("46C ");  // the newer form
  std::string k4 = "H1;H2;H3;H4;H5;" + kLong + ";" + kLong + ";", objects;
  for (int field = 3; field <= 32; ++field) k4 += "f;";
  EXPECT_EQ(ZanCreateSmlTable(1, W(k4), Len(k4)), 0);
  SmlCharacteristicData k{};
  EXPECT_EQ(ZanGetSmlAttributDataK4(1, W(kLong), 0, &k), 31);
  EXPECT_EQ(ZanGetSmlAttributDataK4(2, W(X(80)), 0, &k), 0);
  EXPECT_EQ(ZanWriteSmlValue(1, 0, W(kLong), 33, W("v"), 1), 47);
  EXPECT_EQ(ZanWriteSmlValue(1, 1, W(""), 33, W(kLong), 1), 0);
  ASSERT_EQ(ZanGetSmlDataK4(2, 1, 1, &k), 0);
  EXPECT_EQ(k.value, X(255));
  EXPECT_EQ(Out(ZanGetSmlDataValueK4, 2, W(kLong), 0, 0, 1).first, 79);
  EXPECT_EQ(ValueCount(2, kLong), "0");
  for (int text = 1; text <= 16; ++text) objects += kLong + ";";
  EXPECT_EQ(ZanFillSmlTable(1, W(objects + ";"), Len(objects) + 1), 0);
  std::array<char*, 14> texts{};
  ASSERT_EQ(ZanGetObjectDataK4(1, 1, texts.data()), 0);
  EXPECT_EQ(texts[13], X(43));
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(1, W(kLong + ";" + kLong + ";"), 20002), 0);
  EXPECT_EQ(ValueCount(3, X(43)), "1");
  ExpectUsable();
}

TEST_F(HostileInputTest, ClassificationTakesLongTexts) {
  UseSeparator(';');
  std::array<char*, 22> v{};
  EXPECT_EQ(Classes(ZanCreateFillClasTableK4, ZanGetClasDataK4, 1, W(kLong + ";b;c;d;e;"), 10009),
            Got(0, "1/1"));
  ASSERT_EQ(ZanGetClasDataK4(1, 1, v.data()), 0);
  EXPECT_EQ(v[0], X(256));
  EXPECT_EQ(Classes(ZanCreateFillClasTableK4, ZanGetClasSearchDataK4, 4, W(kLong + ";b;c;"), 10005),
            Got(0, "1/1"));
  ASSERT_EQ(ZanGetClasSearchDataK4(1, 1, v.data()), 0);
  EXPECT_EQ(v[0], X(83));
  EXPECT_EQ(Classes(ZanCreateFillClasHierarchTableK4, ZanGetClasHierarchDataK4, 1,
                    W(kLong + ";b;c;d;e;" + kLong + ";"), 20010), Got(0, "1/1"));

  // The requests are built whole, however long their values.
  char* x = W(kLong);
  const auto parts = [](int n) {
    std::string s;
    while (n-- > 0) s += kLong + ";";
    return Got(0, s);
  };
  EXPECT_EQ(Out(ZanCreateSendstrClasK4, x, x, x, x, x, x, x, x), parts(8));
  EXPECT_EQ(Out(ZanCreateSendstrClasScopeK4, x, x, x, x, x, x), parts(6));
  EXPECT_EQ(Out(ZanCreateSendstrClasSelectK4, x, x, x, x, x, x, x, x, x, x, x), parts(11));
  EXPECT_EQ(Out(ZanCreateSendstrClasSelScopeK4, x, x, x, x, x, x, x, x), parts(8));
  for (int32_t mode : {1, 2, 3})
    EXPECT_EQ(Out(ZanCreateSendstrClasSearchK4, mode, x, x, x, x, x, x, x),
              parts(mode == 1 ? 5 : mode == 2 ? 4 : 6));
  ExpectUsable();
}

TEST_F(HostileInputTest, LyingLengthsInTablesAndLists) {
  UseSeparator(';');
  UseTableIndex(TableIndexLine("F4A", "2") + "\n" + TableIndexLine("F4B", "2") + "\n");
  const std::string written = dir_.file("written.dat");
  using D = char*;
  ExpectLengths({
      // A fixed-width fill never reads past the NUL: the last record is short.
      {"fixed-width fill", "AAA12BBB3", 7,
       [&](D d, int32_t n) { return Got{CreateFill(2, d, n), Column(2, "QUANTITY123")}; },
       {{0, "1:12"}, {0, "2:12,3"}, {0, "0:"}, {0, "0:"}, {0, "0:"}}},
      {"fixed-width append", "AAA12BBB3", 7,
       [&](D d, int32_t n) { return Got{Create(2) + ZanFillTable(2, d, n), Column(2, "A")}; },
       {{0, "1:AAA"}, {0, "2:AAA,BBB"}, {62, "0:"}, {62, "0:"}, {0, "0:"}}},
      // The data is cut at the length in place; the parse stops at its end.
      {"separated fill", "ab;cd;efg;h", 7,
       [&](D d, int32_t n) { return Got{CreateFill(4, d, n, "MAT"), d + Column(4, "F4A")}; },
       {{0, "ab;cd;e1:ab"}, {0, "ab;cd;efg;h2:ab,ef"}, {0, "ab;cd;efg;h0:"},
        {0, "ab;cd;efg;h0:"}, {0, "a0:"}}},
      {"user table", "a;b;c;d;e", 3,
       [&](D d, int32_t n) { return Got{ZanCreateFillUserTable(1, 2, d, n), Column(10, "PARA1")}; },
       {{0, "1:a"}, {0, "2:a,c"}, {0, "0:"}, {0, "0:"}, {0, "1:a"}}},
      // Past the string's end the next line of values is incomplete.
      {"description file writer", "N;K;D;S;N2;K2;D2;S2;", 5,
       [&](D d, int32_t n) {
         fs::remove(written);
         const int32_t rc = ZanWriteKonfiguration(3, d, n, W(written));
         return Got{rc, std::to_string(std::ranges::count(ReadFile(written), '\n'))};
       },
       {{0, "4"}, {44, "5"}, {44, "0"}, {44, "0"}, {0, "4"}}},
      {"help columns", "T;5;F;U;6;G;", 7,
       [&](D d, int32_t n) { return Got{ZanCreateHlpTable(1, d, n), HlpColumns()}; },
       {{0, "1"}, {0, "2"}, {0, "#37"}, {0, "#37"}, {0, "#37"}}},
      {"help entries", "e1;e2;e3;", 4,
       [&](D d, int32_t n) { return Got{ZanCreateHlpTable(2, d, n), HlpLines()}; },
       {{0, "2"}, {0, "3"}, {0, "#37"}, {0, "#37"}, {0, "1"}}},
      {"help lines", "a;b;c;d", 3,
       [&](D d, int32_t n) {
         return Got{ZanCreateHlpTable(1, W("T;5;F;U;6;G;"), 12) + ZanFillHlpTable(1, d, n),
                    HlpLines()};
       },
       {{0, "1"}, {0, "2"}, {0, "0"}, {0, "0"}, {0, "1"}}},
      {"matchcode list", "I1;S1;T1;I2;S2;T2;", 10,
       [&](D d, int32_t n) { return Got{ZanCreateFillTableMcd(1, d, n), McdCount()}; },
       {{0, "1"}, {0, "2"}, {5, "#29"}, {5, "#29"}, {0, "#29"}}},
      {"message request", "E01234 text", 2,
       [&](D d, int32_t n) {
         char* out = d;  // a failure leaves it null
         return Got{ZanCreateSendstrMessageK4(d, n, &out), out != nullptr ? out : "null"};
       },
       {{0, "01;234;"}, {0, "01;234;"}, {82, "null"}, {82, "null"}, {0, "01;234;"}}},
      {"class table", "a;b;c;d;e;f;g;h;i;j;", 9,
       [&](D d, int32_t n) { return Classes(ZanCreateFillClasTableK4, ZanGetClasDataK4, 1, d, n); },
       {{0, "1/1"}, {0, "2/2"}, {0, "-7/0"}, {0, "-7/0"}, {0, "1/1"}}},
      {"class search table", "A;B;C;D;E;F;", 10,
       [&](D d, int32_t n) {
         return Classes(ZanCreateFillClasTableK4, ZanGetClasSearchDataK4, 4, d, n);
       },
       {{0, "2/1"}, {0, "2/2"}, {0, "-7/0"}, {0, "-7/0"}, {0, "1/0"}}},
      {"class hierarchy", "A;B;C;D;E;F;G;H;I;J;K;L;", 15,
       [&](D d, int32_t n) {
         return Classes(ZanCreateFillClasHierarchTableK4, ZanGetClasHierarchDataK4, 1, d, n);
       },
       {{0, "2/1"}, {0, "2/2"}, {0, "-7/0"}, {0, "-7/0"}, {0, "1/0"}}},
      // Past the string's end a mail value is missing its separator.
      {"mail table", "n1;v1;n2;v2;", 4,
       [&](D d, int32_t n) { return Got{ZanCreateMailTable(5, d, n), MailCount(5)}; },
       {{0, "1"}, {64, "2"}, {0, "0"}, {0, "0"}, {0, "1"}}},
  });
}

TEST_F(HostileInputTest, LyingLengthsInCharacteristicBars) {
  const std::string head = "H1;H2;H3;H4;H5;", first = "L;Laenge;A;;mm;N;;6;1;";
  using D = char*;
  UseRelease("50A ");
  ExpectLengths({
      {"older bar", head + first + "M;Masse;B;;kg;N;;4;0;", Len(head + first),
       [&](D d, int32_t n) { return Got{ZanCreateSmlTable(1, d, n), SmlDescription(1)}; },
       {{0, "1"}, {0, "2"}, {0, "00"}, {0, "00"}, {0, "00"}}},
      // A negative length still puts the object characteristic in front.
      {"older bar objects", "K1;5;K2;6;", 3,
       [&](D d, int32_t n) {
         return Got{ZanCreateSmlTable(1, W(head + first), 37) + ZanFillSmlTable(1, d, n),
                    SmlDescription(1) + "/" + SmlDescription(2)};
       },
       {{0, "2/1"}, {22, "1/2"}, {0, "2/0"}, {0, "1/0"}, {0, "2/1"}}},
      {"older bar values", "5;mm;6;cm;", 3,
       [&](D d, int32_t n) {
         return Got{ZanCreateSmlTable(1, W(head + first), 37) + ZanFillSmlTable(2, d, n),
                    SmlDescription(2)};
       },
       {{0, "1"}, {22, "2"}, {0, "0"}, {0, "0"}, {0, "1"}}},
  });

  UseRelease("46C ");
  std::string k1 = "L;", k2 = "M;", objects;
  for (int field = 2; field <= 32; ++field) k1 += "f;", k2 += "g;";
  for (int text = 1; text <= 14; ++text) objects += "t;";
  ExpectLengths({
      {"newer bar", head + k1 + k2, Len(head + k1),
       [&](D d, int32_t n) {
         return Got{ZanCreateSmlTable(1, d, n), Out(ZanDescribeTable, 6).second};
       },
       {{0, "1"}, {0, "2"}, {0, "#999"}, {0, "#999"}, {0, "#999"}}},
      // The object data is cut at the length in place.
      {"newer objects", objects + "L;5;;", 20,
       [&](D d, int32_t n) { return Got{ZanFillSmlTable(1, d, n), d + SmlDescription(2)}; },
       {{8, objects.substr(0, 20) + "00"}, {0, objects + "L;5;;1"}, {0, objects + "L;5;;00"},
        {0, objects + "L;5;;00"}, {8, "t00"}}},
      {"newer values", "L;5;L;6;", 5,
       [&](D d, int32_t n) {
         return Got{ZanCreateSmlTable(1, W(head + k1), Len(head + k1)) + ZanFillSmlTable(2, d, n),
                    ValueCount(2, "L")};
       },
       {{0, "1"}, {0, "2"}, {0, "0"}, {0, "0"}, {0, "0"}}},
      {"position values", "P;1;P;2;", 5,
       [&](D d, int32_t n) {
         return Got{ZanCreateFillPosSmlValueTableK4(1, d, n), ValueCount(3, "P")};
       },
       {{85, "#34"}, {0, "2"}, {12, "#34"}, {12, "#34"}, {85, "#34"}}},
  });
}

TEST_F(HostileInputTest, UnsetSeparatorCompletesNoValue) {
  UseRelease("46C ", "");  // no column 7: the separator stays unset
  ASSERT_EQ(Interface(1), "");
  UseTableIndex(TableIndexLine("F4A", "2") + "\n");
  EXPECT_EQ(CreateFill(4, W("ab;cd;"), 6, "MAT"), 0);
  EXPECT_EQ(Column(4, "F4A"), "0:");
  EXPECT_EQ(ZanCreateFillUserTable(1, 2, W("a;b;"), 4), 0);
  EXPECT_EQ(Column(10, "PARA1"), "0:");
  EXPECT_EQ(ZanWriteKonfiguration(1, W("S;F;1;"), 6, W(dir_.file("w.dat"))), 42);
  EXPECT_EQ(ZanCreateHlpTable(1, W("T;5;F;"), 6), 0);
  EXPECT_EQ(HlpColumns(), "#37") << "no column";
  EXPECT_EQ(ZanCreateHlpTable(2, W("e;f;"), 4), 0);
  EXPECT_EQ(HlpLines(), "0");
  // The last help entry needs no separator: the whole string is that entry.
  EXPECT_EQ(ZanFillHlpTable(1, W("a;b"), 3), 0);
  CharacteristicData d{};
  ASSERT_EQ(ZanGetHlpData(1, 1, 1, &d), 0);
  EXPECT_STREQ(d.value, "a;b");
  EXPECT_EQ(ZanCreateFillTableMcd(1, W("I;S;T;"), 6), 0);
  EXPECT_EQ(McdCount(), "#29");
  EXPECT_EQ(ZanCreateMailTable(5, W("n;v;"), 4), 64);
  EXPECT_EQ(MailCount(5), "0");
  const std::string bar = "H1;H2;H3;H4;H5;L;f;";
  EXPECT_EQ(ZanCreateSmlTable(1, W(bar), Len(bar)), 0);
  EXPECT_EQ(Out(ZanCreateSendstrPosSmlValuesK4, 1).first, 9) << "no characteristic";
  EXPECT_EQ(ZanFillSmlTable(1, W("t;t;"), 4), 8) << "an incomplete object";
  EXPECT_EQ(SmlDescription(2), "00");
  EXPECT_EQ(ZanCreateFillPosSmlValueTableK4(1, W("P;1;"), 4), 0);
  EXPECT_EQ(ValueCount(3, "P"), "#34");
  EXPECT_EQ(Classes(ZanCreateFillClasTableK4, ZanGetClasDataK4, 1, W("a;b;c;d;e;"), 10),
            Got(0, "1/0"));
  EXPECT_EQ(Classes(ZanCreateFillClasTableK4, ZanGetClasSearchDataK4, 4, W("a;b;c;"), 6),
            Got(0, "1/0"));
  EXPECT_EQ(Classes(ZanCreateFillClasHierarchTableK4, ZanGetClasHierarchDataK4, 1,
                    W("a;b;c;d;e;f;"), 12), Got(0, "1/0"));

  // Requests join their parts with nothing between.
  char a[] = "a", b[] = "b", c[] = "c";
  EXPECT_EQ(Out(ZanCreateSendstrClasK4, a, b, c, a, b, c, a, b), Got(0, "abcabcab"));
  EXPECT_EQ(Out(ZanCreateSendstrClasScopeK4, a, b, c, a, b, c), Got(0, "abcabc"));
  EXPECT_EQ(Out(ZanCreateSendstrClasSelectK4, a, b, c, a, b, c, a, b, c, a, b),
            Got(0, "abcabcabcab"));
  EXPECT_EQ(Out(ZanCreateSendstrClasSelScopeK4, a, b, c, a, b, c, a, b), Got(0, "abcabcab"));
  EXPECT_EQ(Out(ZanCreateSendstrClasSearchK4, 3, a, b, c, a, b, c, a), Got(0, "abcaca"));
  EXPECT_EQ(Out(ZanCreateSendstrHelp, a, b, c, a), Got(0, "abca"));
  EXPECT_EQ(Out(ZanCreateSendstrMessageK4, W("E01234"), 6), Got(0, "01234"));

  UseRelease("50A ", "");  // the older bar
  EXPECT_EQ(ZanCreateSmlTable(1, W(bar), Len(bar)), 0);
  EXPECT_EQ(SmlDescription(1), "00");
  ExpectUsable();
}

TEST_F(HostileInputTest, DescriptionFilesWithLongBinaryAndOddLines) {
  const std::string tail(10000, 'z');
  index_ = dir_.write("index.dat", IndexLine("MAT", "D", "SETD") + tail + "\n" +
                                       std::string("\xff\0\x01\xff", 4) + tail + "\n" +
                                       IndexLine("MAT", "U", "SETU") + "\r\n" +
                                       IndexLine("BIN", "D", "SETB"));
  defs_ = dir_.write("defs.dat", DefLine("SETD", "A", "3", std::string(10000, 'd')) + "\r\n" +
                                     std::string("\0\xff\xff\n\xff\xff", 6) + tail + "\n" +
                                     DefLine("SETD", "QUANTITY123", "2", "before") +
                                     std::string("\0after\xff\r\n", 9) +
                                     DefLine("SETU", "OUT", "4") + "\r\n" +
                                     DefLine("SETB", "\xff\xfe", "2", "bin\x01\x7f"));
  ExpectUsable();  // reads both files

  Fenced<sizeof(AttributeRecord)> attribute;
  auto* a = attribute.as<AttributeRecord>();
  ASSERT_EQ(Attribute("MAT  ", defs_, 1, a), 0);
  EXPECT_EQ(a->description + std::string("|") + a->length, std::string(40, 'd') + "|3  ");
  ASSERT_EQ(Attribute("MAT  ", defs_, 2, a), 0);
  EXPECT_STREQ(a->description, "before") << "a NUL byte ends the line's text";
  ASSERT_EQ(ZanSearchAttribut(2, W("BIN  "), W("01"), W(index_), W(defs_), W("\xff\xfe"), a), 0);
  EXPECT_STREQ(a->description, "bin\x01\x7f") << "the last line has no line end";
  EXPECT_TRUE(attribute.Intact());
  EXPECT_EQ(CreateFill(2, W("\xff\xfe"), 2, "BIN  "), 0);
  EXPECT_EQ(Value(2, "\xff\xfe", 1), Got(0, "\xff\xfe"));

  UseTableIndex(TableIndexLine("F4A", "3") + tail + "\n" + std::string("\xff\0\xff\n", 4) +
                std::string(10000, '\xff') + "\n" + TableIndexLine("F4B", "2") + "\r\n" +
                TableIndexLine("F4C", "1"));
  UseSeparator(';');
  EXPECT_EQ(CreateFill(4, W("abc;de;f;"), 9, "MAT"), 0);
  EXPECT_EQ(Column(4, "F4A") + Column(4, "F4B") + Column(4, "F4C"), "1:abc1:de1:f");
}

TEST_F(HostileInputTest, MessageFileWithLongBinaryAndOddLines) {
  const auto line = [](const std::string& code, const std::string& type, const std::string& text,
                       const std::string& longText) {
    return Columns({{1, "E"}, {3, code}, {7, type}, {9, text}, {36, longText}});
  };
  const std::string file = line("041", "W", "Long", std::string(10000, 'l')) + "\n" +
                           std::string("E\xff\0\xff\n", 5) + std::string(10000, '\0') + "\n" +
                           line("042", "I", "Nul", "before") + std::string("\0after\n", 7) +
                           line("043", "E", "Crlf", "text") + "\r\n" +
                           line("045", "E", "\xff\xfe", "ff") + "\n" +
                           line("044", "W", "Last", "no line end");
  ASSERT_EQ(ZanConfigureToolbox(1, W(dir_.write("messages.dat", file))), 0);
  for (const std::vector<std::string>& e : std::vector<std::vector<std::string>>{
           {"41", "W", "Long", std::string(221, 'l')}, {"42", "I", "Nul", "before"},
           {"43", "E", "Crlf", "text"}, {"44", "W", "Last", "no line end"},
           {"45", "E", "\xff\xfe", "ff"}, {"-1", "X", "", "TB0-1 Error in toolbox"}}) {
    Fenced<sizeof(MessageRecord)> block;
    auto* m = block.as<MessageRecord>();
    ASSERT_EQ(ZanGetErrorMessage(std::stoi(e[0]), m), 0);
    EXPECT_EQ((std::vector<std::string>{std::to_string(m->code), m->type, m->shortText,
                                        m->longText}), e);
    EXPECT_TRUE(block.Intact()) << e[0];
  }
  ExpectUsable();
}

TEST_F(HostileInputTest, EmptyMissingDirectoryAndUnreadableFiles) {
  const std::string unreadable = dir_.write("unreadable.dat", DefLine("SETD", "A", "3") + "\n");
  fs::permissions(unreadable, fs::perms::none);
  std::FILE* probe = std::fopen(unreadable.c_str(), "rb");  // a privileged user reads it
  const bool blocked = probe == nullptr;
  if (probe != nullptr) std::fclose(probe);
  struct Bad {
    std::string what, path;
    int32_t definitionCode, indexCode;  // of ZanGetAttributName and ZanCreateTable(4)
  };
  for (const Bad& f : std::vector<Bad>{{"empty", dir_.write("empty.dat", ""), 57, 0},
                                       {"missing", dir_.file("missing.dat"), 56, 60},
                                       {"directory", dir_.path().string(), 56, 60},
                                       {"unreadable", unreadable, 56, 60}}) {
    SCOPED_TRACE(f.what);
    const bool readable = f.what == "unreadable" && !blocked;
    EXPECT_EQ(ZanCreateTable(2, W("MAT  "), W("01"), W(f.path), W(defs_)), 1);
    EXPECT_EQ(ZanCreateTable(2, W("MAT  "), W("01"), W(index_), W(f.path)), 0);
    const std::string column = Column(2, "A");
    AttributeRecord a{};
    const int32_t rc = Attribute("", f.path, 1, &a);
    ASSERT_EQ(ZanConfigureToolbox(2, W(f.path)), 0);
    const int32_t created = Create(4);
    if (!readable) {
      EXPECT_EQ(column, "#16") << "a layout without fields";
      EXPECT_EQ(rc, f.definitionCode);
      EXPECT_EQ(created, f.indexCode);
    }
    ASSERT_EQ(ZanConfigureToolbox(1, W(f.path)), 0);
    MessageRecord m{};
    ASSERT_EQ(ZanGetErrorMessage(41, &m), 0);
    EXPECT_STREQ(m.longText, "TB041 Error in toolbox");
  }
  ExpectUsable();
  EXPECT_EQ(ZanWriteKonfiguration(1, W("S;F;1;"), 6, W(dir_.path().string())), 42);
  EXPECT_EQ(ZanPrintTable(2, W(dir_.path().string())), 0);
  fs::permissions(unreadable, fs::perms::owner_all);
}

// A value number far past the last value would need more empty values in
// front of it than any table holds: it is refused like exhausted memory.
TEST_F(HostileInputTest, ValueNumbersFarPastTheEndAreRefused) {
  UseSeparator(';');
  ASSERT_EQ(ZanCreateMailTable(5, W("n;v;"), 4), 0);
  EXPECT_EQ(ZanWriteMailValue(5, 0, W("PARVAL"), INT32_MAX, W("w")), 8);
  EXPECT_EQ(ZanWriteMailValue(5, 0, W("PARVAL"), 4, W("w")), 0);
  EXPECT_EQ(Out(ZanGetMailData, 5, 0, W("PARVAL"), 3), Got(0, ""));
  EXPECT_EQ(Out(ZanGetMailData, 5, 0, W("PARVAL"), 4), Got(0, "w"));
  EXPECT_EQ(Out(ZanGetMailData, 5, 0, W("PARVAL"), 5).first, 31);

  const std::string bar = "H1;H2;H3;H4;H5;L;Laenge;A;;mm;N;;6;1;";
  UseRelease("50A ");
  ASSERT_EQ(ZanCreateSmlTable(1, W(bar), Len(bar)), 0);
  EXPECT_EQ(ZanWriteSmlValue(1, 1, W(""), 10, W("w"), INT32_MAX), 8);
  EXPECT_EQ(SmlDescription(2), "0");
  UseRelease("46C ");
  std::string k4 = "H1;H2;H3;H4;H5;L;";
  for (int field = 2; field <= 32; ++field) k4 += "f;";
  ASSERT_EQ(ZanCreateSmlTable(1, W(k4), Len(k4)), 0);
  EXPECT_EQ(ZanWriteSmlValue(1, 1, W(""), 33, W("w"), INT32_MAX), 8);
  EXPECT_EQ(ValueCount(2, "L"), "0");
  ExpectUsable();
}

// A help column width or a user-table field count far beyond any real list
// would cost gigabytes: both are refused like exhausted memory.
TEST_F(HostileInputTest, HugeWidthsAndFieldCountsAreRefused) {
  UseSeparator(';');
  ASSERT_EQ(ZanCreateHlpTable(1, W("A;2147483647;;B;5;;"), 19), 0);
  ASSERT_EQ(ZanFillHlpTable(1, W("x;y;"), 4), 0);
  CharacteristicData d;
  EXPECT_EQ(ZanGetHlpData(1, 1, 1, &d), 8);
  ASSERT_EQ(ZanGetHlpData(1, 2, 1, &d), 0);
  EXPECT_STREQ(d.value, "y    ");
  EXPECT_EQ(ZanCreateFillUserTable(1, (1 << 20) + 1, W("a;"), 2), 8);
  char* count = nullptr;
  EXPECT_EQ(ZanDescribeTable(10, &count), 999);
  EXPECT_EQ(ZanCreateFillUserTable(1, 3, W("a;b;c;"), 6), 0);
  ExpectUsable();
}

}  // namespace
}  // namespace kelmod_test
