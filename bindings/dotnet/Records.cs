// The records the toolbox hands back, as immutable classes with string
// members: copies made while the call still held the lock, so they stay valid
// whatever the library does with its own buffers afterwards.
using System;
using System.Collections.Generic;
using System.Collections.ObjectModel;

namespace Kelmod
{
    // A line of the message file (ZanGetErrorMessage).
    public sealed class ErrorMessage
    {
        public ErrorMessage(int code, string typeLetter, string shortText, string longText)
        {
            Code = code;
            TypeLetter = typeLetter;
            ShortText = shortText;
            LongText = longText;
        }

        public int Code { get; }
        public string TypeLetter { get; }
        public string ShortText { get; }
        public string LongText { get; }

        public override string ToString()
        {
            return string.Format("[{0}] {1} - {2}", TypeLetter, ShortText, LongText);
        }
    }

    // One field definition (ZanGetAttributName, ZanSearchAttribut). The set name
    // and length are the columns as they stand in the file, blanks included.
    public sealed class AttributeInfo
    {
        public AttributeInfo(string setName, string fieldName, string length, string description)
        {
            SetName = setName;
            FieldName = fieldName;
            Length = length;
            Description = description;
        }

        public string SetName { get; }
        public string FieldName { get; }
        public string Length { get; }
        public string Description { get; }
    }

    // One characteristic with one of its values (help, matchcode, mail and
    // older characteristic-bar reads).
    public sealed class Characteristic
    {
        internal Characteristic(Toolbox t, ref Native.CharacteristicData d)
        {
            Name = t.Decode(d.name);
            FieldName = t.Decode(d.fieldName);
            DinLetter = t.Decode(d.dinLetter);
            Input = t.Decode(d.input);
            Unit = t.Decode(d.unit);
            Format = t.Decode(d.format);
            Template = t.Decode(d.template_);
            Selection = t.Decode(d.selection);
            Parameter = t.Decode(d.parameter);
            Length = d.length;
            Width = d.width;
            Decimals = d.decimals;
            Value = t.Decode(d.value);
        }

        public string Name { get; }
        public string FieldName { get; }
        public string DinLetter { get; }
        public string Input { get; }
        public string Unit { get; }
        public string Format { get; }
        public string Template { get; }
        public string Selection { get; }
        public string Parameter { get; }
        public int Length { get; }
        public int Width { get; }
        public int Decimals { get; }
        public string Value { get; }
    }

    // One characteristic of the characteristic bar of the newer release.
    public sealed class SmlCharacteristic
    {
        internal SmlCharacteristic(Toolbox t, ref Native.SmlCharacteristicData d)
        {
            Name = t.Decode(d.name);
            Description = t.Decode(d.description);
            Mandatory = t.Decode(d.mandatory);
            Inherited = t.Decode(d.inherited);
            Valuated = t.Decode(d.valuated);
            DataType = t.Decode(d.dataType);
            SingleValue = t.Decode(d.singleValue);
            Interval = t.Decode(d.interval);
            AdditionalValues = t.Decode(d.additionalValues);
            Digits = d.digits;
            Decimals = d.decimals;
            Sign = t.Decode(d.sign);
            ExponentDisplay = t.Decode(d.exponentDisplay);
            ExponentFormat = t.Decode(d.exponentFormat);
            Template = t.Decode(d.template_);
            LowerCase = t.Decode(d.lowerCase);
            Unit = t.Decode(d.unit);
            DinLetter = t.Decode(d.dinLetter);
            DocumentType = t.Decode(d.documentType);
            DocumentNumber = t.Decode(d.documentNumber);
            DocumentPart = t.Decode(d.documentPart);
            DocumentVersion = t.Decode(d.documentVersion);
            Views = new ReadOnlyCollection<string>(new[]
            {
                t.Decode(d.view0), t.Decode(d.view1), t.Decode(d.view2), t.Decode(d.view3), t.Decode(d.view4),
                t.Decode(d.view5), t.Decode(d.view6), t.Decode(d.view7), t.Decode(d.view8), t.Decode(d.view9)
            });
            SendText1 = t.Decode(d.sendText1);
            SendText2 = t.Decode(d.sendText2);
            Value = t.Decode(d.value);
        }

        public string Name { get; }
        public string Description { get; }
        public string Mandatory { get; }
        public string Inherited { get; }
        public string Valuated { get; }
        public string DataType { get; }
        public string SingleValue { get; }
        public string Interval { get; }
        public string AdditionalValues { get; }
        public int Digits { get; }
        public int Decimals { get; }
        public string Sign { get; }
        public string ExponentDisplay { get; }
        public string ExponentFormat { get; }
        public string Template { get; }
        public string LowerCase { get; }
        public string Unit { get; }
        public string DinLetter { get; }
        public string DocumentType { get; }
        public string DocumentNumber { get; }
        public string DocumentPart { get; }
        public string DocumentVersion { get; }
        // View 0 to view 9.
        public IReadOnlyList<string> Views { get; }
        public string SendText1 { get; }
        public string SendText2 { get; }
        public string Value { get; }
    }

    // A code other than 0 from an export (other than the codes an export
    // documents as an answer, which Toolbox returns as values), with its texts
    // from the message file.
    public sealed class KelmodException : Exception
    {
        public KelmodException(string function, int code, string typeLetter, string shortText, string longText)
            : base(string.Format("{0} returned {1}: [{2}] {3} - {4}", function, code, typeLetter, shortText, longText))
        {
            Function = function;
            Code = code;
            TypeLetter = typeLetter;
            ShortText = shortText;
            LongText = longText;
        }

        // The export that returned the code, e.g. "ZanGetTableValue".
        public string Function { get; }
        public int Code { get; }
        public string TypeLetter { get; }
        public string ShortText { get; }
        public string LongText { get; }
    }
}
