// The exchanges of examples/host.c, step for step, through Kelmod.Toolbox. It
// writes the same lines host.c prints, so the two transcripts can be compared
// line by line.
using System;
using System.IO;
using Kelmod;

namespace Kelmod.Tests
{
    internal sealed class HostExchange
    {
        private readonly Toolbox tb;
        private readonly string folder;
        private readonly TextWriter w;

        public HostExchange(Toolbox toolbox, string examplesFolder, TextWriter output)
        {
            tb = toolbox;
            folder = examplesFolder;
            w = output;
        }

        public string PathOf(string file)
        {
            return folder + "/" + file;
        }

        // The lines of host.c's report(): a failure with its message texts.
        private bool Report(string call, Action action)
        {
            KelmodException e = null;
            if (Try(action, x => e = x)) return false;
            w.WriteLine("  {0} returned {1}: [{2}] {3} - {4}", call, e.Code, e.TypeLetter, e.ShortText, e.LongText);
            return true;
        }

        public void Run(string printFolder)
        {
            Start();
            Generic();
            Help();
            OlderBar();
            Mail();
            NewerRelease();
            PrintTables(printFolder);
            tb.InitToolbox(2);
        }

        public void Start()
        {
            string record = "46C XY;ZKELMHOST";
            string[] names = { "", "separator", "release", "flag 5", "flag 6", "text", "flag 8" };
            tb.InitToolbox(1);
            tb.ConfigureToolbox(1, PathOf("kelmmes.dat"));
            tb.ConfigureToolbox(2, PathOf("kelmtab.dat"));
            w.WriteLine("KELMOD toolbox {0}", tb.ToolboxVersion());
            w.WriteLine();
            w.WriteLine("Interface record '{0}'", record);
            Report("ZanFillInterface", () => tb.FillInterface(record));
            for (int mode = 1; mode <= 6; ++mode)
                Try(() => w.WriteLine("  {0,-9} '{1}'", names[mode], tb.DescribeInterface(mode)));
            w.WriteLine();
        }

        public void Generic()
        {
            w.WriteLine("Generic exchange: material request");
            if (Report("ZanCreateTable",
                       () => tb.CreateTable(1, "MATRQ", "01", PathOf("kelmset.dat"), PathOf("kelmdef.dat"))))
                return;
            Report("ZanWriteTableValue", () => tb.WriteTableValue(1, "MATNR", "100-*", 0));
            Report("ZanWriteTableValue", () => tb.WriteTableValue(1, "WERKS", "1000", 0));
            Report("ZanWriteTableValue", () => tb.WriteTableValue(1, "MATNR", "200-*", 1));
            Report("ZanWriteTableValue", () => tb.WriteTableValue(1, "WERKS", "2000", 1));
            string send = null;
            if (Report("ZanCreateSendstr", () => send = tb.CreateSendstr())) return;
            w.WriteLine("  send string  '{0}'", send);

            string answer = Toolbox.Latin1.GetString(File.ReadAllBytes(PathOf("answer.txt")));
            w.WriteLine("  answer       {0} bytes", answer.Length);
            if (Report("ZanCreateFillTable",
                       () => tb.CreateFillTable(2, "MATAN", "01", PathOf("kelmset.dat"), PathOf("kelmdef.dat"), answer)))
                return;
            string count = null;
            if (Report("ZanDescribeTable", () => count = tb.DescribeTable(2))) return;
            int records = int.Parse(count);
            w.WriteLine("  answer table {0} records", records);
            for (int r = 1; r <= records; ++r)
            {
                w.WriteLine("  record {0}", r);
                string fieldName = null, text;
                for (int f = 1; Try(() => tb.GetAttributNameValue(2, f, r, out fieldName, out text)); ++f)
                {
                    string value = tb.GetTableValue(2, fieldName, r);
                    if (value != null) w.WriteLine("    {0,-6} '{1}'", fieldName, value);
                }
            }
            Report("ZanGetTableValue(2, \"NOSUCH\")", () => tb.GetTableValue(2, "NOSUCH", 1));
            w.WriteLine();
        }

        public const string HelpColumns = "Material;18;X;Description;40;;Unit;3;;";
        public const string HelpLines = "100-100;Hexagon head bolt M8x40;ST;100-200;Washer 8.4;ST;" +
                                        "200-310;Bearing housing, cast iron;ST;";

        public void Help()
        {
            w.WriteLine("Help exchange: values offered for a field");
            string send = null;
            if (Report("ZanCreateSendstrHelp", () => send = tb.CreateSendstrHelp("MATCH", "01", "MATNR", "1000")))
                return;
            w.WriteLine("  help request '{0}'", send);
            if (Report("ZanCreateHlpTable", () => tb.CreateHlpTable(1, HelpColumns))) return;
            if (Report("ZanFillHlpTable", () => tb.FillHlpTable(1, HelpLines))) return;
            int columnCount = int.Parse(tb.GetHlpDescription(1));
            int lineCount = int.Parse(tb.GetHlpDescription(2));
            int preselected = 1;
            Try(() => preselected = int.Parse(tb.GetHlpDescription(3)));
            w.WriteLine("  help table   {0} columns, {1} lines, column {2} preselected", columnCount, lineCount,
                        preselected);
            for (int line = 0; line <= lineCount; ++line)
            {
                w.Write("   ");
                for (int column = 1; column <= columnCount; ++column)
                {
                    Characteristic entry = null;
                    if (!Try(() => entry = tb.GetHlpData(1, column, line))) continue;
                    if (line == 0) w.Write(" " + entry.Name.PadRight(entry.Length));
                    else w.Write(" " + entry.Value);
                }
                w.WriteLine();
            }
            w.WriteLine();
        }

        public void UseRelease(string release)
        {
            string record = release.PadRight(4) + "XY;ZKELMHOST";
            Report("ZanFillInterface", () => tb.FillInterface(record));
        }

        public const string OlderDescription = "BOLT;DIN 933;Hexagon head bolts;A;2024;" +
                                               "Diameter;D;A;;mm;N;;6;1;" +
                                               "Length;L;B;;mm;N;;6;0;" +
                                               "Since;SINCE;C;;;DATE;;8;0;";
        public const string OlderRows = "BOLT-M8x40;8;40;01.01.2020;BOLT-M10x50;10;50;01.06.2021;";

        public void OlderBar()
        {
            w.WriteLine("Characteristic bar, older form (release 50A)");
            UseRelease("50A");
            if (Report("ZanCreateSmlTable", () => tb.CreateSmlTable(1, OlderDescription))) return;
            if (Report("ZanFillSmlTable", () => tb.FillSmlTable(1, OlderRows))) return;
            int records = int.Parse(tb.GetSmlDescription(1));
            int objects = int.Parse(tb.GetSmlDescription(2));
            w.WriteLine("  bar '{0}': {1} characteristics, {2} objects", tb.GetSmlDescription(3) ?? "", records, objects);
            for (int k = 1; k <= objects; ++k)
            {
                w.WriteLine("  object {0}", k);
                for (int r = 1; r <= records; ++r)
                {
                    Characteristic d = null;
                    if (!Try(() => d = tb.GetSmlData(1, r, k))) continue;
                    w.WriteLine("    {0,-8} field {1,-8} unit {2,-3} length {3,2} width {4,2} decimals {5} value '{6}'",
                                d.Name, d.FieldName, d.Unit, d.Length, d.Width, d.Decimals, d.Value);
                }
            }
            Report("ZanWriteSmlValue", () => tb.WriteSmlValue(1, 2, null, 11, "X", 0));
            Try(() => w.WriteLine("  selection string '{0}'", tb.CreateSendstrSml(1)));
            Try(() => w.WriteLine("  value string     '{0}'", tb.CreateSendstrSml(2)));
            w.WriteLine();
        }

        public const string Mails = "F;2024;17;D;2024;4711;Drawing released;MEIER;SCHULZ;1;X;;;;;;" +
                                    "F;2024;18;D;2024;4712;Change request 12;SCHULZ;MEIER;1;;;;;;;";

        public void Mail()
        {
            w.WriteLine("Mail exchange");
            UseRelease("46C");
            if (Report("ZanCreateMailTable", () => tb.CreateMailTable(1, Mails))) return;
            int count = int.Parse(tb.DescribeMailTable(1));
            w.WriteLine("  {0} mails", count);
            for (int k = 1; k <= count; ++k)
            {
                string senderName = tb.GetMailData(1, 0, "SNDNAM", k);
                string field = null, text = null;
                if (!Try(() => tb.GetMailData(1, 1, "", k, out field, out text))) continue;
                w.WriteLine("  mail {0} from {1,-7} {2} '{3}'", k, senderName, field, text);
            }
            Try(() => w.WriteLine("  mail request '{0}'", tb.CreateSendstrMail(1, 2)));
            w.WriteLine();
        }

        public const string Classes = "PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;";
        public const string NewerDescription = "PUMPS;001;Pumps;;;" +
                                               "DN;Nominal diameter;X;;X;NUM;X;;;4;0;;;;;;mm;A;;;;;;;;;;;;;;;" +
                                               "PN;Nominal pressure;;;X;NUM;;X;;3;0;;;;;;bar;B;;;;;;;;;;;;;;;";
        public const string Objects = "P-100;Pump 100;;;;;;;;;;;;;DN;50;PN;16;;" +
                                      "P-200;Pump 200;;;;;;;;;;;;;DN;80;PN;25;PN;40;;";

        public void NewerRelease()
        {
            w.WriteLine("Newer release: classification and characteristic bar (release 46C)");
            UseRelease("46C");
            Try(() => w.WriteLine("  class request '{0}'", tb.CreateSendstrClasK4("CLASS", "001", "PUMPS", "", "", "", "", "")));
            int count = 0;
            if (Report("ZanCreateFillClasTableK4", () => count = tb.CreateFillClasTableK4(2, Classes))) return;
            for (int r = 1; r <= count; ++r)
            {
                int record = r;
                Try(() => w.WriteLine("  class {0}: {1}", record, string.Join(" ", tb.GetClasDataK4(2, record))));
            }
            if (Report("ZanCreateSmlTable", () => tb.CreateSmlTable(1, NewerDescription))) return;
            Try(() => w.WriteLine("  value request '{0}'", tb.CreateSendstrPosSmlValuesK4(1)));
            if (Report("ZanFillSmlTable", () => tb.FillSmlTable(1, Objects))) return;
            int objectCount = int.Parse(tb.GetSmlDescription(2));
            w.WriteLine("  bar '{0}': {1} objects", tb.GetSmlDescription(4) ?? "", objectCount);
            for (int k = 1; k <= objectCount; ++k)
            {
                string[] objectTexts = tb.GetObjectDataK4(1, k);
                int n = tb.GetSmlValueDescriptionK4(1, k, "PN");
                w.Write("  object {0} ({1}): DN ", objectTexts[0], objectTexts[1]);
                int objectNumber = k;
                Try(() => w.Write(tb.GetSmlDataValueK4(1, "DN", 0, objectNumber, 1)));
                w.Write(", PN");
                for (int i = 1; i <= n; ++i)
                {
                    string value = null;
                    int valueNumber = i;
                    Try(() => value = tb.GetSmlDataValueK4(1, "PN", 0, objectNumber, valueNumber));
                    if (value != null) w.Write(" " + value);
                }
                w.WriteLine();
            }
            SmlCharacteristic d = null;
            for (int r = 1; Try(() => d = tb.GetSmlDataK4(1, r, 2)); ++r)
            {
                w.WriteLine("  {0,-3} {1,-18} unit {2,-3} digits {3}, object 2: '{4}'", d.Name, d.Description, d.Unit,
                            d.Digits, d.Value);
            }
            Try(() => tb.WriteSmlValue(1, 0, "DN", 34, "80", 0));
            Try(() => w.WriteLine("  choice string '{0}'", tb.CreateSendstrSml(1)));
            Try(() => tb.FillSmlTable(2, "DN;65;PN;10;PN;16;"));
            Try(() => w.WriteLine("  value string  '{0}'", tb.CreateSendstrSml(2)));
            w.WriteLine();
        }

        public static readonly int[] PrintTypes = { 2, 5, 12, 21 };
        public static readonly string[] PrintFiles =
        {
            "answer_table.txt", "characteristic_bar.txt", "class_table.txt", "mails.txt"
        };

        public void PrintTables(string printFolder)
        {
            w.WriteLine("Print files in {0}", printFolder);
            for (int i = 0; i < PrintTypes.Length; ++i)
            {
                int k = i;
                if (!Report("ZanPrintTable", () => tb.PrintTable(PrintTypes[k], printFolder + "/" + PrintFiles[k])))
                    w.WriteLine("  table type {0,2} -> {1}", PrintTypes[i], PrintFiles[i]);
            }
        }

        // host.c prints a line only when its call succeeds: false when the call failed.
        private static bool Try(Action action, Action<KelmodException> failed = null)
        {
            try
            {
                action();
                return true;
            }
            catch (KelmodException e)
            {
                if (failed != null) failed(e);
                return false;
            }
        }
    }
}
