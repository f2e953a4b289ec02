// Every family's exchange of examples/host.c through Kelmod.Toolbox: the values
// host.c gets, asserted one by one, then the whole transcript and the print
// files compared with those of the C host itself.
using System;
using System.Diagnostics;
using System.IO;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class ExchangeTests
    {
        public static void Run()
        {
            Check.Run("exchange: start-up and interface record", Start);
            Check.Run("exchange: generic tables", Generic);
            Check.Run("exchange: help table", Help);
            Check.Run("exchange: older characteristic bar", OlderBar);
            Check.Run("exchange: mail", Mail);
            Check.Run("exchange: classification and newer characteristic bar", NewerRelease);
            Check.Run("exchange: transcript against examples/host.c", AgainstHost);
        }

        private static void Start()
        {
            Toolbox tb = Program.Fresh();
            Check.Equal("3.1G", tb.ToolboxVersion(), "version");
            tb.FillInterface("46C XY;ZKELMHOST");
            string[] expected = { ";", "46C ", "X", "Y", "KELMHOST", "Z" };
            for (int mode = 1; mode <= 6; ++mode)
                Check.Equal(expected[mode - 1], tb.DescribeInterface(mode), "interface value " + mode);
            Check.Throws(3, () => tb.DescribeInterface(7), "interface mode 7", "ZanDescribeInterface");
        }

        private static void Generic()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            string set = Program.PathOf("kelmset.dat"), def = Program.PathOf("kelmdef.dat");
            tb.CreateTable(1, "MATRQ", "01", set, def);
            tb.WriteTableValue(1, "MATNR", "100-*", 0);
            tb.WriteTableValue(1, "WERKS", "1000", 0);
            tb.WriteTableValue(1, "MATNR", "200-*", 1);
            tb.WriteTableValue(1, "WERKS", "2000", 1);
            Check.Equal("100-*             1000200-*             2000", tb.CreateSendstr(), "send string");

            string answer = Toolbox.Latin1.GetString(File.ReadAllBytes(Program.PathOf("answer.txt")));
            Check.Equal(222, answer.Length, "answer length");
            tb.CreateFillTable(2, "MATAN", "01", set, def, answer);
            Check.Equal("3", tb.DescribeTable(2), "answer records");
            string[][] rows =
            {
                new[] { "100-100", "Hexagon head bolt M8x40", "ST", "0.021" },
                new[] { "100-200", "Washer 8.4", "ST", "0.002" },
                new[] { "200-310", "Bearing housing, cast iron", "ST", "4.750" }
            };
            string[] fields = { "MATNR", "MAKTX", "MEINS", "BRGEW" };
            for (int r = 1; r <= 3; ++r)
            {
                for (int f = 1; f <= 4; ++f)
                {
                    string name, value;
                    tb.GetAttributNameValue(2, f, r, out name, out value);
                    Check.Equal(fields[f - 1], name, "field name at position " + f);
                    Check.Equal(rows[r - 1][f - 1], value, "value by position " + f + " record " + r);
                    Check.Equal(rows[r - 1][f - 1], tb.GetTableValue(2, name, r), name + " record " + r);
                }
                int record = r;
                Check.Throws(26, () =>
                {
                    string n, v;
                    tb.GetAttributNameValue(2, 5, record, out n, out v);
                }, "position past the last field", "ZanGetAttributNameValue");
            }
            KelmodException e = Check.Throws(41, () => tb.GetTableValue(2, "NOSUCH", 1), "unknown field",
                                              "ZanGetTableValue");
            if (e != null)
            {
                Check.Equal("E", e.TypeLetter, "41 type letter");
                Check.Equal("Field not found", e.ShortText, "41 short text");
                Check.Equal("The table has no field of that name.", e.LongText, "41 long text");
                Check.Equal("ZanGetTableValue returned 41: [E] Field not found - The table has no field of that name.",
                            e.Message, "41 message");
            }
        }

        private static void Help()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            Check.Equal("MATCH;01;MATNR;1000;", tb.CreateSendstrHelp("MATCH", "01", "MATNR", "1000"), "help request");
            tb.CreateHlpTable(1, HostExchange.HelpColumns);
            tb.FillHlpTable(1, HostExchange.HelpLines);
            Check.Equal("3", tb.GetHlpDescription(1), "columns");
            Check.Equal("3", tb.GetHlpDescription(2), "lines");
            Check.Equal("1", tb.GetHlpDescription(3), "preselected column");
            string[] titles = { "Material", "Description", "Unit" };
            int[] widths = { 18, 40, 3 };
            string[][] lines =
            {
                new[] { "100-100", "Hexagon head bolt M8x40", "ST" },
                new[] { "100-200", "Washer 8.4", "ST" },
                new[] { "200-310", "Bearing housing, cast iron", "ST" }
            };
            for (int c = 1; c <= 3; ++c)
            {
                Characteristic title = tb.GetHlpData(1, c, 0);
                Check.Equal(titles[c - 1], title.Name, "title " + c);
                Check.Equal(widths[c - 1], title.Length, "width " + c);
                for (int l = 1; l <= 3; ++l)
                {
                    Characteristic d = tb.GetHlpData(1, c, l);
                    Check.Equal(lines[l - 1][c - 1].PadRight(widths[c - 1]), d.Value, "entry " + c + "/" + l);
                }
            }
            Check.Throws(33, () => tb.GetHlpData(1, 4, 1), "column past the last", "ZanGetHlpData");
        }

        private static void OlderBar()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("50A XY;ZKELMHOST");
            tb.CreateSmlTable(1, HostExchange.OlderDescription);
            tb.FillSmlTable(1, HostExchange.OlderRows);
            Check.Equal("4", tb.GetSmlDescription(1), "characteristics");
            Check.Equal("2", tb.GetSmlDescription(2), "objects");
            Check.Equal("BOLT", tb.GetSmlDescription(3), "first header text");
            string[] names = { "OBJEKT", "Diameter", "Length", "Since" };
            string[] fieldNames = { "", "D", "L", "SINCE" };
            string[] units = { "", "mm", "mm", "" };
            int[] lengths = { 30, 6, 6, 10 }, widths = { 11, 8, 6, 10 }, decimals = { 0, 1, 0, 0 };
            string[][] values =
            {
                new[] { "BOLT-M8x40", "8", "40", "01.01.2020" },
                new[] { "BOLT-M10x50", "10", "50", "01.06.2021" }
            };
            for (int k = 1; k <= 2; ++k)
            {
                for (int r = 1; r <= 4; ++r)
                {
                    Characteristic d = tb.GetSmlData(1, r, k);
                    string at = " of characteristic " + r + " object " + k;
                    Check.Equal(names[r - 1], d.Name, "name" + at);
                    Check.Equal(fieldNames[r - 1], d.FieldName, "field name" + at);
                    Check.Equal(units[r - 1], d.Unit, "unit" + at);
                    Check.Equal(lengths[r - 1], d.Length, "length" + at);
                    Check.Equal(widths[r - 1], d.Width, "width" + at);
                    Check.Equal(decimals[r - 1], d.Decimals, "decimals" + at);
                    Check.Equal(values[k - 1][r - 1], d.Value, "value" + at);
                }
            }
            Check.Throws(36, () => tb.GetSmlData(1, 5, 1), "characteristic past the last", "ZanGetSmlData");
            tb.WriteSmlValue(1, 2, null, 11, "X", 0);
            Check.Equal(";;X;;;;;;", tb.CreateSendstrSml(1), "selection string");
            Check.Equal(";;8;mm;40;mm;01.01.2020;;", tb.CreateSendstrSml(2), "value string");
        }

        private static void Mail()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            tb.CreateMailTable(1, HostExchange.Mails);
            Check.Equal("2", tb.DescribeMailTable(1), "mails");
            string[] senders = { "MEIER", "SCHULZ" }, titles = { "Drawing released", "Change request 12" };
            for (int k = 1; k <= 2; ++k)
            {
                Check.Equal(senders[k - 1], tb.GetMailData(1, 0, "SNDNAM", k), "sender of mail " + k);
                string field, text;
                tb.GetMailData(1, 1, "", k, out field, out text);
                Check.Equal("DOCDES", field, "field at position 1 written back");
                Check.Equal(titles[k - 1], text, "DOCDES of mail " + k);
                tb.GetMailData(1, 0, "", k, out field, out text);
                Check.Equal("DOCNO", field, "field at position 0");
                Check.Equal(k == 1 ? "4711" : "4712", text, "DOCNO of mail " + k);
                tb.GetMailData(1, 0, "RECNAM", k, out field, out text);
                Check.Equal("RECNAM", field, "a field name given stays");
                Check.Equal(senders[2 - k], text, "recipient of mail " + k);
            }
            Check.Equal("F;2024;18;D;2024;4712;", tb.CreateSendstrMail(1, 2), "mail request");
            Check.Equal("F;2024;17;", tb.CreateSendstrMail(2, 1), "mail request mode 2");
            Check.Throws(31, () => tb.GetMailData(1, 0, "NOSUCH", 1), "unknown mail field", "ZanGetMailData");
        }

        private static void NewerRelease()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            Check.Equal("CLASS;001;PUMPS;;;;;;", tb.CreateSendstrClasK4("CLASS", "001", "PUMPS", "", "", "", "", ""),
                        "class request");
            Check.Equal(2, tb.CreateFillClasTableK4(2, HostExchange.Classes), "class records");
            Check.Equal(new[] { "PUMP", "DN", "A", "X", "mm" }, tb.GetClasDataK4(2, 1), "class 1");
            Check.Equal(new[] { "VALVE", "PN", "B", "X", "bar" }, tb.GetClasDataK4(2, 2), "class 2");
            Check.Throws(75, () => tb.GetClasDataK4(2, 3), "class past the last", "ZanGetClasDataK4");

            tb.CreateSmlTable(1, HostExchange.NewerDescription);
            Check.Equal("DN;PN;", tb.CreateSendstrPosSmlValuesK4(1), "value request");
            tb.FillSmlTable(1, HostExchange.Objects);
            Check.Equal("2", tb.GetSmlDescription(2), "objects");
            Check.Equal("PUMPS", tb.GetSmlDescription(4), "bar name");
            string[] first = tb.GetObjectDataK4(1, 1), second = tb.GetObjectDataK4(1, 2);
            Check.Equal(14, first.Length, "object texts");
            Check.Equal("P-100", first[0], "object 1 key");
            Check.Equal("Pump 100", first[1], "object 1 text");
            Check.Equal("", first[13], "object 1 last text");
            Check.Equal("P-200", second[0], "object 2 key");
            Check.Equal(1, tb.GetSmlValueDescriptionK4(1, 1, "PN"), "PN values of object 1");
            Check.Equal(2, tb.GetSmlValueDescriptionK4(1, 2, "PN"), "PN values of object 2");
            Check.Equal("50", tb.GetSmlDataValueK4(1, "DN", 0, 1, 1), "DN of object 1");
            Check.Equal("16", tb.GetSmlDataValueK4(1, "PN", 0, 1, 1), "PN of object 1");
            Check.Equal("80", tb.GetSmlDataValueK4(1, "DN", 0, 2, 1), "DN of object 2");
            Check.Equal("25", tb.GetSmlDataValueK4(1, "PN", 0, 2, 1), "PN 1 of object 2");
            Check.Equal("40", tb.GetSmlDataValueK4(1, "PN", 0, 2, 2), "PN 2 of object 2");
            Check.Equal(null, tb.GetSmlDataValueK4(1, "PN", 0, 2, 3), "no third PN value (-3 as null)");

            SmlCharacteristic dn = tb.GetSmlDataK4(1, 1, 2), pn = tb.GetSmlDataK4(1, 2, 2);
            Check.Equal("DN", dn.Name, "characteristic 1");
            Check.Equal("Nominal diameter", dn.Description, "description 1");
            Check.Equal("mm", dn.Unit, "unit 1");
            Check.Equal(4, dn.Digits, "digits 1");
            Check.Equal("80", dn.Value, "value 1 in object 2");
            Check.Equal("X", dn.Mandatory, "mandatory 1");
            Check.Equal("NUM", dn.DataType, "data type 1");
            Check.Equal("A", dn.DinLetter, "DIN letter 1");
            Check.Equal(10, dn.Views.Count, "views");
            Check.Equal("PN", pn.Name, "characteristic 2");
            Check.Equal("Nominal pressure", pn.Description, "description 2");
            Check.Equal("bar", pn.Unit, "unit 2");
            Check.Equal(3, pn.Digits, "digits 2");
            Check.Equal("25", pn.Value, "value 2 in object 2");
            Check.Equal("X", pn.Interval, "interval 2");
            Check.Throws(36, () => tb.GetSmlDataK4(1, 3, 2), "characteristic past the last", "ZanGetSmlDataK4");

            tb.WriteSmlValue(1, 0, "DN", 34, "80", 0);
            Check.Equal("DN;80;;PN;;;", tb.CreateSendstrSml(1), "choice string");
            tb.FillSmlTable(2, "DN;65;PN;10;PN;16;");
            Check.Equal("DN;65;PN;10;PN;16;", tb.CreateSendstrSml(2), "value string");
        }

        // The C host and the same steps through the binding print the same lines
        // and write the same print files.
        private static void AgainstHost()
        {
            string mine = Program.TempFolder(), theirs = Program.TempFolder();
            var output = new StringWriter();
            output.NewLine = "\n";
            Program.Fresh();
            new HostExchange(new Toolbox(), Program.Examples, output).Run(mine);
            string transcript = output.ToString().Replace(mine, "PRINT_FOLDER");
            Check.True(transcript.Contains("  mail 2 from SCHULZ  DOCDES 'Change request 12'\n"),
                       "transcript holds the mail line");
            if (Program.HostProgram == null)
            {
                Console.WriteLine("   (no --host given: transcript not compared with the C host)");
                return;
            }
            var start = new ProcessStartInfo(Program.HostProgram, Quote(Program.Examples) + " " + Quote(theirs))
            {
                UseShellExecute = false,
                RedirectStandardOutput = true,
                StandardOutputEncoding = Toolbox.Latin1
            };
            string expected;
            using (Process p = Process.Start(start))
            {
                expected = p.StandardOutput.ReadToEnd();
                p.WaitForExit();
                Check.Equal(0, p.ExitCode, "C host exit code");
            }
            expected = expected.Replace(theirs, "PRINT_FOLDER");
            string[] a = expected.Split('\n'), b = transcript.Split('\n');
            int line = 0;
            while (line < a.Length && line < b.Length && a[line] == b[line]) ++line;
            if (line == a.Length && line == b.Length) Check.True(true, "transcript");
            else
                Check.Fail("transcript", "line " + (line + 1) + ": C host '" + (line < a.Length ? a[line] : "(end)") +
                                         "', binding '" + (line < b.Length ? b[line] : "(end)") + "'");
            Check.True(a.Length > 60, "C host transcript has its lines");
            foreach (string file in HostExchange.PrintFiles)
            {
                string x = Path.Combine(theirs, file), y = Path.Combine(mine, file);
                if (!File.Exists(x) || !File.Exists(y))
                {
                    Check.Fail("print file " + file, "missing");
                    continue;
                }
                byte[] cx = File.ReadAllBytes(x), cy = File.ReadAllBytes(y);
                Check.True(cx.Length > 0 && Convert.ToBase64String(cx) == Convert.ToBase64String(cy),
                           "print file " + file + " the same as the C host's");
            }
            Directory.Delete(mine, true);
            Directory.Delete(theirs, true);
        }

        private static string Quote(string s)
        {
            return "\"" + s + "\"";
        }
    }
}
