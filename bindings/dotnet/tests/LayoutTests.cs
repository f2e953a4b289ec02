// The records marshal with the layout of kelmod.h, and Native declares the 64
// exports of the header exactly, each with its Toolbox method.
using System;
using System.IO;
using System.Linq;
using System.Reflection;
using System.Runtime.InteropServices;
using System.Text.RegularExpressions;
using Kelmod;

namespace Kelmod.Tests
{
    internal static class LayoutTests
    {
        public static void Run()
        {
            Check.Run("layout: record sizes and offsets", Records);
            Check.Run("layout: the 64 exports", Exports);
        }

        private static int Offset<T>(string member)
        {
            return (int)Marshal.OffsetOf(typeof(T), member);
        }

        private static void Records()
        {
            int p = IntPtr.Size;
            Check.True(p == 4 || p == 8, "pointer size");
            Check.Equal(null, Native.LayoutMismatch(), "no mismatch found at start-up");

            Check.Equal(268, Marshal.SizeOf(typeof(Native.MessageRecord)), "MessageRecord: 266 bytes and padding");
            Check.Equal(4, Offset<Native.MessageRecord>("type"), "MessageRecord.type");
            Check.Equal(7, Offset<Native.MessageRecord>("shortText"), "MessageRecord.shortText");
            Check.Equal(44, Offset<Native.MessageRecord>("longText"), "MessageRecord.longText");

            Check.Equal(66, Marshal.SizeOf(typeof(Native.AttributeRecord)), "AttributeRecord");
            Check.Equal(9, Offset<Native.AttributeRecord>("fieldName"), "AttributeRecord.fieldName");
            Check.Equal(21, Offset<Native.AttributeRecord>("length"), "AttributeRecord.length");
            Check.Equal(25, Offset<Native.AttributeRecord>("description"), "AttributeRecord.description");

            // Nine pointers, three int32, then a pointer aligned to its size.
            Check.Equal(p == 8 ? 96 : 52, Marshal.SizeOf(typeof(Native.CharacteristicData)), "CharacteristicData");
            Check.Equal(9 * p, Offset<Native.CharacteristicData>("length"), "CharacteristicData.length");
            Check.Equal(p == 8 ? 88 : 48, Offset<Native.CharacteristicData>("value"), "CharacteristicData.value");
            Check.Equal(new CLayout().Pointers(9).Ints(3).Pointers(1).LastOffset,
                        Offset<Native.CharacteristicData>("value"), "CharacteristicData.value as C lays it out");

            Check.Equal(p == 8 ? 272 : 140, Marshal.SizeOf(typeof(Native.SmlCharacteristicData)),
                        "SmlCharacteristicData");
            Check.Equal(9 * p + 8, Offset<Native.SmlCharacteristicData>("sign"), "SmlCharacteristicData.sign");
            Check.Equal(p == 8 ? 264 : 136, Offset<Native.SmlCharacteristicData>("value"), "SmlCharacteristicData.value");

            Check.Equal(2 * p, new CLayout().Ints(1).Pointers(1).Size, "padding before a pointer after an int32");
            Check.Equal(p == 8 ? 16 : 12, new CLayout().Pointers(1).Ints(1).Chars(1).Size, "tail padding");
            Check.Equal(Native.ExpectedMessageRecordSize, Marshal.SizeOf(typeof(Native.MessageRecord)), "expected 1");
            Check.Equal(Native.ExpectedSmlCharacteristicDataSize, Marshal.SizeOf(typeof(Native.SmlCharacteristicData)),
                        "expected 4");
        }

        private static void Exports()
        {
            Check.Equal("Kelmod.Net", typeof(Toolbox).Assembly.GetName().Name, "assembly name");
            MethodInfo[] imports = typeof(Native).GetMethods(BindingFlags.Public | BindingFlags.Static)
                                                 .Where(m => (m.Attributes & MethodAttributes.PinvokeImpl) != 0)
                                                 .ToArray();
            Check.Equal(64, imports.Length, "P/Invoke declarations");
            foreach (MethodInfo m in imports)
            {
                var a = (DllImportAttribute)m.GetCustomAttributes(typeof(DllImportAttribute), false).FirstOrDefault();
                if (!Check.True(a != null, m.Name + " has DllImport")) continue;
                Check.True(a.Value == "kelmod" && a.CallingConvention == CallingConvention.Cdecl && a.ExactSpelling &&
                           (a.EntryPoint ?? m.Name) == m.Name, m.Name + " imported from kelmod, cdecl, exact");
                Check.Equal(typeof(int), m.ReturnType, m.Name + " returns the code");
                Check.Succeeds(() => Marshal.Prelink(m), m.Name + " found in the library");
                Check.True(typeof(Toolbox).GetMethods().Any(t => t.Name == m.Name.Substring(3) && !t.IsStatic),
                           "Toolbox." + m.Name.Substring(3));
            }

            string header = Path.Combine(Program.Examples, "..", "include", "kelmod.h");
            if (!File.Exists(header)) return;
            string[] declared = Regex.Matches(File.ReadAllText(header), @"KELMOD_API ErrorCode (Zan\w+)\(")
                                     .Cast<Match>().Select(x => x.Groups[1].Value).OrderBy(x => x, StringComparer.Ordinal)
                                     .ToArray();
            string[] bound = imports.Select(m => m.Name).OrderBy(x => x, StringComparer.Ordinal).ToArray();
            Check.Equal(declared, bound, "the exports of kelmod.h");
        }
    }
}
