"""Every family's exchange through kelmod.Toolbox gives the values that
examples/host.c gets for the same steps."""
import os
import subprocess

import pytest

import host_exchanges as host
import kelmod
from conftest import EXAMPLES


def test_start_reads_back_the_interface_record(tb):
    version, interface = host.start(tb)
    assert version == "3.1G"
    assert interface == [";", "46C ", "X", "Y", "KELMHOST", "Z"]


def test_generic_exchange_sends_the_request_and_reads_the_answer_by_name_and_position(tb):
    send, answer_length, records, missing = host.generic(tb)
    assert send == "100-*             1000200-*             2000"
    assert answer_length == 222
    assert records == [
        [("MATNR", "100-100"), ("MAKTX", "Hexagon head bolt M8x40"), ("MEINS", "ST"),
         ("BRGEW", "0.021")],
        [("MATNR", "100-200"), ("MAKTX", "Washer 8.4"), ("MEINS", "ST"), ("BRGEW", "0.002")],
        [("MATNR", "200-310"), ("MAKTX", "Bearing housing, cast iron"), ("MEINS", "ST"),
         ("BRGEW", "4.750")],
    ]
    assert (missing.export, missing.code, missing.type_letter) == ("ZanGetTableValue", 41, "E")
    assert (missing.short_text, missing.long_text) == (
        "Field not found",
        "The table has no field of that name.",
    )
    assert str(missing) == (
        "ZanGetTableValue returned 41: [E] Field not found - The table has no field of that name."
    )


def test_help_exchange_gives_titles_widths_and_padded_entries(tb):
    request, dimensions, titles, rows = host.help_list(tb)
    assert request == "MATCH;01;MATNR;1000;"
    assert dimensions == (3, 3, 1)
    assert [(title.name, title.length) for title in titles] == [
        ("Material", 18), ("Description", 40), ("Unit", 3)]
    assert rows == [
        ["100-100".ljust(18), "Hexagon head bolt M8x40".ljust(40), "ST "],
        ["100-200".ljust(18), "Washer 8.4".ljust(40), "ST "],
        ["200-310".ljust(18), "Bearing housing, cast iron".ljust(40), "ST "],
    ]


def test_older_characteristic_bar_reads_every_object_and_builds_both_strings(tb):
    name, records, objects, bar, selection, values = host.older_bar(tb)
    assert (name, records, objects) == ("BOLT", 4, 2)
    seen = [[(d.name, d.field_name, d.unit, d.length, d.width, d.decimals, d.value) for d in row]
            for row in bar]
    assert seen == [
        [("OBJEKT", "", "", 30, 11, 0, "BOLT-M8x40"), ("Diameter", "D", "mm", 6, 8, 1, "8"),
         ("Length", "L", "mm", 6, 6, 0, "40"), ("Since", "SINCE", "", 10, 10, 0, "01.01.2020")],
        [("OBJEKT", "", "", 30, 11, 0, "BOLT-M10x50"), ("Diameter", "D", "mm", 6, 8, 1, "10"),
         ("Length", "L", "mm", 6, 6, 0, "50"), ("Since", "SINCE", "", 10, 10, 0, "01.06.2021")],
    ]
    assert isinstance(bar[0][0], kelmod.CharacteristicData)
    assert selection == ";;X;;;;;;"
    assert values == ";;8;mm;40;mm;01.01.2020;;"


def test_mail_exchange_reads_by_name_and_by_position_with_the_name_written_back(tb):
    count, mails, request = host.mail(tb)
    assert count == 2
    assert mails == [("MEIER", "DOCDES", "Drawing released"),
                     ("SCHULZ", "DOCDES", "Change request 12")]
    assert request == "F;2024;18;D;2024;4712;"


def test_newer_release_classes_objects_and_characteristic_bar(tb):
    seen = host.newer_release(tb)
    assert seen["class request"] == "CLASS;001;PUMPS;;;;;;"
    assert seen["classes"] == [("PUMP", "DN", "A", "X", "mm"), ("VALVE", "PN", "B", "X", "bar")]
    assert seen["value request"] == "DN;PN;"
    assert seen["bar"] == ("PUMPS", 2)
    assert seen["objects"] == [("P-100", "Pump 100", "50", ["16"]),
                               ("P-200", "Pump 200", "80", ["25", "40"])]
    assert [(d.name, d.description, d.unit, d.digits, d.value)
            for d in seen["characteristics"]] == [
        ("DN", "Nominal diameter", "mm", 4, "80"), ("PN", "Nominal pressure", "bar", 3, "25")]
    assert seen["characteristics"][0].views == ("",) * 10
    assert seen["choice"] == "DN;80;;PN;;;"
    assert seen["values"] == "DN;65;PN;10;PN;16;"


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
    c_prints, python_prints = tmp_path / "c", tmp_path / "python"
    c_prints.mkdir()
    python_prints.mkdir()
    subprocess.run([program, str(EXAMPLES), str(c_prints)], check=True,
                   stdout=subprocess.DEVNULL, timeout=120)
    host.whole_run(kelmod.Toolbox(), python_prints)
    for _, name in host.PRINTS:
        expected = (c_prints / name).read_bytes()
        assert expected, name
        assert (python_prints / name).read_bytes() == expected, name
