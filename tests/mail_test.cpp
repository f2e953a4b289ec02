// Mail tables driven through kelmod.h: the fields of every mail type, reads
// by name and by position, writes, the mail request and the characteristic-bar
// read path over the mail tables. (Their release is checked after every
// hostile-input test.)
#include <deque>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Texts = std::vector<std::string>;

// The fields of mail types 1 to 6 in table order.
const char* const kFields[] = {
    "FOLTP FOLYR FOLNO DOCTP DOCYR DOCNO DOCDES SNDNAM RECNAM RECCNT OBJRD OBJRR OBJAC VMTYP "
    "RESUB SNDEX",
    "CONT",
    "FOLTP FOLYR FOLNO DOCTP DOCYR DOCNO DOCNAM DOCDES DOCLA OWNNAM SNDNAM CRDAT CRTIM OBJSRT "
    "OBJPRI OBJSNS VMTYP ACNAM OBJRD OBJRR OBJAC RESUB SNDEX",
    "PARNAM PAROPT PARLOW PARHIG",
    "PARNAM PARVAL",
    "RECNAM FORNAM OBJRD RDDAT RDTIM SNDPRI OBJAC ACDAT ACTIM ACALL ALONE ATDAT ATTIM"};
Texts Fields(int32_t type) {
  std::istringstream in(kFields[type - 1]);
  return {std::istream_iterator<std::string>(in), {}};
}

// The text an export handed out through its last argument; "#code" after a failure.
template <class F, class... A>
std::string Out(F f, A... args) {
  char* text = nullptr;
  const int32_t rc = f(args..., &text);
  return rc != 0 ? "#" + std::to_string(rc) : text;
}
// The characteristic-bar read as "name|format|value|length".
std::string Bar(int32_t type, int32_t position, int32_t n) {
  CharacteristicData d{};
  const int32_t rc = ZanGetSmlData(type, position, n, &d);
  return rc != 0 ? "#" + std::to_string(rc)
                 : d.name + ("|" + std::string(d.format) + "|" + d.value + "|") +
                       std::to_string(d.length);
}
std::string Send(int32_t mode, int32_t mail) { return Out(ZanCreateSendstrMail, mode, mail); }

class MailTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
  }
  // A writable copy of a text that lives until the test ends.
  char* W(const std::string& text) { return kept_.emplace_back(text).get(); }
  // Creates from the whole text unless a length is given.
  int32_t Create(int32_t type, const std::string& data, int32_t length = -1) {
    return ZanCreateMailTable(type, W(data),
                              length < 0 ? static_cast<int32_t>(data.size()) : length);
  }
  // Values `first` to `last` of a field read by name, joined by ','.
  std::string ByName(int32_t type, const std::string& name, int32_t first, int32_t last = -1) {
    std::string out = Out(ZanGetMailData, type, 0, W(name), first);
    for (int32_t n = first + 1; n <= last; ++n)
      out += "," + Out(ZanGetMailData, type, 0, W(name), n);
    return out;
  }
  // "count: FIELD=values ..." of a whole table; "#code" without one.
  std::string Dump(int32_t type) {
    std::string out = Out(ZanDescribeMailTable, type);
    if (out[0] == '#') return out;
    const int32_t count = std::stoi(out);
    out += ":";
    for (const std::string& f : Fields(type))
      out += " " + f + "=" + (count > 0 ? ByName(type, f, 1, count) : "");
    return out;
  }
  // The value read by position, then "@" and what the name buffer holds.
  std::string ByPosition(int32_t type, int32_t position, int32_t n) {
    char name[8] = "";
    const std::string value = Out(ZanGetMailData, type, position, name, n);
    return value + "@" + name;
  }
  int32_t Write(int32_t type, const std::string& name, int32_t n, const std::string& value) {
    return ZanWriteMailValue(type, 0, W(name), n, W(value));
  }
  std::deque<Arg> kept_;
};

TEST_F(MailTest, EveryMailTypeKeepsItsFieldsInOrder) {
  for (int32_t type = 1; type <= 6; ++type) {
    SCOPED_TRACE(type);
    const Texts fields = Fields(type);
    const int32_t n = static_cast<int32_t>(fields.size());
    const auto v = [](int32_t i) { return "v" + std::to_string(i); };
    EXPECT_EQ(Bar(type + 2, 1, 1), "#68");
    std::string data, dump = "1:";
    for (int32_t i = 1; i <= n; ++i) data += v(i) + ";", dump += " " + fields[i - 1] + "=" + v(i);
    ASSERT_EQ(Create(type, data), 0);
    EXPECT_EQ(Dump(type), dump);
    // By position: type 1 starts after its six key fields, type 2 always
    // reads its one field, the others count from the first.
    const int32_t skip = type == 1 ? 6 : 0;
    for (int32_t p = 1; p <= n - skip; ++p)
      EXPECT_EQ(ByPosition(type, p, 1), v(p + skip) + "@" + fields[p + skip - 1]) << p;
    if (type == 2) {
      EXPECT_EQ(ByPosition(2, 9, 1) + ByPosition(2, 0, 1), "v1@CONTv1@CONT");
    } else {
      EXPECT_EQ(ByPosition(type, n - skip + 1, 1), "#66@");
    }
    // The characteristic-bar reads see the mail table as type + 2.
    EXPECT_EQ(Bar(type + 2, n, 1),
              fields.back() + "|C|" + v(n) + "|" + std::to_string(v(n).size()));
    EXPECT_EQ(Bar(type + 2, n + 1, 1), "#36");
  }
  CharacteristicData d{};
  EXPECT_EQ(ZanGetSmlAttributData(1, W("PARNAM"), 1, &d), 30);  // the characteristic bar only
}

TEST_F(MailTest, ValuesAreTakenFieldAfterFieldAndMailAfterMail) {
  ASSERT_EQ(Create(5, "P1;V1;P2;V2;", 12), 0);
  EXPECT_EQ(Dump(5), "2: PARNAM=P1,P2 PARVAL=V1,V2");
  EXPECT_EQ(Bar(7, 1, 2), "PARNAM|C|P2|2");  // the length of the longest value
  EXPECT_EQ(ByName(5, "PARVAL", 0), "");
  EXPECT_EQ(ByPosition(5, 2, 1), "V1@PARVAL");

  ASSERT_EQ(Create(5, "P1;V1;P2;", 9), 0);
  EXPECT_EQ(Dump(5), "2: PARNAM=P1,P2 PARVAL=V1,#31");  // the first field counts
  EXPECT_EQ(ByName(5, "PARAM", 1), "#31");
  EXPECT_EQ(ByPosition(5, 2, 2), "#66@");
  EXPECT_EQ(Create(5, "P1;V1;P2", 8), 64);
  EXPECT_EQ(Dump(5), "1: PARNAM=P1 PARVAL=V1");

  // Reads by name trim the value, reads by position keep its leading blanks.
  // Consumed characters count the values as stored, without trailing blanks.
  EXPECT_EQ(Create(5, "P1;  V1  ;"), 64);
  ASSERT_EQ(Create(5, "P1;  V1  ;", 8), 0);
  EXPECT_EQ(Dump(5), "1: PARNAM=P1 PARVAL=V1");
  EXPECT_EQ(ByPosition(5, 2, 1), "  V1@PARVAL");
  EXPECT_EQ(Bar(7, 2, 1), "PARVAL|C|  V1|4");

  ASSERT_EQ(Create(4, "a;", 2), 0);
  EXPECT_EQ(Dump(4), "1: PARNAM=a PAROPT= PARLOW= PARHIG=");  // no values read empty
  ASSERT_EQ(Create(5, "P1;", 0), 0);
  EXPECT_EQ(Dump(5), "0: PARNAM= PARVAL=");

  // Other types and a null text create nothing and change nothing.
  ASSERT_EQ(Create(5, "P1;V1;P2;V2;"), 0);
  for (int32_t type : {7, 0}) EXPECT_EQ(Create(type, "X1;X2;X3;", 10), 0);
  EXPECT_EQ(ZanCreateMailTable(5, nullptr, 4), 78);
  EXPECT_EQ(Dump(5), "2: PARNAM=P1,P2 PARVAL=V1,V2");
}

TEST_F(MailTest, CodesForTypesPositionsAndEmptyTables) {
  for (int32_t type : {0, 7}) {
    EXPECT_EQ(Dump(type) + ByName(type, "PARVAL", 1), "#3#3");
    EXPECT_EQ(Write(type, "PARVAL", 1, "x"), 3);
  }
  EXPECT_EQ((Texts{Dump(5), ByName(5, "PARVAL", 1), ByPosition(5, 1, 1), Send(1, 1), Send(3, 1)}),
            (Texts{"#69", "#65", "#65@", "#67", "#3"}));
  EXPECT_EQ(Write(5, "PARVAL", 1, "x"), 70);
}

TEST_F(MailTest, WriteStoresOneValueOfANamedField) {
  ASSERT_EQ(Create(5, "P1;V1;P2;V2;"), 0);
  EXPECT_EQ(ZanWriteMailValue(5, 1, W("PARVAL"), 1, W("x")), 3);
  EXPECT_EQ(Write(5, "", 1, "x"), 0);
  for (const char* name : {"NOPE", "parval"}) EXPECT_EQ(Write(5, name, 1, "x"), 47) << name;
  EXPECT_EQ(ZanWriteMailValue(5, 0, W("PARVAL"), 1, nullptr), 47);
  EXPECT_EQ(Dump(5), "2: PARNAM=P1,P2 PARVAL=V1,V2");  // nothing changed

  char* value = W("x  ");
  ASSERT_EQ(ZanWriteMailValue(5, 0, W("PARVAL"), 4, value), 0);
  EXPECT_STREQ(value, "x");  // trimmed in place
  EXPECT_EQ(ByName(5, "PARVAL", 1, 5), "V1,V2,,x,#31");
  ASSERT_EQ(Write(5, "PARVAL", 0, "y"), 0);  // 0 appends
  ASSERT_EQ(Write(5, "PARNAM", 1, "z"), 0);
  EXPECT_EQ(ByName(5, "PARVAL", 1, 5), "V1,V2,,x,y");
  EXPECT_EQ(Dump(5), "2: PARNAM=z,P2 PARVAL=V1,V2");  // the count stays
}

TEST_F(MailTest, RequestCarriesTheKeyFieldsOfOneMail) {
  const std::string rest = "d;s;r;c;o1;o2;o3;v;re;se;";  // fields 7 to 16
  ASSERT_EQ(Create(1, "F;2001;17;D;2002;5;" + rest + "G;2002;18;E;2003;6;" + rest + "H;2003;19;"),
            0);
  // The third mail has no DOCTP; there is no fourth.
  EXPECT_EQ(
      (Texts{Send(2, 1), Send(1, 1), Send(1, 2), Send(2, 3), Send(1, 3), Send(2, 4), Send(1, 0)}),
      (Texts{"F;2001;17;", "F;2001;17;D;2002;5;", "G;2002;18;E;2003;6;", "H;2003;19;", "#36", "#36",
             ";;;;;;"}));
}

}  // namespace
}  // namespace kelmod_test
