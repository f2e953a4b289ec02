"""Per-call cost of the binding: get_table_value over a 10 000-record table,
through kelmod.Toolbox, through the raw kelmod.native call, and in C.

    KELMOD_LIBRARY=build/default/src/libkelmod.so.3 python3 bindings/python/benchmarks/overhead.py

The C loop (overhead.c) is compiled with cc when there is one. Each figure is
the best of several rounds, in nanoseconds per call.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
from ctypes import byref, c_char_p, create_string_buffer
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent))
REPOSITORY = HERE.parents[2]
EXAMPLES = Path(os.environ.get("KELMOD_EXAMPLES", REPOSITORY / "examples"))

import kelmod  # noqa: E402

RECORDS = 10_000
ROUNDS = 7
SETS, FIELDS = str(EXAMPLES / "kelmset.dat"), str(EXAMPLES / "kelmdef.dat")


def answer(records):
    """A received string of the MATAN layout (widths 18, 40, 3, 13)."""
    return "".join(
        f"{f'M-{k}':<18}{f'Material number {k}':<40}{'ST':<3}{k / 1000:>13.3f}"
        for k in range(1, records + 1)
    )


def best(loop):
    times = []
    for _ in range(ROUNDS):
        start = time.perf_counter_ns()
        loop()
        times.append((time.perf_counter_ns() - start) / RECORDS)
    return min(times)


def main():
    data = answer(RECORDS)
    tb = kelmod.Toolbox()
    tb.init_toolbox(1)
    tb.create_fill_table(2, "MATAN", "01", SETS, FIELDS, data)
    assert tb.describe_table(2) == str(RECORDS)
    assert tb.get_table_value(2, "MAKTX", RECORDS) == f"Material number {RECORDS}"

    def through_toolbox():
        get = tb.get_table_value
        for record in range(1, RECORDS + 1):
            get(2, "MAKTX", record)

    def through_native():
        get = kelmod.native.ZanGetTableValue
        value = c_char_p()
        out = byref(value)
        for record in range(1, RECORDS + 1):
            field = create_string_buffer(b"MAKTX")
            get(2, field, record, out)
            value.value.decode("latin-1")

    def native_call_only():
        get = kelmod.native.ZanGetTableValue
        field = create_string_buffer(b"MAKTX")
        out = byref(c_char_p())
        for record in range(1, RECORDS + 1):
            get(2, field, record, out)

    results = {
        "kelmod.Toolbox.get_table_value": best(through_toolbox),
        "kelmod.native, fresh buffer, value decoded": best(through_native),
        "kelmod.native, call alone": best(native_call_only),
    }
    tb.init_toolbox(2)

    compiler = shutil.which("cc") or shutil.which("gcc")
    if compiler:
        with tempfile.TemporaryDirectory() as folder:
            program = Path(folder) / "overhead"
            subprocess.run([compiler, "-O2", "-I", str(REPOSITORY / "include"),
                            str(HERE / "overhead.c"), "-o", str(program), "-ldl"], check=True)
            (Path(folder) / "data.txt").write_bytes(data.encode("latin-1"))
            printed = subprocess.run(
                [str(program), kelmod.native.library()._name, SETS, FIELDS,
                 str(Path(folder) / "data.txt"), str(RECORDS), str(ROUNDS)],
                stdout=subprocess.PIPE, text=True, check=True).stdout
            results["C host (overhead.c)"] = float(printed)

    print(f"get_table_value over {RECORDS} records, best of {ROUNDS} rounds "
          f"(Python {sys.version.split()[0]}, {kelmod.native.library()._name}):")
    for name, nanoseconds in results.items():
        print(f"  {name:<44} {nanoseconds:8.0f} ns/call")


if __name__ == "__main__":
    main()
