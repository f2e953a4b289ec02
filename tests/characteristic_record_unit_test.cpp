// The list operations shared by every characteristic list: storing members,
// building, addressing, updating, filling and releasing lists.
#include <cstdint>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "characteristics/characteristic_record.h"
#include "characteristics/matchcode.h"
#include "core/state.h"

namespace kelmod {
namespace {

int32_t Set(CharacteristicRecord& r, int32_t code, const std::string& text, int32_t n = 0) {
  std::string copy = text;
  return SetCharacteristicField(r, code, copy, n);
}

std::vector<std::string> Values(const CharacteristicRecord& r) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < r.values.size(); ++i) out.emplace_back(r.values.text(i));
  return out;
}

using Texts = std::vector<std::string>;

// A member's text, or "<absent>".
std::string Text(const std::optional<std::string>& member) { return member.value_or("<absent>"); }

TEST(CharacteristicRecord, DateFormatAddsTwoToALengthSetAfterIt) {
  CharacteristicRecord date, plain, late;
  ASSERT_EQ(Set(date, field::kFormat, "DATE  "), 0);
  ASSERT_EQ(Set(date, field::kLength, "8"), 0);
  EXPECT_EQ(date.length, 10);
  ASSERT_EQ(Set(date, field::kLength, "ab"), 0);
  EXPECT_EQ(date.length, 2);
  Set(plain, field::kFormat, "date");  // compared exactly
  Set(plain, field::kLength, " 8x");
  EXPECT_EQ(plain.length, 8);
  Set(plain, field::kLength, "ab");
  EXPECT_EQ(plain.length, 0);
  Set(late, field::kLength, "8");
  Set(late, field::kFormat, "DATE");
  EXPECT_EQ(late.length, 8);
  // The largest length a backend can send stays the largest: no overflow.
  ASSERT_EQ(Set(date, field::kLength, "2147483647"), 0);
  EXPECT_EQ(date.length, INT32_MAX);
  ASSERT_EQ(Set(date, field::kLength, "99999999999"), 0);
  EXPECT_EQ(date.length, INT32_MAX);
}

TEST(CharacteristicRecord, UnknownCodesAndNullTextsChangeNothing) {
  CharacteristicRecord r;
  Set(r, field::kName, "N");
  EXPECT_EQ(Set(r, 13, "X"), -1);
  EXPECT_EQ(Set(r, 0, "X"), -1);
  EXPECT_EQ(SetCharacteristicField(r, field::kName, static_cast<char*>(nullptr), 0), -2);
  EXPECT_EQ(Text(r.name), "N");
  EXPECT_FALSE(r.fieldName || r.dinLetter || r.input || r.unit || r.format || r.templ ||
               r.selection || r.parameter);
  EXPECT_EQ(r.length, 0);
  EXPECT_EQ(r.decimals, 0);
  EXPECT_TRUE(r.values.empty());
}

TEST(CharacteristicRecord, TextsLoseTrailingBlanksAlsoInTheCallersText) {
  CharacteristicRecord r;
  char name[] = "AB  ";
  ASSERT_EQ(SetCharacteristicField(r, field::kName, name, 0), 0);
  EXPECT_EQ(Text(r.name), "AB");
  EXPECT_STREQ(name, "AB");
  char value[] = " v  ";
  ASSERT_EQ(SetCharacteristicField(r, field::kValue, value, 3), 0);
  EXPECT_EQ(Values(r), (Texts{"", "", " v"}));
  EXPECT_STREQ(value, " v");
  char empty[] = "   ";
  ASSERT_EQ(SetCharacteristicField(r, field::kUnit, empty, 0), 0);
  EXPECT_EQ(Text(r.unit), "");  // present but empty, unlike an absent member
}

TEST(CharacteristicRecord, PrependBuildsInReverseOrder) {
  CharacteristicList list;
  ASSERT_EQ(PrependCharacteristic(list, "A", "", nullptr, "", "", "", "", ""), 0);
  ASSERT_EQ(PrependCharacteristic(list, "B", "", "", "", "", "", "", ""), 0);
  ASSERT_EQ(PrependCharacteristic(list, "C", "d", "i", "u", "DATE", "t", "8", "2"), 0);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(Text(NthCharacteristic(list, 1)->name), "C");
  EXPECT_EQ(Text(NthCharacteristic(list, 2)->name), "B");
  EXPECT_EQ(Text(NthCharacteristic(list, 3)->name), "A");
  EXPECT_EQ(NthCharacteristic(list, 0), nullptr);
  EXPECT_EQ(NthCharacteristic(list, 4), nullptr);
  const CharacteristicRecord& c = list[0];
  EXPECT_EQ(Text(c.dinLetter) + Text(c.input) + Text(c.unit) + Text(c.templ), "diut");
  EXPECT_EQ(c.length, 10);  // the format is stored before the length
  EXPECT_EQ(c.decimals, 2);
  const CharacteristicRecord& a = list[2];
  EXPECT_FALSE(a.dinLetter || a.input || a.unit || a.format || a.templ);
  EXPECT_EQ(CountCharacteristicValues(&a), 0);
  EXPECT_EQ(CountCharacteristicValues(nullptr), 0);
}

// Fills a fresh list of two records in mode 1 with value number 0.
int32_t FillTwo(CharacteristicList& list, const char* data, int32_t length, char sep = ';') {
  list = CharacteristicList(2);
  return FillCharacteristicValues(1, 0, length, data, list, sep);
}

TEST(CharacteristicRecord, FillDistributesValuesCyclically) {
  CharacteristicList list;
  ASSERT_EQ(FillTwo(list, "x;yy;zzz;", 9), 0);
  EXPECT_EQ(Values(list[0]), (Texts{"x", "zzz"}));
  EXPECT_EQ(Values(list[1]), (Texts{"yy"}));
  EXPECT_EQ(list[0].length, 3);
  EXPECT_EQ(list[1].length, 2);

  EXPECT_EQ(FillTwo(list, "x;yy;zzz", 8), -2);
  EXPECT_EQ(Values(list[0]), (Texts{"x"}));
  EXPECT_EQ(Values(list[1]), (Texts{"yy"}));
  EXPECT_EQ(FillTwo(list, "x;yy;zzz;", 5), 0);
  EXPECT_EQ(Values(list[0]), (Texts{"x"}));
  EXPECT_EQ(Values(list[1]), (Texts{"yy"}));

  // Stored lengths count short: 2 after 'a', 4 after 'b', so it reads on.
  EXPECT_EQ(FillTwo(list, "a  ;b;", 6), -2);
  EXPECT_EQ(Values(list[0]), (Texts{"a"}));
  EXPECT_EQ(Values(list[1]), (Texts{"b"}));
  EXPECT_EQ(list[0].length, 1);

  EXPECT_EQ(FillTwo(list, "x;yy;zzz;", 9, '\0'), -2);
  EXPECT_TRUE(list[0].values.empty());
  EXPECT_EQ(FillTwo(list, "x;", 0), 0);
  EXPECT_TRUE(list[0].values.empty());
}

TEST(CharacteristicRecord, FillModeTwoReadsUnitsAndNumberedValues) {
  CharacteristicList list(2);
  ASSERT_EQ(FillCharacteristicValues(2, 0, 16, "v1;mm;v2;;v3;kg;", list, ';'), 0);
  EXPECT_EQ(Values(list[0]), (Texts{"v1", "v3"}));
  EXPECT_EQ(Text(list[0].unit), "kg");  // the last row's unit wins
  EXPECT_EQ(Values(list[1]), (Texts{"v2"}));
  EXPECT_FALSE(list[1].unit.has_value());  // an empty unit is not stored
  EXPECT_EQ(FillCharacteristicValues(2, 0, 20, "v1;", list, ';'), -2);

  CharacteristicList one(1);
  ASSERT_EQ(FillCharacteristicValues(1, 3, 4, "p;q;", one, ';'), 0);
  EXPECT_EQ(Values(one[0]), (Texts{"", "", "q"}));
}

class UpdateCharacteristicTest : public ::testing::Test {
 protected:
  int32_t Update(int32_t sel, CharacteristicList* target, int32_t position, const char* name,
                 int32_t code = field::kInput, const std::string& text = "new") {
    std::string copy = text;
    return UpdateCharacteristic(s_, sel, target, position, name, code, copy, 0);
  }
  static CharacteristicList Three() {
    CharacteristicList list(3);
    list[0].name = "K";
    list[0].fieldName = "F";
    list[1].name = "F";
    list[1].fieldName = "K";
    list[2].fieldName = "";
    return list;
  }
  State s_;
};

TEST_F(UpdateCharacteristicTest, ReportsEachListAndSelectorCondition) {
  CharacteristicList empty;
  EXPECT_EQ(Update(1, nullptr, 1, "K"), 45);
  EXPECT_EQ(Update(2, nullptr, 1, "K"), 46);
  EXPECT_EQ(Update(3, &empty, 1, "K"), 999);
  EXPECT_EQ(Update(4, nullptr, 1, "K"), 999);
  EXPECT_EQ(Update(5, nullptr, 1, "K"), 3);

  s_.matchcodeTable = Three();
  EXPECT_EQ(Update(2, nullptr, 0, "K"), 47);  // the matchcode table is found by position only
  EXPECT_EQ(Update(2, nullptr, 5, "K"), 47);
  ASSERT_EQ(Update(2, nullptr, 3, "ignored"), 0);
  EXPECT_EQ(Text(s_.matchcodeTable[2].input), "new");
  EXPECT_EQ(Update(2, nullptr, 1, nullptr, 13), 8);  // a refused code reads as -1

  s_.smlTable = Three();
  ASSERT_EQ(Update(1, nullptr, 0, "K"), 0);
  EXPECT_EQ(Text(s_.smlTable[1].input), "new");
}

TEST_F(UpdateCharacteristicTest, FindsTargetRecordsByNameOrFieldName) {
  CharacteristicList list = Three();
  ASSERT_EQ(Update(3, &list, 0, "K", field::kInput, "by field"), 0);
  ASSERT_EQ(Update(4, &list, 0, "K", field::kInput, "by name"), 0);
  EXPECT_EQ(Text(list[0].input), "by name");
  EXPECT_EQ(Text(list[1].input), "by field");
  EXPECT_EQ(Update(3, &list, 0, ""), 47);  // an empty name matches nothing, not even ""
  EXPECT_EQ(Update(4, &list, 0, nullptr), 47);
  EXPECT_EQ(Update(4, &list, 0, "k"), 47);
  ASSERT_EQ(Update(4, &list, 3, "K", field::kValue, "v  "), 0);  // position wins over name
  EXPECT_EQ(Values(list[2]), (Texts{"v"}));
}

TEST(CharacteristicRecord, DiscardClearsTheBarHeaderOnlyForAListWithRecords) {
  State s;
  s.smlHeader[0] = "H1";
  s.smlHeader[4] = "H5";
  CharacteristicList list;
  DiscardCharacteristicList(s, list);
  EXPECT_EQ(Text(s.smlHeader[0]), "H1");
  EXPECT_EQ(Text(s.smlHeader[4]), "H5");
  list.resize(1);
  DiscardCharacteristicList(s, list);
  EXPECT_TRUE(list.empty());
  for (const auto& text : s.smlHeader) EXPECT_FALSE(text.has_value());
}

TEST(MatchcodeEntries, FieldEntriesKeepTextAndLength) {
  CharacteristicList table;
  ASSERT_EQ(matchcode::LoadMatchcodeEntries(2, "Plant;4;Name  ;20;", 18, table, ';'), 0);
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(Text(table[0].unit), "Plant");
  EXPECT_EQ(table[0].length, 4);
  EXPECT_EQ(Text(table[1].unit), "Name");
  EXPECT_EQ(table[1].length, 20);
  EXPECT_FALSE(table[1].input.has_value());
  EXPECT_EQ(matchcode::LoadMatchcodeEntries(1, "", 0, table, ';'), -2);
}

}  // namespace
}  // namespace kelmod
