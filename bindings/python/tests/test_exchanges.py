"""Every family's exchange through kelmod.Toolbox gives the values that
examples/host.c gets for the same steps, and the whole run prints the same
files."""
import os
import subprocess

import pytest

import host_exchanges as host
import kelmod
from conftest import EXAMPLES

RECORDS = [("100-100", "Hexagon head bolt M8x40", "ST", "0.021"),
           ("100-200", "Washer 8.4", "ST", "0.002"),
           ("200-310", "Bearing housing, cast iron", "ST", "4.750")]
BOLTS = [("BOLT-M8x40", "8", "40", "01.01.2020"), ("BOLT-M10x50", "10", "50", "01.06.2021")]
BAR = [("OBJEKT", "", "", 30, 11, 0), ("Diameter", "D", "mm", 6, 8, 1),
       ("Length", "L", "mm", 6, 6, 0), ("Since", "SINCE", "", 10, 10, 0)]

EXCHANGES = {
    host.start: ("3.1G", [";", "46C ", "X", "Y", "KELMHOST", "Z"]),
    host.generic: (
        "100-*             1000200-*             2000", 222,
        [list(zip(("MATNR", "MAKTX", "MEINS", "BRGEW"), record)) for record in RECORDS],
        ("ZanGetTableValue", 41, "E", "Field not found", "The table has no field of that name.",
         "ZanGetTableValue returned 41: [E] Field not found - The table has no field of that name."),
    ),
    host.help_list: (
        "MATCH;01;MATNR;1000;", (3, 3, 1), [("Material", 18), ("Description", 40), ("Unit", 3)],
        [[number.ljust(18), text.ljust(40), "ST "] for number, text, _, _ in RECORDS],
    ),
    host.older_bar: (
        "BOLT", 4, 2, [[member + (value,) for member, value in zip(BAR, bolt)] for bolt in BOLTS],
        ";;X;;;;;;", ";;8;mm;40;mm;01.01.2020;;",
    ),
    host.mail: (2, [("MEIER", "DOCDES", "Drawing released"),
                    ("SCHULZ", "DOCDES", "Change request 12")], "F;2024;18;D;2024;4712;"),
    host.newer_release: {
        "class request": "CLASS;001;PUMPS;;;;;;",
        "classes": [("PUMP", "DN", "A", "X", "mm"), ("VALVE", "PN", "B", "X", "bar")],
        "value request": "DN;PN;", "bar": ("PUMPS", 2),
        "objects": [("P-100", "Pump 100", "50", ["16"]), ("P-200", "Pump 200", "80", ["25", "40"])],
        "characteristics": [("DN", "Nominal diameter", "mm", 4, "80"),
                            ("PN", "Nominal pressure", "bar", 3, "25")],
        "choice": "DN;80;;PN;;;", "values": "DN;65;PN;10;PN;16;",
    },
}


@pytest.mark.parametrize("exchange", EXCHANGES, ids=lambda exchange: exchange.__name__)
def test_each_family_exchange_gives_the_values_of_the_c_host(tb, exchange):
    assert exchange(tb) == EXCHANGES[exchange]


def c_host():
    """The example host of this build: KELMOD_HOST, else beside the library."""
    named = os.environ.get("KELMOD_HOST")
    if named:
        return named
    library = kelmod.native.library()._name
    candidate = os.path.join(os.path.dirname(os.path.dirname(library)), "examples", "kelmod_host")
    return candidate if os.path.isfile(candidate) else None


def test_the_whole_host_run_prints_the_same_files_as_the_c_host(tmp_path):
    program = c_host()
    if program is None:
        pytest.skip("the example host is not built (KELMOD_HOST)")
    (tmp_path / "c").mkdir()
    (tmp_path / "python").mkdir()
    subprocess.run([program, str(EXAMPLES), str(tmp_path / "c")], check=True,
                   stdout=subprocess.DEVNULL, timeout=120)
    host.whole_run(kelmod.Toolbox(), tmp_path / "python")
    for _, name in host.PRINTS:
        expected = (tmp_path / "c" / name).read_bytes()
        assert expected, name
        assert (tmp_path / "python" / name).read_bytes() == expected, name
