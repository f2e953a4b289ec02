// Input no host should send: null arguments, over-long texts, every byte value,
// extreme numbers and calls after the toolbox was released. Each gives its
// documented code (or value) and the process goes on.
using System;
using System.IO;
using System.Linq;
using System.Text;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class HostileTests
    {
        private static string Set
        {
            get { return Program.PathOf("kelmset.dat"); }
        }

        private static string Def
        {
            get { return Program.PathOf("kelmdef.dat"); }
        }

        // Every table of the examples in place, so that a null argument is what
        // a call stumbles on.
        private static Toolbox Loaded(string release = "46C")
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface(release.PadRight(4) + "XY;ZKELMHOST");
            tb.CreateTable(1, "MATRQ", "01", Set, Def);
            tb.WriteTableValue(1, "MATNR", "100-*", 0);
            tb.CreateFillTable(2, "MATAN", "01", Set, Def,
                               Toolbox.Latin1.GetString(File.ReadAllBytes(Program.PathOf("answer.txt"))));
            tb.CreateFillUserTable(1, 2, "a;b;");
            tb.CreateHlpTable(1, HostExchange.HelpColumns);
            tb.FillHlpTable(1, HostExchange.HelpLines);
            tb.CreateFillTableMcd(1, "ID1;S1;Text one;");
            tb.CreateMailTable(1, HostExchange.Mails);
            tb.CreateFillClasTableK4(2, HostExchange.Classes);
            tb.CreateSmlTable(1, release == "50A" ? HostExchange.OlderDescription : HostExchange.NewerDescription);
            tb.FillSmlTable(1, release == "50A" ? HostExchange.OlderRows : HostExchange.Objects);
            return tb;
        }

        public static void Run()
        {
            Check.Run("hostile: null arguments", NullArguments);
            Check.Run("hostile: over-long texts and lengths", LongTexts);
            Check.Run("hostile: every byte value 1-255", EveryByte);
            Check.Run("hostile: extreme numbers", ExtremeNumbers);
            Check.Run("hostile: calls after InitToolbox(2)", AfterRelease);
        }

        private static void NullArguments()
        {
            Toolbox tb = Loaded();
            Check.Throws(78, () => tb.ConfigureToolbox(1, null), "configure path", "ZanConfigureToolbox");
            Check.Throws(78, () => tb.FillInterface(null), "interface record", "ZanFillInterface");
            Check.Throws(78, () => tb.FillInterface("46C XY;ZKELMHOST", 0), "interface length 0");
            Check.Equal(";", tb.DescribeInterface(1), "interface kept after the refusals");

            Check.Throws(78, () => tb.CreateTable(1, null, "01", Set, Def), "table name", "ZanCreateTable");
            Check.Throws(78, () => tb.CreateTable(1, "MATRQ", null, Set, Def), "table key");
            Check.Equal("100-*", tb.GetTableValue(1, "MATNR", 1), "old table kept after a null name");
            Check.Throws(1, () => tb.CreateTable(1, "MATRQ", "01", null, Def), "set index path");
            Check.Throws(2, () => tb.CreateTable(1, "MATRQ", "01", Set, null), "definition path");
            Check.Throws(4, () => tb.CreateFillTable(2, "MATAN", "01", Set, Def, null, 10), "fill data",
                         "ZanCreateFillTable");
            Check.Equal("3", tb.DescribeTable(2), "nothing created for null data");
            Check.Throws(78, () => tb.FillTable(2, null, 10), "appended data", "ZanFillTable");
            Check.Throws(78, () => tb.GetTableValue(2, null, 1), "read field name", "ZanGetTableValue");
            Check.Throws(71, () => tb.WriteTableValue(10, null, "x", 1), "write field name", "ZanWriteTableValue");
            Check.Throws(71, () => tb.WriteTableValue(10, "PARA1", null, 1), "write value");
            Check.Throws(78, () => tb.ModifyTableValue(2, null, "x", 1), "modify field name", "ZanModifyTableValue");
            Check.Throws(78, () => tb.ModifyTableValue(2, "MATNR", null, 1), "modify value");
            Check.Equal("MATNR", tb.GetAttributName(1, null, null, Set, Def, 1).FieldName,
                        "null name and key count every line");
            Check.Throws(1, () => tb.GetAttributName(1, "MATRQ", "01", null, Def, 1), "set index path",
                         "ZanGetAttributName");
            Check.Throws(56, () => tb.GetAttributName(1, "MATRQ", "01", Set, null, 1), "definition path");
            Check.Throws(58, () => tb.SearchAttribut(1, "MATRQ", "01", Set, Def, null), "searched field name",
                         "ZanSearchAttribut");
            Check.Throws(78, () => tb.CreateFillUserTable(1, 2, null), "user data", "ZanCreateFillUserTable");
            Check.Equal("b", tb.GetTableValue(10, "PARA2", 1), "user table kept");
            Check.Throws(78, () => tb.WriteKonfiguration(1, null, 10, "x"), "configuration data",
                         "ZanWriteKonfiguration");
            Check.Throws(42, () => tb.WriteKonfiguration(1, "A;B;10;", null), "configuration path");
            Check.Succeeds(() => tb.PrintTable(2, null), "print without a path writes nothing");

            Check.Throws(78, () => tb.CreateHlpTable(1, null), "help columns", "ZanCreateHlpTable");
            Check.Throws(78, () => tb.FillHlpTable(1, null), "help lines", "ZanFillHlpTable");
            Check.Equal(null, tb.FindHelpTable(null, null, null, null, null, null), "help direction of nothing");
            Check.Throws(78, () => tb.CreateFillTableMcd(1, null), "matchcode data", "ZanCreateFillTableMcd");
            Check.Throws(78, () => tb.CreateSendstrMcd(1, null, ""), "reserved 1", "ZanCreateSendstrMcd");
            Check.Throws(78, () => tb.CreateSendstrMcd(1, "", null), "reserved 2");
            Check.Throws(78, () => tb.GetMcdValue(null, 1), "matchcode attribute", "ZanGetMcdValue");
            Check.Throws(55, () => tb.WriteMcdValue(1, 1, null), "matchcode value", "ZanWriteMcdValue");
            Check.Throws(78, () => tb.CreateSendstrHelp("A", null, "C", "D"), "help request part",
                         "ZanCreateSendstrHelp");
            Check.Throws(82, () => tb.CreateSendstrMessageK4(null, 10), "message text", "ZanCreateSendstrMessageK4");

            Check.Throws(78, () => tb.CreateMailTable(1, null), "mail data", "ZanCreateMailTable");
            Check.Equal("2", tb.DescribeMailTable(1), "mails kept");
            Check.Throws(78, () => tb.GetMailData(1, 0, null, 1), "mail field name", "ZanGetMailData");
            Check.Throws(78, () => tb.WriteMailValue(1, 0, null, 1, "x"), "written mail field", "ZanWriteMailValue");
            Check.Throws(47, () => tb.WriteMailValue(1, 0, "SNDNAM", 1, null), "written mail value");

            Check.Throws(78, () => tb.CreateSmlTable(1, null), "characteristic description", "ZanCreateSmlTable");
            Check.Throws(78, () => tb.FillSmlTable(1, null, 10), "object data", "ZanFillSmlTable");
            Check.Throws(78, () => tb.GetSmlDataValueK4(1, null, 0, 1, 1), "value name", "ZanGetSmlDataValueK4");
            Check.Throws(47, () => tb.WriteSmlValue(1, 1, null, 34, null, 0), "written text", "ZanWriteSmlValue");
            Check.Throws(83, () => tb.CreateFillPosSmlValueTableK4(1, null, 10), "position values",
                         "ZanCreateFillPosSmlValueTableK4");

            Check.Throws(80, () => tb.CreateFillClasTableK4(2, null, 10), "class data", "ZanCreateFillClasTableK4");
            Check.Equal("VALVE", tb.GetClasDataK4(2, 2)[0], "class table unchanged");
            Check.Throws(80, () => tb.CreateFillClasHierarchTableK4(1, null, 10), "hierarchy data",
                         "ZanCreateFillClasHierarchTableK4");
            Check.Throws(78, () => tb.CreateSendstrClasK4("A", "B", "C", "D", "E", "F", "G", null), "class value 8",
                         "ZanCreateSendstrClasK4");
            Check.Throws(78, () => tb.CreateSendstrClasScopeK4(null, "B", "C", "D", "E", "F"), "scope value 1",
                         "ZanCreateSendstrClasScopeK4");
            Check.Throws(78, () => tb.CreateSendstrClasSelectK4("1", "2", "3", "4", "5", null, "7", "8", "9", "10", "11"),
                         "select value 6", "ZanCreateSendstrClasSelectK4");
            Check.Throws(78, () => tb.CreateSendstrClasSelScopeK4("1", "2", "3", "4", "5", "6", "7", null),
                         "selection scope value 8", "ZanCreateSendstrClasSelScopeK4");
            Check.Throws(78, () => tb.CreateSendstrClasSearchK4(3, "1", "2", "3", "4", "5", null, "7"),
                         "search value 6 in mode 3", "ZanCreateSendstrClasSearchK4");

            Toolbox older = Loaded("50A");
            Check.Throws(31, () => older.GetSmlAttributData(1, null, 1), "older characteristic key",
                         "ZanGetSmlAttributData");
            Toolbox newer = Loaded();
            Check.Throws(31, () => newer.GetSmlAttributDataK4(1, null, 1), "newer characteristic key",
                         "ZanGetSmlAttributDataK4");
        }

        private static void LongTexts()
        {
            Toolbox tb = Loaded();
            string huge = new string('M', 1 << 20);
            Check.Throws(41, () => tb.GetTableValue(2, huge, 1), "megabyte field name");
            Check.Throws(50, () => tb.WriteTableValue(2, huge, "x", 0), "megabyte field name written");
            tb.WriteTableValue(10, "PARA1", huge, 1);
            Check.Equal(new string('M', 255), tb.GetTableValue(10, "PARA1", 2), "megabyte value read cut to 255");
            tb.WriteTableValue(1, "MATNR", new string('9', 100), 0);
            Check.Equal(new string('9', 18), tb.GetTableValue(1, "MATNR", 1), "value cut to its field");
            string send = tb.CreateSendstrHelp(huge, huge, "", "");
            Check.Equal(2 * huge.Length + 4, send.Length, "megabyte help request built whole");
            Check.Equal(huge.Length * 8 + 8,
                        tb.CreateSendstrClasK4(huge, huge, huge, huge, huge, huge, huge, huge).Length,
                        "class request of eight megabyte values");
            Check.Throws(31, () => tb.GetMailData(1, 0, huge, 1), "megabyte mail field name");
            Check.Equal(null, tb.FindHelpTable(huge, huge, huge, Set, Def, Def), "megabyte help direction names");

            tb.CreateHlpTable(2, new string('e', 200) + ";short;");
            Check.Equal(new string('e', 83), tb.GetHlpData(1, 1, 1).Value.TrimEnd(), "help entry cut to 83");
            tb.FillInterface(huge);
            Check.Equal("MMMMMMMMMM", tb.DescribeInterface(5), "megabyte interface record");
            tb.FillInterface("46C XY;ZKELMHOST", int.MaxValue);
            Check.Equal("KELMHOST", tb.DescribeInterface(5), "length far past the record");

            string answer = Toolbox.Latin1.GetString(File.ReadAllBytes(Program.PathOf("answer.txt")));
            tb.CreateFillTable(2, "MATAN", "01", Set, Def, answer, int.MaxValue);
            Check.Equal("3", tb.DescribeTable(2), "fixed-width fill never reads past the text");
            tb.CreateFillTable(2, "MATAN", "01", Set, Def, answer, -5);
            Check.Equal("0", tb.DescribeTable(2), "negative length fills no record");
            Check.Equal(0, tb.CreateFillClasTableK4(2, HostExchange.Classes, -1), "negative class length");
            Check.Equal(2, tb.CreateFillClasTableK4(2, HostExchange.Classes, int.MaxValue), "huge class length");
            Check.Throws(64, () => tb.CreateMailTable(1, HostExchange.Mails, int.MaxValue),
                         "mail length past the text: the end is an unterminated value");
            Check.Equal("2", tb.DescribeMailTable(1), "the mails before it stay");

            string longPath = Path.Combine(Path.GetTempPath(), new string('p', 200), new string('q', 5000));
            tb.ConfigureToolbox(1, longPath);
            Check.Equal("TB041 Error in toolbox", tb.GetErrorMessage(41).LongText, "message file path too long to open");
            tb.ConfigureToolbox(1, Program.PathOf("kelmmes.dat"));
            Check.Equal("Field not found", tb.GetErrorMessage(41).ShortText, "message file back");
        }

        private static void EveryByte()
        {
            Toolbox tb = Loaded();
            string all = new string(Enumerable.Range(1, 255).Select(b => (char)b).ToArray());
            Check.Equal(all, Toolbox.Latin1.GetString(Enumerable.Range(1, 255).Select(b => (byte)b).ToArray()),
                        "Latin-1 decodes each byte as that character");
            Check.Equal(all + ";" + all + ";" + all + ";" + all + ";", tb.CreateSendstrHelp(all, all, all, all),
                        "every byte through the send buffer");
            tb.WriteTableValue(10, "PARA1", all, 1);
            Check.Equal(all, tb.GetTableValue(10, "PARA1", 2), "every byte through the value buffer");
            Check.Throws(41, () => tb.GetTableValue(2, all, 1), "every byte as a field name");
            int refused = 0;
            for (int b = 1; b <= 255; ++b)
            {
                try
                {
                    tb.GetTableValue(2, ((char)b).ToString(), 1);
                }
                catch (KelmodException e)
                {
                    if (e.Code == 41) ++refused;
                }
            }
            Check.Equal(255, refused, "each single byte as a field name gives 41");

            Check.Throws(64, () => tb.CreateMailTable(1, all), "every byte as mail data: the tail has no separator");
            Check.Equal("1", tb.DescribeMailTable(1), "the value before it stays");
            Check.Equal(all.Substring(0, 58), tb.GetMailData(1, 0, "FOLTP", 1), "first value up to the ';' (59)");

            tb.FillInterface(all);
            Check.Equal("\u0007", tb.DescribeInterface(1), "column 7 as the separator");
            Check.Equal("\u0001\u0002\u0003\u0004", tb.DescribeInterface(2), "columns 1-4 as the release");
            Check.Equal("a\u0007b\u0007\u0007\u0007\u0007\u0007\u0007\u0007", tb.CreateSendstrClasK4("a", "b", "", "", "", "", "", ""),
                        "a control character as the separator");
            Check.Succeeds(() => tb.CreateFillTable(2, "MATAN", "01", Set, Def, all), "every byte as fixed-width data");
            Check.Equal(all.Substring(0, 18), tb.GetTableValue(2, "MATNR", 1), "first column of that data");
            Check.Succeeds(() => tb.CreateSmlTable(1, all), "every byte as a characteristic description");
            Check.Succeeds(() => tb.CreateHlpTable(1, all), "every byte as help columns");
            Check.Succeeds(() => tb.CreateFillTableMcd(1, all), "every byte as matchcode data");
            Check.Succeeds(() => tb.CreateFillClasTableK4(3, all), "every byte as class search data");
            Check.Equal(all.Substring(1, 2) + "\u0007" + all.Substring(3, 3) + "\u0007", tb.CreateSendstrMessageK4(all),
                        "every byte as a message text");
        }

        private static void ExtremeNumbers()
        {
            Toolbox tb = Loaded();
            Check.Equal(null, tb.GetTableValue(2, "MATNR", int.MaxValue), "record int.MaxValue");
            Check.Equal(null, tb.GetTableValue(2, "MATNR", int.MinValue), "record int.MinValue");
            Check.Throws(26, () =>
            {
                string n, v;
                tb.GetAttributNameValue(2, int.MaxValue, 1, out n, out v);
            }, "field number int.MaxValue");
            Check.Throws(26, () =>
            {
                string n, v;
                tb.GetAttributNameValue(2, 1, int.MinValue, out n, out v);
            }, "record below 1 by position");
            tb.DeleteTableEntry(2, int.MinValue);
            tb.DeleteTableEntry(2, int.MaxValue);
            Check.Equal("3", tb.DescribeTable(2), "deleting records out of range changes nothing");
            Check.Equal("PUMP", tb.GetClasDataK4(2, int.MinValue)[0], "class record int.MinValue reads the first");
            Check.Throws(75, () => tb.GetClasDataK4(2, int.MaxValue), "class record int.MaxValue");
            Check.Throws(36, () => tb.GetSmlDataK4(1, int.MaxValue, int.MaxValue), "characteristic int.MaxValue");
            Check.Throws(36, () => tb.GetObjectDataK4(1, int.MinValue), "object int.MinValue");
            Check.Throws(33, () => tb.GetHlpData(1, int.MaxValue, 1), "help column int.MaxValue");
            Check.Throws(8, () => tb.WriteMailValue(1, 0, "SNDNAM", 2000000, "x"), "value number far past the end");
            Check.Equal("2", tb.DescribeMailTable(1), "mail table intact after the refusal");
            Check.Throws(8, () => tb.CreateFillUserTable(1, 2000000, "a;"), "field count above 1 048 576");
            Check.Throws(3, () => tb.InitToolbox(int.MinValue), "init mode int.MinValue");
            Check.Throws(3, () => tb.GetSmlDescription(int.MaxValue), "description type int.MaxValue");
            Check.Throws(3, () => tb.PrintTable(int.MinValue, "x"), "print type int.MinValue");
        }

        private static void AfterRelease()
        {
            Toolbox tb = Loaded();
            tb.InitToolbox(2);
            Check.Equal("3.1G", tb.ToolboxVersion(), "version");
            Check.Equal("46C ", tb.DescribeInterface(2), "interface values stay");
            Check.Throws(39, () => tb.GetTableValue(2, "MATNR", 1), "read the answer table", "ZanGetTableValue");
            Check.Throws(16, () => tb.DescribeTable(2), "count the answer table", "ZanDescribeTable");
            Check.Throws(59, () => tb.GetTableValue(10, "PARA1", 1), "read the user table");
            Check.Throws(7, () => tb.CreateSendstr(), "send string", "ZanCreateSendstr");
            Check.Throws(61, () => tb.FillTable(2, "x"), "append to the answer table", "ZanFillTable");
            Check.Throws(32, () => tb.GetHlpData(1, 1, 1), "help entry", "ZanGetHlpData");
            Check.Throws(37, () => tb.GetHlpDescription(1), "help columns", "ZanGetHlpDescription");
            Check.Throws(27, () => tb.GetMcdValue("ID", 1), "matchcode entry", "ZanGetMcdValue");
            Check.Throws(69, () => tb.DescribeMailTable(1), "mail count", "ZanDescribeMailTable");
            Check.Throws(65, () => tb.GetMailData(1, 0, "SNDNAM", 1), "mail value", "ZanGetMailData");
            Check.Throws(76, () => tb.GetClasDataK4(2, 1), "class entry", "ZanGetClasDataK4");
            Check.Throws(34, () => tb.GetSmlDataK4(1, 1, 1), "characteristic", "ZanGetSmlDataK4");
            Check.Throws(34, () => tb.GetObjectDataK4(1, 1), "object texts", "ZanGetObjectDataK4");
            Check.Throws(9, () => tb.CreateSendstrSml(1), "characteristic send string", "ZanCreateSendstrSml");
            Check.Equal("00", tb.GetSmlDescription(2), "object count of an empty bar");
            Check.Succeeds(() => tb.InitToolbox(2), "a second release");

            // The paths were released too: messages fall back to $KELMMES or ./kelmmes.dat.
            if (Environment.GetEnvironmentVariable("KELMMES") == null && !File.Exists("kelmmes.dat"))
            {
                KelmodException e = Check.Throws(39, () => tb.GetTableValue(2, "MATNR", 1), "message without a file");
                if (e != null) Check.Equal("TB039 Error in toolbox", e.LongText, "default text after release");
            }

            tb.InitToolbox(1);
            tb.ConfigureToolbox(1, Program.PathOf("kelmmes.dat"));
            tb.CreateTable(1, "MATRQ", "01", Set, Def);
            tb.WriteTableValue(1, "MATNR", "100-*", 0);
            tb.WriteTableValue(1, "WERKS", "1000", 0);
            Check.Equal("100-*             1000", tb.CreateSendstr(), "usable again after InitToolbox(1)");
            KelmodException again = Check.Throws(41, () => tb.GetTableValue(1, "NOSUCH", 1), "messages again");
            if (again != null) Check.Equal("Field not found", again.ShortText, "message file configured again");
        }
    }
}
