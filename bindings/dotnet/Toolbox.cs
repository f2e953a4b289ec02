// Kelmod.Toolbox: the toolbox for .NET hosts. One method per export, named as
// the export without its "Zan" prefix.
//
//  - Every text argument goes in a fresh writable NUL-terminated buffer in the
//    Toolbox's encoding (Latin-1 unless chosen otherwise); null passes a null
//    pointer and the library answers with its code for it.
//  - A length argument defaults to the encoded length of the text before it.
//  - A single result is the return value; several are out parameters in the
//    order of the C arguments. Texts and records handed back are copied before
//    the lock is released.
//  - A code other than 0 throws KelmodException, except the codes an export
//    gives as an answer (see each method), which come back as null.
//  - All instances share one lock: the library's state is module-wide.
using System;
using System.Runtime.InteropServices;
using System.Text;

namespace Kelmod
{
    public sealed class Toolbox
    {
        // ISO-8859-1: every byte value stands for one character and back.
        public static readonly Encoding Latin1 = Encoding.GetEncoding(28591);

        private static readonly string LayoutError = Native.LayoutMismatch();

        private readonly Encoding encoding;

        public Toolbox() : this(Latin1)
        {
        }

        public Toolbox(Encoding encoding)
        {
            if (encoding == null) throw new ArgumentNullException("encoding");
            if (LayoutError != null) throw new InvalidOperationException("Kelmod.Native: " + LayoutError);
            this.encoding = encoding;
        }

        public Encoding Encoding
        {
            get { return encoding; }
        }

        // ==================================================================
        // Toolbox core
        // ==================================================================

        public void InitToolbox(int mode)
        {
            lock (Native.Sync) Check(Native.ZanInitToolbox(mode), "ZanInitToolbox");
        }

        public void ConfigureToolbox(int mode, string path)
        {
            byte[] p = Encode(path);
            lock (Native.Sync) Check(Native.ZanConfigureToolbox(mode, p), "ZanConfigureToolbox");
        }

        public string ToolboxVersion()
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanToolboxVersion(out v), v, "ZanToolboxVersion");
        }

        // The message of a code; a code without a line gives type "X" and the
        // long text "TBnnn Error in toolbox".
        public ErrorMessage GetErrorMessage(int code)
        {
            lock (Native.Sync)
            {
                Native.MessageRecord m = Native.MessageRecord.Create();
                Check(Native.ZanGetErrorMessage(code, ref m), "ZanGetErrorMessage");
                return new ErrorMessage(m.code, Decode(m.type), Decode(m.shortText), Decode(m.longText));
            }
        }

        public void FillInterface(string record, int? length = null)
        {
            byte[] r = Encode(record);
            lock (Native.Sync) Check(Native.ZanFillInterface(r, Length(r, length)), "ZanFillInterface");
        }

        public string DescribeInterface(int mode)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanDescribeInterface(mode, out v), v, "ZanDescribeInterface");
        }

        // ==================================================================
        // Generic record tables
        // ==================================================================

        public void CreateTable(int type, string name, string key, string setIndexPath, string definitionPath)
        {
            byte[] n = Encode(name), k = Encode(key), s = Encode(setIndexPath), d = Encode(definitionPath);
            lock (Native.Sync) Check(Native.ZanCreateTable(type, n, k, s, d), "ZanCreateTable");
        }

        public void CreateFillTable(int type, string name, string key, string setIndexPath, string definitionPath,
                                    string data, int? length = null)
        {
            byte[] n = Encode(name), k = Encode(key), s = Encode(setIndexPath), d = Encode(definitionPath);
            byte[] b = Encode(data);
            lock (Native.Sync)
                Check(Native.ZanCreateFillTable(type, n, k, s, d, b, Length(b, length)), "ZanCreateFillTable");
        }

        public void FillTable(int type, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanFillTable(type, b, Length(b, length)), "ZanFillTable");
        }

        public string CreateSendstr()
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanCreateSendstr(out v), v, "ZanCreateSendstr");
        }

        public string CreateSendstrBomHead(int type)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanCreateSendstrBomHead(type, out v), v, "ZanCreateSendstrBomHead");
        }

        // The value of a field at a record; null when the field has no values
        // (-2) or no value at that record (-3).
        public string GetTableValue(int type, string fieldName, int record)
        {
            byte[] f = Encode(fieldName);
            IntPtr v;
            lock (Native.Sync)
            {
                int rc = Native.ZanGetTableValue(type, f, record, out v);
                if (rc == -2 || rc == -3) return null;
                return Result(rc, v, "ZanGetTableValue");
            }
        }

        public void WriteTableValue(int type, string fieldName, string value, int record)
        {
            byte[] f = Encode(fieldName), v = Encode(value);
            lock (Native.Sync) Check(Native.ZanWriteTableValue(type, f, v, record), "ZanWriteTableValue");
        }

        public void ModifyTableValue(int type, string fieldName, string value, int record)
        {
            byte[] f = Encode(fieldName), v = Encode(value);
            lock (Native.Sync) Check(Native.ZanModifyTableValue(type, f, v, record), "ZanModifyTableValue");
        }

        public void DeleteTableEntry(int type, int record)
        {
            lock (Native.Sync) Check(Native.ZanDeleteTableEntry(type, record), "ZanDeleteTableEntry");
        }

        // The record count as the library writes it (decimal text).
        public string DescribeTable(int type)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanDescribeTable(type, out v), v, "ZanDescribeTable");
        }

        public AttributeInfo GetAttributName(int direction, string name, string key, string setIndexPath,
                                             string definitionPath, int n)
        {
            byte[] nm = Encode(name), k = Encode(key), s = Encode(setIndexPath), d = Encode(definitionPath);
            lock (Native.Sync)
            {
                Native.AttributeRecord a = Native.AttributeRecord.Create();
                Check(Native.ZanGetAttributName(direction, nm, k, s, d, n, ref a), "ZanGetAttributName");
                return Attribute(ref a);
            }
        }

        // Reads by field position: the name of field fieldNumber and its value
        // at record (empty when there is none).
        public void GetAttributNameValue(int type, int fieldNumber, int record, out string fieldName,
                                         out string value)
        {
            byte[] f = new byte[FieldNameBuffer];
            IntPtr v;
            lock (Native.Sync)
            {
                Check(Native.ZanGetAttributNameValue(type, fieldNumber, record, f, out v), "ZanGetAttributNameValue");
                fieldName = Decode(f);
                value = Decode(v);
            }
        }

        public AttributeInfo SearchAttribut(int direction, string name, string key, string setIndexPath,
                                            string definitionPath, string fieldName)
        {
            byte[] nm = Encode(name), k = Encode(key), s = Encode(setIndexPath), d = Encode(definitionPath);
            byte[] f = Encode(fieldName);
            lock (Native.Sync)
            {
                Native.AttributeRecord a = Native.AttributeRecord.Create();
                Check(Native.ZanSearchAttribut(direction, nm, k, s, d, f, ref a), "ZanSearchAttribut");
                return Attribute(ref a);
            }
        }

        public void CreateFillUserTable(int mode, int fieldCount, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync)
                Check(Native.ZanCreateFillUserTable(mode, fieldCount, b, Length(b, length)), "ZanCreateFillUserTable");
        }

        public void WriteKonfiguration(int mode, string data, int? length, string path)
        {
            byte[] b = Encode(data), p = Encode(path);
            lock (Native.Sync) Check(Native.ZanWriteKonfiguration(mode, b, Length(b, length), p), "ZanWriteKonfiguration");
        }

        // The same with the encoded length of data.
        public void WriteKonfiguration(int mode, string data, string path)
        {
            WriteKonfiguration(mode, data, null, path);
        }

        public void PrintTable(int type, string path)
        {
            byte[] p = Encode(path);
            lock (Native.Sync) Check(Native.ZanPrintTable(type, p), "ZanPrintTable");
        }

        // ==================================================================
        // Characteristic value lists
        // ==================================================================

        public void CreateHlpTable(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanCreateHlpTable(mode, b, Length(b, length)), "ZanCreateHlpTable");
        }

        public void FillHlpTable(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanFillHlpTable(mode, b, Length(b, length)), "ZanFillHlpTable");
        }

        // The entry at column and line: Name the column title, Length its width,
        // Value the entry padded to the width.
        public Characteristic GetHlpData(int mode, int column, int line)
        {
            lock (Native.Sync)
            {
                Native.CharacteristicData d = new Native.CharacteristicData();
                Check(Native.ZanGetHlpData(mode, column, line, ref d), "ZanGetHlpData");
                return new Characteristic(this, ref d);
            }
        }

        public string GetHlpDescription(int mode)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanGetHlpDescription(mode, out v), v, "ZanGetHlpDescription");
        }

        // 'U' or 'D'; null when the field is described in neither direction (73).
        public char? FindHelpTable(string name, string key, string fieldName, string setIndexPath,
                                   string definitionPathU, string definitionPathD)
        {
            byte[] n = Encode(name), k = Encode(key), f = Encode(fieldName), s = Encode(setIndexPath);
            byte[] u = Encode(definitionPathU), d = Encode(definitionPathD);
            byte direction;
            lock (Native.Sync)
            {
                int rc = Native.ZanFindHelpTable(n, k, f, s, u, d, out direction);
                if (rc == 73) return null;
                Check(rc, "ZanFindHelpTable");
                return (char)direction;
            }
        }

        public void CreateFillTableMcd(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanCreateFillTableMcd(mode, b, Length(b, length)), "ZanCreateFillTableMcd");
        }

        // reserved1 and reserved2 are not read by the library but must not be null.
        public string CreateSendstrMcd(int mode, string reserved1 = "", string reserved2 = "")
        {
            byte[] r1 = Encode(reserved1), r2 = Encode(reserved2);
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanCreateSendstrMcd(mode, r1, r2, out v), v, "ZanCreateSendstrMcd");
        }

        public string GetMcdValue(string attribute, int record)
        {
            byte[] a = Encode(attribute);
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanGetMcdValue(a, record, out v), v, "ZanGetMcdValue");
        }

        public string GetMcdDescription(int mode)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanGetMcdDescription(mode, out v), v, "ZanGetMcdDescription");
        }

        public void WriteMcdValue(int mode, int record, string value)
        {
            byte[] v = Encode(value);
            lock (Native.Sync) Check(Native.ZanWriteMcdValue(mode, record, v), "ZanWriteMcdValue");
        }

        public string CreateSendstrHelp(string part1, string part2, string part3, string part4)
        {
            byte[] p1 = Encode(part1), p2 = Encode(part2), p3 = Encode(part3), p4 = Encode(part4);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrHelp(p1, p2, p3, p4, out v), v, "ZanCreateSendstrHelp");
        }

        public string CreateSendstrMessageK4(string message, int? length = null)
        {
            byte[] m = Encode(message);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrMessageK4(m, Length(m, length), out v), v,
                              "ZanCreateSendstrMessageK4");
        }

        // ==================================================================
        // Mail
        // ==================================================================

        public void CreateMailTable(int mailType, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanCreateMailTable(mailType, b, Length(b, length)), "ZanCreateMailTable");
        }

        public string DescribeMailTable(int mailType)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanDescribeMailTable(mailType, out v), v, "ZanDescribeMailTable");
        }

        // Value valueNumber of a mail field: by name, or with an empty fieldName
        // the field at position, whose name is then handed back in foundFieldName
        // (by name, foundFieldName is fieldName as the library left it).
        public void GetMailData(int mailType, int position, string fieldName, int valueNumber,
                                out string foundFieldName, out string value)
        {
            byte[] f = Encode(fieldName, FieldNameBuffer);
            IntPtr v;
            lock (Native.Sync)
            {
                Check(Native.ZanGetMailData(mailType, position, f, valueNumber, out v), "ZanGetMailData");
                foundFieldName = Decode(f);
                value = Decode(v);
            }
        }

        // The same when only the value is wanted.
        public string GetMailData(int mailType, int position, string fieldName, int valueNumber)
        {
            string ignored, value;
            GetMailData(mailType, position, fieldName, valueNumber, out ignored, out value);
            return value;
        }

        public void WriteMailValue(int mailType, int position, string fieldName, int valueNumber, string value)
        {
            byte[] f = Encode(fieldName), v = Encode(value);
            lock (Native.Sync)
                Check(Native.ZanWriteMailValue(mailType, position, f, valueNumber, v), "ZanWriteMailValue");
        }

        public string CreateSendstrMail(int mode, int mail)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanCreateSendstrMail(mode, mail, out v), v, "ZanCreateSendstrMail");
        }

        // ==================================================================
        // Characteristic bars
        // ==================================================================

        public void CreateSmlTable(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanCreateSmlTable(mode, b, Length(b, length)), "ZanCreateSmlTable");
        }

        public void FillSmlTable(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync) Check(Native.ZanFillSmlTable(mode, b, Length(b, length)), "ZanFillSmlTable");
        }

        public void DeleteSmlSelection()
        {
            lock (Native.Sync) Check(Native.ZanDeleteSmlSelection(), "ZanDeleteSmlSelection");
        }

        // A count or a header text; null for a header text that is absent.
        public string GetSmlDescription(int type)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanGetSmlDescription(type, out v), v, "ZanGetSmlDescription");
        }

        public Characteristic GetSmlData(int type, int position, int valueNumber)
        {
            lock (Native.Sync)
            {
                Native.CharacteristicData d = new Native.CharacteristicData();
                Check(Native.ZanGetSmlData(type, position, valueNumber, ref d), "ZanGetSmlData");
                return new Characteristic(this, ref d);
            }
        }

        public Characteristic GetSmlAttributData(int kind, string key, int valueNumber)
        {
            byte[] k = Encode(key);
            lock (Native.Sync)
            {
                Native.CharacteristicData d = new Native.CharacteristicData();
                Check(Native.ZanGetSmlAttributData(kind, k, valueNumber, ref d), "ZanGetSmlAttributData");
                return new Characteristic(this, ref d);
            }
        }

        public void WriteSmlValue(int type, int position, string name, int code, string text, int valueNumber)
        {
            byte[] n = Encode(name), t = Encode(text);
            lock (Native.Sync)
                Check(Native.ZanWriteSmlValue(type, position, n, code, t, valueNumber), "ZanWriteSmlValue");
        }

        public string CreateSendstrSml(int mode)
        {
            IntPtr v;
            lock (Native.Sync) return Result(Native.ZanCreateSendstrSml(mode, out v), v, "ZanCreateSendstrSml");
        }

        public SmlCharacteristic GetSmlDataK4(int mode, int position, int number)
        {
            lock (Native.Sync)
            {
                Native.SmlCharacteristicData d = new Native.SmlCharacteristicData();
                Check(Native.ZanGetSmlDataK4(mode, position, number, ref d), "ZanGetSmlDataK4");
                return new SmlCharacteristic(this, ref d);
            }
        }

        public SmlCharacteristic GetSmlAttributDataK4(int kind, string key, int valueNumber)
        {
            byte[] k = Encode(key);
            lock (Native.Sync)
            {
                Native.SmlCharacteristicData d = new Native.SmlCharacteristicData();
                Check(Native.ZanGetSmlAttributDataK4(kind, k, valueNumber, ref d), "ZanGetSmlAttributDataK4");
                return new SmlCharacteristic(this, ref d);
            }
        }

        // One value text; null when the entry has no values (-2) or no value
        // valueNumber (-3).
        public string GetSmlDataValueK4(int mode, string name, int index, int objectNumber, int valueNumber)
        {
            byte[] n = Encode(name);
            IntPtr v;
            lock (Native.Sync)
            {
                int rc = Native.ZanGetSmlDataValueK4(mode, n, index, objectNumber, valueNumber, out v);
                if (rc == -2 || rc == -3) return null;
                return Result(rc, v, "ZanGetSmlDataValueK4");
            }
        }

        public int GetSmlValueDescriptionK4(int mode, int objectNumber, string name)
        {
            byte[] n = Encode(name);
            int count;
            lock (Native.Sync)
                Check(Native.ZanGetSmlValueDescriptionK4(mode, objectNumber, n, out count), "ZanGetSmlValueDescriptionK4");
            return count;
        }

        public void CreateFillPosSmlValueTableK4(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            lock (Native.Sync)
                Check(Native.ZanCreateFillPosSmlValueTableK4(mode, b, Length(b, length)), "ZanCreateFillPosSmlValueTableK4");
        }

        public string CreateSendstrPosSmlValuesK4(int mode)
        {
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrPosSmlValuesK4(mode, out v), v, "ZanCreateSendstrPosSmlValuesK4");
        }

        // ==================================================================
        // Classification
        // ==================================================================

        // The number of records begun (0 when length is below 1).
        public int CreateFillClasTableK4(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            int count = 0;
            lock (Native.Sync)
                Check(Native.ZanCreateFillClasTableK4(mode, b, Length(b, length), ref count), "ZanCreateFillClasTableK4");
            return count;
        }

        public int CreateFillClasHierarchTableK4(int mode, string data, int? length = null)
        {
            byte[] b = Encode(data);
            int count = 0;
            lock (Native.Sync)
                Check(Native.ZanCreateFillClasHierarchTableK4(mode, b, Length(b, length), ref count),
                      "ZanCreateFillClasHierarchTableK4");
            return count;
        }

        public string CreateSendstrClasK4(string v1, string v2, string v3, string v4, string v5, string v6,
                                          string v7, string v8)
        {
            byte[][] b = EncodeAll(v1, v2, v3, v4, v5, v6, v7, v8);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrClasK4(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], out v), v,
                              "ZanCreateSendstrClasK4");
        }

        public string CreateSendstrClasScopeK4(string v1, string v2, string v3, string v4, string v5, string v6)
        {
            byte[][] b = EncodeAll(v1, v2, v3, v4, v5, v6);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrClasScopeK4(b[0], b[1], b[2], b[3], b[4], b[5], out v), v,
                              "ZanCreateSendstrClasScopeK4");
        }

        // The values a mode does not use may be null.
        public string CreateSendstrClasSearchK4(int mode, string v1, string v2, string v3, string v4, string v5,
                                                string v6, string v7)
        {
            byte[][] b = EncodeAll(v1, v2, v3, v4, v5, v6, v7);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrClasSearchK4(mode, b[0], b[1], b[2], b[3], b[4], b[5], b[6], out v),
                              v, "ZanCreateSendstrClasSearchK4");
        }

        public string CreateSendstrClasSelectK4(string v1, string v2, string v3, string v4, string v5, string v6,
                                                string v7, string v8, string v9, string v10, string v11)
        {
            byte[][] b = EncodeAll(v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrClasSelectK4(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8],
                                                                  b[9], b[10], out v),
                              v, "ZanCreateSendstrClasSelectK4");
        }

        public string CreateSendstrClasSelScopeK4(string v1, string v2, string v3, string v4, string v5, string v6,
                                                  string v7, string v8)
        {
            byte[][] b = EncodeAll(v1, v2, v3, v4, v5, v6, v7, v8);
            IntPtr v;
            lock (Native.Sync)
                return Result(Native.ZanCreateSendstrClasSelScopeK4(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7],
                                                                    out v),
                              v, "ZanCreateSendstrClasSelScopeK4");
        }

        // Name, field name, DIN letter, input and unit of a class entry.
        public string[] GetClasDataK4(int mode, int record)
        {
            IntPtr[] p = new IntPtr[5];
            lock (Native.Sync) return Results(Native.ZanGetClasDataK4(mode, record, p), p, "ZanGetClasDataK4");
        }

        // The six values of a class hierarchy record.
        public string[] GetClasHierarchDataK4(int mode, int record)
        {
            IntPtr[] p = new IntPtr[6];
            lock (Native.Sync)
                return Results(Native.ZanGetClasHierarchDataK4(mode, record, p), p, "ZanGetClasHierarchDataK4");
        }

        // The 22 values of a class search record.
        public string[] GetClasSearchDataK4(int mode, int record)
        {
            IntPtr[] p = new IntPtr[22];
            lock (Native.Sync) return Results(Native.ZanGetClasSearchDataK4(mode, record, p), p, "ZanGetClasSearchDataK4");
        }

        // The fourteen object texts of an object of the newer characteristic bar.
        public string[] GetObjectDataK4(int mode, int record)
        {
            IntPtr[] p = new IntPtr[14];
            lock (Native.Sync) return Results(Native.ZanGetObjectDataK4(mode, record, p), p, "ZanGetObjectDataK4");
        }

        // ==================================================================
        // Conversions
        // ==================================================================

        // Room for any field name the library writes back (it writes at most 12
        // bytes into the fieldName of a read by position, 7 for a mail field).
        private const int FieldNameBuffer = 32;

        // A fresh writable NUL-terminated copy of text, at least minimum bytes;
        // null for null.
        internal byte[] Encode(string text, int minimum = 0)
        {
            if (text == null) return null;
            int n = encoding.GetByteCount(text);
            byte[] b = new byte[Math.Max(n + 1, minimum)];
            encoding.GetBytes(text, 0, text.Length, b, 0);
            return b;
        }

        private byte[][] EncodeAll(params string[] texts)
        {
            byte[][] b = new byte[texts.Length][];
            for (int i = 0; i < texts.Length; ++i) b[i] = Encode(texts[i]);
            return b;
        }

        // The length given, else the encoded length of the text (0 for null).
        private static int Length(byte[] text, int? length)
        {
            if (length.HasValue) return length.Value;
            return text == null ? 0 : text.Length - 1;
        }

        // A copy of the NUL-terminated text at p; null for a null pointer.
        internal string Decode(IntPtr p)
        {
            if (p == IntPtr.Zero) return null;
            int n = 0;
            while (Marshal.ReadByte(p, n) != 0) ++n;
            if (n == 0) return "";
            byte[] b = new byte[n];
            Marshal.Copy(p, b, 0, n);
            return encoding.GetString(b);
        }

        // The text of a char array up to its first NUL.
        internal string Decode(byte[] b)
        {
            int n = Array.IndexOf(b, (byte)0);
            return encoding.GetString(b, 0, n < 0 ? b.Length : n);
        }

        private AttributeInfo Attribute(ref Native.AttributeRecord a)
        {
            return new AttributeInfo(Decode(a.setName), Decode(a.fieldName), Decode(a.length), Decode(a.description));
        }

        private string Result(int rc, IntPtr text, string function)
        {
            Check(rc, function);
            return Decode(text);
        }

        private string[] Results(int rc, IntPtr[] texts, string function)
        {
            Check(rc, function);
            string[] s = new string[texts.Length];
            for (int i = 0; i < texts.Length; ++i) s[i] = Decode(texts[i]);
            return s;
        }

        // Called with the lock held, so the message is that of this failure.
        private void Check(int rc, string function)
        {
            if (rc == 0) return;
            Native.MessageRecord m = Native.MessageRecord.Create();
            if (Native.ZanGetErrorMessage(rc, ref m) == 0)
                throw new KelmodException(function, rc, Decode(m.type), Decode(m.shortText), Decode(m.longText));
            throw new KelmodException(function, rc, "", "", "");
        }
    }
}
