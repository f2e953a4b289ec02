// ZanPrintTable: the print files of every family's tables, compared byte for
// byte, and the codes for tables that cannot be printed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support.h"

namespace kelmod_test {
namespace {

const std::string kRule = "--------------------------------------------------------\n";

std::string Record(int number) {
  char text[40];
  std::snprintf(text, sizeof text, "\nRecord-Nummer: [%08d]\n", number);
  return text + kRule;
}
std::string Characteristic(int number) {
  char text[48];
  std::snprintf(text, sizeof text, "\nSachmerkmal-Nummer: [%08d]\n", number);
  return text + kRule;
}

// A print file read in text mode, as it was written.
std::string ReadText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    index_ = dir_.write("index.dat",
                        Columns({{3, "MAT01"}, {10, "01"}, {14, "U"}, {17, "SET0001"}}) + "\n" +
                            Columns({{3, "MAT01"}, {10, "01"}, {14, "D"}, {17, "SET0002"}}) +
                            "\n");
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
    return ReadText(path_);
  }
  void OlderForm() {
    Arg rec("50A   ;           ");
    ASSERT_EQ(ZanFillInterface(rec.get(), 18), 0);
  }
  static int32_t Sml(int32_t (*call)(int32_t, char*, int32_t), int32_t mode,
                     const std::string& data) {
    return call(mode, Arg(data).get(), static_cast<int32_t>(data.size()));
  }

  std::string index_, defs_;
  std::string path_ = dir_.file("print.txt");
};

TEST_F(PrintTest, RecordTablesPrintOneBlockPerField) {
  // A table-index layout has no descriptions.
  Arg kelmtab(dir_.write("kelmtab.dat", Columns({{1, "D"}, {3, "xyz"}, {7, "MAT01"}, {13, "01"},
                                                 {16, "SET0001"}, {24, "MATNR"}, {35, "18"}}) +
                                            "\n"));
  ASSERT_EQ(ZanConfigureToolbox(2, kelmtab.get()), 0);
  UseSeparator(';');
  ASSERT_EQ(CreateFill(4, "A;B;"), 0);
  dir_.write("print.txt", "an older print that is replaced\n");
  EXPECT_EQ(Print(4), Record(1) +
                          "Setname........: SET0001\nFeldname.......: MATNR\n"
                          "Laenge.........: 18\nWert.000001.: A\nWert.000002.: B\n");

  // A definition-file layout always brings its description, empty or not; a
  // field of length 0 has no length line.
  Arg n("MAT01"), k("01"), i(index_), d(defs_);
  ASSERT_EQ(ZanCreateTable(1, n.get(), k.get(), i.get(), d.get()), 0);
  ASSERT_EQ(ZanWriteTableValue(1, Arg("MATNR").get(), Arg("X").get(), 0), 0);
  EXPECT_EQ(Print(1), Record(1) +
                          "Setname........: SET0001\nFeldname.......: MATNR\n"
                          "Laenge.........: 18\nBeschreibung...: \nWert.000001.: X\n" +
                          Record(2) +
                          "Setname........: SET0001\nFeldname.......: NOTE\n"
                          "Beschreibung...: \n");

  // Deleted records leave the others with their old numbers.
  ASSERT_EQ(CreateFill(2, "ABCD007WXYZ012"), 0);
  const std::string first = Record(1) + "Setname........: SET0002\nFeldname.......: NAME\n" +
                            "Laenge.........: 4\nBeschreibung...: Benennung des Teils\n";
  const std::string second = Record(2) + "Setname........: SET0002\nFeldname.......: QTY\n" +
                             "Laenge.........: 3\nBeschreibung...: \n";
  EXPECT_EQ(Print(2), first + "Wert.000001.: ABCD\nWert.000002.: WXYZ\n" + second +
                          "Wert.000001.: 007\nWert.000002.: 012\n");
  ASSERT_EQ(ZanDeleteTableEntry(2, 1), 0);
  EXPECT_EQ(Print(2), first + "Wert.000002.: WXYZ\n" + second + "Wert.000002.: 012\n");
}

TEST_F(PrintTest, UserTablePrintsItsGeneratedFields) {
  UseSeparator(';');
  ASSERT_EQ(ZanCreateFillUserTable(1, 2, Arg("A;B;C;").get(), 6), 0);
  EXPECT_EQ(Print(10), Record(1) +
                           "Setname........: USRSET\nFeldname.......: PARA1\n"
                           "Laenge.........: 80\nWert.000001.: A\nWert.000002.: C\n" +
                           Record(2) +
                           "Setname........: USRSET\nFeldname.......: PARA2\n"
                           "Laenge.........: 80\nWert.000001.: B\n");
}

TEST_F(PrintTest, OlderCharacteristicBarPrintsPresentMembers) {
  OlderForm();
  ASSERT_EQ(Sml(ZanCreateSmlTable, 1, "H1;H2;H3;H4;H5;L;Laenge;A;;mm;N;;6;1;"), 0);
  ASSERT_EQ(Sml(ZanFillSmlTable, 1, "P1;12.5;P2;13;"), 0);
  ASSERT_EQ(ZanWriteSmlValue(1, 2, Arg("").get(), 11, Arg("SEL").get(), 0), 0);
  ASSERT_EQ(ZanWriteSmlValue(1, 2, Arg("").get(), 12, Arg("PAR").get(), 0), 0);
  EXPECT_EQ(Print(3), Characteristic(1) +
                          "Name...........: OBJEKT\nEingabe........: *\nFormat.........: C\n"
                          "Laenge.........: 30\nWert.000001.: P1\nWert.000002.: P2\n" +
                          Characteristic(2) +
                          "Name...........: L\nFeldname.......: Laenge\nDIN-Buchstabe..: A\n"
                          "Eingabe........: \nEinheit........: mm\nFormat.........: N\n"
                          "Schablone......: \nSelektion......: SEL\nParameter......: PAR\n"
                          "Laenge.........: 6\nDezimalstellen.: 1\n"
                          "Wert.000001.: 12.5\nWert.000002.: 13\n");
}

TEST_F(PrintTest, MailTablesPrintAsCharacteristics) {
  UseSeparator(';');
  ASSERT_EQ(Sml(ZanCreateMailTable, 5, "P1;V1;P2;V2;"), 0);
  EXPECT_EQ(Print(25), Characteristic(1) +
                           "Name...........: PARNAM\nFormat.........: C\nLaenge.........: 2\n"
                           "Wert.000001.: P1\nWert.000002.: P2\n" +
                           Characteristic(2) +
                           "Name...........: PARVAL\nFormat.........: C\nLaenge.........: 2\n"
                           "Wert.000001.: V1\nWert.000002.: V2\n");
  for (const int32_t type : {21, 22, 23, 24, 26})
    EXPECT_EQ(ZanPrintTable(type, Arg(dir_.file("none.txt")).get()), 86) << type;
  EXPECT_FALSE(std::filesystem::exists(dir_.file("none.txt")));
}

TEST_F(PrintTest, NewerCharacteristicBarPrintsInMemberOrder) {
  UseSeparator(';');
  const std::vector<std::string> full = {
      "DURCHM", "Durchmesser", "X",  "I",   "B",  "NUM", "E",  "N",   "Z",    "5",   "2",
      "V",      "0",           "1",  "___", "K",  "mm",  "A1", "DRW", "4711", "000", "01",
      "S0",     "S1",          "S2", "S3",  "S4", "S5",  "S6", "S7",  "S8",   "S9"};
  std::vector<std::string> bare(32, "");
  bare[0] = "LAENGE";
  bare[9] = "0";
  bare[10] = "0";
  std::vector<std::string> all = {"H1", "H2", "H3", "H4", "H5"};
  all.insert(all.end(), full.begin(), full.end());
  all.insert(all.end(), bare.begin(), bare.end());
  ASSERT_EQ(Sml(ZanCreateSmlTable, 1, Joined(all)), 0);
  ASSERT_EQ(Sml(ZanFillSmlTable, 2, "DURCHM;12.5;DURCHM;13;"), 0);
  ASSERT_EQ(ZanWriteSmlValue(1, 1, Arg("").get(), 34, Arg("SEND1").get(), 0), 0);
  ASSERT_EQ(ZanWriteSmlValue(1, 2, Arg("").get(), 35, Arg("SEND2").get(), 0), 0);
  ASSERT_EQ(ZanWriteSmlValue(1, 2, Arg("").get(), 33, Arg("v").get(), 0), 0);

  const std::string text = Print(5);
  const std::string firstBlock =
      Characteristic(1) +
      "Name...........: DURCHM\nBezeichnung....: Durchmesser\nKennz. obligat.: X\n"
      "Kennz. ererbt..: I\nKennz. bewertet: B\nDatentyp.......: NUM\n"
      "Kennz.Einzelwrt: E\nKennz.Intervall: N\nKennz.zus.Werte: Z\n"
      "Kennz. Vorzeich: V\nExponent Bild..: 0\nExponent Darst.: 1\n"
      "Schablone......: ___\nKennz.Kleinschr: K\nMasseinheit....: mm\n"
      "Dinkenbuchstabe: A1\nDokumentart....: DRW\nDokumentnummer.: 4711\n"
      "Teildokument...: 000\nDokumentversion: 01\n"
      "Kennz.Sicht0...: S0\nKennz.Sicht1...: S1\nKennz.Sicht2...: S2\nKennz.Sicht3...: S3\n"
      "Kennz.Sicht4...: S4\nKennz.Sicht5...: S5\nKennz.Sicht6...: S6\nKennz.Sicht7...: S7\n"
      "Kennz.Sicht8...: S8\nKennz.Sicht9...: S9\n"
      "Anzahl Stellen.: 5\nDezimalstellen.: 2\nWert.000001.: 12.5\nWert.000002.: 13\n";
  ASSERT_EQ(text.substr(0, firstBlock.size()), firstBlock);
  // Empty members print their label; digits and decimals of 0 print nothing.
  const std::string secondBlock = text.substr(firstBlock.size());
  const std::string secondHead = Characteristic(2) + "Name...........: LAENGE\nBezeichnung....: \n";
  EXPECT_EQ(secondBlock.substr(0, secondHead.size()), secondHead);
  // The empty line, heading and rule, 30 text members and one value.
  EXPECT_EQ(std::count(secondBlock.begin(), secondBlock.end(), '\n'), 3 + 30 + 1);
  EXPECT_NE(secondBlock.find("\nKennz.Sicht9...: \nWert.000001.: v\n"), std::string::npos);
  EXPECT_EQ(text.find("SEND"), std::string::npos) << "send texts are not printed";
}

TEST_F(PrintTest, ClassTablesPrintUnderOneTitle) {
  UseSeparator(';');
  int32_t count = 0;
  Arg first("N1;F1;D1;I1;U1;N2;F2;D2;I2;U2;");
  ASSERT_EQ(ZanCreateFillClasTableK4(1, first.get(), 30, &count), 0);
  const std::string expected = "Klassentabelle\n==============\n"
                               "\nEintrag : 1\n" + kRule +
                               "Name...........: N1\nFeldname.......: F1\nDIN-Buchstabe..: D1\n"
                               "Eingabe........: I1\nEinheit........: U1\n"
                               "\nEintrag : 2\n" + kRule +
                               "Name...........: N2\nFeldname.......: F2\nDIN-Buchstabe..: D2\n"
                               "Eingabe........: I2\nEinheit........: U2\n";
  EXPECT_EQ(Print(11), expected);
  EXPECT_EQ(Print(11), expected) << "a second print replaces the first";
  EXPECT_EQ(Print(12, 86), expected) << "the mode-2 table is empty, the file untouched";

  Arg second("N;;D;I;U;");
  ASSERT_EQ(ZanCreateFillClasTableK4(2, second.get(), 9, &count), 0);
  EXPECT_EQ(Print(12), "Klassentabelle\n==============\n\nEintrag : 1\n" + kRule +
                           "Name...........: N\nFeldname.......: \nDIN-Buchstabe..: D\n"
                           "Eingabe........: I\nEinheit........: U\n");
}

TEST_F(PrintTest, EmptyAndUnknownTablesWriteNothing) {
  for (const int32_t type : {1, 2, 3, 4, 5, 7, 8, 10, 11, 12, 21, 22, 23, 24, 25, 26})
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), 86) << type;
  for (const int32_t type : {-1, 0, 6, 9, 13, 20, 27})
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), 3) << type;
  EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(PrintTest, EveryPrinterAcceptsAPathItCannotWrite) {
  OlderForm();
  ASSERT_EQ(Sml(ZanCreateSmlTable, 1, "H1;H2;H3;H4;H5;L;Laenge;A;;mm;N;;6;1;"), 0);
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
    EXPECT_EQ(ZanPrintTable(type, Arg(path_).get()), 0) << type;
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.file("missing")));
}

}  // namespace
}  // namespace kelmod_test
