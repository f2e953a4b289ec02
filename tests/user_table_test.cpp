// The user table (type 10) and the description files the toolbox writes,
// driven through kelmod.h.
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Got = std::pair<int32_t, std::string>;
using Codes = std::vector<int32_t>;  // codes of calls made in order
using Lines = std::vector<std::string>;

const std::string kRule = "* ------------------------------------------------------";

// The lines of a written text file, read in text mode as the file was written.
Lines ReadLines(const std::string& path) {
  Lines lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Today's date as the header of a written file shows it (' 5.03.2026').
std::string Today() {
  const std::time_t now = std::time(nullptr);
  const std::tm t = *std::localtime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%2d.%02d.%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
  return text;
}

class UserTableTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
  }
  static int32_t Size(const std::string& data) { return static_cast<int32_t>(data.size()); }
  static int32_t Fill(int32_t n, const std::string& data, int32_t length = -1) {
    return ZanCreateFillUserTable(1, n, Arg(data).get(), length < 0 ? Size(data) : length);
  }
  static Got Get(const std::string& field, int32_t record) {
    char* value = nullptr;
    const int32_t rc = ZanGetTableValue(10, Arg(field).get(), record, &value);
    return {rc, value ? value : "(none)"};
  }
  static int32_t Write(const std::string& field, const std::string& value, int32_t record) {
    return ZanWriteTableValue(10, Arg(field).get(), Arg(value).get(), record);
  }
  // The whole table as "count|PARA1=value,value|...", values read by name.
  static std::string Dump() {
    char* count = nullptr;
    std::string out = ZanDescribeTable(10, &count) == 0 ? count : "(none)";
    for (int f = 1; Get("PARA" + std::to_string(f), 1).first <= 0; ++f) {
      const std::string name = "PARA" + std::to_string(f);
      out += "|" + name + "=";
      for (int32_t r = 1; Get(name, r).first == 0; ++r)
        out += (r > 1 ? "," : "") + Get(name, r).second;
    }
    return out;
  }
  // Writes a description file at path (path_ by default) and returns the code.
  int32_t Konfig(int32_t mode, const std::string& data, int32_t length = -1,
                 const std::string& path = "") {
    return ZanWriteKonfiguration(mode, Arg(data).get(), length == -1 ? Size(data) : length,
                                 Arg(path.empty() ? path_ : path).get());
  }
  // The lines after the three header lines, once the header is checked.
  Lines Body() {
    const Lines lines = ReadLines(path_);
    EXPECT_GE(lines.size(), 3u);
    if (lines.size() < 3) return {};
    EXPECT_EQ(lines[0], kRule);
    EXPECT_EQ(lines[2], kRule);
    return {lines.begin() + 3, lines.end()};
  }

  std::string path_ = dir_.file("written.dat");
};

TEST_F(UserTableTest, ValuesGoFieldAfterFieldRecordAfterRecord) {
  ASSERT_EQ(Fill(2, "A;B;C;D;"), 0);
  EXPECT_EQ(Dump(), "2|PARA1=A,C|PARA2=B,D");
  ASSERT_EQ(Fill(2, "A;B;C"), 0);  // no separator, no value; a new fill replaces all
  EXPECT_EQ(Dump(), "1|PARA1=A|PARA2=B");
  ASSERT_EQ(Fill(3, "A;B;C;", 0), 0);  // a length below 1 gives the fields without records
  EXPECT_EQ(Dump(), "0|PARA1=|PARA2=|PARA3=");
  // Long values are cut to 80 and counted as cut: 80 + 1 leaves room below
  // 82 for the next one.
  ASSERT_EQ(Fill(2, std::string(100, 'x') + ";B;C;", 82), 0);
  EXPECT_EQ(Dump(), "1|PARA1=" + std::string(80, 'x') + "|PARA2=B");
}

TEST_F(UserTableTest, CodesAndTheTableWithoutFields) {
  ASSERT_EQ(Fill(2, "A;B;"), 0);
  EXPECT_EQ((Codes{ZanCreateFillUserTable(1, 2, nullptr, 4),
                   ZanCreateFillUserTable(2, 2, Arg("X;Y;").get(), 4)}),
            (Codes{78, 3}));
  EXPECT_EQ(Dump(), "1|PARA1=A|PARA2=B") << "a refused call keeps the table";
  for (const int32_t n : {0, -1}) {
    ASSERT_EQ(Fill(n, "A;B;"), 0);
    char* count = nullptr;
    EXPECT_EQ((Codes{ZanDescribeTable(10, &count), Get("PARA1", 1).first, Write("PARA1", "v", 0),
                     ZanDeleteTableEntry(10, 1), ZanPrintTable(10, Arg(path_).get())}),
              (Codes{999, 59, 59, 59, 86}))
        << n;
  }
}

TEST_F(UserTableTest, WriteDeleteAndCountAsTypeTen) {
  ASSERT_EQ(Fill(2, "A;B;C;D;"), 0);
  const std::string longValue(120, 'y');  // writing does not cut to 80
  ASSERT_EQ(Write("PARA1", longValue + "  ", 1), 0);
  EXPECT_EQ(Write("PARA9", "v", 1), 50);
  EXPECT_EQ(Dump(), "3|PARA1=A,C," + longValue + "|PARA2=B,D") << "the first field is counted";
  ASSERT_EQ(ZanDeleteTableEntry(10, 1), 0);
  EXPECT_EQ(Dump(), "2|PARA1=C," + longValue + "|PARA2=D");
  ASSERT_EQ(Write("PARA2", "Z", 0), 0);  // record 0 makes the value the field's only one
  EXPECT_EQ(Dump(), "2|PARA1=C," + longValue + "|PARA2=Z");
}

TEST_F(UserTableTest, WritesFilesWithADatedHeader) {
  const std::string before = Today();
  ASSERT_EQ(Konfig(3, "MAT01;01;D;SET0001;", 19), 0);
  const std::string after = Today();
  const Lines lines = ReadLines(path_);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[1] == "* Datum:" + before || lines[1] == "* Datum:" + after) << lines[1];
  EXPECT_EQ(lines[3], "  MAT01  01  D  SET0001");

  ASSERT_EQ(Konfig(1, "SET0001;MATNR;18;SET0001;QTY;3;", 31), 0);
  EXPECT_EQ(Body(), (Lines{Columns({{3, "SET0001"}, {11, "MATNR"}, {30, "18"}}),
                           Columns({{3, "SET0001"}, {11, "QTY"}, {30, "3"}})}));
  const Lines mode1 = ReadLines(path_);
  ASSERT_EQ(Konfig(2, "SET0001;MATNR;18;SET0001;QTY;3;", 31), 0);
  EXPECT_EQ(ReadLines(path_), mode1);
}

TEST_F(UserTableTest, LongValuesRunOnUntilTheNextColumn) {
  ASSERT_EQ(Konfig(1, "SETLONGNAME;ABCDEFGHIJKLMNOPQRSTUVW;5;S;F;" + std::string(40, '9') + ";"),
            0);
  EXPECT_EQ(Body(), (Lines{"  SETLONGNABCDEFGHIJKLMNOPQRS5",
                           Columns({{3, "S"}, {11, "F"}, {30, std::string(40, '9')}})}));
  // Mode 3; an empty value leaves the blanks of its gap.
  ASSERT_EQ(Konfig(3, "ABCDEFGHIJ;01;D;SET0001;MAT;;U;S;"), 0);
  EXPECT_EQ(Body(), (Lines{"  ABCDEFG01  D  SET0001", "  MAT        U  S"}));
}

TEST_F(UserTableTest, TheLengthAndIncompleteValuesEndTheFile) {
  const struct {
    int32_t mode;
    std::string data;
    int32_t length, code;
    size_t lines;
  } cases[] = {
      {1, "SET0001;MATNR;", -1, 42, 0}, {2, "SET0001;MATNR;", -1, 43, 0},
      {3, "MAT01;01;D;", -1, 44, 0},    {3, "MAT01;01;D;SET0001", -1, 44, 0},
      {1, "S;F;1;S;G;", -1, 42, 1},  // the complete lines before the incomplete one stay
      // The length decides whether another line is read; that line is read whole.
      {1, "S;F;1;S;G;2;", 6, 0, 1}, {1, "S;F;1;S;G;2;", 7, 0, 2},
      {1, "S;F;1;", 10, 42, 1},  // a length past the end asks for values that never come
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data + " length " + std::to_string(c.length));
    ASSERT_EQ(Konfig(c.mode, c.data, c.length), c.code);
    const Lines body = Body();
    EXPECT_EQ(body.size(), c.lines);
    if (!body.empty()) {
      EXPECT_EQ(body[0], Columns({{3, "S"}, {11, "F"}, {30, "1"}}));
    }
  }
}

TEST_F(UserTableTest, RefusedCallsLeaveTheFileAlone) {
  dir_.write("written.dat", "old contents\n");
  const std::string data = "MAT01;01;D;SET0001;";
  EXPECT_EQ((Codes{Konfig(4, data, 5), Konfig(0, data, 5),
                   ZanWriteKonfiguration(1, nullptr, 5, Arg(path_).get()), Konfig(1, "S;F;1;", 0),
                   Konfig(3, "S;F;1;", -5)}),
            (Codes{3, 3, 78, 42, 44}));
  EXPECT_EQ(ReadFile(path_), "old contents\n");
  // A null path, a folder and a path in a missing folder cannot be written.
  EXPECT_EQ((Codes{ZanWriteKonfiguration(1, Arg("S;F;1;").get(), 6, nullptr),
                   ZanWriteKonfiguration(2, Arg("S;F;1;").get(), 6, nullptr),
                   Konfig(1, "S;F;1;", 6, dir_.path().string()),
                   Konfig(3, "A;B;C;D;", 8, dir_.file("missing/x.dat"))}),
            (Codes{42, 43, 42, 44}));
  // A full disk: the file opens but its lines cannot be written out.
  if (std::FILE* full = std::fopen("/dev/full", "w")) {
    std::fclose(full);
    EXPECT_EQ((Codes{Konfig(1, "S;F;1;", 6, "/dev/full"), Konfig(2, "S;F;1;", 6, "/dev/full"),
                     Konfig(3, data, static_cast<int32_t>(data.size()), "/dev/full")}),
              (Codes{42, 43, 44}));
  }
}

TEST_F(UserTableTest, WrittenFilesReadBackAsDescriptionFiles) {
  const std::string defs = dir_.file("defs.dat"), index = dir_.file("index.dat");
  ASSERT_EQ(Konfig(1, "SET0001;MATNR;18;SET0001;QTY;3;SET0002;OTHER;5;", -1, defs), 0);
  ASSERT_EQ(Konfig(3, "MAT01;01;D;SET0001;MAT01;01;U;SET0002;", -1, index), 0);

  AttributeRecord rec{};
  Arg name("MAT01"), key("01"), i(index), d(defs);
  ASSERT_EQ(ZanGetAttributName(2, name.get(), key.get(), i.get(), d.get(), 2, &rec), 0);
  EXPECT_EQ(std::string(rec.setName) + "|" + rec.fieldName + "|" + rec.length + "|" +
                rec.description,
            "SET0001|QTY|3|");
  EXPECT_EQ(ZanGetAttributName(2, name.get(), key.get(), i.get(), d.get(), 3, &rec), 57);
  ASSERT_EQ(ZanGetAttributName(1, name.get(), key.get(), i.get(), d.get(), 1, &rec), 0);
  EXPECT_STREQ(rec.fieldName, "OTHER");

  Arg answer(Columns({{1, "MAT-4711"}, {19, "007"}, {22, "MAT-4712"}, {40, "012"}}));
  ASSERT_EQ(ZanCreateFillTable(2, name.get(), key.get(), i.get(), d.get(), answer.get(), 42), 0);
  char *matnr = nullptr, *qty = nullptr;
  ASSERT_EQ(ZanGetTableValue(2, Arg("MATNR").get(), 2, &matnr), 0);
  EXPECT_STREQ(matnr, "MAT-4712");
  ASSERT_EQ(ZanGetTableValue(2, Arg("QTY").get(), 1, &qty), 0);
  EXPECT_STREQ(qty, "007");
}

}  // namespace
}  // namespace kelmod_test
