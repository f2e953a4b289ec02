// Classification of the newer release driven through kelmod.h: class tables,
// the class search table, the class hierarchy, the class requests and the
// record readers.
#include <array>
#include <string>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

class ClassificationTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
  }

  // Fills with the string's own length unless one is given; count starts at
  // -7 so that an untouched count shows.
  std::pair<int32_t, int32_t> Fill(int32_t mode, const std::string& data, int32_t length = -100) {
    Arg d(data);
    int32_t count = -7;
    const int32_t rc = ZanCreateFillClasTableK4(
        mode, d.get(), length == -100 ? static_cast<int32_t>(data.size()) : length, &count);
    EXPECT_EQ(d.str(), data) << "the received string is never changed";
    return {rc, count};
  }
  std::pair<int32_t, int32_t> FillHierarchy(const std::string& data, int32_t length = -100,
                                            int32_t mode = 1) {
    Arg d(data);
    int32_t count = -7;
    const int32_t rc = ZanCreateFillClasHierarchTableK4(
        mode, d.get(), length == -100 ? static_cast<int32_t>(data.size()) : length, &count);
    return {rc, count};
  }

  // The values of one record, joined with '|' ("" unless the code is 0).
  template <std::size_t N, class Read>
  std::pair<int32_t, std::string> Record(Read read, int32_t mode, int32_t record) {
    std::array<char*, N> values{};
    const int32_t rc = read(mode, record, values.data());
    std::string joined;
    if (rc == 0)
      for (std::size_t i = 0; i < N; ++i) {
        if (values[i] == nullptr) return {rc, "<null>"};
        joined += (i ? "|" : "") + std::string(values[i]);
      }
    return {rc, joined};
  }
  std::pair<int32_t, std::string> Clas(int32_t mode, int32_t record) {
    return Record<5>(ZanGetClasDataK4, mode, record);
  }
  std::pair<int32_t, std::string> Hierarchy(int32_t record, int32_t mode = 1) {
    return Record<6>(ZanGetClasHierarchDataK4, mode, record);
  }
  std::pair<int32_t, std::string> Search(int32_t record, int32_t mode = 1) {
    return Record<22>(ZanGetClasSearchDataK4, mode, record);
  }
};

using Got = std::pair<int32_t, std::string>;
using Filled = std::pair<int32_t, int32_t>;

// "A|B|C" followed by the empty values up to 22.
std::string SearchValues(const std::string& first, int present) {
  std::string s = first;
  for (int i = present; i < 22; ++i) s += "|";
  return s;
}

TEST_F(ClassificationTest, ClassTableReadsRecordByRecord) {
  EXPECT_EQ(Fill(2, "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;"), Filled(0, 2));
  EXPECT_EQ(Clas(2, 1), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(Clas(2, 2), Got(0, "VALVE|PN|B|X|bar"));
  for (int32_t first : {0, -5}) EXPECT_EQ(Clas(2, first), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(Clas(2, 3).first, 75);
  EXPECT_EQ(Clas(1, 1).first, 76) << "the mode-1 table is still empty";
  EXPECT_EQ(Clas(3, 1).first, 3);
  EXPECT_EQ(ZanGetClasDataK4(2, 1, nullptr), 78);

  // Mode 1 fills and reads its own table; the mode-2 table stays.
  EXPECT_EQ(Fill(1, "GEAR;Z;C;;;"), Filled(0, 1));
  EXPECT_EQ(Clas(1, 1), Got(0, "GEAR|Z|C||"));
  EXPECT_EQ(Clas(1, 2).first, 75);
  EXPECT_EQ(Clas(2, 2), Got(0, "VALVE|PN|B|X|bar"));
  EXPECT_EQ(Fill(2, "X;X;X;X;X;"), Filled(0, 1));
  EXPECT_EQ(Clas(1, 1), Got(0, "GEAR|Z|C||"));
}

TEST_F(ClassificationTest, ReadersHandOutTheirOwnStringsUntilTheNextRead) {
  ASSERT_EQ(Fill(2, "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;"), Filled(0, 2));
  std::array<char*, 5> first{}, second{};
  ASSERT_EQ(ZanGetClasDataK4(2, 1, first.data()), 0);
  ASSERT_EQ(ZanGetClasDataK4(2, 2, second.data()), 0);
  EXPECT_STREQ(first[0], "VALVE");
  EXPECT_STREQ(first[4], "bar");
  // A failed read leaves the caller's array alone.
  std::array<char*, 5> untouched{};
  EXPECT_EQ(ZanGetClasDataK4(2, 9, untouched.data()), 75);
  EXPECT_EQ(untouched[0], nullptr);
  // Refilling does not touch what was handed out last.
  ASSERT_EQ(Fill(2, "A;B;C;D;E;"), Filled(0, 1));
  EXPECT_STREQ(second[0], "VALVE");
}

TEST_F(ClassificationTest, FillArgumentsAndLength) {
  ASSERT_EQ(Fill(2, "PUMP;DN;A;X;mm;"), Filled(0, 1));
  ASSERT_EQ(Fill(4, "A;B;C;"), Filled(0, 1));
  int32_t count = -7;
  EXPECT_EQ(ZanCreateFillClasTableK4(9, nullptr, 5, &count), 80) << "before the mode test";
  Arg d("Q;Q;Q;Q;Q;");
  EXPECT_EQ(ZanCreateFillClasTableK4(2, d.get(), 10, nullptr), 80);
  EXPECT_EQ(Fill(5, "Q;Q;Q;Q;Q;"), Filled(3, -7));
  EXPECT_EQ(Fill(0, "Q;Q;Q;Q;Q;"), Filled(3, -7));
  EXPECT_EQ(count, -7);
  EXPECT_EQ(Clas(2, 1), Got(0, "PUMP|DN|A|X|mm")) << "nothing changed";
  EXPECT_EQ(Search(1), Got(0, SearchValues("A|B|C", 3)));

  // A length below 1 empties the table of the mode and leaves count alone.
  EXPECT_EQ(Fill(2, "Q;Q;Q;Q;Q;", 0), Filled(0, -7));
  EXPECT_EQ(Clas(2, 1).first, 76);
  EXPECT_EQ(Fill(3, "Q;Q;Q;", -4), Filled(0, -7));
  EXPECT_EQ(Search(1).first, 76);
  // An empty string reads nothing.
  EXPECT_EQ(Fill(2, "", 5), Filled(0, 0));
  EXPECT_EQ(Clas(2, 1).first, 76);
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
  EXPECT_EQ(Search(1), Got(0, SearchValues("A|B|C", 3)));
  EXPECT_EQ(Search(2), Got(0, SearchValues("D|E|F", 3)));
  EXPECT_EQ(Search(3).first, 75);

  std::string data, first;
  for (int i = 1; i <= 25; ++i) {
    data += "v" + std::to_string(i) + ";";
    if (i <= 22) first += (i > 1 ? "|v" : "v") + std::to_string(i);
  }
  EXPECT_EQ(Fill(3, data), Filled(0, 2)) << "the three surplus values begin a record";
  EXPECT_EQ(Search(1), Got(0, first));
  EXPECT_EQ(Search(2).first, 75);
  EXPECT_EQ(Search(0, 2).first, 3);
  EXPECT_EQ(ZanGetClasSearchDataK4(1, 1, nullptr), 78);

  // Modes 3 and 4 share one table.
  EXPECT_EQ(Fill(4, "X;Y;Z;"), Filled(0, 1));
  EXPECT_EQ(Search(1), Got(0, SearchValues("X|Y|Z", 3)));
}

TEST_F(ClassificationTest, SearchRecordRunningPastTheLengthIsDropped) {
  // 'F' ends at 12: kept with length 12, dropped with 11 or 10.
  EXPECT_EQ(Fill(4, "A;B;C;D;E;F;", 12), Filled(0, 2));
  EXPECT_EQ(Search(2), Got(0, SearchValues("D|E|F", 3)));
  for (int32_t length : {10, 11}) {
    EXPECT_EQ(Fill(4, "A;B;C;D;E;F;", length), Filled(0, 2)) << length;
    EXPECT_EQ(Search(2).first, 75) << length;
  }
  // The first value already runs past a length of 1.
  EXPECT_EQ(Fill(4, "A;B;C;D;E;F;", 1), Filled(0, 1));
  EXPECT_EQ(Search(1).first, 76);
}

TEST_F(ClassificationTest, MalformedStringsEndAtTheEndOfTheString) {
  // A last value without its separator: the record is begun but not kept.
  EXPECT_EQ(Fill(4, "A;B;C;D"), Filled(0, 2));
  EXPECT_EQ(Search(2).first, 75);
  EXPECT_EQ(Fill(2, "PUMP;DN;A;X;mm;VALVE;PN;B"), Filled(0, 2));
  EXPECT_EQ(Clas(2, 1), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(Clas(2, 2).first, 75) << "no entry of stale values";
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;G"), Filled(0, 2));
  EXPECT_EQ(Hierarchy(2).first, 75);

  // A length beyond the string: the parse ends at the string's end.
  EXPECT_EQ(Fill(4, "A;B;C;", 1000), Filled(0, 1));
  EXPECT_EQ(Fill(1, "PUMP;DN;A;X;mm;", 1000), Filled(0, 1));
  EXPECT_EQ(Clas(1, 1), Got(0, "PUMP|DN|A|X|mm"));
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;", 1000), Filled(0, 1));

  // Trailing blanks count short of the characters read.
  EXPECT_EQ(Fill(2, "PUMP   ;DN;A;X;mm;"), Filled(0, 1));
  EXPECT_EQ(Fill(3, "A  ;" + std::string(21, ';')), Filled(0, 1));
  EXPECT_EQ(Search(1).first, 0);
  EXPECT_EQ(FillHierarchy("A   ;B;C;D;E;F;"), Filled(0, 1));
}

TEST_F(ClassificationTest, WithoutSeparatorNoValueIsComplete) {
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);  // the separator is unset again
  EXPECT_EQ(Fill(2, "PUMP;DN;A;X;mm;"), Filled(0, 1));
  EXPECT_EQ(Clas(2, 1).first, 76);
  EXPECT_EQ(Fill(4, "A;B;C;"), Filled(0, 1));
  EXPECT_EQ(Search(1).first, 76);
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;"), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1).first, 76);
}

TEST_F(ClassificationTest, OverlongValuesAreCut) {
  const std::string long300(300, 'N'), long100(100, 'S');
  EXPECT_EQ(Fill(2, long300 + ";DN;A;X;mm;"), Filled(0, 1));
  EXPECT_EQ(Clas(2, 1), Got(0, std::string(256, 'N') + "|DN|A|X|mm"));
  EXPECT_EQ(Fill(4, long100 + ";B;C;D;E;F;"), Filled(0, 2));
  EXPECT_EQ(Search(1), Got(0, SearchValues(std::string(83, 'S') + "|B|C", 3)));
  EXPECT_EQ(Search(2), Got(0, SearchValues("D|E|F", 3)));
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;" + long100 + ";"), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|" + std::string(83, 'S')));
}

TEST_F(ClassificationTest, HierarchyRecordsTakeSixValues) {
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;G;H;I;J;K;L;", 24), Filled(0, 2));
  EXPECT_EQ(Hierarchy(0), Got(0, "A|B|C|D|E|F"));
  EXPECT_EQ(Hierarchy(-5), Got(0, "A|B|C|D|E|F"));
  EXPECT_EQ(Hierarchy(2), Got(0, "G|H|I|J|K|L"));
  EXPECT_EQ(Hierarchy(3).first, 75);
  EXPECT_EQ(Hierarchy(1, 2).first, 3) << "even when the table is filled";
  EXPECT_EQ(ZanGetClasHierarchDataK4(1, 1, nullptr), 78);

  EXPECT_EQ(FillHierarchy("A;B;C;D;E;F;G;"), Filled(0, 2));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|F"));
  EXPECT_EQ(Hierarchy(2).first, 75);

  // Once its first five values reach the length the record is dropped; the
  // sixth completes it even past the length.
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;FFFF;", 10), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1).first, 76);
  EXPECT_EQ(FillHierarchy("A;B;C;D;E;FFFF;", 11), Filled(0, 1));
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|FFFF"));

  // Mode and pointer checks change nothing; a length below 1 empties.
  int32_t count = -7;
  EXPECT_EQ(ZanCreateFillClasHierarchTableK4(2, nullptr, 5, &count), 80);
  EXPECT_EQ(FillHierarchy("Q;Q;Q;Q;Q;Q;", -100, 2), Filled(3, -7));
  Arg d("Q;Q;Q;Q;Q;Q;");
  EXPECT_EQ(ZanCreateFillClasHierarchTableK4(1, d.get(), 12, nullptr), 80);
  EXPECT_EQ(Hierarchy(1), Got(0, "A|B|C|D|E|FFFF"));
  EXPECT_EQ(FillHierarchy("Q;Q;Q;Q;Q;Q;", 0), Filled(0, -7));
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

TEST_F(ClassificationTest, ObjectReaderWithoutObjects) {
  std::array<char*, 14> values{};
  EXPECT_EQ(ZanGetObjectDataK4(2, 1, values.data()), 3);
  EXPECT_EQ(ZanGetObjectDataK4(1, 1, values.data()), 34);
  EXPECT_EQ(ZanGetObjectDataK4(1, 0, values.data()), 34);
  EXPECT_EQ(ZanGetObjectDataK4(1, 1, nullptr), 78);
  EXPECT_EQ(values[0], nullptr);
}

// The requests, each value followed by the separator.
class ClassRequestTest : public ClassificationTest {
 protected:
  // Runs a builder and gives (code, send string or "<none>").
  template <class Build>
  Got Request(Build build) {
    char* out = nullptr;
    const int32_t rc = build(&out);
    return {rc, out != nullptr ? std::string(out) : "<none>"};
  }
  Got SearchRequest(int32_t mode, std::vector<std::string> v) {
    std::vector<Arg> a(v.begin(), v.end());
    return Request([&](char** out) {
      return ZanCreateSendstrClasSearchK4(mode, a[0].get(), a[1].get(), a[2].get(), a[3].get(),
                                          a[4].get(), a[5].get(), a[6].get(), out);
    });
  }
};

TEST_F(ClassRequestTest, ValuesAreJoinedWithTheSeparator) {
  Arg a("A"), b("B"), e(""), blanks(" x ");
  std::vector<Arg> n;
  for (int i = 1; i <= 11; ++i) n.emplace_back(std::to_string(i));
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasK4(a.get(), b.get(), e.get(), e.get(), e.get(), e.get(),
                                            e.get(), e.get(), out);
            }),
            Got(0, "A;B;;;;;;;"));
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasScopeK4(e.get(), e.get(), e.get(), e.get(), e.get(),
                                                 e.get(), out);
            }),
            Got(0, ";;;;;;"));
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasSelectK4(n[0].get(), n[1].get(), n[2].get(), n[3].get(),
                                                  n[4].get(), n[5].get(), n[6].get(), n[7].get(),
                                                  n[8].get(), n[9].get(), n[10].get(), out);
            }),
            Got(0, "1;2;3;4;5;6;7;8;9;10;11;"));
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasSelScopeK4(blanks.get(), n[1].get(), n[2].get(),
                                                    n[3].get(), n[4].get(), n[5].get(),
                                                    n[6].get(), blanks.get(), out);
            }),
            Got(0, " x ;2;3;4;5;6;7; x ;"));
  EXPECT_EQ(blanks.str(), " x ");

  // Longer than the 43 characters of the usual layout: built whole.
  const std::string longValue(60, 'L');
  Arg l(longValue);
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasScopeK4(l.get(), l.get(), e.get(), e.get(), e.get(),
                                                 a.get(), out);
            }),
            Got(0, longValue + ";" + longValue + ";;;;A;"));
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
  Arg a("A");
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasSearchK4(2, a.get(), a.get(), a.get(), a.get(), nullptr,
                                                  nullptr, nullptr, out);
            }),
            Got(0, "A;A;A;A;"));
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasSearchK4(3, a.get(), a.get(), a.get(), a.get(), a.get(),
                                                  nullptr, a.get(), out);
            }),
            Got(78, "<none>"));
  EXPECT_EQ(ZanCreateSendstrClasSearchK4(1, a.get(), a.get(), a.get(), a.get(), a.get(), a.get(),
                                         a.get(), nullptr),
            78);
}

TEST_F(ClassRequestTest, NullValuesAndUnsetSeparator) {
  Arg a("A"), b("B");
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasK4(a.get(), b.get(), a.get(), nullptr, a.get(), a.get(),
                                            a.get(), a.get(), out);
            }),
            Got(78, "<none>"));
  EXPECT_EQ(ZanCreateSendstrClasSelectK4(a.get(), a.get(), a.get(), a.get(), a.get(), a.get(),
                                         a.get(), a.get(), a.get(), a.get(), a.get(), nullptr),
            78);
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);
  EXPECT_EQ(Request([&](char** out) {
              return ZanCreateSendstrClasScopeK4(a.get(), b.get(), a.get(), b.get(), a.get(),
                                                 b.get(), out);
            }),
            Got(0, "ABABAB"));
}

}  // namespace
}  // namespace kelmod_test
