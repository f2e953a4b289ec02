// The example of README.md: a material request and its answer through
// Kelmod.Toolbox, with the files of examples/.
//   mono KelmodExample.exe EXAMPLES_FOLDER
using System;
using System.IO;
using Kelmod;

internal static class Example
{
    private static void Main(string[] args)
    {
        string dir = args.Length > 0 ? args[0] : "examples";
        string set = Path.Combine(dir, "kelmset.dat"), def = Path.Combine(dir, "kelmdef.dat");

        var tb = new Toolbox(); // Latin-1; new Toolbox(Encoding.UTF8) for UTF-8 hosts
        tb.InitToolbox(1);
        tb.ConfigureToolbox(1, Path.Combine(dir, "kelmmes.dat"));
        tb.FillInterface("46C XY;ZKELMHOST");
        Console.WriteLine("toolbox {0}, release '{1}'", tb.ToolboxVersion(), tb.DescribeInterface(2));

        // The request: a send table, one value per field, one send string.
        tb.CreateTable(1, "MATRQ", "01", set, def);
        tb.WriteTableValue(1, "MATNR", "100-*", 0);
        tb.WriteTableValue(1, "WERKS", "1000", 0);
        Console.WriteLine("send string '{0}'", tb.CreateSendstr());

        // The backend's answer (canned here) becomes the answer table.
        string answer = File.ReadAllText(Path.Combine(dir, "answer.txt"), Toolbox.Latin1);
        tb.CreateFillTable(2, "MATAN", "01", set, def, answer);
        int records = int.Parse(tb.DescribeTable(2));
        for (int r = 1; r <= records; ++r)
            Console.WriteLine("  {0}  {1,-26}  {2}", tb.GetTableValue(2, "MATNR", r), tb.GetTableValue(2, "MAKTX", r),
                              tb.GetTableValue(2, "BRGEW", r));

        // Fields by position, with the name the library writes back.
        string field, value;
        tb.GetAttributNameValue(2, 3, 1, out field, out value);
        Console.WriteLine("field 3 of record 1: {0} = '{1}'", field, value);

        // No value at record 4 is an answer (null); an unknown field a failure.
        Console.WriteLine("MATNR of record 4: {0}", tb.GetTableValue(2, "MATNR", 4) ?? "null");
        try
        {
            tb.GetTableValue(2, "NOSUCH", 1);
        }
        catch (KelmodException e)
        {
            Console.WriteLine("{0}: code {1}, [{2}] {3} - {4}", e.Function, e.Code, e.TypeLetter, e.ShortText,
                              e.LongText);
        }
        tb.InitToolbox(2);
    }
}
