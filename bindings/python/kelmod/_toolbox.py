"""kelmod.Toolbox: the 64 exports as Python methods.

Every method takes the inputs of its export in C order, hands each text in a
fresh writable buffer, holds the module-wide lock from the call until every
result is copied out, and turns a code other than 0 into KelmodError (except
the codes an export documents as an answer, returned as None).
"""
import codecs
import operator
import os
import sys
from ctypes import byref, c_char, c_char_p, c_int32, create_string_buffer
from typing import Optional, Tuple, Union

from . import native
from ._records import (
    AttributeRecord,
    CharacteristicData,
    MessageRecord,
    SmlCharacteristicData,
    _converter,
)

Text = Union[str, bytes, bytearray, None]
PathText = Union[str, bytes, "os.PathLike[str]", None]

_lock = native.lock
_INT32 = (-(2**31), 2**31 - 1)

# The codes of ZanGetTableValue and ZanGetSmlDataValueK4 that answer "the
# field has no values" (-2) and "no value at that number" (-3).
_NO_VALUE = (-2, -3)

# Buffers the library writes a text into: the field name of a read by field
# position (at least 12 bytes) and the mail field name written back (at
# least 7). Both get room to spare.
_FIELD_NAME_ROOM = 256

_to_message = _converter(MessageRecord, native.MessageRecord)
_to_attribute = _converter(AttributeRecord, native.AttributeRecord)
_to_characteristic = _converter(CharacteristicData, native.CharacteristicData)
_to_sml_characteristic = _converter(SmlCharacteristicData, native.SmlCharacteristicData)

_REQUIRED = object()


class KelmodError(Exception):
    """A toolbox call returned a code other than 0.

    ``code`` is the code, ``export`` the C function that returned it, and
    ``type_letter``, ``short_text`` and ``long_text`` its text from the message
    file (ZanGetErrorMessage; without a message file type "X" and
    "TBnnn Error in toolbox").
    """

    def __init__(self, export, code, type_letter, short_text, long_text):
        super().__init__(export, code, type_letter, short_text, long_text)
        self.export = export
        self.code = code
        self.type_letter = type_letter
        self.short_text = short_text
        self.long_text = long_text

    def __str__(self):
        return (
            f"{self.export} returned {self.code}: [{self.type_letter}] {self.short_text} - "
            f"{self.long_text}"
        )


def _int(value, name):
    if type(value) is int and -2147483648 <= value <= 2147483647:
        return value
    try:
        number = operator.index(value)
    except TypeError:
        raise TypeError(f"{name} must be an int, not {type(value).__name__}") from None
    if not _INT32[0] <= number <= _INT32[1]:
        raise OverflowError(f"{name} = {number} does not fit in a 32-bit integer")
    return number


# Array types of short texts, made once: most texts handed in are short.
_ARRAY_TYPES = {size: c_char * size for size in range(1, 257)}


def _buffer(data, name, room):
    """A fresh writable, NUL-terminated copy of data, at least room bytes."""
    if 0 in data:
        raise ValueError(f"{name} holds a NUL character, which would end the text there")
    size = max(len(data) + 1, room)
    array_type = _ARRAY_TYPES.get(size)
    buffer = (c_char * size)() if array_type is None else array_type()
    buffer.value = data
    return buffer


class Toolbox:
    """The KELMOD toolbox.

    ``encoding`` turns str arguments into the toolbox's 8-bit text and its
    texts back into str: Latin-1 by default (every byte one character),
    any other 8-bit encoding by name ("cp1252", "utf-8" ...). A text argument
    that the encoding cannot hold raises UnicodeEncodeError before any call;
    ``errors`` says how a text handed back is decoded when it is not valid in
    the encoding (as for ``bytes.decode``; with Latin-1 it never is).

    bytes arguments are passed as they are. File paths given as str or
    os.PathLike are encoded as the operating system encodes file names.

    All instances work on the one state of the library in this process;
    calls from several threads are serialised by one lock (:data:`kelmod.native.lock`).
    """

    __slots__ = ("_encoding", "_errors")

    def __init__(self, encoding: str = "latin-1", errors: str = "strict"):
        self._encoding = codecs.lookup(encoding).name
        codecs.lookup_error(errors)
        self._errors = errors
        native.load()

    def __repr__(self):
        return f"{type(self).__name__}(encoding={self._encoding!r})"

    @property
    def encoding(self) -> str:
        return self._encoding

    # -- conversions -------------------------------------------------------

    def _encode(self, value, name):
        if type(value) is str or isinstance(value, str):
            try:
                return value.encode(self._encoding)
            except UnicodeEncodeError as error:
                error.reason = f"{error.reason} (argument {name!r})"
                raise
        if value is None:
            return None
        if isinstance(value, (bytes, bytearray, memoryview)):
            return bytes(value)
        raise TypeError(f"{name} must be str, bytes or None, not {type(value).__name__}")

    def _text(self, value, name, room=0):
        """A text argument in a fresh writable buffer (None: a null pointer).
        The common case, a str, is tried first: this runs for every text."""
        if type(value) is str:
            try:
                data = value.encode(self._encoding)
            except UnicodeEncodeError as error:
                error.reason = f"{error.reason} (argument {name!r})"
                raise
        elif value is None:
            return None
        else:
            data = self._encode(value, name)
        return _buffer(data, name, room)

    def _sized(self, value, length, name="data"):
        """A text with the length argument after it: an explicit length, else
        the encoded length of the text (0 for None)."""
        data = self._encode(value, name)
        if length is None:
            length = 0 if data is None else len(data)
        else:
            length = _int(length, "length")
        return (None if data is None else _buffer(data, name, 0)), length

    def _path(self, value, name):
        if value is None:
            return None
        if isinstance(value, (bytes, bytearray)):
            data = bytes(value)
        else:
            try:
                text = os.fspath(value)
            except TypeError:
                raise TypeError(
                    f"{name} must be a path (str, bytes, os.PathLike) or None, "
                    f"not {type(value).__name__}"
                ) from None
            if isinstance(text, bytes):
                data = text
            elif sys.platform == "win32":
                # The toolbox opens files with the C runtime, which takes
                # the ANSI code page there.
                data = text.encode("mbcs")
            else:
                data = os.fsencode(text)
        return _buffer(data, name, 0)

    def _decode(self, raw):
        return None if raw is None else raw.decode(self._encoding, self._errors)

    def _error(self, function, code):
        """KelmodError for code, with its texts. Called with the lock held."""
        record = native.MessageRecord()
        if native.ZanGetErrorMessage(code, byref(record)) != 0:
            return KelmodError(function.__name__, code, "X", "", "")

        def text(raw):
            return raw.decode(self._encoding, "replace")

        return KelmodError(
            function.__name__,
            code,
            text(record.type),
            text(record.shortText),
            text(record.longText),
        )

    # -- the shapes of a call ------------------------------------------------

    def _run(self, function, *args):
        with _lock:
            code = function(*args)
            if code:
                raise self._error(function, code)

    def _text_result(self, function, *args, answers=()):
        out = c_char_p()
        with _lock:
            code = function(*args, byref(out))
            if code:
                if code in answers:
                    return None
                raise self._error(function, code)
            raw = out.value
        return self._decode(raw)

    def _count_result(self, function, *args):
        count = c_int32(0)
        with _lock:
            code = function(*args, byref(count))
            if code:
                raise self._error(function, code)
            return count.value

    def _record_result(self, function, structure_class, convert, *args):
        structure = structure_class()
        with _lock:
            code = function(*args, byref(structure))
            if code:
                raise self._error(function, code)
            return convert(structure, self._decode)

    def _texts_result(self, function, count, *args):
        values = (c_char_p * count)()
        with _lock:
            code = function(*args, values)
            if code:
                raise self._error(function, code)
            raw = list(values)
        return tuple(self._decode(value) for value in raw)

    # ======================================================================
    # Toolbox core
    # ======================================================================

    def init_toolbox(self, mode: int) -> None:
        """ZanInitToolbox: 1 starts the toolbox (every table, both paths and
        the interface values empty), 2 releases every table and both paths."""
        self._run(native.ZanInitToolbox, _int(mode, "mode"))

    def configure_toolbox(self, mode: int, path: PathText) -> None:
        """ZanConfigureToolbox: 1 the message file, 2 the table index file."""
        self._run(native.ZanConfigureToolbox, _int(mode, "mode"), self._path(path, "path"))

    def toolbox_version(self) -> str:
        """ZanToolboxVersion: "3.1G"."""
        return self._text_result(native.ZanToolboxVersion)

    def get_error_message(self, code: int) -> MessageRecord:
        """ZanGetErrorMessage: the type letter, short and long text of code."""
        return self._record_result(
            native.ZanGetErrorMessage,
            native.MessageRecord,
            _to_message,
            _int(code, "code"),
        )

    def fill_interface(self, record: Text, length: Optional[int] = None) -> None:
        """ZanFillInterface: stores the interface record of the backend
        (release, flags, separator character in column 7, text)."""
        self._run(native.ZanFillInterface, *self._sized(record, length, "record"))

    def describe_interface(self, mode: int) -> str:
        """ZanDescribeInterface: 1 separator, 2 release, 3 column-5 flag,
        4 column-6 flag, 5 interface text, 6 column-8 flag."""
        return self._text_result(native.ZanDescribeInterface, _int(mode, "mode"))

    # ======================================================================
    # Generic record tables
    # ======================================================================

    def create_table(
        self,
        type: int,
        name: Text,
        key: Text,
        set_index_path: PathText,
        definition_path: PathText,
    ) -> None:
        """ZanCreateTable: the table of a type from its layout."""
        self._run(
            native.ZanCreateTable,
            _int(type, "type"),
            self._text(name, "name"),
            self._text(key, "key"),
            self._path(set_index_path, "set_index_path"),
            self._path(definition_path, "definition_path"),
        )

    def create_fill_table(
        self,
        type: int,
        name: Text,
        key: Text,
        set_index_path: PathText,
        definition_path: PathText,
        data: Text,
        length: Optional[int] = None,
    ) -> None:
        """ZanCreateFillTable: creates the table and parses the received data
        into it (fixed width; separator-terminated for type 4)."""
        buffer, length = self._sized(data, length)
        self._run(
            native.ZanCreateFillTable,
            _int(type, "type"),
            self._text(name, "name"),
            self._text(key, "key"),
            self._path(set_index_path, "set_index_path"),
            self._path(definition_path, "definition_path"),
            buffer,
            length,
        )

    def fill_table(self, type: int, data: Text, length: Optional[int] = None) -> None:
        """ZanFillTable: appends fixed-width records to the table of a type."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanFillTable, _int(type, "type"), buffer, length)

    def create_sendstr(self) -> str:
        """ZanCreateSendstr: the send string of the send table (types 1, 6)."""
        return self._text_result(native.ZanCreateSendstr)

    def create_sendstr_bom_head(self, type: int) -> str:
        """ZanCreateSendstrBomHead: the send string of the table of type 7 or 8."""
        return self._text_result(native.ZanCreateSendstrBomHead, _int(type, "type"))

    def get_table_value(self, type: int, field_name: Text, record: int) -> Optional[str]:
        """ZanGetTableValue: one value by field name and record number; None
        when the field has no values (-2) or none at that record (-3)."""
        args = (_int(type, "type"), self._text(field_name, "field_name"), _int(record, "record"))
        value = c_char_p()
        function = native.ZanGetTableValue
        with _lock:
            code = function(*args, byref(value))
            if code:
                if code in _NO_VALUE:
                    return None
                raise self._error(function, code)
            raw = value.value
        return raw.decode(self._encoding, self._errors)

    def write_table_value(self, type: int, field_name: Text, value: Text, record: int) -> None:
        """ZanWriteTableValue: record 0 makes value the field's only value,
        any other number appends it."""
        self._run(
            native.ZanWriteTableValue,
            _int(type, "type"),
            self._text(field_name, "field_name"),
            self._text(value, "value"),
            _int(record, "record"),
        )

    def modify_table_value(self, type: int, field_name: Text, value: Text, record: int) -> None:
        """ZanModifyTableValue: replaces the value of a field at a record."""
        self._run(
            native.ZanModifyTableValue,
            _int(type, "type"),
            self._text(field_name, "field_name"),
            self._text(value, "value"),
            _int(record, "record"),
        )

    def delete_table_entry(self, type: int, record: int) -> None:
        """ZanDeleteTableEntry: deletes a record from every field of a table."""
        self._run(native.ZanDeleteTableEntry, _int(type, "type"), _int(record, "record"))

    def describe_table(self, type: int) -> str:
        """ZanDescribeTable: the record count of a table, as decimal text."""
        return self._text_result(native.ZanDescribeTable, _int(type, "type"))

    def get_attribut_name(
        self,
        direction: int,
        name: Text,
        key: Text,
        set_index_path: PathText,
        definition_path: PathText,
        n: int,
    ) -> AttributeRecord:
        """ZanGetAttributName: the n-th field definition of a set, read from
        the description files (direction 1 "U", 2 "D")."""
        return self._record_result(
            native.ZanGetAttributName,
            native.AttributeRecord,
            _to_attribute,
            _int(direction, "direction"),
            self._text(name, "name"),
            self._text(key, "key"),
            self._path(set_index_path, "set_index_path"),
            self._path(definition_path, "definition_path"),
            _int(n, "n"),
        )

    def get_attribut_name_value(
        self, type: int, field_number: int, record: int
    ) -> Tuple[str, str]:
        """ZanGetAttributNameValue: (field name, value) of field field_number
        at record; the value is empty when the record has none."""
        field_name = create_string_buffer(_FIELD_NAME_ROOM)
        value = c_char_p()
        function = native.ZanGetAttributNameValue
        args = (_int(type, "type"), _int(field_number, "field_number"), _int(record, "record"))
        with _lock:
            code = function(*args, field_name, byref(value))
            if code:
                raise self._error(function, code)
            raw_name, raw_value = field_name.value, value.value
        return self._decode(raw_name), self._decode(raw_value)

    def search_attribut(
        self,
        direction: int,
        name: Text,
        key: Text,
        set_index_path: PathText,
        definition_path: PathText,
        field_name: Text,
    ) -> AttributeRecord:
        """ZanSearchAttribut: the field definition named field_name."""
        return self._record_result(
            native.ZanSearchAttribut,
            native.AttributeRecord,
            _to_attribute,
            _int(direction, "direction"),
            self._text(name, "name"),
            self._text(key, "key"),
            self._path(set_index_path, "set_index_path"),
            self._path(definition_path, "definition_path"),
            self._text(field_name, "field_name"),
        )

    def create_fill_user_table(
        self, mode: int, field_count: int, data: Text, length: Optional[int] = None
    ) -> None:
        """ZanCreateFillUserTable: the user table (type 10), fields PARA1 to
        PARA<field_count>, from separator-terminated values."""
        buffer, length = self._sized(data, length)
        self._run(
            native.ZanCreateFillUserTable,
            _int(mode, "mode"),
            _int(field_count, "field_count"),
            buffer,
            length,
        )

    def write_konfiguration(
        self, mode: int, data: Text, length: Optional[int] = None, path: PathText = _REQUIRED
    ) -> None:
        """ZanWriteKonfiguration: writes a field definition file (mode 1, 2) or
        set index file (mode 3) at path. path is required (None passes null)."""
        if path is _REQUIRED:
            raise TypeError("write_konfiguration() missing required argument: 'path'")
        buffer, length = self._sized(data, length)
        self._run(
            native.ZanWriteKonfiguration,
            _int(mode, "mode"),
            buffer,
            length,
            self._path(path, "path"),
        )

    def print_table(self, type: int, path: PathText) -> None:
        """ZanPrintTable: prints a table into a text file."""
        self._run(native.ZanPrintTable, _int(type, "type"), self._path(path, "path"))

    # ======================================================================
    # Characteristic value lists: help tables, matchcode tables, requests
    # ======================================================================

    def create_hlp_table(self, mode: int, data: Text, length: Optional[int] = None) -> None:
        """ZanCreateHlpTable: the help table from its column description
        (mode 1) or a plain value list (mode 2)."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanCreateHlpTable, _int(mode, "mode"), buffer, length)

    def fill_hlp_table(self, mode: int, data: Text, length: Optional[int] = None) -> None:
        """ZanFillHlpTable: the lines of the help table."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanFillHlpTable, _int(mode, "mode"), buffer, length)

    def get_hlp_data(self, mode: int, column: int, line: int) -> CharacteristicData:
        """ZanGetHlpData: the entry at column and line (line 0: the titles)."""
        return self._record_result(
            native.ZanGetHlpData,
            native.CharacteristicData,
            _to_characteristic,
            _int(mode, "mode"),
            _int(column, "column"),
            _int(line, "line"),
        )

    def get_hlp_description(self, mode: int) -> str:
        """ZanGetHlpDescription: 1 columns, 2 lines, 3 the preselected column."""
        return self._text_result(native.ZanGetHlpDescription, _int(mode, "mode"))

    def find_help_table(
        self,
        name: Text,
        key: Text,
        field_name: Text,
        set_index_path: PathText,
        definition_path_u: PathText,
        definition_path_d: PathText,
    ) -> str:
        """ZanFindHelpTable: "U" or "D", the direction a field is described in."""
        direction = create_string_buffer(2)
        args = (
            self._text(name, "name"),
            self._text(key, "key"),
            self._text(field_name, "field_name"),
            self._path(set_index_path, "set_index_path"),
            self._path(definition_path_u, "definition_path_u"),
            self._path(definition_path_d, "definition_path_d"),
        )
        function = native.ZanFindHelpTable
        with _lock:
            code = function(*args, direction)
            if code:
                raise self._error(function, code)
            raw = direction.raw[:1]
        return self._decode(raw)

    def create_fill_table_mcd(self, mode: int, data: Text, length: Optional[int] = None) -> None:
        """ZanCreateFillTableMcd: the matchcode table (mode 1 list, 2 fields)."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanCreateFillTableMcd, _int(mode, "mode"), buffer, length)

    def create_sendstr_mcd(self, mode: int, reserved1: Text = "", reserved2: Text = "") -> str:
        """ZanCreateSendstrMcd: the matchcode request ("A..BC.")."""
        return self._text_result(
            native.ZanCreateSendstrMcd,
            _int(mode, "mode"),
            self._text(reserved1, "reserved1"),
            self._text(reserved2, "reserved2"),
        )

    def get_mcd_value(self, attribute: Text, record: int) -> str:
        """ZanGetMcdValue: "ID", "SUBID", "TEXT01"/"TEXT02" or "WERT" of an entry."""
        return self._text_result(
            native.ZanGetMcdValue, self._text(attribute, "attribute"), _int(record, "record")
        )

    def get_mcd_description(self, mode: int) -> str:
        """ZanGetMcdDescription: 1 matchcode entries, 2 records of the current table."""
        return self._text_result(native.ZanGetMcdDescription, _int(mode, "mode"))

    def write_mcd_value(self, mode: int, record: int, value: Text) -> None:
        """ZanWriteMcdValue: stores value as the WERT of a matchcode entry."""
        self._run(
            native.ZanWriteMcdValue,
            _int(mode, "mode"),
            _int(record, "record"),
            self._text(value, "value"),
        )

    def create_sendstr_help(self, part1: Text, part2: Text, part3: Text, part4: Text) -> str:
        """ZanCreateSendstrHelp: the help request "part1;part2;part3;part4;"."""
        return self._text_result(
            native.ZanCreateSendstrHelp,
            self._text(part1, "part1"),
            self._text(part2, "part2"),
            self._text(part3, "part3"),
            self._text(part4, "part4"),
        )

    def create_sendstr_message_k4(self, message: Text, length: Optional[int] = None) -> str:
        """ZanCreateSendstrMessageK4: the message request ("E01234 text" gives "01;234;")."""
        return self._text_result(
            native.ZanCreateSendstrMessageK4, *self._sized(message, length, "message")
        )

    # ======================================================================
    # Classification (newer release)
    # ======================================================================

    def create_fill_clas_table_k4(self, mode: int, data: Text, length: Optional[int] = None) -> int:
        """ZanCreateFillClasTableK4: a class table (modes 1, 2) or the class
        search table (3, 4); returns the number of records begun."""
        buffer, length = self._sized(data, length)
        return self._count_result(native.ZanCreateFillClasTableK4, _int(mode, "mode"), buffer, length)

    def create_fill_clas_hierarch_table_k4(
        self, mode: int, data: Text, length: Optional[int] = None
    ) -> int:
        """ZanCreateFillClasHierarchTableK4: the class hierarchy table; returns
        the number of records begun."""
        buffer, length = self._sized(data, length)
        return self._count_result(
            native.ZanCreateFillClasHierarchTableK4, _int(mode, "mode"), buffer, length
        )

    def _values(self, values):
        return [self._text(value, f"v{k}") for k, value in enumerate(values, start=1)]

    def create_sendstr_clas_k4(
        self, v1: Text, v2: Text, v3: Text, v4: Text, v5: Text, v6: Text, v7: Text, v8: Text
    ) -> str:
        """ZanCreateSendstrClasK4: the class request "v1;v2;...;v8;"."""
        return self._text_result(
            native.ZanCreateSendstrClasK4, *self._values((v1, v2, v3, v4, v5, v6, v7, v8))
        )

    def create_sendstr_clas_scope_k4(
        self, v1: Text, v2: Text, v3: Text, v4: Text, v5: Text, v6: Text
    ) -> str:
        """ZanCreateSendstrClasScopeK4: the class scope request of six values."""
        return self._text_result(
            native.ZanCreateSendstrClasScopeK4, *self._values((v1, v2, v3, v4, v5, v6))
        )

    def create_sendstr_clas_select_k4(
        self,
        v1: Text,
        v2: Text,
        v3: Text,
        v4: Text,
        v5: Text,
        v6: Text,
        v7: Text,
        v8: Text,
        v9: Text,
        v10: Text,
        v11: Text,
    ) -> str:
        """ZanCreateSendstrClasSelectK4: the class selection request of eleven values."""
        return self._text_result(
            native.ZanCreateSendstrClasSelectK4,
            *self._values((v1, v2, v3, v4, v5, v6, v7, v8, v9, v10, v11)),
        )

    def create_sendstr_clas_sel_scope_k4(
        self, v1: Text, v2: Text, v3: Text, v4: Text, v5: Text, v6: Text, v7: Text, v8: Text
    ) -> str:
        """ZanCreateSendstrClasSelScopeK4: the selection scope request of eight values."""
        return self._text_result(
            native.ZanCreateSendstrClasSelScopeK4, *self._values((v1, v2, v3, v4, v5, v6, v7, v8))
        )

    def create_sendstr_clas_search_k4(
        self,
        mode: int,
        v1: Text,
        v2: Text,
        v3: Text,
        v4: Text,
        v5: Text = None,
        v6: Text = None,
        v7: Text = None,
    ) -> str:
        """ZanCreateSendstrClasSearchK4: the class search request of mode 1
        (v1-v5), 2 (v1-v4) or 3 (v1-v4, v6, v7); values a mode does not read
        may be None."""
        return self._text_result(
            native.ZanCreateSendstrClasSearchK4,
            _int(mode, "mode"),
            *self._values((v1, v2, v3, v4, v5, v6, v7)),
        )

    def get_clas_data_k4(self, mode: int, record: int) -> Tuple[str, ...]:
        """ZanGetClasDataK4: (name, field name, DIN letter, input, unit) of a
        record of the class table of mode 1 or 2."""
        return self._texts_result(
            native.ZanGetClasDataK4, 5, _int(mode, "mode"), _int(record, "record")
        )

    def get_clas_hierarch_data_k4(self, mode: int, record: int) -> Tuple[str, ...]:
        """ZanGetClasHierarchDataK4: the six values of a class hierarchy record."""
        return self._texts_result(
            native.ZanGetClasHierarchDataK4, 6, _int(mode, "mode"), _int(record, "record")
        )

    def get_clas_search_data_k4(self, mode: int, record: int) -> Tuple[str, ...]:
        """ZanGetClasSearchDataK4: the 22 values of a class search record."""
        return self._texts_result(
            native.ZanGetClasSearchDataK4, 22, _int(mode, "mode"), _int(record, "record")
        )

    def get_object_data_k4(self, mode: int, record: int) -> Tuple[str, ...]:
        """ZanGetObjectDataK4: the fourteen object texts of an object."""
        return self._texts_result(
            native.ZanGetObjectDataK4, 14, _int(mode, "mode"), _int(record, "record")
        )

    # ======================================================================
    # Mail
    # ======================================================================

    def create_mail_table(self, mail_type: int, data: Text, length: Optional[int] = None) -> None:
        """ZanCreateMailTable: the mail table of a type from received mail data."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanCreateMailTable, _int(mail_type, "mail_type"), buffer, length)

    def describe_mail_table(self, mail_type: int) -> str:
        """ZanDescribeMailTable: the number of mails, as decimal text."""
        return self._text_result(native.ZanDescribeMailTable, _int(mail_type, "mail_type"))

    def get_mail_data(
        self, mail_type: int, position: int, field_name: Text, value_number: int
    ) -> Tuple[str, str]:
        """ZanGetMailData: (field name, value). With a field name, value
        value_number of that field; with an empty one, of the field at
        position, whose name the toolbox writes back and is returned."""
        name = self._text(field_name, "field_name", _FIELD_NAME_ROOM)
        value = c_char_p()
        function = native.ZanGetMailData
        args = (_int(mail_type, "mail_type"), _int(position, "position"))
        number = _int(value_number, "value_number")
        with _lock:
            code = function(*args, name, number, byref(value))
            if code:
                raise self._error(function, code)
            raw_name = None if name is None else name.value
            raw_value = value.value
        return self._decode(raw_name), self._decode(raw_value)

    def write_mail_value(
        self, mail_type: int, position: int, field_name: Text, value_number: int, value: Text
    ) -> None:
        """ZanWriteMailValue: stores value as value value_number of a mail field
        (0 appends); position must be 0."""
        self._run(
            native.ZanWriteMailValue,
            _int(mail_type, "mail_type"),
            _int(position, "position"),
            self._text(field_name, "field_name"),
            _int(value_number, "value_number"),
            self._text(value, "value"),
        )

    def create_sendstr_mail(self, mode: int, mail: int) -> str:
        """ZanCreateSendstrMail: the mail request of a mail of the type-1 table."""
        return self._text_result(native.ZanCreateSendstrMail, _int(mode, "mode"), _int(mail, "mail"))

    # ======================================================================
    # Characteristic bars
    # ======================================================================

    def create_sml_table(self, mode: int, data: Text, length: Optional[int] = None) -> None:
        """ZanCreateSmlTable: the characteristic table from a description string."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanCreateSmlTable, _int(mode, "mode"), buffer, length)

    def fill_sml_table(self, mode: int, data: Text, length: Optional[int] = None) -> None:
        """ZanFillSmlTable: fills objects (mode 1) or values (mode 2) into the bar."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanFillSmlTable, _int(mode, "mode"), buffer, length)

    def delete_sml_selection(self) -> None:
        """ZanDeleteSmlSelection: removes the first characteristic named "OBJEKT"."""
        self._run(native.ZanDeleteSmlSelection)

    def get_sml_description(self, type: int) -> Optional[str]:
        """ZanGetSmlDescription: a count (types 1, 2) or a header text (3 to 7;
        None when the bar has none)."""
        return self._text_result(native.ZanGetSmlDescription, _int(type, "type"))

    def get_sml_data(self, type: int, position: int, value_number: int) -> CharacteristicData:
        """ZanGetSmlData: characteristic position with its value value_number
        (type 1 the bar, 2 the matchcode table, 3 to 8 the mail tables)."""
        return self._record_result(
            native.ZanGetSmlData,
            native.CharacteristicData,
            _to_characteristic,
            _int(type, "type"),
            _int(position, "position"),
            _int(value_number, "value_number"),
        )

    def get_sml_attribut_data(self, kind: int, key: Text, value_number: int) -> CharacteristicData:
        """ZanGetSmlAttributData: the characteristic whose name (kind 1) or
        field name (kind 2) is key."""
        return self._record_result(
            native.ZanGetSmlAttributData,
            native.CharacteristicData,
            _to_characteristic,
            _int(kind, "kind"),
            self._text(key, "key"),
            _int(value_number, "value_number"),
        )

    def write_sml_value(
        self, type: int, position: int, name: Text, code: int, text: Text, value_number: int
    ) -> None:
        """ZanWriteSmlValue: stores one member (code) of a characteristic,
        found by position, else by name."""
        self._run(
            native.ZanWriteSmlValue,
            _int(type, "type"),
            _int(position, "position"),
            self._text(name, "name"),
            _int(code, "code"),
            self._text(text, "text"),
            _int(value_number, "value_number"),
        )

    def create_sendstr_sml(self, mode: int) -> str:
        """ZanCreateSendstrSml: the characteristic-bar send string."""
        return self._text_result(native.ZanCreateSendstrSml, _int(mode, "mode"))

    def get_sml_data_k4(self, mode: int, position: int, number: int) -> SmlCharacteristicData:
        """ZanGetSmlDataK4: characteristic position of the newer bar with its
        value number (mode 2) or its first value in object number (mode 1)."""
        return self._record_result(
            native.ZanGetSmlDataK4,
            native.SmlCharacteristicData,
            _to_sml_characteristic,
            _int(mode, "mode"),
            _int(position, "position"),
            _int(number, "number"),
        )

    def get_sml_attribut_data_k4(
        self, kind: int, key: Text, value_number: int
    ) -> SmlCharacteristicData:
        """ZanGetSmlAttributDataK4: the characteristic whose name (kind 1) or
        description (kind 2) is key."""
        return self._record_result(
            native.ZanGetSmlAttributDataK4,
            native.SmlCharacteristicData,
            _to_sml_characteristic,
            _int(kind, "kind"),
            self._text(key, "key"),
            _int(value_number, "value_number"),
        )

    def get_sml_data_value_k4(
        self, mode: int, name: Text, index: int, object_number: int, value_number: int
    ) -> Optional[str]:
        """ZanGetSmlDataValueK4: one value text (mode 1 of an object, 2 of a
        characteristic, 3 of the position value table); None when there are
        no values (-2) or none at value_number (-3)."""
        return self._text_result(
            native.ZanGetSmlDataValueK4,
            _int(mode, "mode"),
            self._text(name, "name"),
            _int(index, "index"),
            _int(object_number, "object_number"),
            _int(value_number, "value_number"),
            answers=_NO_VALUE,
        )

    def get_sml_value_description_k4(self, mode: int, object_number: int, name: Text) -> int:
        """ZanGetSmlValueDescriptionK4: the number of values of name."""
        return self._count_result(
            native.ZanGetSmlValueDescriptionK4,
            _int(mode, "mode"),
            _int(object_number, "object_number"),
            self._text(name, "name"),
        )

    def create_fill_pos_sml_value_table_k4(
        self, mode: int, data: Text, length: Optional[int] = None
    ) -> None:
        """ZanCreateFillPosSmlValueTableK4: the position value table from
        name;value; pairs."""
        buffer, length = self._sized(data, length)
        self._run(native.ZanCreateFillPosSmlValueTableK4, _int(mode, "mode"), buffer, length)

    def create_sendstr_pos_sml_values_k4(self, mode: int) -> str:
        """ZanCreateSendstrPosSmlValuesK4: the names of the characteristics,
        each followed by the separator."""
        return self._text_result(native.ZanCreateSendstrPosSmlValuesK4, _int(mode, "mode"))
