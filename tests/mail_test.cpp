// Mail tables driven through kelmod.h: the fields of every mail type, reads
// by name and by position, writes, the mail request, the characteristic-bar
// read path over the mail tables, and the release of every table.
#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Got = std::pair<int32_t, std::string>;

// The fields of mail types 1 to 6 in table order.
const std::vector<std::vector<std::string>> kFields = {
    {"FOLTP", "FOLYR", "FOLNO", "DOCTP", "DOCYR", "DOCNO", "DOCDES", "SNDNAM", "RECNAM", "RECCNT",
     "OBJRD", "OBJRR", "OBJAC", "VMTYP", "RESUB", "SNDEX"},
    {"CONT"},
    {"FOLTP", "FOLYR", "FOLNO", "DOCTP", "DOCYR", "DOCNO", "DOCNAM", "DOCDES", "DOCLA", "OWNNAM",
     "SNDNAM", "CRDAT", "CRTIM", "OBJSRT", "OBJPRI", "OBJSNS", "VMTYP", "ACNAM", "OBJRD", "OBJRR",
     "OBJAC", "RESUB", "SNDEX"},
    {"PARNAM", "PAROPT", "PARLOW", "PARHIG"},
    {"PARNAM", "PARVAL"},
    {"RECNAM", "FORNAM", "OBJRD", "RDDAT", "RDTIM", "SNDPRI", "OBJAC", "ACDAT", "ACTIM", "ACALL",
     "ALONE", "ATDAT", "ATTIM"},
};

constexpr int32_t kWhole = INT32_MIN;  // pass the length of the whole text

int32_t CreateMail(int32_t type, const std::string& data, int32_t length = kWhole) {
  Arg d(data);
  return ZanCreateMailTable(type, d.get(),
                            length == kWhole ? static_cast<int32_t>(data.size()) : length);
}
Got Count(int32_t type) {
  char* count = nullptr;
  const int32_t rc = ZanDescribeMailTable(type, &count);
  return {rc, rc == 0 ? count : ""};
}
Got ByName(int32_t type, const std::string& name, int32_t n) {
  Arg buffer(name);
  char* value = nullptr;
  const int32_t rc = ZanGetMailData(type, 0, buffer.get(), n, &value);
  return {rc, rc == 0 ? value : ""};
}
// The code with the value, and what the name buffer holds afterwards.
std::pair<Got, std::string> ByPosition(int32_t type, int32_t position, int32_t n) {
  char name[8] = "";
  char* value = nullptr;
  const int32_t rc = ZanGetMailData(type, position, name, n, &value);
  return {{rc, rc == 0 ? value : ""}, name};
}
int32_t WriteMail(int32_t type, int32_t position, const std::string& name, int32_t n,
                  const std::string& value) {
  Arg a(name), v(value);
  return ZanWriteMailValue(type, position, a.get(), n, v.get());
}
Got SendMail(int32_t mode, int32_t mail) {
  char* out = nullptr;
  const int32_t rc = ZanCreateSendstrMail(mode, mail, &out);
  return {rc, rc == 0 ? out : ""};
}

class MailTest : public ToolboxTest {
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
};

TEST_F(MailTest, EveryMailTypeKeepsItsFieldsInOrder) {
  CharacteristicData d{};
  for (int32_t type = 1; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const std::vector<std::string>& fields = kFields[static_cast<std::size_t>(type) - 1];
    const int32_t n = static_cast<int32_t>(fields.size());
    EXPECT_EQ(ZanGetSmlData(type + 2, 1, 1, &d), 68);
    std::string data;
    for (int32_t i = 1; i <= n; ++i) data += "v" + std::to_string(i) + ";";
    ASSERT_EQ(CreateMail(type, data), 0);
    EXPECT_EQ(Count(type), Got(0, "1"));
    for (int32_t i = 1; i <= n; ++i)
      EXPECT_EQ(ByName(type, fields[i - 1], 1), Got(0, "v" + std::to_string(i))) << i;

    // By position: type 1 starts after its six key fields, type 2 always
    // reads its one field, the others count from the first.
    const int32_t skip = type == 1 ? 6 : 0;
    for (int32_t p = 1; p <= n - skip; ++p) {
      const auto [got, name] = ByPosition(type, p, 1);
      EXPECT_EQ(got, Got(0, "v" + std::to_string(p + skip))) << p;
      EXPECT_EQ(name, fields[p + skip - 1]) << p;
    }
    if (type == 2) {
      EXPECT_EQ(ByPosition(2, 9, 1), std::make_pair(Got(0, "v1"), std::string("CONT")));
      EXPECT_EQ(ByPosition(2, 0, 1).second, "CONT");
    } else {
      EXPECT_EQ(ByPosition(type, n - skip + 1, 1), std::make_pair(Got(66, ""), std::string()));
    }

    // The characteristic-bar reads see the mail table as type + 2.
    ASSERT_EQ(ZanGetSmlData(type + 2, n, 1, &d), 0);
    EXPECT_EQ(d.name, fields.back());
    EXPECT_STREQ(d.format, "C");
    EXPECT_STREQ(d.value, ("v" + std::to_string(n)).c_str());
    EXPECT_EQ(ZanGetSmlData(type + 2, n + 1, 1, &d), 36);
  }
  // The attribute read looks at the characteristic bar only.
  Arg key("PARNAM");
  EXPECT_EQ(ZanGetSmlAttributData(1, key.get(), 1, &d), 30);
}

TEST_F(MailTest, ValuesAreTakenFieldAfterFieldAndMailAfterMail) {
  ASSERT_EQ(CreateMail(5, "P1;V1;P2;V2;", 12), 0);
  EXPECT_EQ(Count(5), Got(0, "2"));
  CharacteristicData d{};
  ASSERT_EQ(ZanGetSmlData(7, 1, 2, &d), 0);
  EXPECT_STREQ(d.name, "PARNAM");
  EXPECT_STREQ(d.value, "P2");
  EXPECT_EQ(d.length, 2);  // the longest value
  EXPECT_EQ(ByName(5, "PARVAL", 2), Got(0, "V2"));
  EXPECT_EQ(ByName(5, "PARVAL", 0), Got(0, ""));
  EXPECT_EQ(ByPosition(5, 2, 1), std::make_pair(Got(0, "V1"), std::string("PARVAL")));

  ASSERT_EQ(CreateMail(5, "P1;V1;P2;", 9), 0);
  EXPECT_EQ(Count(5), Got(0, "2"));  // the first field counts
  EXPECT_EQ(ByName(5, "PARVAL", 2).first, 31);
  EXPECT_EQ(ByName(5, "PARAM", 1).first, 31);
  EXPECT_EQ(ByPosition(5, 2, 2).first.first, 66);

  EXPECT_EQ(CreateMail(5, "P1;V1;P2", 8), 64);
  EXPECT_EQ(Count(5), Got(0, "1"));
  EXPECT_EQ(ByName(5, "PARNAM", 1), Got(0, "P1"));
  EXPECT_EQ(ByName(5, "PARVAL", 1), Got(0, "V1"));

  // Reads by name trim the value, reads by position keep its leading blanks.
  // Consumed characters count the values as stored, without trailing blanks.
  EXPECT_EQ(CreateMail(5, "P1;  V1  ;"), 64);
  ASSERT_EQ(CreateMail(5, "P1;  V1  ;", 8), 0);
  EXPECT_EQ(ByName(5, "PARVAL", 1), Got(0, "V1"));
  EXPECT_EQ(ByPosition(5, 2, 1).first, Got(0, "  V1"));
  ASSERT_EQ(ZanGetSmlData(7, 2, 1, &d), 0);
  EXPECT_STREQ(d.value, "  V1");
  EXPECT_EQ(d.length, 4);

  ASSERT_EQ(CreateMail(4, "a;", 2), 0);
  EXPECT_EQ(ByName(4, "PAROPT", 1), Got(0, ""));  // a field without values reads empty
  ASSERT_EQ(CreateMail(5, "P1;", 0), 0);
  EXPECT_EQ(Count(5), Got(0, "0"));

  // Other types create nothing and change nothing.
  ASSERT_EQ(CreateMail(5, "P1;V1;P2;V2;"), 0);
  EXPECT_EQ(CreateMail(7, "X1;X2;X3;", 10), 0);
  EXPECT_EQ(CreateMail(0, "X1;X2;X3;", 10), 0);
  EXPECT_EQ(Count(5), Got(0, "2"));
  EXPECT_EQ(ByName(5, "PARNAM", 1), Got(0, "P1"));
  EXPECT_EQ(ZanCreateMailTable(5, nullptr, 4), 78);
  EXPECT_EQ(Count(5), Got(0, "2"));
}

TEST_F(MailTest, CodesForTypesPositionsAndEmptyTables) {
  for (int32_t type : {0, 7}) {
    EXPECT_EQ(Count(type).first, 3);
    EXPECT_EQ(ByName(type, "PARVAL", 1).first, 3);
    EXPECT_EQ(WriteMail(type, 0, "PARVAL", 1, "x"), 3);
  }
  EXPECT_EQ(Count(5).first, 69);
  EXPECT_EQ(ByName(5, "PARVAL", 1).first, 65);
  EXPECT_EQ(ByPosition(5, 1, 1).first.first, 65);
  EXPECT_EQ(WriteMail(5, 0, "PARVAL", 1, "x"), 70);
  EXPECT_EQ(SendMail(1, 1).first, 67);
  EXPECT_EQ(SendMail(3, 1).first, 3);
}

TEST_F(MailTest, WriteStoresOneValueOfANamedField) {
  ASSERT_EQ(CreateMail(5, "P1;V1;P2;V2;"), 0);
  EXPECT_EQ(WriteMail(5, 1, "PARVAL", 1, "x"), 3);
  EXPECT_EQ(WriteMail(5, 0, "", 1, "x"), 0);
  EXPECT_EQ(ByPosition(5, 1, 1).first, Got(0, "P1"));  // nothing changed
  EXPECT_EQ(WriteMail(5, 0, "NOPE", 1, "x"), 47);
  EXPECT_EQ(WriteMail(5, 0, "parval", 1, "x"), 47);
  Arg name("PARVAL");
  EXPECT_EQ(ZanWriteMailValue(5, 0, name.get(), 1, nullptr), 47);

  Arg value("x  ");
  ASSERT_EQ(ZanWriteMailValue(5, 0, name.get(), 4, value.get()), 0);
  EXPECT_EQ(value.str(), "x");
  const char* expected[] = {"V1", "V2", "", "x"};
  for (int32_t n = 1; n <= 4; ++n) EXPECT_EQ(ByName(5, "PARVAL", n), Got(0, expected[n - 1]));
  EXPECT_EQ(ByName(5, "PARVAL", 5).first, 31);
  EXPECT_EQ(Count(5), Got(0, "2"));
  ASSERT_EQ(WriteMail(5, 0, "PARVAL", 0, "y"), 0);  // 0 appends
  EXPECT_EQ(ByName(5, "PARVAL", 5), Got(0, "y"));
  ASSERT_EQ(WriteMail(5, 0, "PARNAM", 1, "z"), 0);
  EXPECT_EQ(ByName(5, "PARNAM", 1), Got(0, "z"));
}

TEST_F(MailTest, RequestCarriesTheKeyFieldsOfOneMail) {
  const std::string rest = "d;s;r;c;o1;o2;o3;v;re;se;";  // fields 7 to 16
  ASSERT_EQ(CreateMail(1, "F;2001;17;D;2002;5;" + rest + "G;2002;18;E;2003;6;" + rest +
                              "H;2003;19;"),
            0);
  EXPECT_EQ(SendMail(2, 1), Got(0, "F;2001;17;"));
  EXPECT_EQ(SendMail(1, 1), Got(0, "F;2001;17;D;2002;5;"));
  EXPECT_EQ(SendMail(1, 2), Got(0, "G;2002;18;E;2003;6;"));
  EXPECT_EQ(SendMail(2, 3), Got(0, "H;2003;19;"));
  EXPECT_EQ(SendMail(1, 3).first, 36);  // the third mail has no DOCTP
  EXPECT_EQ(SendMail(2, 4).first, 36);
  EXPECT_EQ(SendMail(1, 0), Got(0, ";;;;;;"));
}

TEST_F(MailTest, ReleaseEmptiesMailCharacteristicBarAndObjectTables) {
  // The newer characteristic bar, its object table and position values.
  std::string k4 = "K1;K2;K3;K4;K5;A;";
  for (int k = 2; k <= 32; ++k) k4 += "x;";
  std::string object;
  for (int k = 1; k <= 14; ++k) object += "o" + std::to_string(k) + ";";
  object += "A;1;;";
  Arg k4Desc(k4), objects(object), positions("A;1;");
  ASSERT_EQ(ZanCreateSmlTable(1, k4Desc.get(), static_cast<int32_t>(k4.size())), 0);
  ASSERT_EQ(ZanFillSmlTable(1, objects.get(), static_cast<int32_t>(object.size())), 0);
  ASSERT_EQ(ZanCreateFillPosSmlValueTableK4(1, positions.get(), 4), 0);
  // The older characteristic bar and a mail table.
  Arg older("50A   ;           "), desc("H1;H2;H3;H4;H5;L;Laenge;A;;mm;N;;6;1;");
  ASSERT_EQ(ZanFillInterface(older.get(), 18), 0);
  ASSERT_EQ(ZanCreateSmlTable(1, desc.get(), 37), 0);
  ASSERT_EQ(CreateMail(5, "P1;V1;"), 0);

  ASSERT_EQ(ZanInitToolbox(2), 0);
  CharacteristicData d{};
  SmlCharacteristicData k{};
  char* value = nullptr;
  Arg name("A");
  EXPECT_EQ(Count(5).first, 69);
  EXPECT_EQ(ZanGetSmlData(7, 1, 1, &d), 68);
  EXPECT_EQ(ZanGetSmlData(1, 1, 0, &d), 34);
  EXPECT_EQ(ZanGetSmlDataK4(2, 1, 0, &k), 34);
  EXPECT_EQ(ZanGetSmlDataValueK4(1, name.get(), 0, 1, 1, &value), 35);
  EXPECT_EQ(ZanGetSmlDataValueK4(3, name.get(), 0, 0, 1, &value), 34);
}

}  // namespace
}  // namespace kelmod_test
