// Threads sharing a Toolbox (and threads with Toolboxes of their own: the
// lock is one for the process) each see whole results of their own calls.
using System;
using System.Collections.Generic;
using System.IO;
using System.Linq;
using System.Text;
using System.Threading;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class ThreadTests
    {
        private const int Threads = 8;

        public static void Run()
        {
            Check.Run("threads: readers and request builders", Readers);
            Check.Run("threads: writers appending to one table", Writers);
        }

        private static void RunAll(Action<int> body)
        {
            var errors = new List<Exception>();
            Thread[] threads = Enumerable.Range(0, Threads).Select(i => new Thread(() =>
            {
                try
                {
                    body(i);
                }
                catch (Exception e)
                {
                    lock (errors) errors.Add(e);
                }
            })).ToArray();
            foreach (Thread t in threads) t.Start();
            foreach (Thread t in threads) t.Join();
            Check.Equal(0, errors.Count, "exceptions in threads" + (errors.Count > 0 ? ": " + errors[0] : ""));
        }

        private static void Readers()
        {
            Toolbox shared = Program.Fresh();
            shared.FillInterface("46C XY;ZKELMHOST");
            shared.CreateFillTable(2, "MATAN", "01", Program.PathOf("kelmset.dat"), Program.PathOf("kelmdef.dat"),
                                   Toolbox.Latin1.GetString(File.ReadAllBytes(Program.PathOf("answer.txt"))));
            string[] numbers = { "100-100", "100-200", "200-310" };
            string[] texts = { "Hexagon head bolt M8x40", "Washer 8.4", "Bearing housing, cast iron" };
            int wrong = 0, calls = 0;
            RunAll(i =>
            {
                // Odd threads bring a Toolbox of their own, in another encoding.
                Toolbox tb = i % 2 == 0 ? shared : new Toolbox(new UTF8Encoding(false));
                for (int k = 0; k < 2000; ++k)
                {
                    int r = (i + k) % 3;
                    string help = tb.CreateSendstrHelp("T" + i, k.ToString(), "x", "y");
                    string number = tb.GetTableValue(2, "MATNR", r + 1);
                    string text = tb.GetTableValue(2, "MAKTX", r + 1);
                    string name, value;
                    tb.GetAttributNameValue(2, 2, r + 1, out name, out value);
                    string request = tb.CreateSendstrClasK4("C" + i, k.ToString(), "", "", "", "", "", "");
                    bool ok = help == "T" + i + ";" + k + ";x;y;" && number == numbers[r] && text == texts[r] &&
                              name == "MAKTX" && value == texts[r] && request == "C" + i + ";" + k + ";;;;;;;";
                    if (!ok) Interlocked.Increment(ref wrong);
                    Interlocked.Add(ref calls, 5);
                }
            });
            Check.Equal(Threads * 2000 * 5, calls, "calls made");
            Check.Equal(0, wrong, "iterations with a result of another thread's call");
        }

        private static void Writers()
        {
            Toolbox tb = Program.Fresh();
            tb.FillInterface("46C XY;ZKELMHOST");
            tb.CreateFillUserTable(1, 1, "seed;");
            RunAll(i =>
            {
                for (int k = 0; k < 500; ++k) tb.WriteTableValue(10, "PARA1", "t" + i + "-" + k, 1);
            });
            Check.Equal((1 + Threads * 500).ToString(), tb.DescribeTable(10), "every append counted");
            var seen = new HashSet<string>();
            for (int r = 2; r <= 1 + Threads * 500; ++r) seen.Add(tb.GetTableValue(10, "PARA1", r));
            Check.Equal(Threads * 500, seen.Count, "every appended value once");
            Check.True(Enumerable.Range(0, Threads).All(i => seen.Contains("t" + i + "-0") && seen.Contains("t" + i + "-499")),
                       "first and last value of each thread");
            // Each thread's own values keep its order.
            var order = new int[Threads];
            bool ordered = true;
            for (int r = 2; r <= 1 + Threads * 500; ++r)
            {
                string[] parts = tb.GetTableValue(10, "PARA1", r).Substring(1).Split('-');
                int thread = int.Parse(parts[0]), k = int.Parse(parts[1]);
                ordered &= k == order[thread];
                order[thread] = k + 1;
            }
            Check.True(ordered, "each thread's values in its order");
        }
    }
}
