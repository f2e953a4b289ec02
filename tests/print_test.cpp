// ZanPrintTable: the print files of every family's tables, compared byte for
// byte, and the codes for tables that cannot be printed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

using Labelled = std::vector<std::pair<std::string, std::string>>;

const std::string kRule = "--------------------------------------------------------\n";

// The empty line, heading and rule that open a block.
std::string Heading(const char* title, int number) {
  char text[48];
  std::snprintf(text, sizeof text, "\n%s: [%08d]\n", title, number);
  return text + kRule;
}
std::string Record(int number) { return Heading("Record-Nummer", number); }
std::string Characteristic(int number) { return Heading("Sachmerkmal-Nummer", number); }
// "Label..........: value" lines, the label filled with dots to 15 columns.
std::string Fields(const Labelled& fields) {
  std::string out;
  for (const auto& [label, value] : fields)
    out += label + std::string(15 - std::min<size_t>(15, label.size()), '.') + ": " + value + "\n";
  return out;
}
// "Wert.000001.: value" lines, numbered from first.
std::string Values(const std::vector<std::string>& values, int first = 1) {
  std::string out;
  char label[32];
  for (const std::string& v : values) {
    std::snprintf(label, sizeof label, "Wert.%06d.: ", first++);
    out += label + v + "\n";
  }
  return out;
}
// Separator-terminated values joined with ';'.
std::string Joined(const std::vector<std::string>& values) {
  std::string out;
  for (const std::string& v : values) out += v + ";";
  return out;
}

class PrintTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    index_ = dir_.write("index.dat", "  MAT01  01  U  SET0001\n  MAT01  01  D  SET0002\n");
    defs_ = dir_.write("defs.dat",
                       Columns({{3, "SET0001"}, {11, "MATNR"}, {30, "18"}}) + "\n" +
                           Columns({{3, "SET0002"}, {11, "NAME"}, {30, "  4"},
                                    {33, "Benennung des Teils"}}) +
                           "\n" + Columns({{3, "SET0001"}, {11, "NOTE"}, {30, "   "}}) + "\n" +
                           Columns({{3, "SET0002"}, {11, "QTY"}, {30, "3"}}) + "\n");
  }
  int32_t CreateFill(int32_t type, const std::string& data) {
    Arg n("MAT01"), k("01"), i(index_), d(defs_), text(data);
    return ZanCreateFillTable(type, n.get(), k.get(), i.get(), d.get(), text.get(),
                              static_cast<int32_t>(data.size()));
  }
  // Prints a table of the type and returns the file's contents.
  std::string Print(int32_t type, int32_t expected = 0) {
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), expected) << "type " << type;
    return ReadFile(path_);
  }
  void OlderBar() {
    ASSERT_EQ(ZanFillInterface(Arg("50A   ;           ").get(), 18), 0);
    ASSERT_EQ(Sml(ZanCreateSmlTable, 1, "H1;H2;H3;H4;H5;L;Laenge;A;;mm;N;;6;1;"), 0);
  }
  static int32_t Sml(int32_t (*call)(int32_t, char*, int32_t), int32_t mode,
                     const std::string& data) {
    return call(mode, Arg(data).get(), static_cast<int32_t>(data.size()));
  }
  static int32_t SmlValue(int32_t mode, int32_t member, const std::string& value) {
    return ZanWriteSmlValue(1, mode, Arg("").get(), member, Arg(value).get(), 0);
  }

  std::string index_, defs_;
  std::string path_ = dir_.file("print.txt");
};

TEST_F(PrintTest, RecordTablesPrintOneBlockPerField) {
  // A table-index layout has no descriptions.
  Arg kelmtab(dir_.write("kelmtab.dat", "D xyz MAT01 01 SET0001 MATNR      18\n"));
  ASSERT_EQ(ZanConfigureToolbox(2, kelmtab.get()), 0);
  UseSeparator(';');
  ASSERT_EQ(CreateFill(4, "A;B;"), 0);
  dir_.write("print.txt", "an older print that is replaced\n");
  EXPECT_EQ(Print(4),
            Record(1) + Fields({{"Setname", "SET0001"}, {"Feldname", "MATNR"}, {"Laenge", "18"}}) +
                Values({"A", "B"}));
  // A definition-file layout always brings its description, empty or not; a
  // field of length 0 has no length line.
  Arg n("MAT01"), k("01"), i(index_), d(defs_);
  ASSERT_EQ(ZanCreateTable(1, n.get(), k.get(), i.get(), d.get()), 0);
  ASSERT_EQ(ZanWriteTableValue(1, Arg("MATNR").get(), Arg("X").get(), 0), 0);
  EXPECT_EQ(Print(1), Record(1) +
                          Fields({{"Setname", "SET0001"}, {"Feldname", "MATNR"}, {"Laenge", "18"},
                                  {"Beschreibung", ""}}) +
                          Values({"X"}) + Record(2) +
                          Fields({{"Setname", "SET0001"}, {"Feldname", "NOTE"},
                                  {"Beschreibung", ""}}));
  // Deleted records leave the others with their old numbers.
  ASSERT_EQ(CreateFill(2, "ABCD007WXYZ012"), 0);
  const std::string name =
      Record(1) + Fields({{"Setname", "SET0002"}, {"Feldname", "NAME"}, {"Laenge", "4"},
                          {"Beschreibung", "Benennung des Teils"}});
  const std::string qty = Record(2) + Fields({{"Setname", "SET0002"}, {"Feldname", "QTY"},
                                              {"Laenge", "3"}, {"Beschreibung", ""}});
  EXPECT_EQ(Print(2), name + Values({"ABCD", "WXYZ"}) + qty + Values({"007", "012"}));
  ASSERT_EQ(ZanDeleteTableEntry(2, 1), 0);
  EXPECT_EQ(Print(2), name + Values({"WXYZ"}, 2) + qty + Values({"012"}, 2));
}

TEST_F(PrintTest, UserTablePrintsItsGeneratedFields) {
  UseSeparator(';');
  ASSERT_EQ(ZanCreateFillUserTable(1, 2, Arg("A;B;C;").get(), 6), 0);
  EXPECT_EQ(Print(10),
            Record(1) + Fields({{"Setname", "USRSET"}, {"Feldname", "PARA1"}, {"Laenge", "80"}}) +
                Values({"A", "C"}) + Record(2) +
                Fields({{"Setname", "USRSET"}, {"Feldname", "PARA2"}, {"Laenge", "80"}}) +
                Values({"B"}));
}

TEST_F(PrintTest, OlderCharacteristicBarPrintsPresentMembers) {
  OlderBar();
  ASSERT_EQ(Sml(ZanFillSmlTable, 1, "P1;12.5;P2;13;"), 0);
  ASSERT_EQ(SmlValue(2, 11, "SEL"), 0);
  ASSERT_EQ(SmlValue(2, 12, "PAR"), 0);
  EXPECT_EQ(Print(3),
            Characteristic(1) +
                Fields({{"Name", "OBJEKT"}, {"Eingabe", "*"}, {"Format", "C"}, {"Laenge", "30"}}) +
                Values({"P1", "P2"}) + Characteristic(2) +
                Fields({{"Name", "L"}, {"Feldname", "Laenge"}, {"DIN-Buchstabe", "A"},
                        {"Eingabe", ""}, {"Einheit", "mm"}, {"Format", "N"}, {"Schablone", ""},
                        {"Selektion", "SEL"}, {"Parameter", "PAR"}, {"Laenge", "6"},
                        {"Dezimalstellen", "1"}}) +
                Values({"12.5", "13"}));
}

TEST_F(PrintTest, MailTablesPrintAsCharacteristics) {
  UseSeparator(';');
  ASSERT_EQ(Sml(ZanCreateMailTable, 5, "P1;V1;P2;V2;"), 0);
  EXPECT_EQ(Print(25),
            Characteristic(1) + Fields({{"Name", "PARNAM"}, {"Format", "C"}, {"Laenge", "2"}}) +
                Values({"P1", "P2"}) + Characteristic(2) +
                Fields({{"Name", "PARVAL"}, {"Format", "C"}, {"Laenge", "2"}}) +
                Values({"V1", "V2"}));
  for (const int32_t type : {21, 22, 23, 24, 26})
    EXPECT_EQ(ZanPrintTable(type, Arg(dir_.file("none.txt")).get()), 86) << type;
  EXPECT_FALSE(std::filesystem::exists(dir_.file("none.txt")));
}

TEST_F(PrintTest, NewerCharacteristicBarPrintsInMemberOrder) {
  UseSeparator(';');
  std::vector<std::string> all = {
      "H1",   "H2", "H3", "H4", "H5", "DURCHM", "Durchmesser", "X", "I", "B", "NUM",
      "E",    "N",  "Z",  "5",  "2",  "V",      "0",           "1", "___", "K", "mm",
      "A1",   "DRW", "4711", "000", "01", "S0", "S1", "S2", "S3", "S4", "S5", "S6",
      "S7",   "S8", "S9", "LAENGE"};
  const size_t bare = all.size() - 1;  // LAENGE, all its other members empty
  all.resize(bare + 32, "");
  all[bare + 9] = all[bare + 10] = "0";  // digits and decimals
  ASSERT_EQ(Sml(ZanCreateSmlTable, 1, Joined(all)), 0);
  ASSERT_EQ(Sml(ZanFillSmlTable, 2, "DURCHM;12.5;DURCHM;13;"), 0);
  ASSERT_EQ(SmlValue(1, 34, "SEND1"), 0);
  ASSERT_EQ(SmlValue(2, 35, "SEND2"), 0);
  ASSERT_EQ(SmlValue(2, 33, "v"), 0);

  const std::string text = Print(5);
  const std::string firstBlock =
      Characteristic(1) +
      Fields({{"Name", "DURCHM"}, {"Bezeichnung", "Durchmesser"}, {"Kennz. obligat.", "X"},
              {"Kennz. ererbt", "I"}, {"Kennz. bewertet", "B"}, {"Datentyp", "NUM"},
              {"Kennz.Einzelwrt", "E"}, {"Kennz.Intervall", "N"}, {"Kennz.zus.Werte", "Z"},
              {"Kennz. Vorzeich", "V"}, {"Exponent Bild", "0"}, {"Exponent Darst.", "1"},
              {"Schablone", "___"}, {"Kennz.Kleinschr", "K"}, {"Masseinheit", "mm"},
              {"Dinkenbuchstabe", "A1"}, {"Dokumentart", "DRW"}, {"Dokumentnummer", "4711"},
              {"Teildokument", "000"}, {"Dokumentversion", "01"}, {"Kennz.Sicht0", "S0"},
              {"Kennz.Sicht1", "S1"}, {"Kennz.Sicht2", "S2"}, {"Kennz.Sicht3", "S3"},
              {"Kennz.Sicht4", "S4"}, {"Kennz.Sicht5", "S5"}, {"Kennz.Sicht6", "S6"},
              {"Kennz.Sicht7", "S7"}, {"Kennz.Sicht8", "S8"}, {"Kennz.Sicht9", "S9"},
              {"Anzahl Stellen", "5"}, {"Dezimalstellen", "2"}}) +
      Values({"12.5", "13"});
  ASSERT_EQ(text.substr(0, firstBlock.size()), firstBlock);
  // Empty members print their label; digits and decimals of 0 print nothing:
  // the empty line, heading and rule, 30 text members and one value.
  const std::string second = text.substr(firstBlock.size());
  const std::string secondHead =
      Characteristic(2) + Fields({{"Name", "LAENGE"}, {"Bezeichnung", ""}});
  EXPECT_EQ(second.substr(0, secondHead.size()), secondHead);
  EXPECT_EQ(std::count(second.begin(), second.end(), '\n'), 3 + 30 + 1);
  EXPECT_NE(second.find("\nKennz.Sicht9...: \nWert.000001.: v\n"), std::string::npos);
  EXPECT_EQ(text.find("SEND"), std::string::npos) << "send texts are not printed";
}

TEST_F(PrintTest, ClassTablesPrintUnderOneTitle) {
  UseSeparator(';');
  int32_t count = 0;
  Arg two("N1;F1;D1;I1;U1;N2;F2;D2;I2;U2;");
  ASSERT_EQ(ZanCreateFillClasTableK4(1, two.get(), 30, &count), 0);
  const auto entry = [](int n, const std::string& s) {
    return "\nEintrag : " + std::to_string(n) + "\n" + kRule +
           Fields({{"Name", "N" + s}, {"Feldname", s.empty() ? "" : "F" + s},
                   {"DIN-Buchstabe", "D" + s}, {"Eingabe", "I" + s}, {"Einheit", "U" + s}});
  };
  const std::string expected = "Klassentabelle\n==============\n" + entry(1, "1") + entry(2, "2");
  EXPECT_EQ(Print(11), expected);
  EXPECT_EQ(Print(11), expected) << "a second print replaces the first";
  EXPECT_EQ(Print(12, 86), expected) << "the mode-2 table is empty, the file untouched";
  ASSERT_EQ(ZanCreateFillClasTableK4(2, Arg("N;;D;I;U;").get(), 9, &count), 0);
  EXPECT_EQ(Print(12), "Klassentabelle\n==============\n" + entry(1, ""));
}

TEST_F(PrintTest, EmptyUnknownAndUnwritableTables) {
  for (const int32_t type : {1, 2, 3, 4, 5, 7, 8, 10, 11, 12, 21, 22, 23, 24, 25, 26})
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), 86) << type;
  for (const int32_t type : {-1, 0, 6, 9, 13, 20, 27})
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), 3) << type;
  EXPECT_FALSE(std::filesystem::exists(path_));

  // Every printer accepts a path it cannot write.
  OlderBar();
  UseSeparator(';');
  std::vector<std::string> k4 = {"H1", "H2", "H3", "H4", "H5", "K"};
  k4.resize(5 + 32, "");
  ASSERT_EQ(Sml(ZanCreateSmlTable, 1, Joined(k4)), 0);
  int32_t count = 0;
  ASSERT_EQ(ZanCreateFillClasTableK4(1, Arg("N;F;D;I;U;").get(), 10, &count), 0);
  ASSERT_EQ(Sml(ZanCreateMailTable, 5, "P1;V1;"), 0);
  ASSERT_EQ(ZanCreateFillUserTable(1, 1, Arg("A;").get(), 2), 0);
  const std::string missing = dir_.file("missing/print.txt");
  for (const int32_t type : {3, 5, 10, 11, 25}) {
    EXPECT_EQ(ZanPrintTable(type, nullptr), 0) << type;
    EXPECT_EQ(ZanPrintTable(type, Arg(missing).get()), 0) << type;
    EXPECT_EQ(ZanPrintTable(type, Arg("/dev/full").get()), 0) << type;  // a full disk
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), 0) << type;
    EXPECT_NE(ReadFile(path_).find("-----"), std::string::npos) << type;  // printed whole
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.file("missing")));
}

}  // namespace
}  // namespace kelmod_test
