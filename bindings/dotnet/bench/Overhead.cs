// The cost Kelmod.Toolbox adds to a call: GetTableValue over every record of a
// 10 000-record answer table, against the same loop of raw Native calls.
//   mono KelmodOverhead.exe EXAMPLES_FOLDER [passes]
// Each loop runs `passes` times (default 20); the fastest pass counts.
using System;
using System.Diagnostics;
using System.Text;
using Kelmod;

internal static class Overhead
{
    private const int Records = 10000;

    private static int Main(string[] args)
    {
        if (args.Length < 1)
        {
            Console.Error.WriteLine("usage: KelmodOverhead.exe EXAMPLES_FOLDER [passes]");
            return 2;
        }
        string folder = args[0];
        int passes = args.Length > 1 ? int.Parse(args[1]) : 20;

        var tb = new Toolbox();
        tb.InitToolbox(1);
        tb.ConfigureToolbox(1, folder + "/kelmmes.dat");
        tb.FillInterface("46C XY;ZKELMHOST");
        // MATNR 18, MAKTX 40, MEINS 3, BRGEW 13: 74 columns a record.
        var data = new StringBuilder(Records * 74);
        for (int r = 1; r <= Records; ++r)
            data.Append(("M-" + r).PadRight(18)).Append(("Material " + r).PadRight(40)).Append("ST ")
                .Append("0.001".PadLeft(13));
        tb.CreateFillTable(2, "MATAN", "01", folder + "/kelmset.dat", folder + "/kelmdef.dat", data.ToString());
        if (tb.DescribeTable(2) != Records.ToString() || tb.GetTableValue(2, "MATNR", Records) != "M-" + Records)
        {
            Console.Error.WriteLine("the table was not built as expected");
            return 1;
        }

        byte[] name = Encoding.ASCII.GetBytes("MATNR\0");
        double raw = Best(passes, () =>
        {
            IntPtr p;
            for (int r = 1; r <= Records; ++r)
                if (Native.ZanGetTableValue(2, name, r, out p) != 0) throw new InvalidOperationException();
        });
        double locked = Best(passes, () =>
        {
            IntPtr p;
            for (int r = 1; r <= Records; ++r)
                lock (Native.Sync)
                    if (Native.ZanGetTableValue(2, name, r, out p) != 0) throw new InvalidOperationException();
        });
        double binding = Best(passes, () =>
        {
            for (int r = 1; r <= Records; ++r) tb.GetTableValue(2, "MATNR", r);
        });

        Console.WriteLine("GetTableValue over {0} records, fastest of {1} passes:", Records, passes);
        Console.WriteLine("  Native.ZanGetTableValue             {0,6:F0} ns a call", raw);
        Console.WriteLine("  the same under Native.Sync          {0,6:F0} ns a call", locked);
        Console.WriteLine("  Toolbox.GetTableValue               {0,6:F0} ns a call", binding);
        Console.WriteLine("  Toolbox over the raw call           {0,6:F0} ns a call ({1:F2} times)", binding - raw,
                          binding / raw);
        tb.InitToolbox(2);
        return 0;
    }

    private static double Best(int passes, Action pass)
    {
        pass();
        double best = double.MaxValue;
        for (int i = 0; i < passes; ++i)
        {
            var watch = Stopwatch.StartNew();
            pass();
            best = Math.Min(best, watch.Elapsed.TotalMilliseconds * 1e6 / Records);
        }
        return best;
    }
}
