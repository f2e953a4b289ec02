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

const std::string kRule = "* ------------------------------------------------------";

// The lines of a written text file, read in text mode as the file was written.
std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Today's date as the header of a written file shows it (' 5.03.2026').
std::string Today() {
  const std::time_t now = std::time(nullptr);
  const std::tm local = *std::localtime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%2d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  return text;
}

class UserTableTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
  }

  static int32_t Fill(int32_t n, const std::string& data, int32_t length = -1) {
    return ZanCreateFillUserTable(1, n, Arg(data).get(), length < 0 ? Size(data) : length);
  }
  static int32_t Size(const std::string& data) { return static_cast<int32_t>(data.size()); }
  static Got Get(const std::string& field, int32_t record) {
    char* value = nullptr;
    const int32_t rc = ZanGetTableValue(10, Arg(field).get(), record, &value);
    return {rc, value ? value : "(none)"};
  }
  static Got Count() {
    char* count = nullptr;
    const int32_t rc = ZanDescribeTable(10, &count);
    return {rc, count ? count : "(none)"};
  }
  static int32_t Write(const std::string& field, const std::string& value, int32_t record) {
    return ZanWriteTableValue(10, Arg(field).get(), Arg(value).get(), record);
  }
  // Writes a description file at path (path_ by default) and returns the code.
  int32_t Konfig(int32_t mode, const std::string& data, int32_t length = -1,
                 const std::string& path = "") {
    return ZanWriteKonfiguration(mode, Arg(data).get(), length == -1 ? Size(data) : length,
                                 Arg(path.empty() ? path_ : path).get());
  }
  // The lines after the three header lines, once the header is checked.
  std::vector<std::string> Body() {
    std::vector<std::string> lines = Lines(path_);
    EXPECT_GE(lines.size(), 3u);
    if (lines.size() < 3) return {};
    EXPECT_EQ(lines[0], kRule);
    EXPECT_EQ(lines[2], kRule);
    return {lines.begin() + 3, lines.end()};
  }

  std::string path_ = dir_.file("written.dat");
};

TEST_F(UserTableTest, ValuesGoFieldAfterFieldRecordAfterRecord) {
  ASSERT_EQ(Fill(2, "A;B;C;D;", 8), 0);
  EXPECT_EQ(Get("PARA1", 1), Got(0, "A"));
  EXPECT_EQ(Get("PARA2", 1), Got(0, "B"));
  EXPECT_EQ(Get("PARA1", 2), Got(0, "C"));
  EXPECT_EQ(Get("PARA2", 2), Got(0, "D"));
  EXPECT_EQ(Get("PARA1", 3), Got(-3, ""));
  EXPECT_EQ(Get("PARA3", 1), Got(41, ""));
  EXPECT_EQ(Count(), Got(0, "2"));

  // A value without its separator is not stored; a new fill replaces all.
  ASSERT_EQ(Fill(2, "A;B;C", 5), 0);
  EXPECT_EQ(Get("PARA1", 1), Got(0, "A"));
  EXPECT_EQ(Get("PARA2", 1), Got(0, "B"));
  EXPECT_EQ(Get("PARA1", 2), Got(-3, ""));
  EXPECT_EQ(Count(), Got(0, "1"));

  // A length below 1 gives the fields without records.
  ASSERT_EQ(Fill(3, "A;B;C;", 0), 0);
  EXPECT_EQ(Count(), Got(0, "0"));
  EXPECT_EQ(Get("PARA3", 1), Got(-2, ""));
  EXPECT_EQ(Get("PARA4", 1), Got(41, ""));
}

TEST_F(UserTableTest, LongValuesAreCutTo80AndCountAsCut) {
  const std::string longValue(100, 'x');
  // Counted as 80 + 1, the cut value leaves room below 82 for the next one.
  ASSERT_EQ(Fill(2, longValue + ";B;C;", 82), 0);
  EXPECT_EQ(Get("PARA1", 1), Got(0, std::string(80, 'x')));
  EXPECT_EQ(Get("PARA2", 1), Got(0, "B"));
  EXPECT_EQ(Get("PARA1", 2), Got(-3, ""));
}

TEST_F(UserTableTest, CodesAndTheTableWithoutFields) {
  ASSERT_EQ(Fill(2, "A;B;"), 0);
  EXPECT_EQ(ZanCreateFillUserTable(1, 2, nullptr, 4), 78);
  EXPECT_EQ(ZanCreateFillUserTable(2, 2, Arg("X;Y;").get(), 4), 3);
  EXPECT_EQ(Get("PARA1", 1), Got(0, "A")) << "a refused call keeps the table";

  for (const int32_t n : {0, -1}) {
    ASSERT_EQ(Fill(n, "A;B;"), 0);
    EXPECT_EQ(Count().first, 999);
    EXPECT_EQ(Get("PARA1", 1).first, 59);
    EXPECT_EQ(Write("PARA1", "v", 0), 59);
    EXPECT_EQ(ZanDeleteTableEntry(10, 1), 59);
    EXPECT_EQ(ZanPrintTable(10, Arg(path_).get()), 86);
  }
}

TEST_F(UserTableTest, WriteDeleteAndCountAsTypeTen) {
  ASSERT_EQ(Fill(2, "A;B;C;D;"), 0);
  // Writing does not cut to the field's 80 characters.
  const std::string longValue(120, 'y');
  ASSERT_EQ(Write("PARA1", longValue + "  ", 1), 0);
  EXPECT_EQ(Get("PARA1", 3), Got(0, longValue));
  EXPECT_EQ(Write("PARA9", "v", 1), 50);
  EXPECT_EQ(Count(), Got(0, "3")) << "the first field is counted";

  ASSERT_EQ(ZanDeleteTableEntry(10, 1), 0);
  EXPECT_EQ(Get("PARA1", 1), Got(0, "C"));
  EXPECT_EQ(Get("PARA2", 1), Got(0, "D"));
  EXPECT_EQ(Count(), Got(0, "2"));

  // Record 0 makes the value the field's only one.
  ASSERT_EQ(Write("PARA2", "Z", 0), 0);
  EXPECT_EQ(Get("PARA2", 1), Got(0, "Z"));
  EXPECT_EQ(Get("PARA2", 2), Got(-3, ""));
}

TEST_F(UserTableTest, WritesFilesWithADatedHeader) {
  const std::string before = Today();
  ASSERT_EQ(Konfig(3, "MAT01;01;D;SET0001;", 19), 0);
  const std::string after = Today();
  const std::vector<std::string> lines = Lines(path_);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[1] == "* Datum:" + before || lines[1] == "* Datum:" + after) << lines[1];
  EXPECT_EQ(lines[3], "  MAT01  01  D  SET0001");

  ASSERT_EQ(Konfig(1, "SET0001;MATNR;18;SET0001;QTY;3;", 31), 0);
  EXPECT_EQ(Body(), (std::vector<std::string>{Columns({{3, "SET0001"}, {11, "MATNR"}, {30, "18"}}),
                                              Columns({{3, "SET0001"}, {11, "QTY"}, {30, "3"}})}));
  const std::vector<std::string> mode1 = Lines(path_);
  ASSERT_EQ(Konfig(2, "SET0001;MATNR;18;SET0001;QTY;3;", 31), 0);
  EXPECT_EQ(Lines(path_), mode1);
}

TEST_F(UserTableTest, LongValuesRunOnUntilTheNextColumn) {
  ASSERT_EQ(Konfig(1, "SETLONGNAME;ABCDEFGHIJKLMNOPQRSTUVW;5;S;F;" + std::string(40, '9') + ";"),
            0);
  EXPECT_EQ(Body(),
            (std::vector<std::string>{"  SETLONGNABCDEFGHIJKLMNOPQRS5",
                                      Columns({{3, "S"}, {11, "F"}, {30, std::string(40, '9')}})}));

  // Mode 3; an empty value leaves the blanks of its gap.
  ASSERT_EQ(Konfig(3, "ABCDEFGHIJ;01;D;SET0001;MAT;;U;S;"), 0);
  EXPECT_EQ(Body(), (std::vector<std::string>{"  ABCDEFG01  D  SET0001", "  MAT        U  S"}));
}

TEST_F(UserTableTest, TheLengthAndIncompleteValuesEndTheFile) {
  const struct {
    int32_t mode;
    std::string data;
    int32_t code;
  } cases[] = {{1, "SET0001;MATNR;", 42}, {2, "SET0001;MATNR;", 43}, {3, "MAT01;01;D;", 44},
               {3, "MAT01;01;D;SET0001", 44}};
  for (const auto& c : cases) {
    ASSERT_EQ(Konfig(c.mode, c.data), c.code) << c.data;
    EXPECT_TRUE(Body().empty()) << c.data;
  }
  // The complete lines before the incomplete one stay.
  ASSERT_EQ(Konfig(1, "S;F;1;S;G;"), 42);
  EXPECT_EQ(Body(), std::vector<std::string>{Columns({{3, "S"}, {11, "F"}, {30, "1"}})});
  // The length decides whether another line is read; that line is read whole.
  ASSERT_EQ(Konfig(1, "S;F;1;S;G;2;", 6), 0);
  EXPECT_EQ(Body().size(), 1u);
  ASSERT_EQ(Konfig(1, "S;F;1;S;G;2;", 7), 0);
  EXPECT_EQ(Body().size(), 2u);
  // A length past the end of the string asks for values that never come.
  ASSERT_EQ(Konfig(1, "S;F;1;", 10), 42);
  EXPECT_EQ(Body().size(), 1u);
}

TEST_F(UserTableTest, RefusedCallsLeaveTheFileAlone) {
  const std::string old = "old contents\n";
  dir_.write("written.dat", old);
  EXPECT_EQ(Konfig(4, "MAT01;01;D;SET0001;", 5), 3);
  EXPECT_EQ(Konfig(0, "MAT01;01;D;SET0001;", 5), 3);
  EXPECT_EQ(ZanWriteKonfiguration(1, nullptr, 5, Arg(path_).get()), 78);
  EXPECT_EQ(Konfig(1, "S;F;1;", 0), 42);
  EXPECT_EQ(Konfig(3, "S;F;1;", -5), 44);
  EXPECT_EQ(ReadFile(path_), old);

  EXPECT_EQ(ZanWriteKonfiguration(1, Arg("S;F;1;").get(), 6, nullptr), 42);
  EXPECT_EQ(ZanWriteKonfiguration(2, Arg("S;F;1;").get(), 6, nullptr), 43);
  // A folder cannot be written as a file.
  EXPECT_EQ(Konfig(1, "S;F;1;", 6, dir_.path().string()), 42);
  EXPECT_EQ(Konfig(3, "A;B;C;D;", 8, dir_.file("missing/x.dat")), 44);
}

TEST_F(UserTableTest, WrittenFilesReadBackAsDescriptionFiles) {
  const std::string defs = dir_.file("defs.dat");
  const std::string index = dir_.file("index.dat");
  ASSERT_EQ(Konfig(1, "SET0001;MATNR;18;SET0001;QTY;3;SET0002;OTHER;5;", -1, defs), 0);
  ASSERT_EQ(Konfig(3, "MAT01;01;D;SET0001;MAT01;01;U;SET0002;", -1, index), 0);

  AttributeRecord rec{};
  Arg name("MAT01"), key("01"), i(index), d(defs);
  ASSERT_EQ(ZanGetAttributName(2, name.get(), key.get(), i.get(), d.get(), 2, &rec), 0);
  EXPECT_STREQ(rec.setName, "SET0001");
  EXPECT_STREQ(rec.fieldName, "QTY");
  EXPECT_STREQ(rec.length, "3");
  EXPECT_STREQ(rec.description, "");
  EXPECT_EQ(ZanGetAttributName(2, name.get(), key.get(), i.get(), d.get(), 3, &rec), 57);
  ASSERT_EQ(ZanGetAttributName(1, name.get(), key.get(), i.get(), d.get(), 1, &rec), 0);
  EXPECT_STREQ(rec.fieldName, "OTHER");

  Arg answer(Columns({{1, "MAT-4711"}, {19, "007"}, {22, "MAT-4712"}, {40, "012"}}));
  ASSERT_EQ(ZanCreateFillTable(2, name.get(), key.get(), i.get(), d.get(), answer.get(), 42), 0);
  char* value = nullptr;
  ASSERT_EQ(ZanGetTableValue(2, Arg("MATNR").get(), 2, &value), 0);
  EXPECT_STREQ(value, "MAT-4712");
  ASSERT_EQ(ZanGetTableValue(2, Arg("QTY").get(), 1, &value), 0);
  EXPECT_STREQ(value, "007");
}

}  // namespace
}  // namespace kelmod_test
