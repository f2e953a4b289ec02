// A small assertion helper: every failed check is reported with its section
// and what was expected; the program exits non-zero when any check failed.
using System;
using System.Collections;
using System.Collections.Generic;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class Check
    {
        private static string section = "";
        private static readonly object Gate = new object();

        public static int Checks { get; private set; }
        public static int Failures { get; private set; }

        // Runs one group of checks; an exception that escapes it is a failure
        // of the group, and the next group still runs.
        public static void Run(string name, Action body)
        {
            section = name;
            Console.WriteLine("-- " + name);
            try
            {
                body();
            }
            catch (Exception e)
            {
                Fail("unexpected exception", e.ToString());
            }
        }

        public static void Fail(string what, string detail)
        {
            lock (Gate)
            {
                ++Checks;
                ++Failures;
                Console.WriteLine("FAILED [{0}] {1}: {2}", section, what, detail);
            }
        }

        private static void Pass()
        {
            lock (Gate) ++Checks;
        }

        public static bool True(bool condition, string what)
        {
            if (condition) Pass();
            else Fail(what, "condition is false");
            return condition;
        }

        public static bool Equal<T>(T expected, T actual, string what)
        {
            if (EqualityComparer<T>.Default.Equals(expected, actual))
            {
                Pass();
                return true;
            }
            Fail(what, "expected " + Show(expected) + ", got " + Show(actual));
            return false;
        }

        public static bool Equal(string[] expected, string[] actual, string what)
        {
            if (actual != null && expected.Length == actual.Length)
            {
                bool same = true;
                for (int i = 0; i < expected.Length; ++i) same &= expected[i] == actual[i];
                if (same)
                {
                    Pass();
                    return true;
                }
            }
            Fail(what, "expected {" + string.Join(", ", Array.ConvertAll(expected, Show)) + "}, got " +
                       (actual == null ? "null" : "{" + string.Join(", ", Array.ConvertAll(actual, Show)) + "}"));
            return false;
        }

        // Runs action, which must throw KelmodException with this code (and,
        // when given, this function). Returns the exception, or null.
        public static KelmodException Throws(int code, Action action, string what, string function = null)
        {
            try
            {
                action();
            }
            catch (KelmodException e)
            {
                if (e.Code != code)
                {
                    Fail(what, "expected code " + code + ", got " + e.Message);
                    return null;
                }
                if (function != null && e.Function != function)
                {
                    Fail(what, "expected function " + function + ", got " + e.Function);
                    return null;
                }
                Pass();
                return e;
            }
            catch (Exception e)
            {
                Fail(what, "expected KelmodException " + code + ", got " + e.GetType().Name + ": " + e.Message);
                return null;
            }
            Fail(what, "expected KelmodException " + code + ", nothing was thrown");
            return null;
        }

        // Runs action, which must not throw.
        public static bool Succeeds(Action action, string what)
        {
            try
            {
                action();
                Pass();
                return true;
            }
            catch (Exception e)
            {
                Fail(what, e.GetType().Name + ": " + e.Message);
                return false;
            }
        }

        private static string Show<T>(T value)
        {
            if (value == null) return "null";
            string s = value as string;
            if (s == null) return value.ToString();
            var b = new System.Text.StringBuilder("'");
            foreach (char c in s)
            {
                if (c < ' ' || c > '~') b.AppendFormat("\\x{0:X2}", (int)c);
                else b.Append(c);
            }
            return b.Append('\'').ToString();
        }
    }

    // Checks of results run in the order written, each with its name:
    //   new Expect { { "3", "answer records", () => tb.DescribeTable(2) }, ... }.Run();
    internal sealed class Expect : IEnumerable
    {
        private readonly List<Action> checks = new List<Action>();

        public void Add(string expected, string what, Func<string> actual)
        {
            checks.Add(() => Check.Equal(expected, actual(), what));
        }

        public void Add(int expected, string what, Func<int> actual)
        {
            checks.Add(() => Check.Equal(expected, actual(), what));
        }

        public void Add(string[] expected, string what, Func<string[]> actual)
        {
            checks.Add(() => Check.Equal(expected, actual(), what));
        }

        // A step whose success is the check (a call that must not throw).
        public void Add(string what, Action step)
        {
            checks.Add(() => Check.Succeeds(step, what));
        }

        public void Run()
        {
            foreach (Action check in checks) check();
        }

        public IEnumerator GetEnumerator()
        {
            return checks.GetEnumerator();
        }
    }

    // Calls that must fail, in order: the code and the export (without "Zan")
    // that must report it.
    //   new Refusals { { 78, "ConfigureToolbox", () => tb.ConfigureToolbox(1, null) }, ... }.Run("null");
    internal sealed class Refusals : IEnumerable
    {
        private readonly List<Action<string>> calls = new List<Action<string>>();

        public void Add(int code, string export, Action call)
        {
            calls.Add(what => Check.Throws(code, call, what + " (" + export + ")", "Zan" + export));
        }

        public void Run(string what)
        {
            for (int i = 0; i < calls.Count; ++i) calls[i](what + " case " + (i + 1));
        }

        public IEnumerator GetEnumerator()
        {
            return calls.GetEnumerator();
        }
    }
}
