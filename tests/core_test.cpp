// Toolbox core through the C functions: lifecycle, configuration, version,
// error messages and the interface record.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>

#include "support.h"

namespace kelmod_test {
namespace {

// Sets the message file variable for the length of a test.
struct MessageVariable {
  MessageVariable() {
    if (const char* old = std::getenv("KELMMES")) saved = old;
  }
  ~MessageVariable() { set(saved); }
  static void set(const std::optional<std::string>& value) {
#if defined(_WIN32)
    _putenv_s("KELMMES", value ? value->c_str() : "");
#else
    value ? setenv("KELMMES", value->c_str(), 1) : unsetenv("KELMMES");
#endif
  }
  std::optional<std::string> saved;
};

class CoreTest : public ToolboxTest {
 protected:
  static MessageRecord Lookup(int32_t code) {
    MessageRecord m;
    std::memset(&m, 0x55, sizeof m);
    EXPECT_EQ(ZanGetErrorMessage(code, &m), 0);
    return m;
  }
  // The record's code, type, short and long text joined with '|'.
  static std::string Texts(int32_t code) {
    const MessageRecord m = Lookup(code);
    return std::to_string(m.code) + "|" + m.type + "|" + m.shortText + "|" + m.longText;
  }
  static std::string Describe(int32_t mode) {
    char* value = nullptr;
    EXPECT_EQ(ZanDescribeInterface(mode, &value), 0);
    return value != nullptr ? value : "<null>";
  }
  static void Fill(const std::string& record) {
    Arg rec(record);
    ASSERT_EQ(ZanFillInterface(rec.get(), static_cast<int32_t>(record.size())), 0);
  }
  static void Configure(int32_t mode, const std::string& path) {
    Arg p(path);
    ASSERT_EQ(ZanConfigureToolbox(mode, p.get()), 0);
  }
  // A message line: code, type and short text at their columns, then the
  // long text from column 36 when there is one.
  static std::string Line(const std::string& code, const std::string& type,
                          const std::string& shortText, const std::string& longText = "") {
    const std::string line = Columns({{1, "E"}, {3, code}, {7, type}, {9, shortText}});
    return longText.empty() ? line : Columns({{1, line}, {36, longText}});
  }
  // Makes a message file holding one line for code 41 the one in use.
  void UseShortText41(const std::string& file, const std::string& text) {
    Configure(1, dir_.write(file, Line("041", "W", text) + "\n"));
  }
};

TEST_F(CoreTest, InitToolboxReleaseKeepsInterfaceStartUpEmptiesIt) {
  UseShortText41("messages.dat", "Field not found");
  Fill("46C AB;CTEXT");
  EXPECT_EQ(ZanInitToolbox(3), 3);
  EXPECT_EQ(ZanInitToolbox(0), 3);
  EXPECT_STREQ(Lookup(41).shortText, "Field not found");  // path still configured

  MessageVariable variable;
  variable.set(dir_.file("absent.dat"));
  EXPECT_EQ(ZanInitToolbox(2), 0);
  EXPECT_EQ(Describe(1) + Describe(2) + Describe(5), ";46C TEXT");
  EXPECT_STREQ(Lookup(41).type, "X");  // the configured path was released

  EXPECT_EQ(ZanInitToolbox(1), 0);
  for (int32_t mode = 1; mode <= 6; ++mode) EXPECT_EQ(Describe(mode), "") << mode;

  char* version = nullptr;
  EXPECT_EQ(ZanToolboxVersion(&version), 0);
  EXPECT_STREQ(version, "3.1G");
}

TEST_F(CoreTest, ConfigureToolboxKeepsTheLastPathOfEachMode) {
  Arg path(dir_.file("any.dat"));
  EXPECT_EQ(ZanConfigureToolbox(1, nullptr), 78);
  EXPECT_EQ(ZanConfigureToolbox(2, nullptr), 78);
  UseShortText41("first.dat", "First");
  UseShortText41("second.dat", "Second");
  EXPECT_EQ(ZanConfigureToolbox(3, path.get()), 3);
  EXPECT_EQ(ZanConfigureToolbox(0, path.get()), 3);
  EXPECT_STREQ(Lookup(41).shortText, "Second");

  const std::string index = dir_.write("index.dat", "D 001 DOCAN 01 DDOC001 DOKNR      25\n");
  Arg name("DOCAN"), key("01"), none("");
  Configure(2, index);
  Configure(2, dir_.file("missing-index.dat"));
  EXPECT_EQ(ZanCreateTable(4, name.get(), key.get(), none.get(), none.get()), 60);
  Configure(2, index);
  EXPECT_EQ(ZanCreateTable(4, name.get(), key.get(), none.get(), none.get()), 0);
}

TEST_F(CoreTest, MessageFileFromEnvironmentUntilConfigured) {
  ASSERT_EQ(ZanInitToolbox(2), 0);
  ASSERT_EQ(ZanInitToolbox(1), 0);
  MessageVariable variable;
  variable.set(dir_.write("env.dat", Line("041", "I", "From environment") + "\n"));
  EXPECT_STREQ(Lookup(41).shortText, "From environment");
  variable.set(dir_.write("other.dat", Line("041", "I", "Other") + "\n"));
  EXPECT_STREQ(Lookup(41).shortText, "From environment");  // chosen once, kept
  UseShortText41("configured.dat", "Configured");
  EXPECT_STREQ(Lookup(41).shortText, "Configured");
}

TEST_F(CoreTest, DefaultTextsWithoutAMessageLine) {
  const std::pair<int32_t, const char*> cases[] = {
      {3, "TB003 Error in toolbox"},     {61, "TB061 Error in toolbox"},
      {999, "TB999 Error in toolbox"},   {-2, "TB0-2 Error in toolbox"},
      {1000, "TB1000 Error in toolbox"}, {-999, "TB-999 Error in toolbox"},
  };
  for (const auto& [code, text] : cases)
    EXPECT_EQ(Texts(code), std::to_string(code) + "|X||" + text);
  UseShortText41("messages.dat", "Field not found");  // a file without the code
  EXPECT_STREQ(Lookup(42).longText, "TB042 Error in toolbox");
  EXPECT_EQ(ZanGetErrorMessage(3, nullptr), 78);
}

TEST_F(CoreTest, FirstMessageLineOfTheCodeGivesTheTexts) {
  const std::string longText(300, 'L');
  std::ostringstream file;
  file << "* 041 W Comment lines never count\n"
       << Columns({{3, "041"}, {7, "W"}, {9, "Blank-led line"}}) << "\n"
       << Line("041", "W", "Field not found", "Field name is not in the table") << "\n"
       << Line("041", "E", "Second line", "Never used") << "\n"
       << Line(" 46", "I", "   Padded  ", "  leading and trailing  ") << "\n"
       << Line(" -2", "W", "Signed", "A sign is not a digit: code 0") << "\n"
       << Line("7x1", "E", "Digits end early", "Code 7") << "\n"
       << Line("000", "I", "Second code 0", "Never used") << "\n"
       << "E 042 I Ends early\n"
       << Line("043", "W", "Windows line", "Long text") << "\r\n"
       << "E 044 I Short\r\n"
       << "E 047\n"
       << Line("045", "E", "Very long", longText) << "\n";
  Configure(1, dir_.write("messages.dat", file.str()));

  EXPECT_EQ(Texts(41), "41|W|Field not found|Field name is not in the table");
  EXPECT_EQ(Texts(46), "46|I|Padded|  leading and trailing  ");
  EXPECT_EQ(Texts(0), "0|W|Signed|A sign is not a digit: code 0");
  EXPECT_EQ(Texts(-2), "-2|X||TB0-2 Error in toolbox");
  EXPECT_EQ(Texts(7), "7|E|Digits end early|Code 7");
  EXPECT_EQ(Texts(42), "42|I|Ends early|");
  EXPECT_EQ(Texts(43), "43|W|Windows line|Long text");
  EXPECT_EQ(Texts(44), "44|I|Short|");
  EXPECT_EQ(Texts(47), "47|||");  // the line ends before the type column
  EXPECT_EQ(Texts(45), "45|E|Very long|" + longText.substr(0, 221));
}

TEST_F(CoreTest, MessageRecordIsExactly266BytesAtItsOffsets) {
  Configure(1, dir_.write("messages.dat",
                          Line("045", "E", std::string(30, 'S'), std::string(300, 'L')) + "\n"));
  alignas(MessageRecord) unsigned char block[320];
  std::memset(block, 0xA5, sizeof block);
  ASSERT_EQ(ZanGetErrorMessage(45, reinterpret_cast<MessageRecord*>(block)), 0);
  int32_t code = 0;
  std::memcpy(&code, block, sizeof code);
  EXPECT_EQ(code, 45);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block + 4)), "E");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block + 7)), std::string(26, 'S'));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(block + 44)), std::string(221, 'L'));
  for (std::size_t i = 266; i < sizeof block; ++i) ASSERT_EQ(block[i], 0xA5) << "byte " << i;
}

TEST_F(CoreTest, FillInterfaceStoresEachColumnAsItStands) {
  Fill("46C AB;CTEXT");
  const char* expected[] = {";", "46C ", "A", "B", "TEXT", "C"};
  for (int32_t mode = 1; mode <= 6; ++mode) EXPECT_EQ(Describe(mode), expected[mode - 1]);
  Fill("50A XY,Z");
  EXPECT_EQ(Describe(1) + Describe(6) + Describe(5), ",Z");
  Fill("46C AB;C0123456789XYZ");
  EXPECT_EQ(Describe(5), "0123456789");
  for (const char* record : {"6.0 AB;C", "2.2 AB;C", "21  AB;C", "31H AB;C"}) {
    Fill(record);
    EXPECT_EQ(Describe(2), std::string(record, 4));
  }
  Fill("5");
  EXPECT_EQ(Describe(2), "5");
  for (int32_t mode : {1, 3, 4, 5, 6}) EXPECT_EQ(Describe(mode), "") << mode;

  Arg whole("50A XY,ZTEXT");  // the length is only checked, the NUL ends it
  ASSERT_EQ(ZanFillInterface(whole.get(), 1), 0);
  EXPECT_EQ(Describe(5), "TEXT");
}

TEST_F(CoreTest, InterfaceArgumentErrorsChangeNothing) {
  Fill("46C AB;CTEXT");
  Arg rec("50A XY,Z");
  for (auto [record, length] : {std::pair(static_cast<char*>(nullptr), 20), {rec.get(), 0},
                                {rec.get(), -1}})
    EXPECT_EQ(ZanFillInterface(record, length), 78) << length;
  EXPECT_EQ(Describe(1) + Describe(2), ";46C ");
  char marker[] = "unchanged";
  char* value = marker;
  for (int32_t mode : {0, 7}) EXPECT_EQ(ZanDescribeInterface(mode, &value), 3);
  EXPECT_EQ(value, marker);
}

TEST_F(CoreTest, ShippedMessageFileHasALineForEveryCode) {
  const std::string path = std::string(KELMOD_EXAMPLES_DIR) + "/kelmmes.dat";
  Configure(1, path);
  EXPECT_STREQ(Lookup(41).type, "E");
  EXPECT_GT(std::strlen(Lookup(41).shortText), 0u);

  // Every line reads back as its own code, so none is listed twice.
  std::istringstream lines(ReadFile(path));
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] != 'E') continue;
    const int32_t code = std::stoi(line.substr(2, 3));
    std::string shortText = line.substr(8, 26);
    shortText.erase(shortText.find_last_not_of(' ') + 1);
    EXPECT_NE(std::string("EWI").find(line[6]), std::string::npos) << line;
    EXPECT_EQ(Texts(code), std::to_string(code) + "|" + line[6] + "|" + shortText + "|" +
                               line.substr(35));
  }
  for (int32_t code : {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                       15, 16, 17, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33,
                       34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50,
                       51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67,
                       68, 69, 70, 71, 73, 74, 75, 76, 78, 79, 80, 82, 83, 84, 85, 86, 999})
    EXPECT_STRNE(Lookup(code).type, "X") << code;
}

}  // namespace
}  // namespace kelmod_test
