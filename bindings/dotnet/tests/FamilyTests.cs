// The exports host.c does not reach, family by family, through Kelmod.Toolbox:
// what each returns, what it changes, the codes it gives as answers (null)
// and the encodings.
using System;
using System.IO;
using System.Linq;
using System.Text;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class FamilyTests
    {
        private static string Set => Program.PathOf("kelmset.dat");
        private static string Def => Program.PathOf("kelmdef.dat");

        private static string Answer => Toolbox.Latin1.GetString(File.ReadAllBytes(Program.PathOf("answer.txt")));

        public static void Run()
        {
            Check.Run("core: messages and configuration", Messages);
            Check.Run("tables: create, write, modify, delete, fill", RecordTables);
            Check.Run("tables: description files, printing, help direction", Descriptions);
            Check.Run("characteristic lists: matchcode and requests", Matchcode);
            Check.Run("mail: writes and other types", MailWrites);
            Check.Run("older characteristic bar: reads by name, writes, selection", OlderBarReads);
            Check.Run("newer characteristic bar: reads by name, position values", NewerBarReads);
            Check.Run("classification: search, hierarchy, requests", Classification);
            Check.Run("encodings", Encodings);
        }

        private static void Messages()
        {
            Toolbox tb = Program.Fresh();
            ErrorMessage m = tb.GetErrorMessage(41);
            Check.Equal(41, m.Code, "code");
            Check.Equal("E", m.TypeLetter, "type letter");
            Check.Equal("Field not found", m.ShortText, "short text");
            Check.Equal("The table has no field of that name.", m.LongText, "long text");
            ErrorMessage none = tb.GetErrorMessage(999999);
            Check.Equal("X", none.TypeLetter, "code without a line: type");
            Check.Equal("", none.ShortText, "code without a line: short text");
            Check.Equal("TB999999 Error in toolbox", none.LongText, "code without a line: long text");
            Check.Equal("TB-999 Error in toolbox", tb.GetErrorMessage(-999).LongText, "negative code");
            Check.Throws(3, () => tb.ConfigureToolbox(3, "x"), "configure mode 3", "ZanConfigureToolbox");
            Check.Throws(3, () => tb.InitToolbox(0), "init mode 0", "ZanInitToolbox");

            // Without a message file every failure still carries the default texts.
            tb.ConfigureToolbox(1, Program.PathOf("no-such-file.dat"));
            KelmodException e = Check.Throws(38, () => tb.GetTableValue(1, "X", 1), "failure without messages");
            if (e != null)
            {
                Check.Equal("X", e.TypeLetter, "default type letter");
                Check.Equal("", e.ShortText, "no short text");
                Check.Equal("TB038 Error in toolbox", e.LongText, "default long text");
            }
            tb.ConfigureToolbox(1, Program.PathOf("kelmmes.dat"));
        }

        private static void RecordTables()
        {
            Toolbox tb = Program.Fresh();
            tb.CreateTable(1, "MATRQ", "01", Set, Def);
            Check.Equal(null, tb.GetTableValue(1, "MATNR", 1), "field without values (-2) as null");
            tb.WriteTableValue(1, "MATNR", "100-*", 0);
            Check.Equal("100-*", tb.GetTableValue(1, "MATNR", 1), "value written");
            Check.Equal(null, tb.GetTableValue(1, "MATNR", 2), "no value at record 2 (-3) as null");
            Check.Equal("100-*", tb.GetTableValue(1, " MAT\tNR ", 1), "blanks and tabs removed from the field name");
            tb.WriteTableValue(1, "MATNR", "123456789012345678901234", 0);
            Check.Equal("123456789012345678", tb.GetTableValue(1, "MATNR", 1), "value cut to the field length");
            Check.Throws(50, () => tb.WriteTableValue(1, "NOSUCH", "x", 0), "write unknown field", "ZanWriteTableValue");
            Check.Throws(3, () => tb.WriteTableValue(9, "MATNR", "x", 0), "write type 9");

            tb.CreateFillTable(2, "MATAN", "01", Set, Def, Answer);
            tb.ModifyTableValue(2, "MAKTX", "  Changed text   ", 2);
            Check.Equal("Changed text", tb.GetTableValue(2, "MAKTX", 2), "modified value trimmed");
            tb.ModifyTableValue(2, "MAKTX", "Ignored", 0);
            tb.ModifyTableValue(2, "NOSUCH", "Ignored", 1);
            Check.Equal("Hexagon head bolt M8x40", tb.GetTableValue(2, "MAKTX", 1), "record 0 and unknown field change nothing");
            Check.Throws(53, () => tb.ModifyTableValue(2, "MAKTX", "x", 9), "modify past the last record",
                         "ZanModifyTableValue");

            tb.FillTable(2, "300-100           Extra record                            KG         1.000");
            Check.Equal("4", tb.DescribeTable(2), "record appended by FillTable");
            Check.Equal("Extra record", tb.GetTableValue(2, "MAKTX", 4), "appended record read");
            Check.Throws(62, () => tb.FillTable(2, "x", 0), "fill with length 0", "ZanFillTable");
            Check.Throws(61, () => tb.FillTable(8, "x"), "fill a table not created", "ZanFillTable");

            tb.DeleteTableEntry(2, 1);
            Check.Equal("3", tb.DescribeTable(2), "record deleted");
            Check.Equal("100-200", tb.GetTableValue(2, "MATNR", 1), "positions close up after a deletion");
            Check.Equal("Extra record", tb.GetTableValue(2, "MAKTX", 3), "last record moved up");
            tb.DeleteTableEntry(2, 99);
            tb.DeleteTableEntry(2, 0);
            Check.Equal("3", tb.DescribeTable(2), "records 0 and 99 delete nothing");
            Check.Throws(3, () => tb.DeleteTableEntry(11, 1), "delete type 11", "ZanDeleteTableEntry");

            tb.CreateTable(7, "BOMHD", "01", Set, Def);
            tb.WriteTableValue(7, "STLNR", "STL1", 0);
            tb.WriteTableValue(7, "POSNR", "10", 0);
            Check.Equal("STL1    10  ", tb.CreateSendstrBomHead(7), "send string of type 7");
            Check.Throws(7, () => tb.CreateSendstrBomHead(8), "type 8 empty", "ZanCreateSendstrBomHead");
            Check.Equal("1", tb.GetMcdDescription(2), "records of the table last created");

            Check.Throws(1, () => tb.CreateTable(1, "NOSET", "01", Set, Def), "set not found", "ZanCreateTable");
            Check.Throws(3, () => tb.CreateTable(9, "MATRQ", "01", Set, Def), "create type 9", "ZanCreateTable");

            tb.FillInterface("46C XY;ZKELMHOST");
            tb.CreateFillUserTable(1, 2, "a;b;c;d;");
            Check.Equal("2", tb.DescribeTable(10), "user table records");
            Check.Equal("d", tb.GetTableValue(10, "PARA2", 2), "user table value");
            string longValue = new string('v', 100);
            tb.CreateFillUserTable(1, 1, longValue + ";");
            Check.Equal(new string('v', 80), tb.GetTableValue(10, "PARA1", 1), "user table value cut to 80");
            Check.Throws(3, () => tb.CreateFillUserTable(2, 1, "a;"), "user table mode 2", "ZanCreateFillUserTable");
        }

        private static void Descriptions()
        {
            Toolbox tb = Program.Fresh();
            AttributeInfo a = tb.GetAttributName(1, "MATRQ", "01", Set, Def, 2);
            Check.Equal("SMAT001", a.SetName, "set name");
            Check.Equal("WERKS", a.FieldName, "field name");
            Check.Equal("  4", a.Length, "length as it stands");
            Check.Equal("Plant", a.Description, "description");
            AttributeInfo all = tb.GetAttributName(2, "", "", Set, Def, 3);
            Check.Equal("MATNR", all.FieldName, "every definition line counts without name and key");
            Check.Equal("DMAT001", all.SetName, "third line of the file");
            Check.Throws(57, () => tb.GetAttributName(1, "MATRQ", "01", Set, Def, 3), "position past the set",
                         "ZanGetAttributName");
            Check.Throws(56, () => tb.GetAttributName(1, "MATRQ", "01", Set, Def + ".missing", 1),
                         "definition file missing");
            AttributeInfo s = tb.SearchAttribut(2, "MATAN", "01", Set, Def, "BRGEW");
            Check.Equal(" 13", s.Length, "searched length");
            Check.Equal("Gross weight", s.Description, "searched description");
            Check.Throws(58, () => tb.SearchAttribut(2, "MATAN", "01", Set, Def, "WERKS"), "field of another set",
                         "ZanSearchAttribut");

            Check.Equal((char?)'U', tb.FindHelpTable("MATRQ", "01", "WERKS", Set, Def, Def), "field sent");
            Check.Equal((char?)'D', tb.FindHelpTable("MATAN", "01", "MEINS", Set, Def, Def), "field received");
            Check.Equal(null, tb.FindHelpTable("MATAN", "01", "NOSUCH", Set, Def, Def), "in neither (73) as null");

            // Description files written by the toolbox read back through it.
            string dir = Program.TempFolder();
            string set = Path.Combine(dir, "set.dat"), def = Path.Combine(dir, "def.dat");
            tb.FillInterface("46C XY;ZKELMHOST");
            tb.WriteKonfiguration(3, "ORDRQ;02;U;SORD001;", set);
            tb.WriteKonfiguration(1, "SORD001;ORDNR;10;SORD001;QTY;5;", def);
            string[] lines = File.ReadAllLines(def);
            Check.Equal(5, lines.Length, "three header lines and two definitions");
            Check.Equal("  SORD001 ORDNR              10", lines[3], "definition line");
            tb.CreateTable(1, "ORDRQ", "02", set, def);
            tb.WriteTableValue(1, "ORDNR", "4711", 0);
            tb.WriteTableValue(1, "QTY", "3", 0);
            Check.Equal("4711      3    ", tb.CreateSendstr(), "send string from the written files");
            Check.Throws(42, () => tb.WriteKonfiguration(1, "A;B;", def), "incomplete last line",
                         "ZanWriteKonfiguration");
            Check.Throws(3, () => tb.WriteKonfiguration(4, "A;B;C;", 6, def), "mode 4");

            string print = Path.Combine(dir, "send.txt");
            tb.PrintTable(1, print);
            string printed = File.ReadAllText(print, Toolbox.Latin1);
            Check.True(printed.Contains("Record-Nummer: [00000001]") && printed.Contains("4711"),
                       "printed send table holds its record");
            tb.PrintTable(1, null);
            Check.Throws(3, () => tb.PrintTable(99, print), "print type 99", "ZanPrintTable");
            Check.Throws(86, () => tb.PrintTable(7, print), "print an empty table", "ZanPrintTable");
            Directory.Delete(dir, true);
        }

        private static void Matchcode()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            tb.CreateFillTableMcd(1, "ID1;S1;Text one;ID2;S2;Text two;ID3;S3;");
            Check.Equal("2", tb.GetMcdDescription(1), "entries (the incomplete last is dropped)");
            Check.Equal("ID2", tb.GetMcdValue("ID", 2), "ID");
            Check.Equal("S1", tb.GetMcdValue("SUBID", 1), "SUBID");
            Check.Equal("Text two", tb.GetMcdValue("TEXT01", 2), "TEXT01");
            Check.Equal("Text two", tb.GetMcdValue("TEXT02", 2), "TEXT02");
            tb.WriteMcdValue(1, 2, "BC   ");
            Check.Equal("BC", tb.GetMcdValue("WERT", 2), "WERT without trailing blanks");
            Check.Equal(".BC.", tb.CreateSendstrMcd(1), "matchcode request");
            Check.Throws(28, () => tb.GetMcdValue("ID", 3), "no such entry", "ZanGetMcdValue");
            Check.Throws(3, () => tb.GetMcdValue("NAME", 1), "other attribute", "ZanGetMcdValue");
            Check.Throws(55, () => tb.WriteMcdValue(1, 3, "x"), "write past the last entry", "ZanWriteMcdValue");
            Check.Throws(5, () => tb.CreateFillTableMcd(1, "ID1;", 0), "nothing stored", "ZanCreateFillTableMcd");

            Check.Equal("01;234;", tb.CreateSendstrMessageK4("E01234 Field not found"), "message request");
            Check.Equal("01;234;", tb.CreateSendstrMessageK4("E01234 Field not found", 6), "message request with length");
            Check.Throws(82, () => tb.CreateSendstrMessageK4("E01"), "message too short", "ZanCreateSendstrMessageK4");
            Check.Equal(" A ;;B;" + new string('c', 300) + ";",
                        tb.CreateSendstrHelp(" A ", "", "B", new string('c', 300)), "help request parts kept whole");
        }

        private static void MailWrites()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            tb.CreateMailTable(1, HostExchange.Mails);
            tb.WriteMailValue(1, 0, "SNDNAM", 1, "HUBER   ");
            Check.Equal("HUBER", tb.GetMailData(1, 0, "SNDNAM", 1), "written value");
            tb.WriteMailValue(1, 0, "SNDNAM", 0, "NEW");
            Check.Equal("NEW", tb.GetMailData(1, 0, "SNDNAM", 3), "value appended");
            Check.Equal("", tb.GetMailData(1, 0, "SNDNAM", 0), "value number 0 is empty");
            Check.Throws(3, () => tb.WriteMailValue(1, 1, "SNDNAM", 1, "x"), "write by position", "ZanWriteMailValue");
            Check.Throws(47, () => tb.WriteMailValue(1, 0, "NOSUCH", 1, "x"), "write unknown field");
            Check.Throws(66, () => tb.GetMailData(1, 11, "", 1), "position past the last field", "ZanGetMailData");

            tb.CreateMailTable(5, "LIMIT;10;COLOR;red;");
            Check.Equal("2", tb.DescribeMailTable(5), "type 5 mails");
            string field, value;
            tb.GetMailData(5, 2, "", 2, out field, out value);
            Check.Equal("PARVAL", field, "type 5 field at position 2");
            Check.Equal("red", value, "type 5 value");
            Characteristic c = tb.GetSmlData(7, 1, 2);
            Check.Equal("PARNAM", c.Name, "mail field read as a characteristic");
            Check.Equal("COLOR", c.Value, "its value");
            Check.Throws(64, () => tb.CreateMailTable(2, "unterminated"), "value without separator",
                         "ZanCreateMailTable");
            Check.Throws(3, () => tb.DescribeMailTable(7), "mail type 7", "ZanDescribeMailTable");
        }

        private static void OlderBarReads()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("50A XY;ZKELMHOST");
            tb.CreateSmlTable(1, HostExchange.OlderDescription);
            tb.FillSmlTable(1, HostExchange.OlderRows);
            Characteristic byName = tb.GetSmlAttributData(1, "Length", 2);
            Check.Equal("L", byName.FieldName, "by name: field name");
            Check.Equal("50", byName.Value, "by name: value of object 2");
            Characteristic byField = tb.GetSmlAttributData(2, "SINCE", 1);
            Check.Equal("Since", byField.Name, "by field name: name");
            Check.Equal("DATE", byField.Format, "by field name: format");
            Check.Throws(31, () => tb.GetSmlAttributData(1, "Width", 1), "no such characteristic",
                         "ZanGetSmlAttributData");
            tb.WriteSmlValue(1, 0, "L", 12, "P1", 0);
            Check.Equal("P1", tb.GetSmlData(1, 3, 1).Parameter, "parameter written by field name");
            Check.Equal("DIN 933", tb.GetSmlDescription(4), "second header text");
            tb.DeleteSmlSelection();
            Check.Equal("3", tb.GetSmlDescription(1), "object characteristic removed");
            Check.Equal("Diameter", tb.GetSmlData(1, 1, 1).Name, "first characteristic afterwards");
            tb.DeleteSmlSelection();
            Check.Equal("3", tb.GetSmlDescription(1), "a second removal changes nothing");
            Check.Throws(3, () => tb.GetSmlDescription(8), "description type 8", "ZanGetSmlDescription");
        }

        private static void NewerBarReads()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            tb.CreateSmlTable(1, HostExchange.NewerDescription);
            Check.Equal(null, tb.GetSmlDataValueK4(2, "PN", 0, 0, 1), "characteristic without values (-2) as null");
            tb.FillSmlTable(1, HostExchange.Objects);
            SmlCharacteristic pn = tb.GetSmlAttributDataK4(2, "Nominal pressure", 1);
            Check.Equal("PN", pn.Name, "by description");
            Check.Equal("B", pn.DinLetter, "its DIN letter");
            Check.Throws(31, () => tb.GetSmlAttributDataK4(1, "XX", 1), "no such characteristic",
                         "ZanGetSmlAttributDataK4");
            Check.Equal("16", tb.GetSmlDataValueK4(1, "", 2, 1, 1), "object entry by index");
            Check.Throws(79, () => tb.GetSmlDataValueK4(1, "XX", 0, 1, 1), "no entry of that name",
                         "ZanGetSmlDataValueK4");
            Check.Throws(36, () => tb.GetObjectDataK4(1, 3), "object past the last", "ZanGetObjectDataK4");

            tb.WriteSmlValue(1, 0, "PN", 33, "63", 1);
            tb.WriteSmlValue(1, 0, "PN", 33, "100", 2);
            Check.Equal("100", tb.GetSmlDataValueK4(2, "PN", 0, 0, 2), "characteristic value written");
            Check.Equal(2, tb.GetSmlValueDescriptionK4(2, 0, "PN"), "characteristic values counted");
            Check.Equal(0, tb.GetSmlValueDescriptionK4(2, 0, ""), "empty name counts 0");

            tb.CreateFillPosSmlValueTableK4(1, "DN;65;PN;10;PN;16;");
            Check.Equal(2, tb.GetSmlValueDescriptionK4(3, 0, "PN"), "position values of PN");
            Check.Equal("16", tb.GetSmlDataValueK4(3, "PN", 0, 0, 2), "second position value");
            Check.Equal(null, tb.GetSmlDataValueK4(3, "DN", 0, 0, 2), "no second DN value (-3) as null");
            Check.Throws(12, () => tb.CreateFillPosSmlValueTableK4(1, "DN;65;", 0), "length 0",
                         "ZanCreateFillPosSmlValueTableK4");
            Check.Throws(-1, () => tb.CreateFillPosSmlValueTableK4(1, "DN;65;PN;16"), "value without separator (-1)");
            Check.Throws(34, () => tb.GetSmlValueDescriptionK4(3, 0, "PN"), "position value table empty after the failed fill");
        }

        private static void Classification()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            string[] search = Enumerable.Range(1, 22).Select(i => "s" + i).ToArray();
            Check.Equal(1, tb.CreateFillClasTableK4(3, string.Join(";", search) + ";"), "search records");
            Check.Equal(search, tb.GetClasSearchDataK4(1, 1), "search record");
            Check.Equal(2, tb.CreateFillClasTableK4(4, "a;b;c;d;e;f;"), "short search records");
            string[] shortForm = tb.GetClasSearchDataK4(1, 2);
            Check.Equal("d", shortForm[0], "short form value 1");
            Check.Equal("f", shortForm[2], "short form value 3");
            Check.Equal("", shortForm[21], "short form lacks value 22");
            Check.Equal(2, tb.CreateFillClasHierarchTableK4(1, "h1;h2;h3;h4;h5;h6;i1;i2;i3;"), "hierarchy records begun");
            Check.Equal(new[] { "h1", "h2", "h3", "h4", "h5", "h6" }, tb.GetClasHierarchDataK4(1, 1), "hierarchy record");
            Check.Throws(75, () => tb.GetClasHierarchDataK4(1, 2), "record cut short not kept",
                         "ZanGetClasHierarchDataK4");
            Check.Equal(0, tb.CreateFillClasTableK4(1, "a;b;c;d;e;", 0), "length 0 gives count 0");
            Check.Throws(76, () => tb.GetClasDataK4(1, 1), "class table left empty", "ZanGetClasDataK4");

            Check.Equal("1;2;3;4;5;6;", tb.CreateSendstrClasScopeK4("1", "2", "3", "4", "5", "6"), "scope request");
            Check.Equal("1;2;3;4;5;6;7;8;9;10;11;",
                        tb.CreateSendstrClasSelectK4("1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"),
                        "select request");
            Check.Equal("1;2;3;4;5;6;7;8;", tb.CreateSendstrClasSelScopeK4("1", "2", "3", "4", "5", "6", "7", "8"),
                        "selection scope request");
            Check.Equal("1;2;3;4;5;", tb.CreateSendstrClasSearchK4(1, "1", "2", "3", "4", "5", null, null),
                        "search request mode 1");
            Check.Equal("1;2;3;4;", tb.CreateSendstrClasSearchK4(2, "1", "2", "3", "4", null, null, null),
                        "search request mode 2");
            Check.Equal("1;2;3;4;6;7;", tb.CreateSendstrClasSearchK4(3, "1", "2", "3", "4", null, "6", "7"),
                        "search request mode 3");
            Check.Throws(3, () => tb.CreateSendstrClasSearchK4(4, "1", "2", "3", "4", "5", "6", "7"), "search mode 4",
                         "ZanCreateSendstrClasSearchK4");
        }

        private static void Encodings()
        {
            Toolbox latin1 = Program.Fresh();
            Check.Equal(28591, latin1.Encoding.CodePage, "Latin-1 by default");
            latin1.FillInterface("46C XY;ZKELMHOST");
            Check.Equal("é;ü;ß;\u00ff;", latin1.CreateSendstrHelp("é", "ü", "ß", "\u00ff"), "Latin-1 round trip");
            Check.Equal("?;;;;", latin1.CreateSendstrHelp("€", "", "", ""), "a character outside Latin-1");
            // Lengths default to the encoded length: 'é' is one byte in Latin-1, two in UTF-8.
            Check.Equal("é1;234;", latin1.CreateSendstrMessageK4("Eé1234"), "message request in Latin-1");
            var utf8 = new Toolbox(new UTF8Encoding(false));
            Check.Equal("é;123;", utf8.CreateSendstrMessageK4("Eé1234"), "message request in UTF-8");
            Check.Equal("€;ü;;;", utf8.CreateSendstrHelp("€", "ü", "", ""), "UTF-8 round trip");
            utf8.CreateFillUserTable(1, 1, "日本;");
            Check.Equal("日本", utf8.GetTableValue(10, "PARA1", 1), "UTF-8 value stored and read");
            Check.Equal("æ\u0097¥æ\u009c¬", latin1.GetTableValue(10, "PARA1", 1), "the same bytes read as Latin-1");
            bool threw = false;
            try
            {
                new Toolbox(null);
            }
            catch (ArgumentNullException)
            {
                threw = true;
            }
            Check.True(threw, "a null encoding is refused");
        }
    }
}
