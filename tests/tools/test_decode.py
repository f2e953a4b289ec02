"""kelmod decode: received strings of every family filled into their tables and read back.

The strings are those of the example host's exchanges (examples/host.c and
examples/answer.txt) and a few more in data/decode. The JSON expected of each
family is built here from its CSV with Python's own csv and json modules.
"""
import csv
import io
import json
from pathlib import Path

import pytest

DATA = Path(__file__).resolve().parent / "data" / "decode"


def run(kelmod, examples, *args, input=None):
    return kelmod("decode", *args, input=input, env={"KELMMES": str(examples / "kelmmes.dat")})


def generic(examples):
    return ["--set", "MATAN", "--key", "01", "--sets", examples / "kelmset.dat",
            "--fields", examples / "kelmdef.dat", examples / "answer.txt"]


OBJECT_TEXTS = "  ".join(f"objectText{i}" for i in range(1, 15))
OBJECT_RULE = "  ".join("-" * len(f"objectText{i}") for i in range(1, 15))

# family, arguments, text form, CSV form (Latin-1).
CASES = {
    "table": (generic, """\
MATNR    MAKTX                       MEINS  BRGEW
-------  --------------------------  -----  -----
100-100  Hexagon head bolt M8x40     ST     0.021
100-200  Washer 8.4                  ST     0.002
200-310  Bearing housing, cast iron  ST     4.750
3 records
""", 'MATNR,MAKTX,MEINS,BRGEW\r\n100-100,Hexagon head bolt M8x40,ST,0.021\r\n'
     '100-200,Washer 8.4,ST,0.002\r\n200-310,"Bearing housing, cast iron",ST,4.750\r\n'),
    "table type 4": (lambda ex: ["--type", "4", "--set", "DOCAN", "--key", "01", "--index",
                                 ex / "kelmtab.dat", DATA / "documents.txt"], """\
DOKNR   DOKAR  DKTXT
------  -----  ---------------
D-4711  DRW    Housing drawing
D-4712  DOC
2 records
""", "DOKNR,DOKAR,DKTXT\r\nD-4711,DRW,Housing drawing\r\nD-4712,DOC,\r\n"),
    "help": (lambda ex: [DATA / "help_columns.txt", "--values", DATA / "help_lines.txt"], """\
Material  Description                 Unit
--------  --------------------------  ----
100-100   Hexagon head bolt M8x40     ST
100-200   Washer 8.4                  ST
200-310   Bearing housing, cast iron  ST
3 records
""", 'Material,Description,Unit\r\n100-100,Hexagon head bolt M8x40,ST\r\n100-200,Washer 8.4,ST\r\n'
     '200-310,"Bearing housing, cast iron",ST\r\n'),
    "matchcode": (lambda ex: [DATA / "matchcode.txt"], """\
ID    SUBID  TEXT01
----  -----  -----------------------
MAT1  01     Material by description
MAT2  02     Material by plant
2 records
""", "ID,SUBID,TEXT01\r\nMAT1,01,Material by description\r\nMAT2,02,Material by plant\r\n"),
    "mail": (lambda ex: [DATA / "mail.txt"], """\
FOLTP  FOLYR  FOLNO  DOCTP  DOCYR  DOCNO  DOCDES            SNDNAM  RECNAM  RECCNT  OBJRD  OBJRR  OBJAC  VMTYP  RESUB  SNDEX
-----  -----  -----  -----  -----  -----  ----------------  ------  ------  ------  -----  -----  -----  -----  -----  -----
F      2024   17     D      2024   4711   Drawing released  MEIER   SCHULZ  1       X
F      2024   18     D      2024   4712   \xc4nderung 12       SCHULZ  MEIER   1
2 records
""", "FOLTP,FOLYR,FOLNO,DOCTP,DOCYR,DOCNO,DOCDES,SNDNAM,RECNAM,RECCNT,OBJRD,OBJRR,OBJAC,VMTYP,RESUB,"
     "SNDEX\r\nF,2024,17,D,2024,4711,Drawing released,MEIER,SCHULZ,1,X,,,,,\r\n"
     "F,2024,18,D,2024,4712,\xc4nderung 12,SCHULZ,MEIER,1,,,,,,\r\n"),
    "bar older form": (lambda ex: ["--interface", "50A   ;", DATA / "bar_older.txt",
                                   "--values", DATA / "bar_older_rows.txt"], """\
OBJEKT       Diameter  Length  Since
-----------  --------  ------  ----------
BOLT-M8x40   8         40      01.01.2020
BOLT-M10x50  10        50      01.06.2021
2 records
""", "OBJEKT,Diameter,Length,Since\r\nBOLT-M8x40,8,40,01.01.2020\r\nBOLT-M10x50,10,50,01.06.2021\r\n"),
    "bar": (lambda ex: [DATA / "bar.txt", "--values", DATA / "bar_values.txt"], """\
DN  PN
--  --
65  10
    16
2 records
""", "DN,PN\r\n65,10\r\n,16\r\n"),
    "objects": (lambda ex: [DATA / "bar.txt", "--values", DATA / "objects.txt"],
                f"{OBJECT_TEXTS}  DN  PN  PN (2)\n{OBJECT_RULE}  --  --  ------\n"
                f"P-100        Pump 100{' ' * 166}50  16\n"
                f"P-200        Pump 200{' ' * 166}80  25  40\n2 records\n",
                f"{OBJECT_TEXTS.replace('  ', ',')},DN,PN,PN (2)\r\n"
                "P-100,Pump 100,,,,,,,,,,,,,50,16,\r\nP-200,Pump 200,,,,,,,,,,,,,80,25,40\r\n"),
    "positions": (lambda ex: [DATA / "bar.txt", "--values", DATA / "positions.txt"], """\
DN  PN
--  --
50  16
    25
2 records
""", "DN,PN\r\n50,16\r\n,25\r\n"),
    "class": (lambda ex: ["--mode", "2", DATA / "class.txt"], """\
name   fieldName  dinLetter  input  unit
-----  ---------  ---------  -----  ----
PUMP   DN         A          X      mm
VALVE  PN         B          X      bar
2 records
""", "name,fieldName,dinLetter,input,unit\r\nPUMP,DN,A,X,mm\r\nVALVE,PN,B,X,bar\r\n"),
    "hierarchy": (lambda ex: [DATA / "hierarchy.txt"], """\
value1  value2  value3             value4  value5  value6
------  ------  -----------------  ------  ------  ------
PUMPS   001     Pumps                      1       X
CENTR   001     Centrifugal pumps  PUMPS   2
2 records
""", "value1,value2,value3,value4,value5,value6\r\nPUMPS,001,Pumps,,1,X\r\n"
     "CENTR,001,Centrifugal pumps,PUMPS,2,\r\n"),
}


def json_of(csv_text):
    rows = list(csv.reader(io.StringIO(csv_text, newline="")))
    records = [dict(zip(rows[0], row)) for row in rows[1:]]
    return (json.dumps({"records": records}, indent=2, ensure_ascii=False) + "\n").encode("utf-8")


@pytest.mark.parametrize("case", CASES)
def test_every_family_in_every_form(kelmod, examples, case):
    args, text, csv_text = CASES[case]
    family = case.split()[0]
    for form, expected in (("text", text.encode("latin-1")), ("csv", csv_text.encode("latin-1")),
                           ("json", json_of(csv_text))):
        r = run(kelmod, examples, family, "--format", form, *args(examples))
        assert (r.status, r.err) == (0, b""), r
        assert r.out == expected, (form, r)


def test_fields_the_name_does_not_reach_are_read_by_position(kelmod, examples):
    # The set has two fields named CODE: the second is read by its position.
    r = run(kelmod, examples, "table", "--format", "csv", "--set", "DUPAN", "--key", "01",
            "--sets", DATA / "dup_sets.dat", "--fields", DATA / "dup_fields.dat", DATA / "dup.txt")
    assert (r.status, r.text) == (0, "CODE,NAME,CODE (2)\r\nA1,Bolt,X01\r\nB2,Nut,X02\r\n"), r


@pytest.mark.parametrize("family, args, data, expected", [
    # A last mail without its second field, and a list without a complete entry.
    ("mail", ["--mail-type", "5"], b"P1;V1;P2;", "PARNAM,PARVAL\r\nP1,V1\r\nP2,\r\n"),
    ("matchcode", [], b"M1;01;", "ID,SUBID,TEXT01\r\n"),
    ("matchcode", ["--mode", "2"], b"Plant;4;Name;20;", "TEXT01,length\r\nPlant,4\r\nName,20\r\n"),
    ("help", ["--mode", "2"], b"A;B;C;", "column1\r\nA\r\nB\r\nC\r\n"),
    ("class", ["--mode", "4"], b"A;B;C;D;E;F;G;", "value1,value2,value3\r\nA,B,C\r\nD,E,F\r\n"),
    ("bar", ["--interface", "46C   ,"], b"H1,H2,H3,H4,H5," + b"L," * 32, "L\r\n"),
])
def test_other_modes_and_answers_that_are_empty_cells(kelmod, examples, family, args, data, expected):
    r = run(kelmod, examples, family, "--format", "csv", *args, input=data)
    assert (r.status, r.text) == (0, expected), r


def test_standard_input(kelmod, examples):
    mail = (DATA / "mail.txt").read_bytes()
    for args in ([], ["-"]):
        r = run(kelmod, examples, "mail", "--format", "csv", *args, input=mail)
        assert r.status == 0 and r.out == CASES["mail"][2].encode("latin-1"), r
    r = run(kelmod, examples, "help", "--format", "csv", DATA / "help_columns.txt", "--values", "-",
            input=(DATA / "help_lines.txt").read_bytes())
    assert r.status == 0 and r.text == CASES["help"][2], r


@pytest.mark.parametrize("family, args, data, message", [
    ("mail", ["--mail-type", "5"], b"P1;V1;P2",
     "kelmod: ZanCreateMailTable returned 64: [E] Mail value unterminated - A received mail value "
     "is not terminated by a separator"),
    ("matchcode", [], b"", "kelmod: ZanCreateFillTableMcd returned 5: [E] Matchcode data not stored"),
    ("positions", [DATA / "bar.txt", "--values", "-"], b"",
     "kelmod: ZanCreateFillPosSmlValueTableK4 returned 12: [E] No position value data"),
])
def test_a_failing_fill_prints_the_code_text(kelmod, examples, family, args, data, message):
    r = run(kelmod, examples, family, *args, input=data)
    assert (r.status, r.out) == (2, b""), r
    assert r.error_text.startswith(message), r


def test_set_not_found_is_a_toolbox_failure(kelmod, examples):
    args = generic(examples)
    args[1] = "NOSET"
    r = run(kelmod, examples, "table", *args)
    assert r.status == 2 and "ZanCreateFillTable returned 1: [E] Set name not found" in r.error_text, r


@pytest.mark.parametrize("args", [
    [], ["bogus"], ["table", "--key", "01"], ["table", "--type", "9", "--set", "MATAN"],
    ["table", "--type", "x"], ["table", "--set", "MATAN", "--key", "01"],
    ["table", "--type", "4", "--set", "DOCAN", "--key", "01", "--sets", "s.dat"],
    ["help", "--mail-type", "2"], ["mail", "--values", "v.txt"], ["mail", "--mail-type", "7"],
    ["matchcode", "--mode", "3"], ["help", "--mode", "2", "--values", "v.txt"],
    ["objects", "--interface", "50A   ;"], ["bar", "--values", "-"], ["mail", "--interface", ""],
])
def test_bad_command_lines(kelmod, examples, args):
    r = run(kelmod, examples, *args, input=b"")
    assert (r.status, r.out) == (64, b""), r


def test_missing_files(kelmod, examples, tmp_path):
    for args in (["mail", tmp_path / "absent.txt"],
                 ["bar", DATA / "bar.txt", "--values", tmp_path / "absent.txt"],
                 ["table", "--set", "MATAN", "--key", "01", "--sets", tmp_path / "absent.txt",
                  "--fields", examples / "kelmdef.dat", examples / "answer.txt"]):
        r = run(kelmod, examples, *args)
        assert (r.status, r.out) == (66, b"") and "absent.txt" in r.error_text, r
