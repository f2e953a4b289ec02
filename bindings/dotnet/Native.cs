// Kelmod.Native: the 64 exports of the native toolbox as P/Invoke declarations
// and its four records with the layout of kelmod.h.
//
// Texts go in as byte[] (8-bit, NUL-terminated, writable: the library trims or
// cuts some of them in place); texts come back through "out IntPtr" as the
// address of a buffer the library owns, valid only until the next call that
// uses the same buffer. Nothing here locks or copies: that is Kelmod.Toolbox's
// job. Code that calls Native directly must hold Native.Sync around each call
// and the reading of its results.
using System;
using System.Runtime.InteropServices;

namespace Kelmod
{
    // How a C compiler lays out a struct: each member at the next multiple of
    // its alignment, the whole rounded up to the largest alignment. On 64-bit an
    // int32 followed by a pointer therefore leaves 4 bytes of padding.
    public sealed class CLayout
    {
        private int end, largest = 1;

        // The offset of the member added last.
        public int LastOffset { get; private set; }

        public int Size
        {
            get { return Align(end, largest); }
        }

        public CLayout Member(int size, int alignment)
        {
            LastOffset = Align(end, alignment);
            end = LastOffset + size;
            if (alignment > largest) largest = alignment;
            return this;
        }

        public CLayout Chars(int count)
        {
            return Member(count, 1);
        }

        public CLayout Ints(int count)
        {
            for (int i = 0; i < count; ++i) Member(4, 4);
            return this;
        }

        public CLayout Pointers(int count)
        {
            for (int i = 0; i < count; ++i) Member(IntPtr.Size, IntPtr.Size);
            return this;
        }

        private static int Align(int offset, int alignment)
        {
            return (offset + alignment - 1) / alignment * alignment;
        }
    }

    // SuppressUnmanagedCodeSecurity spares .NET Framework its security stack walk
    // on every call; other runtimes ignore it.
    [System.Security.SuppressUnmanagedCodeSecurity]
    public static class Native
    {
        // The import name: kelmod.dll on Windows, libkelmod.so on Linux. Under
        // mono, Kelmod.Net.dll.config maps it to libkelmod.so.3 (the SONAME, present
        // in every install); under .NET 6 and later the resolver below does the same.
        public const string Library = "kelmod";

        // The SONAME of the Linux library.
        public const string LinuxSoname = "libkelmod.so.3";

        // The library keeps one module-wide state, so every call from every
        // Toolbox instance and thread is serialised on this one lock.
        public static readonly object Sync = new object();

#if NET6_0_OR_GREATER
        static Native()
        {
            NativeLibrary.SetDllImportResolver(typeof(Native).Assembly, Resolve);
        }

        // "kelmod" on Linux: the SONAME first (a runtime-only install has no
        // plain libkelmod.so), then the runtime's own probing of "kelmod".
        private static IntPtr Resolve(string libraryName, System.Reflection.Assembly assembly,
                                      DllImportSearchPath? searchPath)
        {
            IntPtr handle;
            if (libraryName == Library && OperatingSystem.IsLinux()
                && NativeLibrary.TryLoad(LinuxSoname, assembly, searchPath, out handle))
                return handle;
            return IntPtr.Zero;
        }
#endif

        // ------------------------------------------------------------------
        // Records
        // ------------------------------------------------------------------

        // Filled by ZanGetErrorMessage (266 bytes written; 268 with the tail padding).
        [StructLayout(LayoutKind.Sequential)]
        public struct MessageRecord
        {
            public int code;
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 3)] public byte[] type;
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 37)] public byte[] shortText;
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 222)] public byte[] longText;

            public static MessageRecord Create()
            {
                return new MessageRecord { type = new byte[3], shortText = new byte[37], longText = new byte[222] };
            }
        }

        // One line of a field definition file; 66 bytes, no padding.
        [StructLayout(LayoutKind.Sequential)]
        public struct AttributeRecord
        {
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 9)] public byte[] setName;
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 12)] public byte[] fieldName;
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 4)] public byte[] length;
            [MarshalAs(UnmanagedType.ByValArray, SizeConst = 41)] public byte[] description;

            public static AttributeRecord Create()
            {
                return new AttributeRecord
                {
                    setName = new byte[9], fieldName = new byte[12], length = new byte[4], description = new byte[41]
                };
            }
        }

        // One characteristic with one of its values; the texts live in buffers of
        // the library until the next read of a characteristic.
        [StructLayout(LayoutKind.Sequential)]
        public struct CharacteristicData
        {
            public IntPtr name;
            public IntPtr fieldName;
            public IntPtr dinLetter;
            public IntPtr input;
            public IntPtr unit;
            public IntPtr format;
            public IntPtr template_;
            public IntPtr selection;
            public IntPtr parameter;
            public int length;
            public int width;
            public int decimals;
            public IntPtr value;
        }

        // One characteristic of the characteristic bar of the newer release.
        [StructLayout(LayoutKind.Sequential)]
        public struct SmlCharacteristicData
        {
            public IntPtr name;
            public IntPtr description;
            public IntPtr mandatory;
            public IntPtr inherited;
            public IntPtr valuated;
            public IntPtr dataType;
            public IntPtr singleValue;
            public IntPtr interval;
            public IntPtr additionalValues;
            public int digits;
            public int decimals;
            public IntPtr sign;
            public IntPtr exponentDisplay;
            public IntPtr exponentFormat;
            public IntPtr template_;
            public IntPtr lowerCase;
            public IntPtr unit;
            public IntPtr dinLetter;
            public IntPtr documentType;
            public IntPtr documentNumber;
            public IntPtr documentPart;
            public IntPtr documentVersion;
            public IntPtr view0, view1, view2, view3, view4, view5, view6, view7, view8, view9;
            public IntPtr sendText1;
            public IntPtr sendText2;
            public IntPtr value;
        }

        // ------------------------------------------------------------------
        // Layout check
        // ------------------------------------------------------------------

        // The sizes C gives the four records on this platform (see CLayout).
        public static int ExpectedMessageRecordSize
        {
            get { return new CLayout().Ints(1).Chars(3).Chars(37).Chars(222).Size; }
        }
        public static int ExpectedAttributeRecordSize
        {
            get { return new CLayout().Chars(9).Chars(12).Chars(4).Chars(41).Size; }
        }
        public static int ExpectedCharacteristicDataSize
        {
            get { return new CLayout().Pointers(9).Ints(3).Pointers(1).Size; }
        }
        public static int ExpectedSmlCharacteristicDataSize
        {
            get { return new CLayout().Pointers(9).Ints(2).Pointers(24).Size; }
        }

        // Null when the marshalled sizes of the four records are those of C,
        // else a description of the first difference.
        public static string LayoutMismatch()
        {
            string[] names = { "MessageRecord", "AttributeRecord", "CharacteristicData", "SmlCharacteristicData" };
            int[] actual =
            {
                Marshal.SizeOf(typeof(MessageRecord)), Marshal.SizeOf(typeof(AttributeRecord)),
                Marshal.SizeOf(typeof(CharacteristicData)), Marshal.SizeOf(typeof(SmlCharacteristicData))
            };
            int[] expected =
            {
                ExpectedMessageRecordSize, ExpectedAttributeRecordSize,
                ExpectedCharacteristicDataSize, ExpectedSmlCharacteristicDataSize
            };
            for (int i = 0; i < names.Length; ++i)
                if (actual[i] != expected[i])
                    return string.Format("{0} marshals as {1} bytes, kelmod.h lays it out in {2}",
                                         names[i], actual[i], expected[i]);
            return null;
        }

        // ------------------------------------------------------------------
        // Toolbox core
        // ------------------------------------------------------------------

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanInitToolbox(int mode);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanConfigureToolbox(int mode, byte[] path);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanToolboxVersion(out IntPtr version);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetErrorMessage(int code, ref MessageRecord message);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanFillInterface(byte[] record, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanDescribeInterface(int mode, out IntPtr value);

        // ------------------------------------------------------------------
        // Generic record tables
        // ------------------------------------------------------------------

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateTable(int type, byte[] name, byte[] key, byte[] setIndexPath,
                                                byte[] definitionPath);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateFillTable(int type, byte[] name, byte[] key, byte[] setIndexPath,
                                                    byte[] definitionPath, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanFillTable(int type, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstr(out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrBomHead(int type, out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetTableValue(int type, byte[] fieldName, int record, out IntPtr value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanWriteTableValue(int type, byte[] fieldName, byte[] value, int record);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanModifyTableValue(int type, byte[] fieldName, byte[] value, int record);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanDeleteTableEntry(int type, int record);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanDescribeTable(int type, out IntPtr count);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetAttributName(int direction, byte[] name, byte[] key, byte[] setIndexPath,
                                                    byte[] definitionPath, int n, ref AttributeRecord attribute);

        // fieldName: at least 12 writable bytes.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetAttributNameValue(int type, int fieldNumber, int record,
                                                         [In, Out] byte[] fieldName, out IntPtr value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanSearchAttribut(int direction, byte[] name, byte[] key, byte[] setIndexPath,
                                                   byte[] definitionPath, byte[] fieldName,
                                                   ref AttributeRecord attribute);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateFillUserTable(int mode, int fieldCount, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanWriteKonfiguration(int mode, byte[] data, int length, byte[] path);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanPrintTable(int type, byte[] path);

        // ------------------------------------------------------------------
        // Characteristic value lists
        // ------------------------------------------------------------------

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateHlpTable(int mode, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanFillHlpTable(int mode, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetHlpData(int mode, int column, int line, ref CharacteristicData data);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetHlpDescription(int mode, out IntPtr value);

        // direction receives one byte, 'U' or 'D'.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanFindHelpTable(byte[] name, byte[] key, byte[] fieldName, byte[] setIndexPath,
                                                  byte[] definitionPathU, byte[] definitionPathD,
                                                  out byte direction);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateFillTableMcd(int mode, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrMcd(int mode, byte[] reserved1, byte[] reserved2,
                                                     out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetMcdValue(byte[] attribute, int record, out IntPtr value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetMcdDescription(int mode, out IntPtr count);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanWriteMcdValue(int mode, int record, byte[] value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrHelp(byte[] part1, byte[] part2, byte[] part3, byte[] part4,
                                                      out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrMessageK4(byte[] message, int length, out IntPtr sendString);

        // ------------------------------------------------------------------
        // Mail
        // ------------------------------------------------------------------

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateMailTable(int mailType, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanDescribeMailTable(int mailType, out IntPtr count);

        // fieldName: in and out, at least 7 writable bytes.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetMailData(int mailType, int position, [In, Out] byte[] fieldName,
                                                int valueNumber, out IntPtr value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanWriteMailValue(int mailType, int position, byte[] fieldName, int valueNumber,
                                                   byte[] value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrMail(int mode, int mail, out IntPtr sendString);

        // ------------------------------------------------------------------
        // Characteristic bars
        // ------------------------------------------------------------------

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSmlTable(int mode, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanFillSmlTable(int mode, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanDeleteSmlSelection();

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlDescription(int type, out IntPtr value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlData(int type, int position, int valueNumber, ref CharacteristicData data);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlAttributData(int kind, byte[] key, int valueNumber,
                                                       ref CharacteristicData data);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanWriteSmlValue(int type, int position, byte[] name, int code, byte[] text,
                                                  int valueNumber);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrSml(int mode, out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlDataK4(int mode, int position, int number, ref SmlCharacteristicData data);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlAttributDataK4(int kind, byte[] key, int valueNumber,
                                                         ref SmlCharacteristicData data);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlDataValueK4(int mode, byte[] name, int index, int objectNumber,
                                                      int valueNumber, out IntPtr value);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetSmlValueDescriptionK4(int mode, int objectNumber, byte[] name, out int count);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateFillPosSmlValueTableK4(int mode, byte[] data, int length);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrPosSmlValuesK4(int mode, out IntPtr sendString);

        // ------------------------------------------------------------------
        // Classification
        // ------------------------------------------------------------------

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateFillClasTableK4(int mode, byte[] data, int length, ref int count);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateFillClasHierarchTableK4(int mode, byte[] data, int length, ref int count);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrClasK4(byte[] v1, byte[] v2, byte[] v3, byte[] v4, byte[] v5,
                                                        byte[] v6, byte[] v7, byte[] v8, out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrClasScopeK4(byte[] v1, byte[] v2, byte[] v3, byte[] v4, byte[] v5,
                                                             byte[] v6, out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrClasSearchK4(int mode, byte[] v1, byte[] v2, byte[] v3, byte[] v4,
                                                              byte[] v5, byte[] v6, byte[] v7, out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrClasSelectK4(byte[] v1, byte[] v2, byte[] v3, byte[] v4, byte[] v5,
                                                              byte[] v6, byte[] v7, byte[] v8, byte[] v9, byte[] v10,
                                                              byte[] v11, out IntPtr sendString);

        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanCreateSendstrClasSelScopeK4(byte[] v1, byte[] v2, byte[] v3, byte[] v4,
                                                                byte[] v5, byte[] v6, byte[] v7, byte[] v8,
                                                                out IntPtr sendString);

        // values: 5 pointers.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetClasDataK4(int mode, int record, [In, Out] IntPtr[] values);

        // values: 6 pointers.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetClasHierarchDataK4(int mode, int record, [In, Out] IntPtr[] values);

        // values: 22 pointers.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetClasSearchDataK4(int mode, int record, [In, Out] IntPtr[] values);

        // values: 14 pointers.
        [DllImport(Library, CallingConvention = CallingConvention.Cdecl, ExactSpelling = true)]
        public static extern int ZanGetObjectDataK4(int mode, int record, [In, Out] IntPtr[] values);
    }
}
