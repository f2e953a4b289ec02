// Classification of the newer release driven through kelmod.h: class tables,
// the class search table, the class hierarchy, the record readers and the
// class requests.
#include <array>
#include <string>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Got = std::pair<int32_t, std::string>;
using Filled = std::pair<int32_t, int32_t>;
constexpr int32_t kOwnLength = -100;

class ClassificationTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
  }
  // (code, count) of a fill; count starts at -7 so that an untouched count
  // shows. The string's own length unless one is given.
  Filled Fill(int32_t mode, const std::string& data, int32_t length = kOwnLength,
              bool hierarchy = false) {
    Arg d(data);
    int32_t count = -7;
    if (length == kOwnLength) length = static_cast<int32_t>(data.size());
    const int32_t rc = hierarchy ? ZanCreateFillClasHierarchTableK4(mode, d.get(), length, &count)
                                 : ZanCreateFillClasTableK4(mode, d.get(), length, &count);
    EXPECT_EQ(d.str(), data) << "the received string is never changed";
    return {rc, count};
  }
  Filled FillHierarchy(const std::string& data, int32_t length = kOwnLength, int32_t mode = 1) {
    return Fill(mode, data, length, true);
  }
  // (code, the record's values joined with '|'; "" unless the code is 0).
  template <std::size_t N, class Read>
  static Got Record(Read read, int32_t mode, int32_t record) {
    std::array<char*, N> values{};
    const int32_t rc = read(mode, record, values.data());
    std::string joined;
    for (std::size_t i = 0; rc == 0 && i < N; ++i)
      joined += (i ? "|" : "") + std::string(values[i] != nullptr ? values[i] : "<null>");
    return {rc, joined};
  }
  static Got Clas(int32_t mode, int32_t record) {
    return Record<5>(ZanGetClasDataK4, mode, record);
  }
  static Got Hierarchy(int32_t record, int32_t mode = 1) {
    return Record<6>(ZanGetClasHierarchDataK4, mode, record);
  }
  static Got Search(int32_t record, int32_t mode = 1) {
    return Record<22>(ZanGetClasSearchDataK4, mode, record);
  }
};

// The first values of a search record followed by its empty ones up to 22.
std::string SearchValues(const std::string& first, int present) {
  return first + std::string(static_cast<std::size_t>(22 - present), '|');
}

TEST_F(ClassificationTest, ClassTablesReadRecordByRecord) {
  EXPECT_EQ(Fill(2, "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;"), Filled(0, 2));
  EXPECT_EQ(Clas(2, 2), Got(0, "VALVE|PN|B|X|bar"));
  for (int32_t first : {1, 0, -5}) EXPECT_EQ(Clas(2, first), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(Clas(2, 3).first, 75);
  EXPECT_EQ(Clas(1, 1).first, 76) << "the mode-1 table is still empty";
  EXPECT_EQ(Clas(3, 1).first, 3);
  EXPECT_EQ(ZanGetClasDataK4(2, 1, nullptr), 78);

  // Mode 1 fills and reads its own table; each mode leaves the other's.
  EXPECT_EQ(Fill(1, "GEAR;Z;C;;;"), Filled(0, 1));
  EXPECT_EQ(Clas(1, 1), Got(0, "GEAR|Z|C||"));
  EXPECT_EQ(Clas(1, 2).first, 75);
  EXPECT_EQ(Clas(2, 2), Got(0, "VALVE|PN|B|X|bar"));
  EXPECT_EQ(Fill(2, "X;X;X;X;X;"), Filled(0, 1));
  EXPECT_EQ(Clas(1, 1), Got(0, "GEAR|Z|C||"));

  // The strings handed out are the reader's own: the next read overwrites
  // them, a failed read leaves the caller's array alone, a refill does not
  // touch them.
  std::array<char*, 5> first{}, second{}, untouched{};
  ASSERT_EQ(Fill(2, "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;"), Filled(0, 2));
  ASSERT_EQ(ZanGetClasDataK4(2, 1, first.data()), 0);
  ASSERT_EQ(ZanGetClasDataK4(2, 2, second.data()), 0);
  EXPECT_STREQ(first[0], "VALVE");
  EXPECT_EQ(ZanGetClasDataK4(2, 9, untouched.data()), 75);
  EXPECT_EQ(untouched[0], nullptr);
  ASSERT_EQ(Fill(2, "A;B;C;D;E;"), Filled(0, 1));
  EXPECT_STREQ(second[4], "bar");
}

TEST_F(ClassificationTest, FillArgumentsAndLength) {
  ASSERT_EQ(Fill(2, "PUMP;DN;A;X;mm;"), Filled(0, 1));
  ASSERT_EQ(Fill(4, "A;B;C;"), Filled(0, 1));
  int32_t count = -7;
  EXPECT_EQ(ZanCreateFillClasTableK4(9, nullptr, 5, &count), 80) << "before the mode test";
  Arg d("Q;Q;Q;Q;Q;");
  EXPECT_EQ(ZanCreateFillClasTableK4(2, d.get(), 10, nullptr), 80);
  for (int32_t mode : {0, 5}) EXPECT_EQ(Fill(mode, "Q;Q;Q;Q;Q;"), Filled(3, -7));
  EXPECT_EQ(count, -7);
  EXPECT_EQ(Clas(2, 1), Got(0, "PUMP|DN|A|X|mm")) << "nothing changed";
  EXPECT_EQ(Search(1), Got(0, SearchValues("A|B|C", 3)));

  // A length below 1 empties the table of the mode and leaves count alone.
  EXPECT_EQ(Fill(2, "Q;Q;Q;Q;Q;", 0), Filled(0, -7));
  EXPECT_EQ(Clas(2, 1).first, 76);
  EXPECT_EQ(Fill(3, "Q;Q;Q;", -4), Filled(0, -7));
  EXPECT_EQ(Search(1).first, 76);
  EXPECT_EQ(Fill(2, "", 5), Filled(0, 0));
}

TEST_F(ClassificationTest, ValuesLoseTrailingBlanksOnly) {
  EXPECT_EQ(Fill(2, "  PUMP  ;   ;;X;mm ;"), Filled(0, 1));
  EXPECT_EQ(Clas(2, 1), Got(0, "  PUMP|||X|mm"));
  EXPECT_EQ(FillHierarchy("A ;   ; C;;E;F;"), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|| C||E|F"));
  EXPECT_EQ(Fill(4, " A;  ;C  ;"), Filled(0, 1));
  EXPECT_EQ(Search(1), Got(0, SearchValues(" A||C", 3)));
}

TEST_F(ClassificationTest, SearchRecordsTake22OrThreeValues) {
  EXPECT_EQ(Fill(4, "A;B;C;D;E;F;"), Filled(0, 2));
  EXPECT_EQ(Search(0), Got(0, SearchValues("A|B|C", 3)));
  EXPECT_EQ(Search(2), Got(0, SearchValues("D|E|F", 3)));
  EXPECT_EQ(Search(3).first, 75);
  EXPECT_EQ(Search(1, 2).first, 3);
  EXPECT_EQ(ZanGetClasSearchDataK4(1, 1, nullptr), 78);

  std::string data, first;
  for (int i = 1; i <= 25; ++i) {
    data += "v" + std::to_string(i) + ";";
    if (i <= 22) first += (i > 1 ? "|v" : "v") + std::to_string(i);
  }
  EXPECT_EQ(Fill(3, data), Filled(0, 2)) << "the three surplus values begin a record";
  EXPECT_EQ(Search(1), Got(0, first));
  EXPECT_EQ(Search(2).first, 75);
  EXPECT_EQ(Fill(4, "X;Y;Z;P;Q;R;S;T;U;"), Filled(0, 3)) << "modes 3 and 4 share one table";
  EXPECT_EQ(Search(1), Got(0, SearchValues("X|Y|Z", 3)));
  EXPECT_EQ(Search(3), Got(0, SearchValues("S|T|U", 3)));
  // A table created again holds the new records only, whatever the form
  // and the number of records before.
  std::string two, second;
  for (int i = 1; i <= 44; ++i) two += "w" + std::to_string(i) + ";";
  for (int i = 23; i <= 44; ++i) second += (i > 23 ? "|w" : "w") + std::to_string(i);
  EXPECT_EQ(Fill(3, two), Filled(0, 2));
  EXPECT_EQ(Search(2), Got(0, second));
  EXPECT_EQ(Search(3).first, 75);
  EXPECT_EQ(Fill(4, "X;Y;Z;"), Filled(0, 1));
  EXPECT_EQ(Search(1), Got(0, SearchValues("X|Y|Z", 3)));
  EXPECT_EQ(Search(2).first, 75);

  // A record whose values run past the length is dropped; one that ends
  // exactly at it is kept.
  EXPECT_EQ(Fill(4, "A;B;C;D;E;F;", 12), Filled(0, 2));
  EXPECT_EQ(Search(2), Got(0, SearchValues("D|E|F", 3)));
  for (int32_t length : {10, 11}) {
    EXPECT_EQ(Fill(4, "A;B;C;D;E;F;", length), Filled(0, 2)) << length;
    EXPECT_EQ(Search(1), Got(0, SearchValues("A|B|C", 3))) << length;
    EXPECT_EQ(Search(2).first, 75) << length;
  }
  EXPECT_EQ(Fill(4, "A;B;C;D;E;F;", 1), Filled(0, 1));
  EXPECT_EQ(Search(1).first, 76);
}

TEST_F(ClassificationTest, HierarchyRecordsTakeSixValues) {
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;G;H;I;J;K;L;", 24), Filled(0, 2));
  for (int32_t first : {1, 0, -5}) EXPECT_EQ(Hierarchy(first), Got(0, "A|B|C|D|E|F"));
  EXPECT_EQ(Hierarchy(2), Got(0, "G|H|I|J|K|L"));
  EXPECT_EQ(Hierarchy(3).first, 75);
  EXPECT_EQ(Hierarchy(1, 2).first, 3) << "even when the table is filled";
  EXPECT_EQ(ZanGetClasHierarchDataK4(1, 1, nullptr), 78);
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;G;"), Filled(0, 2));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|F"));
  EXPECT_EQ(Hierarchy(2).first, 75);
  EXPECT_EQ(FillHierarchy("1;2;3;4;5;6;7;8;9;10;11;12;13;14;15;16;17;18;"), Filled(0, 3));
  EXPECT_EQ(Hierarchy(3), Got(0, "13|14|15|16|17|18"));

  // Once its first five values reach the length the record is dropped; the
  // sixth completes it even past the length.
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;FFFF;", 10), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1).first, 76);
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;FFFF;", 11), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|FFFF"));

  // Mode and pointer checks change nothing; a length below 1 empties.
  int32_t count = -7;
  EXPECT_EQ(ZanCreateFillClasHierarchTableK4(2, nullptr, 5, &count), 80);
  EXPECT_EQ(FillHierarchy("Q;Q;Q;Q;Q;Q;", kOwnLength, 2), Filled(3, -7));
  Arg d("Q;Q;Q;Q;Q;Q;");
  EXPECT_EQ(ZanCreateFillClasHierarchTableK4(1, d.get(), 12, nullptr), 80);
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|FFFF"));
  EXPECT_EQ(FillHierarchy("Q;Q;Q;Q;Q;Q;", 0), Filled(0, -7));
  EXPECT_EQ(Hierarchy(1).first, 76);
}

TEST_F(ClassificationTest, MalformedStringsEndAtTheEndOfTheString) {
  // A last value without its separator: the record is begun but not kept.
  EXPECT_EQ(Fill(4, "A;B;C;D"), Filled(0, 2));
  EXPECT_EQ(Search(1), Got(0, SearchValues("A|B|C", 3)));
  EXPECT_EQ(Search(2).first, 75);
  EXPECT_EQ(Fill(2, "PUMP;DN;A;X;mm;VALVE;PN;B"), Filled(0, 2));
  EXPECT_EQ(Clas(2, 1), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(Clas(2, 2).first, 75) << "no entry of stale values";
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;G"), Filled(0, 2));
  EXPECT_EQ(Hierarchy(2).first, 75);
  // A length beyond the string, and trailing blanks that leave the count of
  // consumed characters short of it: the parse ends at the string's end.
  EXPECT_EQ(Fill(4, "A;B;C;", 1000), Filled(0, 1));
  EXPECT_EQ(Fill(1, "PUMP;DN;A;X;mm;", 1000), Filled(0, 1));
  EXPECT_EQ(Clas(1, 1), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;", 1000), Filled(0, 1));
  EXPECT_EQ(Fill(2, "PUMP   ;DN;A;X;mm;"), Filled(0, 1));
  EXPECT_EQ(Fill(3, "A  ;" + std::string(21, ';')), Filled(0, 1));
  EXPECT_EQ(Search(1).first, 0);
  EXPECT_EQ(FillHierarchy("A   ;B;C;D;E;F;"), Filled(0, 1));
  // Values beyond the work limits are cut; the next value is read whole.
  const std::string long300(300, 'N'), long100(100, 'S');
  EXPECT_EQ(Fill(2, long300 + ";DN;A;X;mm;"), Filled(0, 1));
  EXPECT_EQ(Clas(2, 1), Got(0, std::string(256, 'N') + "|DN|A|X|mm"));
  EXPECT_EQ(Fill(4, long100 + ";B;C;D;E;F;"), Filled(0, 2));
  EXPECT_EQ(Search(1), Got(0, SearchValues(std::string(83, 'S') + "|B|C", 3)));
  EXPECT_EQ(Search(2), Got(0, SearchValues("D|E|F", 3)));
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;" + long100 + ";"), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|" + std::string(83, 'S')));

  // Before any interface record no value is terminated.
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);
  EXPECT_EQ(Fill(2, "PUMP;DN;A;X;mm;"), Filled(0, 1));
  EXPECT_EQ(Clas(2, 1).first, 76);
  EXPECT_EQ(Fill(4, "A;B;C;"), Filled(0, 1));
  EXPECT_EQ(Search(1).first, 76);
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;"), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1).first, 76);
}

TEST_F(ClassificationTest, ReleaseEmptiesEveryClassTable) {
  ASSERT_EQ(Fill(1, "A;B;C;D;E;"), Filled(0, 1));
  ASSERT_EQ(Fill(2, "A;B;C;D;E;"), Filled(0, 1));
  ASSERT_EQ(Fill(3, std::string(22, ';')), Filled(0, 1));
  ASSERT_EQ(FillHierarchy("A;B;C;D;E;F;"), Filled(0, 1));
  EXPECT_EQ(Search(1), Got(0, std::string(21, '|')));
  ASSERT_EQ(ZanInitToolbox(2), 0);
  EXPECT_EQ(Clas(1, 1).first, 76);
  EXPECT_EQ(Clas(2, 1).first, 76);
  EXPECT_EQ(Search(1).first, 76);
  EXPECT_EQ(Hierarchy(1).first, 76);
}

// Object data of the characteristic bar: fourteen texts, then name;value;
// pairs closed by an empty field.
std::string ObjectData(const std::string& tag) {
  std::string data;
  for (int i = 1; i <= 14; ++i) data += tag + std::to_string(i) + ";";
  return data + "DN;50;;";
}

TEST_F(ClassificationTest, ObjectReaderReadsTheObjectsOfTheCharacteristicBar) {
  std::array<char*, 14> values{};
  EXPECT_EQ(ZanGetObjectDataK4(2, 1, values.data()), 3);
  EXPECT_EQ(ZanGetObjectDataK4(1, 1, values.data()), 34);
  EXPECT_EQ(ZanGetObjectDataK4(1, 1, nullptr), 78);
  Arg data(ObjectData("a") + ObjectData("b"));
  ASSERT_EQ(ZanFillSmlTable(1, data.get(), static_cast<int32_t>(data.str().size())), 0);
  for (int32_t missing : {0, -1, 3}) EXPECT_EQ(ZanGetObjectDataK4(1, missing, values.data()), 36);
  EXPECT_EQ(values[0], nullptr);
  ASSERT_EQ(ZanGetObjectDataK4(1, 2, values.data()), 0);
  EXPECT_STREQ(values[0], "b1");
  EXPECT_STREQ(values[13], "b14");
  EXPECT_EQ(ZanGetObjectDataK4(3, 1, values.data()), 3);
}

TEST_F(ClassificationTest, CharacteristicBarReadsTheLastClassEntryAsItsHeader) {
  Arg objects(ObjectData("o"));
  ASSERT_EQ(ZanFillSmlTable(1, objects.get(), static_cast<int32_t>(objects.str().size())), 0);
  // Types 3 to 7 give header values second, first, third, fourth, fifth.
  auto header = [](int32_t type) {
    char* value = nullptr;
    EXPECT_EQ(ZanGetSmlDescription(type, &value), 0);
    return value != nullptr ? std::string(value) : std::string("<absent>");
  };
  auto all = [&] {
    return header(3) + "|" + header(4) + "|" + header(5) + "|" + header(6) + "|" + header(7);
  };
  ASSERT_EQ(Fill(1, "PUMP;DN;A;X;mm;VALVE;PN;B;Y;bar ;"), Filled(0, 2));
  EXPECT_EQ(all(), "PN|VALVE|B|Y|bar");
  // Replacing the table cleared them; an entry that the string's end cuts
  // short fills the values it reached and leaves the rest.
  ASSERT_EQ(Fill(1, "GEAR;Z;"), Filled(0, 1));
  EXPECT_EQ(all(), "Z|GEAR|<absent>|<absent>|<absent>");
  ASSERT_EQ(Fill(2, "PUMP;DN;A;X;mm;GEAR;Z;"), Filled(0, 2));
  EXPECT_EQ(all(), "Z|GEAR|A|X|mm");
  // A fill of an empty class table leaves them; replacing a class table that
  // held records clears them.
  ASSERT_EQ(Fill(1, "", 0), Filled(0, -7));
  EXPECT_EQ(header(4), "GEAR");
  ASSERT_EQ(Fill(2, "", 0), Filled(0, -7));
  EXPECT_EQ(all(), "<absent>|<absent>|<absent>|<absent>|<absent>");
}

// The class requests, each value followed by the separator.
class ClassRequestTest : public ClassificationTest {
 protected:
  // Runs the builder for `values.size()` values (6 scope, 8 class or, with
  // selScope, select scope, 11 select); "<null>" passes a null pointer.
  static Got Request(std::vector<std::string> values, bool selScope = false) {
    std::vector<Arg> a(values.begin(), values.end());
    std::array<char*, 11> v{};
    for (std::size_t i = 0; i < a.size(); ++i)
      v[i] = values[i] == "<null>" ? nullptr : a[i].get();
    char* out = nullptr;
    int32_t rc = -1;
    if (values.size() == 6)
      rc = ZanCreateSendstrClasScopeK4(v[0], v[1], v[2], v[3], v[4], v[5], &out);
    else if (values.size() == 8 && selScope)
      rc = ZanCreateSendstrClasSelScopeK4(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], &out);
    else if (values.size() == 8)
      rc = ZanCreateSendstrClasK4(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], &out);
    else if (values.size() == 11)
      rc = ZanCreateSendstrClasSelectK4(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9],
                                        v[10], &out);
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].str(), values[i]) << "unchanged";
    return {rc, out != nullptr ? std::string(out) : "<none>"};
  }
  static Got SearchRequest(int32_t mode, std::vector<std::string> values) {
    std::vector<Arg> a(values.begin(), values.end());
    std::array<char*, 7> v{};
    for (std::size_t i = 0; i < 7; ++i) v[i] = values[i] == "<null>" ? nullptr : a[i].get();
    char* out = nullptr;
    const int32_t rc =
        ZanCreateSendstrClasSearchK4(mode, v[0], v[1], v[2], v[3], v[4], v[5], v[6], &out);
    return {rc, out != nullptr ? std::string(out) : "<none>"};
  }
};

TEST_F(ClassRequestTest, ValuesAreJoinedWithTheSeparator) {
  EXPECT_EQ(Request({"A", "B", "", "", "", "", "", ""}), Got(0, "A;B;;;;;;;"));
  EXPECT_EQ(Request({"", "", "", "", "", ""}), Got(0, ";;;;;;"));
  EXPECT_EQ(Request({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"}),
            Got(0, "1;2;3;4;5;6;7;8;9;10;11;"));
  EXPECT_EQ(Request({" x ", "2", "3", "4", "5", "6", "7", "8 "}, true),
            Got(0, " x ;2;3;4;5;6;7;8 ;"));
  const std::string l(60, 'L');  // longer than the usual 43 characters
  EXPECT_EQ(Request({l, l, "", "", "", "A"}), Got(0, l + ";" + l + ";;;;A;"));
  EXPECT_EQ(Request({"A", "B", "A", "<null>", "A", "A", "A", "A"}), Got(78, "<none>"));
  EXPECT_EQ(ZanCreateSendstrClasSelectK4(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            78);
  // Before any interface record the values are joined with nothing between.
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);
  EXPECT_EQ(Request({"A", "B", "A", "B", "A", "B"}), Got(0, "ABABAB"));
}

TEST_F(ClassRequestTest, SearchModesChooseTheirValues) {
  const std::vector<std::string> v = {"A", "B", "C", "D", "E", "F", "G"};
  EXPECT_EQ(SearchRequest(1, v), Got(0, "A;B;C;D;E;"));
  EXPECT_EQ(SearchRequest(3, v), Got(0, "A;B;C;D;F;G;"));
  EXPECT_EQ(SearchRequest(2, v), Got(0, "A;B;C;D;"));
  char* previous = nullptr;
  ASSERT_EQ(ZanDescribeInterface(2, &previous), 0);  // the send buffer holds "46C "
  for (int32_t mode : {0, 4}) EXPECT_EQ(SearchRequest(mode, v), Got(3, "<none>"));
  EXPECT_STREQ(previous, "46C ") << "the send buffer keeps its string";
  // Values a mode leaves out may be null; the ones it uses may not.
  EXPECT_EQ(SearchRequest(2, {"A", "A", "A", "A", "<null>", "<null>", "<null>"}),
            Got(0, "A;A;A;A;"));
  EXPECT_EQ(SearchRequest(3, {"A", "A", "A", "A", "A", "<null>", "A"}), Got(78, "<none>"));
  Arg a("A");
  EXPECT_EQ(ZanCreateSendstrClasSearchK4(1, a.get(), a.get(), a.get(), a.get(), a.get(), a.get(),
                                         a.get(), nullptr),
            78);
}

}  // namespace
}  // namespace kelmod_test
