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
        private static string Set => Program.PathOf("kelmset.dat");
        private static string Def => Program.PathOf("kelmdef.dat");

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
            string n, v;
            new Refusals
            {
                { 78, "ConfigureToolbox", () => tb.ConfigureToolbox(1, null) },
                { 78, "FillInterface", () => tb.FillInterface(null) },
                { 78, "FillInterface", () => tb.FillInterface("46C XY;ZKELMHOST", 0) },
                { 78, "CreateTable", () => tb.CreateTable(1, null, "01", Set, Def) },
                { 78, "CreateTable", () => tb.CreateTable(1, "MATRQ", null, Set, Def) },
            }.Run("null argument");
            Check.Equal("100-*", tb.GetTableValue(1, "MATNR", 1), "old table kept after a null name");
            new Refusals
            {
                { 1, "CreateTable", () => tb.CreateTable(1, "MATRQ", "01", null, Def) },
                { 2, "CreateTable", () => tb.CreateTable(1, "MATRQ", "01", Set, null) },
                { 4, "CreateFillTable", () => tb.CreateFillTable(2, "MATAN", "01", Set, Def, null, 10) },
                { 78, "FillTable", () => tb.FillTable(2, null, 10) },
                { 78, "GetTableValue", () => tb.GetTableValue(2, null, 1) },
                { 71, "WriteTableValue", () => tb.WriteTableValue(10, null, "x", 1) },
                { 71, "WriteTableValue", () => tb.WriteTableValue(10, "PARA1", null, 1) },
                { 78, "ModifyTableValue", () => tb.ModifyTableValue(2, null, "x", 1) },
                { 78, "ModifyTableValue", () => tb.ModifyTableValue(2, "MATNR", null, 1) },
                { 1, "GetAttributName", () => tb.GetAttributName(1, "MATRQ", "01", null, Def, 1) },
                { 56, "GetAttributName", () => tb.GetAttributName(1, "MATRQ", "01", Set, null, 1) },
                { 58, "SearchAttribut", () => tb.SearchAttribut(1, "MATRQ", "01", Set, Def, null) },
                { 78, "CreateFillUserTable", () => tb.CreateFillUserTable(1, 2, null) },
                { 78, "WriteKonfiguration", () => tb.WriteKonfiguration(1, null, 10, "x") },
                { 42, "WriteKonfiguration", () => tb.WriteKonfiguration(1, "A;B;10;", null) },
                { 78, "CreateHlpTable", () => tb.CreateHlpTable(1, null) },
                { 78, "FillHlpTable", () => tb.FillHlpTable(1, null) },
                { 78, "CreateFillTableMcd", () => tb.CreateFillTableMcd(1, null) },
                { 78, "CreateSendstrMcd", () => tb.CreateSendstrMcd(1, null, "") },
                { 78, "CreateSendstrMcd", () => tb.CreateSendstrMcd(1, "", null) },
                { 78, "GetMcdValue", () => tb.GetMcdValue(null, 1) },
                { 55, "WriteMcdValue", () => tb.WriteMcdValue(1, 1, null) },
                { 78, "CreateSendstrHelp", () => tb.CreateSendstrHelp("A", null, "C", "D") },
                { 82, "CreateSendstrMessageK4", () => tb.CreateSendstrMessageK4(null, 10) },
                { 78, "CreateMailTable", () => tb.CreateMailTable(1, null) },
                { 78, "GetMailData", () => tb.GetMailData(1, 0, null, 1, out n, out v) },
                { 78, "WriteMailValue", () => tb.WriteMailValue(1, 0, null, 1, "x") },
                { 47, "WriteMailValue", () => tb.WriteMailValue(1, 0, "SNDNAM", 1, null) },
                { 78, "CreateSmlTable", () => tb.CreateSmlTable(1, null) },
                { 78, "FillSmlTable", () => tb.FillSmlTable(1, null, 10) },
                { 78, "GetSmlDataValueK4", () => tb.GetSmlDataValueK4(1, null, 0, 1, 1) },
                { 47, "WriteSmlValue", () => tb.WriteSmlValue(1, 1, null, 34, null, 0) },
                { 83, "CreateFillPosSmlValueTableK4", () => tb.CreateFillPosSmlValueTableK4(1, null, 10) },
                { 80, "CreateFillClasTableK4", () => tb.CreateFillClasTableK4(2, null, 10) },
                { 80, "CreateFillClasHierarchTableK4", () => tb.CreateFillClasHierarchTableK4(1, null, 10) },
                { 78, "CreateSendstrClasK4", () => tb.CreateSendstrClasK4("A", "B", "C", "D", "E", "F", "G", null) },
                { 78, "CreateSendstrClasScopeK4", () => tb.CreateSendstrClasScopeK4(null, "B", "C", "D", "E", "F") },
                { 78, "CreateSendstrClasSelectK4",
                  () => tb.CreateSendstrClasSelectK4("1", "2", "3", "4", "5", null, "7", "8", "9", "10", "11") },
                { 78, "CreateSendstrClasSelScopeK4",
                  () => tb.CreateSendstrClasSelScopeK4("1", "2", "3", "4", "5", "6", "7", null) },
                { 78, "CreateSendstrClasSearchK4",
                  () => tb.CreateSendstrClasSearchK4(3, "1", "2", "3", "4", "5", null, "7") },
                { 31, "GetSmlAttributDataK4", () => tb.GetSmlAttributDataK4(1, null, 1) },
            }.Run("null argument");
            // What the refusals left in place, and the nulls taken as absent.
            new Expect
            {
                { ";", "interface kept", () => tb.DescribeInterface(1) },
                { "3", "nothing created for null data", () => tb.DescribeTable(2) },
                { "b", "user table kept", () => tb.GetTableValue(10, "PARA2", 1) },
                { "2", "mails kept", () => tb.DescribeMailTable(1) },
                { "VALVE", "class table unchanged", () => tb.GetClasDataK4(2, 2)[0] },
                { "MATNR", "null name and key count every line", () => tb.GetAttributName(1, null, null, Set, Def, 1).FieldName },
                { "print without a path writes nothing", () => tb.PrintTable(2, null) },
            }.Run();
            Check.Equal(null, tb.FindHelpTable(null, null, null, null, null, null), "help direction of nothing");
            Check.Throws(31, () => Loaded("50A").GetSmlAttributData(1, null, 1), "older characteristic key",
                         "ZanGetSmlAttributData");
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
            string n, v;
            Check.Equal(null, tb.GetTableValue(2, "MATNR", int.MaxValue), "record int.MaxValue");
            Check.Equal(null, tb.GetTableValue(2, "MATNR", int.MinValue), "record int.MinValue");
            tb.DeleteTableEntry(2, int.MinValue);
            tb.DeleteTableEntry(2, int.MaxValue);
            Check.Equal("3", tb.DescribeTable(2), "deleting records out of range changes nothing");
            Check.Equal("PUMP", tb.GetClasDataK4(2, int.MinValue)[0], "class record int.MinValue reads the first");
            new Refusals
            {
                { 26, "GetAttributNameValue", () => tb.GetAttributNameValue(2, int.MaxValue, 1, out n, out v) },
                { 26, "GetAttributNameValue", () => tb.GetAttributNameValue(2, 1, int.MinValue, out n, out v) },
                { 75, "GetClasDataK4", () => tb.GetClasDataK4(2, int.MaxValue) },
                { 36, "GetSmlDataK4", () => tb.GetSmlDataK4(1, int.MaxValue, int.MaxValue) },
                { 36, "GetObjectDataK4", () => tb.GetObjectDataK4(1, int.MinValue) },
                { 33, "GetHlpData", () => tb.GetHlpData(1, int.MaxValue, 1) },
                { 8, "WriteMailValue", () => tb.WriteMailValue(1, 0, "SNDNAM", 2000000, "x") },
                { 8, "CreateFillUserTable", () => tb.CreateFillUserTable(1, 2000000, "a;") },
                { 3, "InitToolbox", () => tb.InitToolbox(int.MinValue) },
                { 3, "GetSmlDescription", () => tb.GetSmlDescription(int.MaxValue) },
                { 3, "PrintTable", () => tb.PrintTable(int.MinValue, "x") },
            }.Run("extreme number");
            Check.Equal("2", tb.DescribeMailTable(1), "mail table intact after the refusal");
        }

        private static void AfterRelease()
        {
            Toolbox tb = Loaded();
            tb.InitToolbox(2);
            Check.Equal("3.1G", tb.ToolboxVersion(), "version");
            Check.Equal("46C ", tb.DescribeInterface(2), "interface values stay");
            new Refusals
            {
                { 39, "GetTableValue", () => tb.GetTableValue(2, "MATNR", 1) },
                { 16, "DescribeTable", () => tb.DescribeTable(2) },
                { 59, "GetTableValue", () => tb.GetTableValue(10, "PARA1", 1) },
                { 7, "CreateSendstr", () => tb.CreateSendstr() },
                { 61, "FillTable", () => tb.FillTable(2, "x") },
                { 32, "GetHlpData", () => tb.GetHlpData(1, 1, 1) },
                { 37, "GetHlpDescription", () => tb.GetHlpDescription(1) },
                { 27, "GetMcdValue", () => tb.GetMcdValue("ID", 1) },
                { 69, "DescribeMailTable", () => tb.DescribeMailTable(1) },
                { 65, "GetMailData", () => tb.GetMailData(1, 0, "SNDNAM", 1) },
                { 76, "GetClasDataK4", () => tb.GetClasDataK4(2, 1) },
                { 34, "GetSmlDataK4", () => tb.GetSmlDataK4(1, 1, 1) },
                { 34, "GetObjectDataK4", () => tb.GetObjectDataK4(1, 1) },
                { 9, "CreateSendstrSml", () => tb.CreateSendstrSml(1) },
            }.Run("after the release");
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
