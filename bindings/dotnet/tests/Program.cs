// The tests of the .NET binding, run by CTest as "dotnet_binding":
//   mono KelmodTests.exe EXAMPLES_FOLDER [--host KELMOD_HOST] [--library-dir DIR]
// --host: run the C example host too and compare its output and print files
//         with the same exchanges made through Kelmod.Toolbox;
// --library-dir: the folder of the build's native library, which must be the
//         one loaded (and is copied alone, under its SONAME, for the check that
//         a runtime-only install is found).
using System;
using System.IO;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class Program
    {
        public static string Examples;
        public static string HostProgram;
        public static string LibraryDir;

        private static int Main(string[] args)
        {
            // Child mode of the SONAME check: load the library, print its version
            // and the file it was loaded from.
            if (args.Length == 1 && args[0] == "--loaded-library")
            {
                Console.WriteLine(new Toolbox().ToolboxVersion());
                Console.WriteLine(LoadedLibrary() ?? "");
                return 0;
            }
            for (int i = 0; i < args.Length; ++i)
            {
                if (args[i] == "--host" && i + 1 < args.Length) HostProgram = args[++i];
                else if (args[i] == "--library-dir" && i + 1 < args.Length) LibraryDir = args[++i];
                else Examples = args[i];
            }
            if (Examples == null || !File.Exists(Path.Combine(Examples, "kelmset.dat")))
            {
                Console.Error.WriteLine("usage: KelmodTests.exe EXAMPLES_FOLDER [--host KELMOD_HOST] [--library-dir DIR]");
                return 2;
            }
            Examples = Path.GetFullPath(Examples);

            LayoutTests.Run();
            ExchangeTests.Run();
            FamilyTests.Run();
            HostileTests.Run();
            ThreadTests.Run();
            LoadingTests.Run();

            Console.WriteLine("{0} checks, {1} failed", Check.Checks, Check.Failures);
            return Check.Failures == 0 ? 0 : 1;
        }

        // The path of the native toolbox mapped into this process (Linux only).
        public static string LoadedLibrary()
        {
            if (!File.Exists("/proc/self/maps")) return null;
            foreach (string line in File.ReadAllLines("/proc/self/maps"))
            {
                int slash = line.IndexOf('/');
                if (slash < 0) continue;
                string path = line.Substring(slash);
                if (Path.GetFileName(path).StartsWith("libkelmod.so", StringComparison.Ordinal)) return path;
            }
            return null;
        }

        // A fresh toolbox state with the example message and table index files.
        public static Toolbox Fresh()
        {
            var tb = new Toolbox();
            tb.InitToolbox(2);
            tb.InitToolbox(1);
            tb.ConfigureToolbox(1, PathOf("kelmmes.dat"));
            tb.ConfigureToolbox(2, PathOf("kelmtab.dat"));
            return tb;
        }

        public static string PathOf(string file)
        {
            return Examples + "/" + file;
        }

        public static string TempFolder()
        {
            string dir = Path.Combine(Path.GetTempPath(), "kelmod_dotnet_" + Guid.NewGuid().ToString("N"));
            Directory.CreateDirectory(dir);
            return dir;
        }
    }
}
