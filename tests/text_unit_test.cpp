// The string, field and value-list routines every family builds on, and the
// derivation of the release family from the interface record.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <ctime>
#include <new>
#include <string>
#include <vector>

#include "core/interface.h"
#include "core/records.h"
#include "core/state.h"
#include "core/text.h"

namespace kelmod {
namespace {

// Each row: what a call gave and what it should give; a failure names the row.
template <class T>
void Expect(const std::vector<std::pair<T, T>>& rows) {
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].first, rows[i].second) << i;
}

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

TEST(TextTest, NullTolerantCompareCopyAndNumbers) {
  Expect<int64_t>({{SafeCompare(nullptr, "A"), -999}, {SafeCompare("A", nullptr), -999},
                   {SafeCompare(nullptr, nullptr), -999}, {SafeCompare("", ""), 0},
                   {SafeCompare("AB", "AC"), -1}, {SafeCompare("\x80", "A"), 1},  // unsigned bytes
                   {LeadingNumber("  42x", false), 42}, {LeadingNumber(" -2", true), -2},
                   {LeadingNumber(" -2", false), 0}, {LeadingNumber("abc", true), 0},
                   {LeadingNumber("99999999999", true), INT32_MAX},
                   {LeadingNumber("-99999999999", true), INT32_MIN},
                   // A number from the backend, as atoi reads it: any white space first.
                   {AtoiNumber("\t\n\v\f\r 12"), 12}, {AtoiNumber("\t-7"), -7},
                   {AtoiNumber("\x1c" "5"), 0}, {AtoiNumber("\t\t"), 0}});
  Expect<std::string>({{Bounded("ABCDEF", 3), "ABC"}, {Bounded("AB", 5), "AB"},
                       {Bounded("ABCDEF", 0), ""}, {Bounded(nullptr, 4), ""},
                       {IntToDecimal(0), "0"}, {IntToDecimal(INT32_MAX), "2147483647"},
                       {IntToDecimal(INT32_MIN), "-2147483648"}});
  std::string dst = "old";
  JoinStrings(dst, {"A", nullptr, "B", "C"});
  EXPECT_EQ(dst, "ABC");
  JoinStrings(dst, {nullptr, "X", "Y"});  // a null first keeps what dst held
  EXPECT_EQ(dst, "ABCXY");
}

TEST(TextTest, CutsStayInRangeAndPaddingOrInsertionNeverTruncates) {
  Expect<std::string>({{SubField("ABCDE", 4, 5), "DE"}, {SubField("ABCDE", 6, 1), ""},
                       {SubField("ABCDE", 0, 3), ""}, {SubField("ABCDE", 1, 0), ""},
                       {Cut("ABCDEF", 2, 2), "ADEF"}, {Cut("ABCDEF", 5, 9), "ABCD"},
                       {Cut("ABC", 4, 1), "ABC"}, {Cut("ABC", 0, 1), "ABC"},
                       {Cut("ABC", 1, 0), "ABC"}, {Pad("AB", 5), "AB   "},
                       {Pad("ABCDEF", 3), "ABCDEF"}, {Zeros("7", 2), "07"},
                       {Zeros("126", 2), "126"}, {Insert("XY", "AB", 5), "AB  XY"},
                       {Insert(" ", "5", 1), " 5"}, {Insert("XY", "ABCD", 3), "ABXYCD"},
                       {Insert("X", "AB", 3), "ABX"}, {Insert("", "AB", 9), "AB"}});
}

TEST(TextTest, TrimmingKeepsAFinalLineFeedAndOnlyCountsBlanks) {
  Expect<std::string>({{Trim("  AB C  "), "AB C"}, {Trim(" AB  \n"), "AB\n"},
                       {Trim("AB\n  "), "AB\n"}, {Trim("    "), ""}, {Trim("\tA\t "), "\tA\t"},
                       {Strip("X\r\n\n"), "X"}, {Strip("\r\n"), ""}, {Strip("A\rB\n"), "A\rB"},
                       {NoBlanks(" A B\tC "), "ABC"}, {DupTrimmed(nullptr), ""},
                       {std::string(WithoutTrailingBlanks(" A\t  ")), " A\t"},
                       {std::string(WithoutTrailingBlanks("   ")), ""}});
  // AssignTrimmedBlanks gives what TrimBlanks leaves, into a used buffer.
  std::string out = "old text";
  for (const char* text : {"  AB C  ", " AB  \n", "AB\n  ", "    ", "", "\n"}) {
    AssignTrimmedBlanks(out, text);
    EXPECT_EQ(out, Trim(text)) << text;
  }
  char text[] = "AB  ";
  EXPECT_EQ(DupTrimmed(text), "AB");
  EXPECT_STREQ(text, "AB");  // the argument is trimmed as well
}

TEST(TextTest, DateStampIsTodayAsDayMonthYear) {
  const std::time_t now = std::time(nullptr);
  const std::string stamp = DateStamp();
  const std::tm t = *std::localtime(&now);
  char want[48];
  std::snprintf(want, sizeof want, "%2d.%02d.%04d", t.tm_mday, t.tm_mon + 1, t.tm_year + 1900);
  EXPECT_EQ(stamp, want);
}

// Reads values the way every caller does: a value counts only when its
// separator follows; the unterminated rest is shown after '#'. Stepping one
// character on relies on the cursor being left on the separator.
// NextTokenView walks alongside and must give the same values, as views
// into the string, and leave its cursor on the same byte.
std::string Tokens(const char* cursor, char sep, std::size_t limit = std::string::npos) {
  std::string all, out;
  const char* viewCursor = cursor;
  std::string_view view;
  for (;; ++cursor, ++viewCursor) {
    const int terminated = NextToken(cursor, sep, out, limit);
    EXPECT_EQ(NextTokenView(viewCursor, sep, view, limit), terminated);
    EXPECT_EQ(view, out);
    EXPECT_EQ(viewCursor, cursor);
    if (terminated != 1) break;
    all += out + "|";
  }
  return all + "#" + out;
}

TEST(TextTest, NextTokenReportsTerminatedValues) {
  Expect<std::string>({{Tokens("A;B;", ';'), "A|B|#"}, {Tokens("A;B", ';'), "A|#B"},
                       {Tokens(";X;", ';'), "|X|#"},
                       {Tokens("AB;CD;", '\0'), "#AB;CD;"},  // no separator announced yet
                       {Tokens("ABCDEF;G;", ';', 3), "ABC|G|#"}});  // cut, but passed whole
}

// Each value as "number:text", blank-separated.
std::string Show(const ValueList& values) {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i)
    out += std::to_string(values.number(i)) + ":" + std::string(values.text(i)) + " ";
  return out;
}

TEST(RecordsTest, PutValueAppendsReplacesAndFillsGapsValueAtReadsThem) {
  FieldList list(3);
  ValueList& values = list[1].values;
  std::string out = "stale";
  EXPECT_EQ(ValueAt(out, 256, values, 1), -2);
  EXPECT_EQ(out, "");
  EXPECT_EQ(RecordCount(list), 0);
  PutValue(values, "A  ", 0);  // stored without trailing blanks
  PutValue(values, "E", 4);
  EXPECT_EQ(Show(values), "1:A 2: 3: 4:E ");
  // After a delete the numbers keep their gap; an append counts the values
  // present, and a replaced value takes its position as record number.
  values.erase(0);
  PutValue(values, "F", 0);
  PutValue(values, " ABCDEF ", 1);
  EXPECT_EQ(Show(values), "1: ABCDEF 3: 4:E 4:F ");
  PutValue(list[2].values, "C", 3);
  EXPECT_EQ(RecordCount(list), 4);  // the first field with values counts
  auto at = [&](int32_t width, int32_t record) {
    const int32_t rc = ValueAt(out = "stale", width, values, record);
    return std::make_pair(rc, out);
  };
  using Got = std::pair<int32_t, std::string>;
  EXPECT_EQ(at(256, 4), Got(0, "F"));
  EXPECT_EQ(at(4, 1), Got(0, " AB"));
  EXPECT_EQ(at(256, 5), Got(-3, ""));
  EXPECT_EQ(at(256, 0), Got(-3, ""));
}

TEST(RecordsTest, AValueIsStoredAtMostTheGapLimitPastTheLastValue) {
  ValueList values;
  const auto limit = static_cast<int32_t>(kMaxValueGap);
  EXPECT_THROW(PutValue(values, "X", limit + 1), std::bad_alloc);
  EXPECT_TRUE(values.empty());
  PutValue(values, "A", 0);
  EXPECT_THROW(PutValue(values, "X", limit + 2), std::bad_alloc);
  EXPECT_EQ(Show(values), "1:A ");
  PutValue(values, "Z", limit + 1);  // exactly the limit past value 1
  ASSERT_EQ(values.size(), kMaxValueGap + 1);
  EXPECT_EQ(values.number(kMaxValueGap), limit + 1);
  EXPECT_EQ(values.text(kMaxValueGap), "Z");
  EXPECT_EQ(values.text(kMaxValueGap - 1), "");
  EXPECT_EQ(values.number(kMaxValueGap - 1), limit);
}

TEST(RecordsTest, AListFilledInOrderTakesFourBytesAValueBesideItsTexts) {
  ValueList values;
  values.reserve(1000, 5000);
  for (int n = 0; n < 1000; ++n) PutValue(values, "ABCDE", 0);
  EXPECT_GE(values.heapBytes(), 5000u + 4000u);
  EXPECT_LE(values.heapBytes(), 5000u + 4000u + 16u) << "packed, in the room reserved";
  // Empty values filling a gap are numbered in order too: still packed.
  PutValue(values, "X", 2000);
  ASSERT_EQ(values.size(), 2000u);
  EXPECT_EQ(values.number(1999), 2000);
  EXPECT_EQ(values.text(1999), "X");
  EXPECT_EQ(values.text(1500), "");
  EXPECT_LT(values.heapBytes(), 2000u * 12u);
  // The first replacement gives each value its number, offset and length.
  PutValue(values, "Y", 1);
  EXPECT_GE(values.heapBytes(), 2000u * 16u);
  EXPECT_EQ(Show(values).substr(0, 12), "1:Y 2:ABCDE ");
  values.clear();
  PutValue(values, "again", 0);
  EXPECT_EQ(Show(values), "1:again ");
  EXPECT_LT(values.heapBytes(), values.blockCapacity() + 2000u * 4u) << "packed again";
}

// Bytes of the live texts of a list.
std::size_t LiveBytes(const ValueList& values) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < values.size(); ++i) n += values.text(i).size();
  return n;
}

TEST(RecordsTest, ReplacedAndDeletedTextsAreCompactedAwayAndNumbersKept) {
  ValueList values;
  std::vector<std::pair<int32_t, std::string>> want;  // number and text of each value
  for (int32_t n = 1; n <= 1000; ++n) {
    PutValue(values, "V" + std::to_string(n), 0);
    want.emplace_back(n, "V" + std::to_string(n));
  }
  const auto same = [&] {
    if (values.size() != want.size()) return false;
    for (std::size_t i = 0; i < want.size(); ++i)
      if (values.number(i) != want[i].first || values.text(i) != want[i].second) return false;
    return true;
  };
  // Texts given up stay in the block until they are more than 4096 bytes
  // and more than half of it; then the block holds the live texts only.
  const auto bounded = [&] {
    const std::size_t unused = values.blockBytes() - LiveBytes(values);
    return unused <= 4096 || unused * 2 <= values.blockBytes();
  };
  ASSERT_TRUE(same());
  EXPECT_EQ(values.blockBytes(), LiveBytes(values));

  // A longer text goes to the end of the block, a shorter one where the old
  // one stood; either way the old bytes are given up, not freed at once.
  PutValue(values, "LONGER TEXT", 1);
  want[0].second = "LONGER TEXT";
  PutValue(values, "S", 2);
  want[1].second = "S";
  EXPECT_TRUE(same());
  EXPECT_EQ(values.blockBytes(), LiveBytes(values) + 2 + 1);

  bool compacted = false;
  for (int round = 0; round < 20; ++round) {
    for (std::size_t i = 0; i < want.size(); i += 3) {
      const std::size_t before = values.blockBytes();
      std::string text = (round % 2 ? "long replacement " : "r") + std::to_string(round);
      PutValue(values, text, want[i].first);
      want[i].second = text;
      compacted = compacted || values.blockBytes() < before;
      ASSERT_TRUE(bounded()) << round << " " << i;
    }
  }
  EXPECT_TRUE(compacted);
  EXPECT_TRUE(same());
  EXPECT_LE(values.blockBytes(), 2 * LiveBytes(values) + 4096);

  // Deleting every other value keeps the numbers of the rest.
  for (std::size_t i = want.size(); i-- > 0;)
    if (i % 2 == 1) {
      values.erase(i);
      want.erase(want.begin() + static_cast<std::ptrdiff_t>(i));
      ASSERT_TRUE(bounded()) << i;
    }
  EXPECT_TRUE(same());
  EXPECT_EQ(values.number(1), 3);
  EXPECT_EQ(values.text(1), want[1].second);

  // Appends after that are numbered one past the count, however many come,
  // and a gap is filled with empty values numbered in order.
  for (int n = 0; n < 600; ++n) {
    PutValue(values, "A" + std::to_string(n), 0);
    want.emplace_back(static_cast<int32_t>(want.size() + 1), "A" + std::to_string(n));
  }
  const auto count = static_cast<int32_t>(want.size());
  PutValue(values, "GAP", count + 3);
  want.emplace_back(count + 1, "");
  want.emplace_back(count + 2, "");
  want.emplace_back(count + 3, "GAP");
  EXPECT_TRUE(same());

  // The last delete empties the list; its block is kept for the next values,
  // which are packed again.
  while (values.size() > 1) values.erase(values.size() - 1);
  const std::size_t capacity = values.blockCapacity();
  values.erase(0);
  EXPECT_EQ(values.blockBytes(), 0u);
  EXPECT_EQ(values.blockCapacity(), capacity);
  PutValue(values, "again", 0);
  PutValue(values, "", 0);
  EXPECT_EQ(Show(values), "1:again 2: ");
  values.clear();
  EXPECT_TRUE(values.empty());
  EXPECT_EQ(values.blockCapacity(), capacity);
}

int32_t FamilyOf(State& s, const char* record) { return StoreInterface(s, record), s.releaseFamily; }

TEST(InterfaceTest, ReleaseFamilyFollowsTheFirstTwoCharacters) {
  State s;
  Expect<int64_t>({{FamilyOf(s, "46C AB;CTEXT"), 5}, {FamilyOf(s, "50A XY,Z"), 1},
                   {FamilyOf(s, "5.0 "), 1}, {FamilyOf(s, "6.0 "), 2}, {FamilyOf(s, "60B "), 2},
                   {FamilyOf(s, "21  "), 3}, {FamilyOf(s, "2.2 "), 4}, {FamilyOf(s, "22A "), 4},
                   {FamilyOf(s, "31H "), 5}, {FamilyOf(s, "30  "), 5}, {FamilyOf(s, "5   "), 5},
                   {FamilyOf(s, "6.0 AB;C"), 2},
                   {FamilyOf(s, "5"), 2}});  // too short to decide: the family stays
  EXPECT_EQ(s.iface.release, "5");
  StartToolbox(s);
  EXPECT_EQ(s.releaseFamily, 2);
  EXPECT_EQ(s.iface.release, "");
}

}  // namespace
}  // namespace kelmod
