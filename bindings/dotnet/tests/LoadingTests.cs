// The native library loaded is the build's own, and a folder holding only the
// SONAME (a runtime-only install) is enough to find it.
using System;
using System.Diagnostics;
using System.IO;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class LoadingTests
    {
        public static void Run()
        {
            Check.Run("loading: which library, found by its SONAME", Loading);
        }

        private static void Loading()
        {
            string loaded = Program.LoadedLibrary();
            if (loaded == null || Program.LibraryDir == null)
            {
                Console.WriteLine("   (no --library-dir or no /proc/self/maps: not checked)");
                return;
            }
            string dir = Path.GetFullPath(Program.LibraryDir).TrimEnd('/');
            Check.Equal(dir, Path.GetDirectoryName(loaded), "library loaded from the build's folder");

            string only = Program.TempFolder();
            File.Copy(Path.Combine(dir, Native.LinuxSoname), Path.Combine(only, Native.LinuxSoname));
            var start = new ProcessStartInfo(Process.GetCurrentProcess().MainModule.FileName,
                                             "\"" + typeof(Program).Assembly.Location + "\" --loaded-library")
            {
                UseShellExecute = false,
                RedirectStandardOutput = true,
                RedirectStandardError = true
            };
            start.EnvironmentVariables["LD_LIBRARY_PATH"] = only;
            using (Process p = Process.Start(start))
            {
                string output = p.StandardOutput.ReadToEnd();
                string errors = p.StandardError.ReadToEnd();
                p.WaitForExit();
                Check.Equal(0, p.ExitCode, "child with only " + Native.LinuxSoname + " runs" +
                                           (errors.Length > 0 ? " (" + errors.Split('\n')[0] + ")" : ""));
                Check.Equal("3.1G\n" + Path.Combine(only, Native.LinuxSoname) + "\n", output,
                            "child loaded the library by its SONAME");
            }
            Directory.Delete(only, true);
        }
    }
}
