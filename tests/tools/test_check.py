"""kelmod check: description files and the message file read as the toolbox reads them.

Each finding is `PATH:LINE: error|warning: TEXT` on standard output; the files are
written into tmp_path and named relative to it, so PATH is the bare file name.
"""
import re

import pytest

FINDING = re.compile(r"^(?P<path>[^:]+):(?P<line>\d+): (?P<severity>error|warning): (?P<text>.+)$")

SAMPLES = ["kelmset.dat", "kelmdef.dat", "kelmtab.dat", "kelmmes.dat"]
OPTIONS = {"kelmset.dat": "--sets", "kelmdef.dat": "--fields", "kelmtab.dat": "--index",
           "kelmmes.dat": "--messages"}

SET_OK = "  MATRQ  01  U  SMAT001"
DEF_OK = "  SMAT001 MATNR               18Material number"
TAB_OK = "D 001 DOCAN 01 DDOC001 DOKNR      25"


def write(directory, name, lines, end="\n"):
    data = b"".join((line.encode("latin-1") if isinstance(line, str) else line) + end.encode()
                    for line in lines)
    (directory / name).write_bytes(data)
    return name


def findings(result):
    """(path, line, severity, text) of every stdout line; fails on any other line."""
    out = []
    for line in result.text.splitlines():
        m = FINDING.match(line)
        assert m, f"not a finding line: {line!r}"
        out.append((m["path"], int(m["line"]), m["severity"], m["text"]))
    return out


@pytest.mark.parametrize("end", ["\n", "\r\n"])
def test_sample_files_give_no_findings(kelmod, examples, tmp_path, end):
    for name in SAMPLES:
        text = (examples / name).read_bytes().decode("latin-1").splitlines()
        write(tmp_path, name, text, end)
    args = [a for name in SAMPLES for a in (OPTIONS[name], name)]
    r = kelmod("check", *args, cwd=tmp_path)
    assert (r.status, r.out, r.err) == (0, b"", b""), r


FORMAT_CASES = [
    # set index file
    ("--sets", [SET_OK, "  MATRQ  01  U  SMAT002"],
     [(2, "error", ["given again, with set 'SMAT002'", "never read"])]),
    ("--sets", [SET_OK, SET_OK], [(2, "warning", ["given again (first on line 1", "never read"])]),
    ("--sets", ["  MATRQ  01"], [(1, "error", ["ends at column 11", "never selects"])]),
    ("--sets", ["  MATRQ  01  u  SMAT001"], [(1, "error", ["'u'", "neither U nor D"])]),
    ("--sets", ["  MATRQ  01  D"], [(1, "error", ["empty set name", "every line"])]),
    ("--sets", ["  MATRQ  01  D  SMAT0"],
     [(1, "error", ["'SMAT0' stops at column 21", "no fields"])]),
    ("--sets", ["  MATREQ 01  U  SMAT001"], [(1, "warning", ["column 8", "'MATRE'", "shifted"])]),
    ("--sets", ["# MATRQ 01  U  SMAT001"], [(1, "warning", ["column 1 holds '#'"]),
                                            (1, "error", ["' ' in column 14"])]),
    ("--sets", ["  MATRQ  01  U  SMAT0012"],
     [(1, "warning", ["after column 23 ('2')", "'SMAT001'"])]),
    ("--sets", [SET_OK + " " * 240], [(1, "warning", ["263 bytes", "255", "after column 23"])]),
    # field definition file
    ("--fields", ["  SMAT001 WERKS               4xPlant"],
     [(1, "error", ["' 4x' in columns 30-32 is not a number", "width 4", "'WERKS'"])]),
    ("--fields", ["  SMAT001 WERKS                 Plant"], [(1, "error", ["blank", "width 0"])]),
    ("--fields", ["  SMAT001 WERKS              000Plant"],
     [(1, "warning", ["width 0", "cut to nothing"])]),
    ("--fields", ["  SMAT001"], [(1, "error", ["ends at column 9", "field name", "width 0"])]),
    ("--fields", ["  SMAT001 WERKS"], [(1, "error", ["ends at column 15", "length", "width 0"])]),
    ("--fields", ["  SMAT001" + " " * 20 + " 18Plant"],
     [(1, "error", ["field name in columns 11-21 is blank", "width 18"])]),
    ("--fields", ["  SMAT001 MAT NR              18Plant"],
     [(1, "warning", ["'MAT NR'", "'MATNR'"])]),
    ("--fields", ["  SMAT001 MATERIALNUMBER      18Plant"],
     [(1, "warning", ["column 22", "'MATERIALNUM'", "shifted"])]),
    ("--fields", ["AB", "*  SMAT001 ignored"],
     [(1, "warning", ["before the set name", "skips it"])]),
    ("--fields", ["     "], [(1, "warning", ["only blanks"])]),
    ("--fields", [DEF_OK + "x" * 30], [(1, "warning", ["past column 72", "'xxxxx"])]),
    ("--fields", [DEF_OK, "  SOTHER1 WERKS                4Plant", "  SMAT001 MEINS                3Unit"],
     [(3, "warning", ["'SMAT001' continues", "line 1", "'MEINS' follows field 'MATNR'"])]),
    # table index file
    ("--index", ["U" + TAB_OK[1:]], [(1, "warning", ["direction U", "never uses"])]),
    ("--index", ["d" + TAB_OK[1:]], [(1, "error", ["'d'", "never selects"])]),
    ("--index", ["D 001 DOCAN 01 DDOC001 DOKAR      3x"], [(1, "error", ["'3x'", "width 3"])]),
    ("--index", ["D 001 DOCAN 01 DDOC001 DOKAR      1000"],
     [(1, "warning", ["after column 37 ('0')", "'100'"])]),
    ("--index", ["D 001 DOCAN 01 DDOC001 DOKAR      0"], [(1, "warning", ["width 0"])]),
    ("--index", ["D 001 DOCAN 01 DDOC001"], [(1, "error", ["ends at column 22", "field name"])]),
    ("--index", ["D 001 DOCAN 01 DDOC001 DOKAR"], [(1, "error", ["ends at column 28", "length"])]),
    ("--index", [TAB_OK, "D 001 DOCAN 01 DDOC002 DOKAR      3"],
     [(2, "warning", ["'DDOC002' differs", "line 1", "joins table D 'DOCAN' '01'"])]),
    ("--index", [TAB_OK, "D 001 OTHER 01 DDOC001 DOKAR      3", "D 001 DOCAN 01 DDOC001 DKTXT      40"],
     [(3, "warning", ["continues here", "line 1", "'DKTXT' follows field 'DOKNR'"])]),
    ("--index", [TAB_OK, TAB_OK], [(2, "warning", ["'DOKNR'", "given twice (first on line 1)"])]),
    # message file
    ("--messages", ["Errors follow", "E 000 I No error                   Fine."],
     [(1, "error", ["'ror'", "code 0 and hands out"]),
      (2, "warning", ["code 0 is given again (first on line 1"])]),
    ("--messages", ["E 000 I No error                   Fine.", "E 0 1 E Gap                        x"],
     [(2, "error", ["'0 1'", "line 1 comes first", "never used"])]),
    ("--messages", ["E 041 E Field not found            A", "E 041 E Other text                 B"],
     [(2, "warning", ["code 41 is given again (first on line 1)", "never used"])]),
    ("--messages", ["e 041 E Field not found            A", "* 041 E comment"],
     [(1, "warning", ["begins with 'e'", "ignores"])]),
    ("--messages", ["E 041"], [(1, "error", ["type letter", "code 41"])]),
    ("--messages", ["E 041   No type                    A"], [(1, "error", ["blank type letter"])]),
    ("--messages", ["E 041 E Field not found"],
     [(1, "warning", ["ends at column 23", "empty long text for code 41"])]),
    ("--messages", ["E 0411 E Shifted                   A"],
     [(1, "error", ["blank type letter"]), (1, "warning", ["column 6", "code 41", "shifted"])]),
    ("--messages", ["E 041 E This short text runs too far into it"],
     [(1, "warning", ["column 35 ('a')", "'This short text runs too f'"])]),
    ("--messages", ["E 041 E Field not found            " + "x" * 250],
     [(1, "warning", ["285 bytes", "221"])]),
    ("--messages", [b"E 041 E Field not found            A\0B"],
     [(1, "warning", ["NUL byte at column 37"])]),
    ("--messages", ["E 041 E Field\tnot found            A"],
     [(1, "warning", ["tab at column 14"])]),
]


@pytest.mark.parametrize("option, lines, expected", FORMAT_CASES)
def test_each_broken_line_is_reported(kelmod, tmp_path, option, lines, expected):
    name = write(tmp_path, "file.dat", lines)
    r = kelmod("check", option, name, cwd=tmp_path)
    got = findings(r)
    assert [(p, n, s) for p, n, s, _ in got] == [(name, n, s) for n, s, _ in expected], r
    for (_, _, _, text), (_, _, words) in zip(got, expected):
        for word in words:
            assert word in text, (word, text)
    errors = sum(1 for _, s, _ in expected if s == "error")
    assert r.status == (1 if errors else 0), r
    warnings = len(expected) - errors
    summary = (f"kelmod check: {errors} error{'' if errors == 1 else 's'}, "
               f"{warnings} warning{'' if warnings == 1 else 's'}")
    assert r.error_text.splitlines() == [summary], r


def test_exact_text_of_a_field_defined_twice(kelmod, tmp_path):
    write(tmp_path, "kelmdef.dat", ["* fields", DEF_OK, "  SMAT001 WERKS                4Plant", DEF_OK])
    r = kelmod("check", "--fields", "kelmdef.dat", cwd=tmp_path)
    assert r.status == 0, r
    assert r.text == ("kelmdef.dat:4: warning: field 'MATNR' of set 'SMAT001' is defined twice (first on "
                      "line 2); a table of that set gets both fields, each taking its width in data and "
                      "send strings, and reads and writes by name find only the first\n")


def test_sets_against_field_definitions(kelmod, tmp_path):
    write(tmp_path, "sets.dat", [SET_OK, "  MATAN  01  D  DMAT001", "  BOMHD  01  U  SBOM001"])
    write(tmp_path, "defs.dat", [DEF_OK, "  dmat001 MATNR               18Material number",
                                 "  SOTHER1 MATNR               18Material number",
                                 "  SOTHER1 WERKS                4Plant"])
    r = kelmod("check", "--sets", "sets.dat", "--fields", "defs.dat", cwd=tmp_path)
    assert r.status == 1, r
    assert r.text.splitlines() == [
        "sets.dat:2: error: set 'DMAT001' has no field definition line in defs.dat (columns 3-9 are "
        "compared with the set name exactly, blanks included); the toolbox creates the table of name "
        "'MATAN', key '01', direction D without fields, so filling it from a data string returns 4 "
        "(line 2 there has set 'dmat001', which differs only in blanks or case)",
        "sets.dat:3: error: set 'SBOM001' has no field definition line in defs.dat (columns 3-9 are "
        "compared with the set name exactly, blanks included); the toolbox creates the table of name "
        "'BOMHD', key '01', direction U without fields, so building its send string returns 7",
        "defs.dat:2: warning: set 'dmat001' is named by no line of sets.dat; no table created through "
        "that set index file gets its field",
        "defs.dat:3: warning: set 'SOTHER1' is named by no line of sets.dat; no table created through "
        "that set index file gets its 2 fields",
    ]
    # Each file alone has nothing to compare with.
    for option, name in (("--sets", "sets.dat"), ("--fields", "defs.dat")):
        r = kelmod("check", option, name, cwd=tmp_path)
        assert (r.status, r.out) == (0, b""), r


def test_message_codes_are_read_as_the_toolbox_reads_them(kelmod, tmp_path):
    # The checker's reading of the code column agrees with ZanGetErrorMessage: "4x1" is code 4
    # and " -2" is code 0, since a sign is not a digit (both errors), and of two lines with one
    # code the first is handed out.
    write(tmp_path, "mes.dat", ["E 4x1 E Bad code                   First.",
                                "E  -2 W No value                   Signed.",
                                "E 041 E Field not found            Kept.",
                                "E 041 E Field not found            Lost."])
    r = kelmod("check", "--messages", "mes.dat", cwd=tmp_path)
    assert [(n, s) for _, n, s, _ in findings(r)] == [(1, "error"), (2, "error"),
                                                      (4, "warning")], r
    assert "as code 4 " in findings(r)[0][3]
    assert "(a sign is not a digit: no message line can hold a negative code)" in findings(r)[1][3]
    assert "as code 0 " in findings(r)[1][3]
    r = kelmod("message", "--file", "mes.dat", "--", "4", "0", "-2", "41", cwd=tmp_path)
    assert r.text.splitlines() == ["4 [E] Bad code: First.", "0 [W] No value: Signed.",
                                   "-2 [X] TB0-2 Error in toolbox",
                                   "41 [E] Field not found: Kept."], r


def test_paths_are_named_as_given(kelmod, tmp_path):
    # An absolute path (one beginning with "/" too) is a file, and findings name it as given.
    write(tmp_path, "mes.dat", ["E 041"])
    path = str(tmp_path / "mes.dat")
    r = kelmod("check", "--messages", path)
    assert r.status == 1 and r.text.startswith(path + ":1: error: line ends at column 5"), r
    r = kelmod("check", "--messages", "-", input=b"E 041\n")
    assert r.status == 1 and r.text.startswith("-:1: error: line ends at column 5"), r


def test_bad_command_lines_and_missing_files(kelmod, tmp_path):
    (tmp_path / "folder").mkdir()
    write(tmp_path, "ok.dat", [SET_OK])
    for args, status, named in [
        ((), 64, None),
        (("--sets",), 64, None),
        (("--frob", "ok.dat"), 64, None),
        (("--sets", "-", "--fields", "-"), 64, None),
        (("--sets", "ok.dat", "--fields", "absent.dat"), 66, "absent.dat"),
        (("--messages", "folder"), 66, "folder"),
    ]:
        r = kelmod("check", *args, cwd=tmp_path)
        assert r.status == status and r.out == b"", (args, r)
        if named:
            assert named in r.error_text, r
    r = kelmod("check", "--help")
    assert r.status == 0 and all(o in r.text for o in OPTIONS.values()), r
