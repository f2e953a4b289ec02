"""The shape of kelmod.Toolbox (names, arguments, results, encodings) and the
exports that the example host does not reach."""
import dataclasses
import inspect
import os
import re
from ctypes import byref, c_char_p, create_string_buffer
from pathlib import Path

import pytest

import host_exchanges as host
import kelmod
from conftest import PACKAGE_ROOT, example, method_name


def test_one_documented_method_per_export_listed_in_the_readme():
    names = {method_name(export) for export in kelmod.native.SIGNATURES}
    assert {"create_fill_clas_table_k4", "get_sml_data_k4", "create_sendstr_bom_head",
            "get_hlp_data", "get_mcd_value", "get_attribut_name_value"} <= names
    public = {name for name, _ in inspect.getmembers(kelmod.Toolbox, inspect.isfunction)
              if not name.startswith("_")}
    assert public == names
    readme = (PACKAGE_ROOT / "README.md").read_text()
    assert set(re.findall(r"^\| `(\w+)\(", readme, re.M)) == names
    for export in kelmod.native.SIGNATURES:
        method = getattr(kelmod.Toolbox, method_name(export))
        assert method.__doc__.startswith(export + ":")
        parameters = list(inspect.signature(method).parameters.values())
        for before, parameter in zip(parameters, parameters[1:]):
            if parameter.name == "length":  # after its text, defaulting to its encoded length
                assert (before.name, parameter.default) in {("data", None), ("record", None),
                                                            ("message", None)}, export


def test_a_length_defaults_to_the_encoded_length_and_a_path_is_required(tb):
    data = Path(example("answer.txt")).read_bytes()
    tb.create_fill_table(2, "MATAN", "01", host.SETS, host.FIELDS, data, 74)  # one record wide
    assert tb.describe_table(2) == "1"
    tb.fill_table(2, data)
    assert (tb.describe_table(2), tb.get_table_value(2, "MAKTX", 4)) == (
        "4", "Bearing housing, cast iron")
    # "ä" is two bytes in UTF-8: the default length counts bytes, not characters.
    kelmod.Toolbox(encoding="utf-8").create_mail_table(5, "P\u00e4;V1;")
    assert tb.get_mail_data(5, 0, "PARNAM", 1) == ("PARNAM", "P\u00c3\u00a4")
    with pytest.raises(TypeError, match="path"):
        tb.write_konfiguration(1, "S;F;5;")


def test_every_instance_works_on_the_one_state_each_in_its_encoding(tb):
    cp1252 = kelmod.Toolbox(encoding="cp1252")
    assert cp1252.create_sendstr_help("\u20ac", "", "", "") == "\u20ac;;;;"
    assert tb.create_sendstr_help(b"\x80", b"", b"", b"") == "\x80;;;;"  # the same byte, Latin-1
    cp1252.create_table(1, "MATRQ", "01", host.SETS, host.FIELDS)
    cp1252.write_table_value(1, "MATNR", "\u20ac-1", 0)
    assert tb.get_table_value(1, "MATNR", 1) == "\x80-1"
    utf8 = kelmod.Toolbox(encoding="utf-8")
    assert utf8.create_sendstr_help("Gr\u00f6\u00dfe", "", "", "") == "Gr\u00f6\u00dfe;;;;"
    # WERKS is 4 bytes wide: "a" and three two-byte characters are cut inside the third.
    utf8.write_table_value(1, "WERKS", "a\u00e4\u00e4\u00e4", 0)
    with pytest.raises(UnicodeDecodeError):
        utf8.get_table_value(1, "WERKS", 1)
    replacing = kelmod.Toolbox(encoding="utf-8", errors="replace")
    assert replacing.get_table_value(1, "WERKS", 1) == "a\u00e4\ufffd"
    assert tb.get_table_value(1, "WERKS", 1) == "a\u00c3\u00a4\u00c3"
    with pytest.raises(LookupError):
        kelmod.Toolbox(encoding="no-such-encoding")
    tb.init_toolbox(2)
    with pytest.raises(kelmod.KelmodError) as raised:
        cp1252.get_table_value(1, "MATNR", 1)
    assert raised.value.code == 38


def native_code(call, *args):
    """A direct call of an export with a char** result, under the lock."""
    value = c_char_p()
    buffers = [create_string_buffer(a.encode()) if isinstance(a, str) else a for a in args]
    with kelmod.native.lock:
        return call(*buffers, byref(value)), value.value


def test_no_value_codes_are_answers_returned_as_none(tb):
    tb.create_table(1, "MATRQ", "01", host.SETS, host.FIELDS)
    assert tb.get_table_value(1, "MATNR", 1) is None
    assert native_code(kelmod.native.ZanGetTableValue, 1, "MATNR", 1) == (-2, b"")
    tb.write_table_value(1, "MATNR", "100-*", 0)
    assert tb.get_table_value(1, "MATNR", 2) is None
    assert native_code(kelmod.native.ZanGetTableValue, 1, "MATNR", 2) == (-3, b"")
    host.newer_release(tb)
    assert tb.get_sml_data_value_k4(1, "PN", 0, 2, 2) == "40"
    assert tb.get_sml_data_value_k4(1, "PN", 0, 1, 2) is None
    assert native_code(kelmod.native.ZanGetSmlDataValueK4, 1, "PN", 0, 1, 2)[0] == -3
    # Other codes are failures, also those that end a walk over the fields.
    with pytest.raises(kelmod.KelmodError) as raised:
        tb.get_sml_data_value_k4(1, "XX", 0, 1, 1)
    assert raised.value.code == 79


def test_records_are_frozen_copies_that_outlive_the_toolbox_buffers(tb):
    host.older_bar(tb)
    first = tb.get_sml_data(1, 1, 1)
    second = tb.get_sml_data(1, 1, 2)  # the toolbox's result record now holds object 2
    assert type(first) is kelmod.CharacteristicData
    assert (first.value, second.value) == ("BOLT-M8x40", "BOLT-M10x50")
    with pytest.raises(dataclasses.FrozenInstanceError):
        first.value = "changed"
    assert tb.get_sml_attribut_data(2, "L", 2) == dataclasses.replace(
        tb.get_sml_data(1, 3, 1), value="50")
    assert tb.get_error_message(78) == kelmod.MessageRecord(
        78, "E", "Argument missing", "A required argument was not given.")


def test_description_files_written_and_read_back(tb, tmp_path):
    sets, fields = tmp_path / "sets.dat", tmp_path / "fields.dat"
    tb.write_konfiguration(1, "SNEW001;FIELDA;5;SNEW001;FIELDB;12;", path=fields)
    tb.write_konfiguration(3, "NEWRQ;01;U;SNEW001;", None, sets)
    assert sets.read_text().splitlines()[-1] == "  NEWRQ  01  U  SNEW001"
    assert tb.get_attribut_name(1, "NEWRQ", "01", sets, fields, 2) == kelmod.AttributeRecord(
        "SNEW001", "FIELDB", "12", "")
    assert tb.search_attribut(1, "NEWRQ", "01", sets, fields, "FIELDA").length == "5"
    assert tb.get_attribut_name(2, "MATAN", "01", Path(host.SETS), os.fsencode(host.FIELDS), 2) == (
        kelmod.AttributeRecord("DMAT001", "MAKTX", " 40", "Material description"))
    with pytest.raises(kelmod.KelmodError) as raised:
        tb.get_attribut_name(2, "MATAN", "01", host.SETS, host.FIELDS, 5)
    assert raised.value.code == 57
    assert tb.find_help_table("MATAN", "01", "MAKTX", host.SETS, host.FIELDS, host.FIELDS) == "D"
    assert tb.find_help_table("MATRQ", "01", "WERKS", host.SETS, host.FIELDS, host.FIELDS) == "U"


def test_record_tables_changed_value_by_value(tb):
    host.generic(tb)
    tb.modify_table_value(2, "MAKTX", "  Hex bolt  ", 1)
    assert tb.get_table_value(2, "MAKTX", 1) == "Hex bolt"
    tb.delete_table_entry(2, 2)
    assert (tb.describe_table(2), tb.get_table_value(2, "MATNR", 2)) == ("2", "200-310")
    tb.create_table(7, "BOMHD", "01", host.SETS, host.FIELDS)
    tb.write_table_value(7, "STLNR", "4711", 0)
    tb.write_table_value(7, "POSNR", "10", 0)
    assert tb.create_sendstr_bom_head(7) == "4711    10  "
    tb.create_fill_user_table(1, 2, "a;b;c;d;")
    assert (tb.describe_table(10), tb.get_table_value(10, "PARA2", 2)) == ("2", "d")
    tb.create_fill_table(4, "DOCAN", "01", None, None, "4711;DRW;Drawing;")
    assert tb.get_table_value(4, "DKTXT", 1) == "Drawing"


def test_matchcode_class_and_position_value_tables_and_their_requests(tb):
    tb.create_fill_table_mcd(1, "A;1;Text A;B;2;Text B;")
    assert tb.get_mcd_description(1) == "2"
    assert (tb.get_mcd_value("ID", 2), tb.get_mcd_value("TEXT02", 2)) == ("B", "Text B")
    tb.write_mcd_value(1, 1, "X1  ")
    tb.write_mcd_value(1, 2, "Y")
    assert tb.create_sendstr_mcd(1) == "X1.Y."
    assert tb.create_sendstr_message_k4("E01234 text") == "01;234;"
    assert tb.create_fill_clas_hierarch_table_k4(1, "A;B;C;D;E;F;G;H;I;J;K;L;") == 2
    assert tb.get_clas_hierarch_data_k4(1, 2) == tuple("GHIJKL")
    assert tb.create_fill_clas_table_k4(4, "S1;S2;S3;T1;T2;T3;") == 2
    assert tb.get_clas_search_data_k4(1, 2) == ("T1", "T2", "T3") + ("",) * 19
    assert tb.create_sendstr_clas_scope_k4(*"ABCDEF") == "A;B;C;D;E;F;"
    assert tb.create_sendstr_clas_select_k4(*"ABCDEFGHIJK") == "A;B;C;D;E;F;G;H;I;J;K;"
    assert tb.create_sendstr_clas_sel_scope_k4(*"ABCDEFGH") == "A;B;C;D;E;F;G;H;"
    assert tb.create_sendstr_clas_search_k4(2, "A", "B", "C", "D") == "A;B;C;D;"
    tb.create_fill_pos_sml_value_table_k4(1, "DN;50;PN;16;PN;25;")
    assert tb.get_sml_value_description_k4(3, 0, "PN") == 2
    assert tb.get_sml_data_value_k4(3, "PN", 0, 0, 2) == "25"
    host.newer_release(tb)
    found = tb.get_sml_attribut_data_k4(2, "Nominal pressure", 1)
    assert (found.name, found.unit, found.value, found.views) == ("PN", "bar", "10", ("",) * 10)
    assert type(found) is kelmod.SmlCharacteristicData


def test_older_bar_headers_selection_and_mail_values_by_position(tb):
    host.older_bar(tb)
    assert [tb.get_sml_description(k) for k in range(3, 8)] == [
        "BOLT", "DIN 933", "Hexagon head bolts", "2024", "A"]
    tb.delete_sml_selection()
    assert (tb.get_sml_description(1), tb.get_sml_data(1, 1, 1).name) == ("3", "Diameter")
    host.mail(tb)
    tb.write_mail_value(1, 0, "SNDNAM", 2, "KRAUSE  ")
    assert tb.get_mail_data(1, 0, "SNDNAM", 2) == ("SNDNAM", "KRAUSE")
    assert tb.get_mail_data(1, 2, "", 2) == ("SNDNAM", "KRAUSE")
    assert tb.get_sml_data(3, 8, 1).value == "MEIER"  # mail type 1 read as characteristics
