"""Properties of the binding over generated values: send table to received
table, texts through the call trace, threads sharing one toolbox."""
import json
import tempfile
import threading
from pathlib import Path

from hypothesis import given
from hypothesis import settings
from hypothesis import strategies as st

import host_exchanges as host
import kelmod
from conftest import INTERFACE, run_python

BYTE_ALPHABET = st.characters(min_codepoint=1, max_codepoint=255)
BYTE_TEXT = st.text(alphabet=BYTE_ALPHABET)


def received(value, width):
    """A value written to a send table of that field width, sent, received
    into a table of the same layout and read back: cut to the field with its
    trailing blanks dropped, sent and read at most 255 characters long, then
    trimmed of leading and trailing blanks (a final line feed stays)."""
    value = value[:width].rstrip(" ")[:255].lstrip(" ")
    return value[:-1].rstrip(" ") + "\n" if value.endswith("\n") else value.rstrip(" ")


def layout_files(folder, widths):
    """A send set (U) and an answer set (D) of the same fields and widths."""
    sets, fields = folder / "sets.dat", folder / "fields.dat"
    sets.write_text("  TSTRQ  01  U  STST001\n  TSTAN  01  D  DTST001\n")
    fields.write_text("".join(f"  {set_name:<7} {f'F{k}':<11}{'':8}{width:>3}Field {k}\n"
                              for set_name in ("STST001", "DTST001")
                              for k, width in enumerate(widths, start=1)))
    return str(sets), str(fields)


@st.composite
def tables(draw):
    widths = draw(st.lists(st.one_of(st.integers(1, 40), st.sampled_from([255, 256, 300])),
                           min_size=1, max_size=5))
    values = st.one_of(BYTE_TEXT, st.text(alphabet=BYTE_ALPHABET, min_size=250, max_size=320))
    rows = draw(st.lists(st.lists(values, min_size=len(widths), max_size=len(widths)),
                         min_size=1, max_size=4))
    return widths, rows


@settings(max_examples=150)
@given(tables())
def test_values_written_to_a_send_table_come_back_from_a_received_table(table):
    widths, rows = table
    tb = kelmod.Toolbox()
    tb.init_toolbox(2)
    tb.init_toolbox(1)
    with tempfile.TemporaryDirectory() as folder:
        sets, fields = layout_files(Path(folder), widths)
        tb.create_table(1, "TSTRQ", "01", sets, fields)
        for number, row in enumerate(rows):
            for k, value in enumerate(row, start=1):
                tb.write_table_value(1, f"F{k}", value, number)  # 0 first, then appended
        send = tb.create_sendstr()
        assert send == "".join(value[:width].rstrip(" ")[:255].ljust(width)
                               for row in rows for value, width in zip(row, widths))
        tb.create_fill_table(2, "TSTAN", "01", sets, fields, send)
    assert tb.describe_table(2) == str(len(rows))
    for number, row in enumerate(rows, start=1):
        for k, (value, width) in enumerate(zip(row, widths), start=1):
            assert tb.get_table_value(2, f"F{k}", number) == received(value, width)
            assert tb.get_attribut_name_value(2, k, number) == (f"F{k}", received(value, width))
    tb.init_toolbox(2)


TRACED_CALLS = """
import json, sys
import kelmod
texts = json.loads(sys.stdin.read())
tb = kelmod.Toolbox()
tb.init_toolbox(1)
tb.fill_interface(%r)
print(json.dumps([tb.create_sendstr_help(*four) for four in texts]))
kelmod.Toolbox(encoding="cp1252").create_sendstr_help("\u20ac", "", "", "")
""" % INTERFACE


@settings(max_examples=20)
@given(st.lists(st.lists(BYTE_TEXT, min_size=4, max_size=4), min_size=1, max_size=8))
def test_any_text_survives_the_call_trace_as_the_bytes_of_the_encoding(texts):
    with tempfile.TemporaryDirectory() as folder:
        trace = Path(folder) / "trace.jsonl"
        completed = run_python(TRACED_CALLS, env={"KELMOD_TRACE": str(trace)},
                               input=json.dumps(texts))
        assert completed.returncode == 0, completed.stderr
        raw = trace.read_bytes().splitlines()
    assert all(0x20 <= byte < 0x7F for line in raw for byte in line)  # every other byte escaped
    lines = [line for line in map(json.loads, raw) if line["export"] == "ZanCreateSendstrHelp"]
    assert len(lines) == len(texts) + 1
    for four, line, request in zip(texts, lines, json.loads(completed.stdout)):
        assert [line["args"][f"part{k}"] for k in range(1, 5)] == four
        assert line["code"] == 0
        assert line["results"]["sendString"] == request == "".join(t + ";" for t in four)
        assert line["changed"] == {}
    # The euro sign of cp1252 is the byte 0x80, shown as that byte.
    assert b'"part1":"\\u0080"' in raw[-1]
    assert lines[-1]["args"]["part1"].encode("latin-1").decode("cp1252") == "\u20ac"


def test_threads_sharing_a_toolbox_get_consistent_results(tb):
    """Every thread reads values, counts and its own requests through the
    value and send buffers that all threads' calls overwrite."""
    records = host.generic(tb)[2]
    problems = []

    def reader(worker):
        try:
            for round_number in range(300):
                for number, fields in enumerate(records, start=1):
                    problems.extend((worker, name, number) for name, value in fields
                                    if tb.get_table_value(2, name, number) != value)
                mine = f"W{worker}R{round_number}"
                if (tb.describe_table(2), tb.create_sendstr_help(mine, "", "", ""),
                        tb.get_attribut_name_value(2, 2, 3)) != (
                        "3", mine + ";;;;", ("MAKTX", "Bearing housing, cast iron")):
                    problems.append((worker, round_number))
        except Exception as error:  # pragma: no cover - reported below
            problems.append((worker, repr(error)))

    workers = [threading.Thread(target=reader, args=(k,)) for k in range(6)]
    for worker in workers:
        worker.start()
    for worker in workers:
        worker.join()
    assert problems == []
