// Class-table internals: the reading of the header values that the class
// fill and the characteristic bar of the newer release share, and the class
// table printer.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "classification/class_printer.h"
#include "classification/class_tables.h"
#include "core/state.h"

namespace kelmod::classification {
namespace {

std::unique_ptr<State> StateWithSeparator(char separator) {
  auto s = std::make_unique<State>();
  s->iface.separator = separator;
  return s;
}

std::string Headers(State& s) {
  std::string joined;
  for (int i = 0; i < 5; ++i) {
    const auto& value = HeaderValue(s, i);
    joined += (i ? "|" : "") + (value ? *value : std::string("<absent>"));
  }
  return joined;
}

TEST(ClassHeaderValues, ReadFiveValuesAndCountRemaining) {
  auto s = StateWithSeparator(';');
  const char* cursor = "AB  ;C;;D;E;rest";
  int64_t remaining = 100;
  EXPECT_EQ(ReadHeaderValues(*s, cursor, remaining), 0);
  EXPECT_EQ(Headers(*s), "AB|C||D|E");
  EXPECT_EQ(remaining, 100 - 12) << "lengths as read, blanks included, plus separators";
  EXPECT_STREQ(cursor, "rest");
  EXPECT_EQ(s->smlHeader[0], "C") << "the second is the older bar's first header text";
  // The string ends first: the values not reached keep their texts.
  EXPECT_EQ(ReadHeaderValues(*s, cursor = "X;Y", remaining = 10), 0);
  EXPECT_EQ(Headers(*s), "X|C||D|E");
  EXPECT_EQ(remaining, 8);
  EXPECT_EQ(*cursor, '\0');
  // A value beyond 256 characters is cut and counts as kept.
  const std::string longValue = std::string(300, 'L') + ";";
  EXPECT_EQ(ReadHeaderValues(*s, cursor = longValue.c_str(), remaining = 1000), 0);
  EXPECT_EQ(*HeaderValue(*s, 0), std::string(256, 'L'));
  EXPECT_EQ(remaining, 1000 - 257);
  const char* none = nullptr;
  EXPECT_EQ(ReadHeaderValues(*s, none, remaining), -2);
}

class ClassPrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("kelmod_class_printer_" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
    path_ = (dir_ / "classes.txt").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string Printed() const {
    std::ifstream in(path_);  // text mode: the platform's line ends read as "\n"
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::filesystem::path dir_;
  std::string path_;
};

const std::string kEntryOne =
    "\nEintrag : 1\n"
    "--------------------------------------------------------\n"
    "Name...........: PUMP\n"
    "Feldname.......: DN\n"
    "DIN-Buchstabe..: A\n"
    "Eingabe........: \n"
    "Einheit........: mm\n";

TEST_F(ClassPrinterTest, PrintsTitleAndEveryEntry) {
  const std::vector<ClassEntry> one = {{{"PUMP", "DN", "A", "", "mm"}}};
  ASSERT_EQ(PrintClassTable(one, 1, path_.c_str()), 0);
  const std::string title = "Klassentabelle\n==============\n";
  EXPECT_EQ(Printed(), title + kEntryOne);

  std::vector<ClassEntry> two = one;
  two.push_back({{"VALVE", "PN", "B", "X", "bar"}});
  ASSERT_EQ(PrintClassTable(two, 1, path_.c_str()), 0);
  ASSERT_EQ(PrintClassTable(two, 1, path_.c_str()), 0);  // replaced, not appended
  EXPECT_EQ(Printed(), title + kEntryOne +
                           "\nEintrag : 2\n"
                           "--------------------------------------------------------\n"
                           "Name...........: VALVE\n"
                           "Feldname.......: PN\n"
                           "DIN-Buchstabe..: B\n"
                           "Eingabe........: X\n"
                           "Einheit........: bar\n");
}

TEST_F(ClassPrinterTest, PrintModesAndRefusals) {
  const std::vector<ClassEntry> one = {{{"PUMP", "DN", "A", "", "mm"}}};
  ASSERT_EQ(PrintClassTable(one, 1, path_.c_str()), 0);
  // Another print mode above 0 empties the file and writes nothing.
  ASSERT_EQ(PrintClassTable(one, 2, path_.c_str()), 0);
  EXPECT_TRUE(std::filesystem::exists(path_));
  EXPECT_EQ(Printed(), "");
  // A print mode of 0 or below opens no file at all.
  const std::string untouched = (dir_ / "untouched.txt").string();
  EXPECT_EQ(PrintClassTable(one, 0, untouched.c_str()), 0);
  EXPECT_FALSE(std::filesystem::exists(untouched));

  EXPECT_EQ(PrintClassTable({}, 1, path_.c_str()), -1);
  EXPECT_EQ(PrintClassTable(one, 1, nullptr), -1);
  EXPECT_EQ(PrintClassTable(one, 1, (dir_ / "no" / "such.txt").string().c_str()), -1);
}

}  // namespace
}  // namespace kelmod::classification
