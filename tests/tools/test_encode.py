"""kelmod encode: records laid out at the field widths of a set, as a send string (U) or as a
received data string (D)."""
import json
import re

import pytest


def widths(definitions, set_name):
    """(field, width) of a set, read from a field definition file by its columns."""
    fields = []
    for line in definitions.read_text(encoding="latin-1").splitlines():
        if line[:1] != "*" and line[2:9].rstrip() == set_name:
            fields.append((line[10:21].strip(), int(line[29:32].strip() or 0)))
    return fields


def layout(fields, records):
    """The fixed-width image: each record's values padded or cut to their widths, no separators."""
    return b"".join(
        record.get(name, b"").ljust(width)[:width] for record in records for name, width in fields
    )


def args(examples, name, direction, *rest):
    return ["encode", "--set", name, "--key", "01", "--direction", direction,
            "--sets", examples / "kelmset.dat", "--fields", examples / "kelmdef.dat", *rest]


@pytest.fixture
def own_set(tmp_path):
    """A set TXT/01 of fields A (5) and B (4), in both directions."""
    (tmp_path / "sets.dat").write_text("  TXT    01  U  STXT001\n  TXT    01  D  STXT001\n")
    (tmp_path / "defs.dat").write_text("".join(
        f"  STXT001 {name:<19}{width:>3}{text}\n" for name, width, text in
        (("A", 5, "First"), ("B", 4, "Second"))))
    return ["--set", "TXT", "--key", "01", "--sets", tmp_path / "sets.dat",
            "--fields", tmp_path / "defs.dat"]


def test_send_string_from_csv_and_json(kelmod, host, examples, tmp_path):
    fields = widths(examples / "kelmdef.dat", "SMAT001")
    records = [{"MATNR": b"100-*", "WERKS": b"1000"}, {"MATNR": b"200-*", "WERKS": b"2000"}]
    expected = layout(fields, records)
    assert len(expected) == 2 * 22
    # The example host builds the same request through the same exports.
    shown = re.search(r"send string  '([^']*)'", host(examples, tmp_path).out.decode("latin-1"))
    assert shown and shown.group(1).encode("latin-1") == expected
    csv_file = tmp_path / "in.csv"
    csv_file.write_bytes(b"WERKS,MATNR\r\n1000,100-*\r\n2000,200-*\r\n")
    for source in ([csv_file], ["-"], []):
        r = kelmod(*args(examples, "MATRQ", "U", *source), input=csv_file.read_bytes())
        assert (r.status, r.out, r.err) == (0, expected, b""), source
    document = {"records": [{"MATNR": "100-*", "WERKS": "1000"}, {"MATNR": "200-*"}]}
    r = kelmod(*args(examples, "MATRQ", "U"), input=b"\n  " + json.dumps(document).encode())
    records[1]["WERKS"] = b""
    assert (r.status, r.out) == (0, layout(fields, records)), r
    # No records: an empty send string.
    r = kelmod(*args(examples, "MATRQ", "U"), input=b"MATNR,WERKS\n")
    assert (r.status, r.out) == (0, b""), r


def test_received_string_is_the_canned_answer(kelmod, examples):
    fields = widths(examples / "kelmdef.dat", "DMAT001")
    rows = [[b"100-100", b"Hexagon head bolt M8x40", b"ST", b"        0.021"],
            [b"100-200", b"Washer 8.4", b"ST", b"        0.002"],
            [b"200-310", b"Bearing housing, cast iron", b"ST", b"        4.750"]]
    records = [dict(zip([n for n, _ in fields], row)) for row in rows]
    csv_text = b"MATNR,MAKTX,MEINS,BRGEW\n" + b"".join(
        b",".join(b'"' + v + b'"' if b"," in v else v for v in row) + b"\n" for row in rows)
    r = kelmod(*args(examples, "MATAN", "d"), input=csv_text)
    assert r.status == 0, r
    assert r.out == layout(fields, records) == (examples / "answer.txt").read_bytes()


def test_csv_quoting_and_latin1_bytes(kelmod, own_set):
    csv_text = b'B,A\r\n"x,""y",plain\r\n"t\nw","\xe9t\xe9"\n'
    for direction in ("U", "D"):
        r = kelmod("encode", *own_set, "--direction", direction, input=csv_text)
        assert (r.status, r.out) == (0, b'plainx,"y' + b"\xe9t\xe9  t\nw "), r
    document = json.dumps({"records": [{"A": "café", "B": "ñ"}]}, ensure_ascii=False).encode()
    r = kelmod("encode", *own_set, "--direction", "D", input=document)
    assert (r.status, r.out) == (0, b"caf\xe9 \xf1   "), r
    # A name that starts with "{" read as CSV when forced; CSV text forced to JSON is malformed.
    r = kelmod("encode", *own_set, "--direction", "D", "--input-format", "csv", input=b"{A}\nx\n")
    assert r.status == 65 and "'{A}'" in r.error_text, r
    r = kelmod("encode", *own_set, "--direction", "D", "--input-format", "json", input=b"A\nx\n")
    assert r.status == 65, r


def test_too_long_values_are_cut_with_a_warning(kelmod, own_set):
    for direction in ("U", "D"):
        r = kelmod("encode", *own_set, "--direction", direction, input=b"A,B\nABCDEFG,12345\n")
        assert (r.status, r.out) == (0, b"ABCDE1234"), r
        assert r.error_text.count("warning") == 2 and "A (7 characters)" in r.error_text, r


@pytest.mark.parametrize("given, names", [
    (b"A,NOSUCH\n1,2\n", "'NOSUCH'"),
    (b'{"records": [{"A": "1"}, {"ZZ": "2"}]}', "'ZZ' in JSON record 2"),
    (b'{"records": [{"A": null}]}', "'A' is a null"),
    (b'{"records": [{"A": "\\u0100"}]}', "record 1, field 'A'"),
    (b'{"rows": []}', '"records"'),
    (b"A,B\n1\n", "CSV line 2 has 1 fields"),
    (b'A,B\n"1"x,2\n', "CSV line 2"),
    (b'A\n1\n"open\n\n', "CSV line 3: a quoted field is not closed"),
    (b"A,A\n1,2\n", "names 'A' twice"),
    (b" \r\n", "empty"),
])
def test_malformed_input(kelmod, own_set, given, names):
    r = kelmod("encode", *own_set, "--direction", "D", input=given)
    assert (r.status, r.out) == (65, b""), r
    assert names in r.error_text, r


def test_bad_command_lines_missing_files_and_toolbox_codes(kelmod, examples, own_set, tmp_path):
    for bad in (["--direction", "X"], ["--direction", "U", "--set", "TOOLONG"],
                ["--direction", "U", "--key", "123"], ["--direction", "U", "--input-format", "xml"]):
        r = kelmod("encode", *own_set, *bad, input=b"A\n1\n")
        assert r.status == 64, (bad, r)
    r = kelmod("encode", "--set", "TXT", "--direction", "U", input=b"A\n1\n")
    assert r.status == 64, r
    r = kelmod(*args(examples, "MATRQ", "U", tmp_path / "absent.csv"))
    assert r.status == 66 and "absent.csv" in r.error_text, r
    r = kelmod("encode", *own_set[:4], "--direction", "U", "--sets", tmp_path / "nosets.dat",
               "--fields", examples / "kelmdef.dat", input=b"A\n1\n")
    assert r.status == 66 and "nosets.dat" in r.error_text, r
    r = kelmod("encode", *own_set[:-1], tmp_path / "nodefs.dat", "--direction", "U", input=b"A\n")
    assert r.status == 66 and "nodefs.dat" in r.error_text, r
    # The set exists for D only: the toolbox's code 1 with its text from the message file.
    r = kelmod(*args(examples, "MATAN", "U"), input=b"MATNR\n1\n",
               env={"KELMMES": str(examples / "kelmmes.dat")})
    assert r.status == 2 and "returned 1: [E] Set name not found" in r.error_text, r


def test_round_trip_through_decode(kelmod, examples):
    if b"kelmod decode" not in kelmod("decode", "--help").out:
        pytest.skip("kelmod decode is not built")
    document = {"records": [{"MATNR": "100-100", "MAKTX": "Ölpumpe, groß", "MEINS": "ST",
                             "BRGEW": "0.5"}, {"MATNR": "X", "MAKTX": "", "MEINS": "", "BRGEW": ""}]}
    r = kelmod(*args(examples, "MATAN", "D"), input=json.dumps(document).encode())
    assert r.status == 0, r
    back = kelmod("decode", "table", "--set", "MATAN", "--key", "01", "--sets",
                  examples / "kelmset.dat", "--fields", examples / "kelmdef.dat",
                  "--format", "json", "-", input=r.out)
    assert back.status == 0 and json.loads(back.out) == document, back
