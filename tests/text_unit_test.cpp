// The string, field and value-list routines every family builds on, and the
// derivation of the release family from the interface record.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <ctime>

#include "core/interface.h"
#include "core/records.h"
#include "core/state.h"
#include "core/text.h"

namespace kelmod {
namespace {

// The in-place routines applied to a copy.
std::string Cut(std::string s, int32_t pos, int32_t n) { return CutChars(s, pos, n), s; }
std::string Trim(std::string s) { return TrimBlanks(s), s; }
std::string Strip(std::string s) { return StripLineEnd(s), s; }
std::string NoBlanks(std::string s) { return RemoveBlanks(s), s; }
std::string Pad(std::string s, int32_t w) { return PadBlanks(s, w), s; }
std::string Zeros(std::string s, int32_t w) { return PadZeros(s, w), s; }
std::string Insert(std::string_view src, std::string dst, int32_t pos) {
  return InsertAt(src, dst, pos), dst;
}
std::string Bounded(const char* src, int32_t n) {
  std::string dst = "old";
  return CopyBounded(dst, src, n), dst;
}

TEST(TextTest, NullTolerantCompareAndCopy) {
  EXPECT_EQ(SafeCompare(nullptr, "A"), -999);
  EXPECT_EQ(SafeCompare("A", nullptr), -999);
  EXPECT_EQ(SafeCompare(nullptr, nullptr), -999);
  EXPECT_EQ(SafeCompare("", ""), 0);
  EXPECT_EQ(SafeCompare("AB", "AC"), -1);
  EXPECT_EQ(SafeCompare("\x80", "A"), 1);  // bytes compare unsigned
  EXPECT_EQ(Bounded("ABCDEF", 3), "ABC");
  EXPECT_EQ(Bounded("AB", 5), "AB");
  EXPECT_EQ(Bounded("ABCDEF", 0), "");
  EXPECT_EQ(Bounded(nullptr, 4), "");
}

TEST(TextTest, ColumnsAndCuts) {
  EXPECT_EQ(SubField("ABCDE", 4, 5), "DE");
  EXPECT_EQ(SubField("ABCDE", 6, 1), "");
  EXPECT_EQ(SubField("ABCDE", 0, 3), "");
  EXPECT_EQ(SubField("ABCDE", 1, 0), "");

  EXPECT_EQ(Cut("ABCDEF", 2, 2), "ADEF");
  EXPECT_EQ(Cut("ABCDEF", 5, 9), "ABCD");
  EXPECT_EQ(Cut("ABC", 4, 1), "ABC");
  EXPECT_EQ(Cut("ABC", 0, 1), "ABC");
  EXPECT_EQ(Cut("ABC", 1, 0), "ABC");
}

TEST(TextTest, TrimmingKeepsAFinalLineFeedAndOnlyCountsBlanks) {
  EXPECT_EQ(Trim("  AB C  "), "AB C");
  EXPECT_EQ(Trim(" AB  \n"), "AB\n");
  EXPECT_EQ(Trim("AB\n  "), "AB\n");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim("\tA\t "), "\tA\t");

  EXPECT_EQ(Strip("X\r\n\n"), "X");
  EXPECT_EQ(Strip("\r\n"), "");
  EXPECT_EQ(Strip("A\rB\n"), "A\rB");
  EXPECT_EQ(NoBlanks(" A B\tC "), "ABC");

  char text[] = "AB  ";
  EXPECT_EQ(DupTrimmed(text), "AB");
  EXPECT_STREQ(text, "AB");  // the argument is trimmed as well
  EXPECT_EQ(DupTrimmed(nullptr), "");
}

TEST(TextTest, PaddingAndInsertionNeverTruncate) {
  EXPECT_EQ(Pad("AB", 5), "AB   ");
  EXPECT_EQ(Pad("ABCDEF", 3), "ABCDEF");
  EXPECT_EQ(Zeros("7", 2), "07");
  EXPECT_EQ(Zeros("126", 2), "126");

  EXPECT_EQ(Insert("XY", "AB", 5), "AB  XY");
  EXPECT_EQ(Insert(" ", "5", 1), " 5");
  EXPECT_EQ(Insert("XY", "ABCD", 3), "ABXYCD");
  EXPECT_EQ(Insert("X", "AB", 3), "ABX");
  EXPECT_EQ(Insert("", "AB", 9), "AB");
}

TEST(TextTest, JoinAndDecimal) {
  std::string dst = "old";
  JoinStrings(dst, {"A", nullptr, "B", "C"});
  EXPECT_EQ(dst, "ABC");
  dst = "old";
  JoinStrings(dst, {nullptr, "X", "Y"});  // a null first keeps what dst held
  EXPECT_EQ(dst, "oldXY");

  EXPECT_EQ(IntToDecimal(0), "0");
  EXPECT_EQ(IntToDecimal(-42), "-42");
  EXPECT_EQ(IntToDecimal(INT32_MAX), "2147483647");
  EXPECT_EQ(IntToDecimal(INT32_MIN), "-2147483648");
}

// Reads values the way every caller does: a value counts only when its
// separator follows; the unterminated rest is shown after '#'.
std::string Tokens(const char* cursor, char sep, std::size_t limit = std::string::npos) {
  std::string all, out;
  for (; NextToken(cursor, sep, out, limit) == 1; ++cursor) all += out + "|";
  return all + "#" + out;
}

TEST(TextTest, NextTokenReportsTerminatedValues) {
  const char* data = "A;B;";
  const char* cursor = data;
  std::string out;
  EXPECT_EQ(NextToken(cursor, ';', out), 1);
  EXPECT_EQ(out, "A");
  EXPECT_EQ(cursor, data + 1);  // left on the separator

  EXPECT_EQ(Tokens("A;B;", ';'), "A|B|#");
  EXPECT_EQ(Tokens("A;B", ';'), "A|#B");
  EXPECT_EQ(Tokens(";X;", ';'), "|X|#");
  EXPECT_EQ(Tokens("AB;CD;", '\0'), "#AB;CD;");  // no separator announced yet
  EXPECT_EQ(Tokens("ABCDEF;G;", ';', 3), "ABC|G|#");  // cut, but passed whole
}

TEST(TextTest, DateStampAndLeadingNumber) {
  const std::time_t now = std::time(nullptr);
  const std::string stamp = DateStamp();
  const std::tm local = *std::localtime(&now);
  char expected[48];
  std::snprintf(expected, sizeof expected, "%2d.%02d.%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  EXPECT_EQ(stamp, expected);

  EXPECT_EQ(LeadingNumber("  42x", false), 42);
  EXPECT_EQ(LeadingNumber(" -2", true), -2);
  EXPECT_EQ(LeadingNumber(" -2", false), 0);
  EXPECT_EQ(LeadingNumber("abc", true), 0);
  EXPECT_EQ(LeadingNumber("99999999999", true), INT32_MAX);
  EXPECT_EQ(LeadingNumber("-99999999999", true), INT32_MIN);
}

TEST(RecordsTest, PutValueAppendsReplacesAndFillsGaps) {
  ValueList values;
  PutValue(values, "A  ", 0);
  PutValue(values, "E", 4);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values.text(0), "A");  // stored without trailing blanks
  EXPECT_EQ(values.number(1), 2);
  EXPECT_EQ(values.text(2), "");
  EXPECT_EQ(values.number(3), 4);
  EXPECT_EQ(values.text(3), "E");

  // After a delete the numbers keep their gap; an append counts the values
  // present, and a replaced value takes its position as record number.
  values.erase(0);
  PutValue(values, "F", 0);
  EXPECT_EQ(values.number(3), 4);
  PutValue(values, " X ", 1);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values.text(0), " X");
  EXPECT_EQ(values.number(0), 1);
  EXPECT_EQ(values.text(3), "F");
}

TEST(RecordsTest, ValueAtAndRecordCount) {
  FieldList list(3);
  std::string out = "stale";
  EXPECT_EQ(ValueAt(out, 256, list[1].values, 1), -2);
  EXPECT_EQ(out, "");
  EXPECT_EQ(RecordCount(list), 0);

  PutValue(list[1].values, "ABCDEF", 0);
  PutValue(list[1].values, "G", 0);
  PutValue(list[2].values, "C", 3);
  EXPECT_EQ(RecordCount(list), 2);  // the first field with values counts
  EXPECT_EQ(ValueAt(out, 256, list[1].values, 2), 0);
  EXPECT_EQ(out, "G");
  EXPECT_EQ(ValueAt(out, 4, list[1].values, 1), 0);
  EXPECT_EQ(out, "ABC");
  EXPECT_EQ(ValueAt(out, 256, list[1].values, 3), -3);
  EXPECT_EQ(out, "");
  EXPECT_EQ(ValueAt(out, 256, list[1].values, 0), -3);
}

TEST(InterfaceTest, ReleaseFamilyFollowsTheFirstTwoCharacters) {
  State s;
  const std::pair<const char*, int32_t> cases[] = {
      {"46C AB;CTEXT", 5}, {"50A XY,Z", 1}, {"5.0 ", 1}, {"6.0 ", 2}, {"60B ", 2}, {"21  ", 3},
      {"2.2 ", 4},         {"22A ", 4},      {"31H ", 5}, {"30  ", 5}, {"5   ", 5},
  };
  for (const auto& [record, family] : cases) {
    StoreInterface(s, record);
    EXPECT_EQ(s.releaseFamily, family) << record;
  }
  StoreInterface(s, "6.0 AB;C");
  StoreInterface(s, "5");  // too short to decide: the family stays
  EXPECT_EQ(s.releaseFamily, 2);
  EXPECT_EQ(s.iface.release, "5");
  StartToolbox(s);
  EXPECT_EQ(s.releaseFamily, 2);
  EXPECT_EQ(s.iface.release, "");
}

}  // namespace
}  // namespace kelmod
