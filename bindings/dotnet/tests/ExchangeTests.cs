// Every family's exchange of examples/host.c through Kelmod.Toolbox: the whole
// transcript and the print files compared with those of the C host itself,
// then, on the same tables, what the transcript does not show (the codes that
// end each walk, members host.c does not print, the other reads).
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
            Check.Run("exchange: transcript against examples/host.c", AgainstHost);
            Check.Run("exchange: what the transcript does not show", BesideTheTranscript);
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

        private static void BesideTheTranscript()
        {
            Toolbox tb = Program.Fresh();
            var host = new HostExchange(tb, Program.Examples, TextWriter.Null);
            host.Start();
            host.Generic();
            host.Help();
            host.OlderBar();
            string n, v;
            KelmodException e = Check.Throws(41, () => tb.GetTableValue(2, "NOSUCH", 1), "unknown field",
                                              "ZanGetTableValue");
            if (e != null)
                Check.Equal("ZanGetTableValue returned 41: [E] Field not found - The table has no field of that name.",
                            e.Message, "41 message");
            new Refusals
            {
                { 3, "DescribeInterface", () => tb.DescribeInterface(7) },
                { 26, "GetAttributNameValue", () => tb.GetAttributNameValue(2, 5, 3, out n, out v) },
                { 33, "GetHlpData", () => tb.GetHlpData(1, 4, 1) },
                { 36, "GetSmlData", () => tb.GetSmlData(1, 5, 1) },
            }.Run("past the last");

            host.Mail();
            string field = null, text = null, recipient = null;
            tb.GetMailData(1, 0, "", 2, out field, out text);
            tb.GetMailData(1, 0, "RECNAM", 2, out recipient, out v);
            new Expect
            {
                { "DOCNO", "field at position 0 written back", () => field },
                { "4712", "DOCNO of mail 2", () => text },
                { "RECNAM", "a field name given stays", () => recipient },
                { "MEIER", "recipient of mail 2", () => v },
                { "F;2024;17;", "mail request mode 2", () => tb.CreateSendstrMail(2, 1) },
            }.Run();
            Check.Throws(31, () => tb.GetMailData(1, 0, "NOSUCH", 1), "unknown mail field", "ZanGetMailData");

            host.NewerRelease();
            string[] texts = tb.GetObjectDataK4(1, 1);
            SmlCharacteristic dn = tb.GetSmlDataK4(1, 1, 2), pn = tb.GetSmlDataK4(1, 2, 2);
            new Expect
            {
                { 14, "object texts", () => texts.Length },
                { "", "object 1 last text", () => texts[13] },
                { null, "no third PN value (-3 as null)", () => tb.GetSmlDataValueK4(1, "PN", 0, 2, 3) },
                { "X", "mandatory DN", () => dn.Mandatory },
                { "NUM", "data type DN", () => dn.DataType },
                { "A", "DIN letter DN", () => dn.DinLetter },
                { 10, "views", () => dn.Views.Count },
                { "X", "interval PN", () => pn.Interval },
            }.Run();
            new Refusals
            {
                { 75, "GetClasDataK4", () => tb.GetClasDataK4(2, 3) },
                { 36, "GetSmlDataK4", () => tb.GetSmlDataK4(1, 3, 2) },
            }.Run("past the last");
        }

        private static string Quote(string s)
        {
            return "\"" + s + "\"";
        }
    }
}
