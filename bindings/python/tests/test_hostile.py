"""Hostile input through kelmod.Toolbox: null arguments, over-long texts,
every byte value, out-of-range numbers and calls after a release give the
codes kelmod.h documents or a Python exception before the call; never a crash."""
import inspect
import re
from typing import Optional

import pytest

import host_exchanges as host
import kelmod
from conftest import HEADER, example, method_name

EVERY_BYTE = bytes(range(1, 256))
EVERY_CHARACTER = EVERY_BYTE.decode("latin-1")
OVER_LONG = "W" * 100_000


def documented_codes():
    """Export -> the codes its comment in kelmod.h names (with 8, which every
    export returns when memory runs out)."""
    header = HEADER.read_text()
    codes, comment = {}, ""
    for match in re.finditer(r"/\*(.*?)\*/|KELMOD_API ErrorCode (Zan\w+)\(", header, re.S):
        if match.group(1) is not None:
            comment = match.group(1)
            continue
        text = comment.split("Codes:", 1)[1]
        found = {int(n) for n in re.findall(r"(?<![\w.])-?\d+(?![\w]|\.\d)", text)} | {8}
        same_as = re.search(r"those of (Zan\w+)", text)
        if same_as:
            found |= codes[same_as.group(1)]
        codes[match.group(2)] = found
    return codes


DOCUMENTED = documented_codes()


def export_of(method_name):
    return "Zan" + "".join(part.capitalize() for part in method_name.split("_"))


def full_state(tb):
    """Every family's tables present, as after the example host's exchanges."""
    tb.init_toolbox(2)
    host.start(tb)
    host.generic(tb)
    host.help_list(tb)
    host.mail(tb)
    host.newer_release(tb)
    tb.create_fill_table_mcd(1, "A;1;Text A;B;2;Text B;")


def plain_arguments(method):
    """Arguments that make a call of every method meaningful in full_state."""
    texts = {
        "name": "MATAN", "key": "01", "field_name": "MATNR", "attribute": "ID",
        "set_index_path": host.SETS, "definition_path": host.FIELDS,
        "definition_path_u": host.FIELDS, "definition_path_d": host.FIELDS,
        "record": "46C XY;ZKELMHOST", "message": "E01234 text", "path": "printed.txt",
    }
    arguments = {}
    for parameter in inspect.signature(method).parameters.values():
        if parameter.annotation in (int, Optional[int]):
            arguments[parameter.name] = None if parameter.name == "length" else 1
        else:
            arguments[parameter.name] = texts.get(parameter.name, "A;B;C;")
    return arguments


@pytest.mark.parametrize("export", [name for name in kelmod.native.SIGNATURES
                                    if name != "ZanInitToolbox"])
def test_every_argument_of_every_export_survives_hostile_values(export, tmp_path, monkeypatch):
    """Each text argument in turn null, over-long and holding every byte
    value; each number in turn 0, -1 and the ends of its range. A call gives
    a result or a KelmodError with a code its export documents."""
    monkeypatch.chdir(tmp_path)  # print and description files land here
    tb = kelmod.Toolbox()
    method = getattr(tb, method_name(export))
    full_state(tb)
    plain = plain_arguments(method)
    hostile = []
    for name, value in plain.items():
        if isinstance(value, str):
            choices = [None, OVER_LONG, EVERY_CHARACTER, EVERY_BYTE]
        else:
            choices = [0, -1, 2**31 - 1, -(2**31)]
        hostile += [dict(plain, **{name: choice}) for choice in choices]
    for arguments in hostile:
        try:
            method(**arguments)
        except kelmod.KelmodError as error:
            assert error.export == export
            assert error.code in DOCUMENTED[export], (arguments, error)
    tb.init_toolbox(2)


def older_bar_state(tb):
    full_state(tb)
    host.older_bar(tb)


S, F = host.SETS, host.FIELDS
NULL_ARGUMENTS = [  # (method, arguments, code), None passed as a null pointer
    ("configure_toolbox", (1, None), 78),
    ("fill_interface", (None, 10), 78),
    ("create_table", (2, None, "01", S, F), 78),
    ("create_table", (2, "MATAN", None, S, F), 78),
    ("create_table", (2, "MATAN", "01", None, F), 1),
    ("create_table", (2, "MATAN", "01", S, None), 2),
    ("create_fill_table", (2, "MATAN", "01", S, F, None, 10), 4),
    ("fill_table", (2, None, 10), 78),
    ("get_table_value", (2, None, 1), 78),
    ("write_table_value", (2, None, "x", 1), 71),
    ("write_table_value", (2, "MATNR", None, 1), 71),
    ("modify_table_value", (2, None, "x", 1), 78),
    ("modify_table_value", (2, "MATNR", None, 1), 78),
    ("search_attribut", (2, "MATAN", "01", S, F, None), 58),
    ("create_fill_user_table", (1, 2, None, 4), 78),
    ("write_konfiguration", (1, None, 4, "defs.dat"), 78),
    ("write_konfiguration", (1, "A;B;4;", None, None), 42),
    ("create_hlp_table", (1, None, 4), 78),
    ("fill_hlp_table", (1, None, 4), 78),
    ("find_help_table", ("MATAN", "01", None, S, F, F), 73),
    ("create_fill_table_mcd", (1, None, 4), 78),
    ("create_sendstr_mcd", (1, None, ""), 78),
    ("get_mcd_value", (None, 1), 78),
    ("write_mcd_value", (1, 1, None), 55),
    ("create_sendstr_help", ("A", "B", None, "D"), 78),
    ("create_sendstr_message_k4", (None, 11), 82),
    ("create_fill_clas_table_k4", (2, None, 4), 80),
    ("create_fill_clas_hierarch_table_k4", (1, None, 4), 80),
    ("create_sendstr_clas_k4", (*"ABCDEFG", None), 78),
    ("create_sendstr_clas_search_k4", (3, "A", "B", "C", "D", "E", None, "G"), 78),  # v6 used
    ("create_mail_table", (1, None, 4), 78),
    ("get_mail_data", (1, 1, None, 1), 78),
    ("write_mail_value", (1, 0, None, 1, "x"), 78),
    ("write_mail_value", (1, 0, "SNDNAM", 1, None), 47),
    ("create_sml_table", (1, None, 4), 78),
    ("fill_sml_table", (1, None, 5), 78),
    ("write_sml_value", (1, 1, None, 34, None, 0), 47),
    ("get_sml_data_value_k4", (1, None, 0, 1, 1), 78),
    ("create_fill_pos_sml_value_table_k4", (1, None, 4), 83),
]


@pytest.mark.parametrize("method, arguments, expected", NULL_ARGUMENTS,
                         ids=[f"{case[0]}-{k}" for k, case in enumerate(NULL_ARGUMENTS)])
def test_none_passes_a_null_pointer_and_gives_the_documented_code(tb, method, arguments, expected):
    full_state(tb)
    with pytest.raises(kelmod.KelmodError) as raised:
        getattr(tb, method)(*arguments)
    assert (raised.value.export, raised.value.code) == (export_of(method), expected)


def test_none_where_the_toolbox_takes_null_as_absent(tb, tmp_path):
    full_state(tb)
    # A mode leaves v6 and v7 unread; a null path prints nothing.
    assert tb.create_sendstr_clas_search_k4(1, "A", "B", "C", "D", "E") == "A;B;C;D;E;"
    tb.print_table(2, None)
    # The older bar found by position when no name is given, as host.c does it.
    older_bar_state(tb)
    tb.write_sml_value(1, 3, None, 11, "Y", 0)
    assert tb.create_sendstr_sml(1) == ";;X;;Y;;;;"
    with pytest.raises(kelmod.KelmodError) as raised:
        tb.get_sml_attribut_data(1, None, 1)
    assert raised.value.code == 31


def test_long_texts_every_byte_and_lying_lengths(tb):
    """Over-long texts are cut where a field is and kept whole where not, every
    byte value crosses the boundary unchanged, and a length past the end of
    the text reads no further than the text."""
    request = tb.create_sendstr_help(EVERY_CHARACTER, "", "", "")
    assert request == EVERY_CHARACTER + ";;;;"
    assert tb.create_sendstr_help(EVERY_BYTE, b"", b"", b"") == request
    assert tb.create_sendstr_help(OVER_LONG, OVER_LONG, "", OVER_LONG) == (
        f"{OVER_LONG};{OVER_LONG};;{OVER_LONG};")
    tb.create_fill_table(2, "MATAN", "01", host.SETS, host.FIELDS, "100-100", 2**31 - 1)
    assert tb.describe_table(2) == "1"
    assert tb.get_table_value(2, "MATNR", 1) == "100-100"
    assert tb.get_table_value(2, "MAKTX", 1) == ""  # a column beyond the text is empty
    assert tb.get_table_value(2, "MATNR", 2) is None  # -3: no value at that record
    tb.create_mail_table(5, "P1;V1;P2;V2;", -5)
    assert tb.describe_mail_table(5) == "0"
    host.generic(tb)
    tb.write_table_value(1, "MATNR", OVER_LONG, 0)
    assert tb.get_table_value(1, "MATNR", 1) == "W" * 18
    # Blanks and tabs go from a field name, every other byte stays.
    for field_name in (OVER_LONG, EVERY_CHARACTER):
        with pytest.raises(kelmod.KelmodError) as raised:
            tb.get_table_value(2, field_name, 1)
        assert raised.value.code == 41


RELEASED = [  # (method, arguments, code) on the tables the release emptied
    ("get_table_value", (2, "MATNR", 1), 39),
    ("describe_table", (2,), 16),
    ("create_sendstr", (), 7),
    ("fill_table", (2, "100-100"), 61),
    ("get_attribut_name_value", (2, 1, 1), 24),
    ("get_hlp_data", (1, 1, 1), 32),
    ("get_mcd_description", (1,), 29),
    ("describe_mail_table", (1,), 69),
    ("get_mail_data", (1, 0, "SNDNAM", 1), 65),
    ("get_sml_data_k4", (1, 1, 1), 34),
    ("get_clas_data_k4", (2, 1), 76),
    ("get_object_data_k4", (1, 1), 34),
    ("print_table", (2, "answer.txt"), 86),
]


def test_calls_after_the_release_report_empty_tables(tb, tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    monkeypatch.delenv("KELMMES", raising=False)
    full_state(tb)
    tb.init_toolbox(2)
    for method, arguments, expected in RELEASED:
        with pytest.raises(kelmod.KelmodError) as raised:
            getattr(tb, method)(*arguments)
        error = raised.value
        # The release forgot the message file: no ./kelmmes.dat here.
        assert (error.export, error.code, error.type_letter, error.short_text, error.long_text) == (
            export_of(method), expected, "X", "", f"TB{expected:03d} Error in toolbox")
    assert not (tmp_path / "answer.txt").exists()
    assert tb.describe_interface(1) == ";"  # the interface record survives
    assert tb.get_sml_description(1) == "00"
    # and the toolbox works again
    tb.configure_toolbox(1, example("kelmmes.dat"))
    assert host.generic(tb)[0] == "100-*             1000200-*             2000"
    with pytest.raises(kelmod.KelmodError) as raised:
        tb.init_toolbox(3)
    assert (raised.value.code, raised.value.short_text) == (3, "Mode or type not supported")


REFUSED = [  # (export, arguments, exception, text of the message)
    ("ZanCreateSendstrHelp", ("A", "\u20ac", "", ""), UnicodeEncodeError, "'part2'"),
    ("ZanCreateSendstrHelp", ("A", "B\0C", "", ""), ValueError, "part2 holds a NUL"),
    ("ZanCreateSendstrHelp", ("A", 5, "", ""), TypeError, "part2 must be str"),
    ("ZanCreateSendstrHelp", ("A", ["B"], "", ""), TypeError, "part2 must be str"),
    ("ZanConfigureToolbox", (1, 5), TypeError, "path must be a path"),
] + [("ZanGetTableValue", (2, "MATNR", value), exception, "record")
     for value, exception in [(None, TypeError), (1.5, TypeError), ("1", TypeError),
                              (2**31, OverflowError), (-(2**31) - 1, OverflowError)]]


@pytest.mark.parametrize("export, arguments, exception, text", REFUSED)
def test_an_argument_the_toolbox_cannot_take_raises_before_the_call(
    tb, monkeypatch, export, arguments, exception, text
):
    calls = []
    real = getattr(kelmod.native, export)
    monkeypatch.setattr(kelmod.native, export, lambda *args: calls.append(args) or real(*args))
    with pytest.raises(exception) as raised:
        getattr(tb, method_name(export))(*arguments)
    assert calls == []
    assert text in str(raised.value)
