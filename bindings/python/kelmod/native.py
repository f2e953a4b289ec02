"""The 64 exports of the KELMOD library, as ctypes declares them.

Every export is an attribute of this module under its C name
(``kelmod.native.ZanInitToolbox`` ...) with the argument and result types of
kelmod.h. The library is loaded on the first use of one of them (or of
:func:`load`), so that ``import kelmod`` works on a machine without it.

Calling these directly is calling C: text arguments must be writable buffers
(``ctypes.create_string_buffer``), because several exports change them in
place, and a ``char**`` result points into a buffer of the toolbox that the
next call may overwrite. :class:`kelmod.Toolbox` does all of that for you.
Hold :data:`lock` around direct calls if a Toolbox is used by other threads
of the process at the same time.
"""
import ctypes
import ctypes.util
import os
import re
import sys
import threading
from ctypes import POINTER, Structure, c_char, c_char_p, c_int32, c_void_p, sizeof

__all__ = [
    "AttributeRecord",
    "CharacteristicData",
    "LibraryNotFound",
    "MessageRecord",
    "SIGNATURES",
    "SmlCharacteristicData",
    "library",
    "load",
    "lock",
]

#: Held by every :class:`kelmod.Toolbox` call from the call until its results
#: are copied out. The toolbox has one state for the whole process, so there
#: is one lock for the whole process; it is reentrant.
lock = threading.RLock()


class LibraryNotFound(ImportError):
    """The KELMOD library could not be loaded; ``tried`` lists every place
    looked at, each as ``(place, reason)``."""

    def __init__(self, tried):
        self.tried = list(tried)
        lines = "\n".join(f"  {place}: {reason}" for place, reason in self.tried)
        super().__init__(
            "the KELMOD library (libkelmod.so.3, kelmod.dll) was not found; looked at:\n" + lines
        )


# --------------------------------------------------------------------------
# The four record types of kelmod.h
# --------------------------------------------------------------------------


class MessageRecord(Structure):
    """Filled by ZanGetErrorMessage: 266 bytes written, 268 with the padding
    that the int32 code gives the record."""

    _fields_ = [
        ("code", c_int32),
        ("type", c_char * 3),
        ("shortText", c_char * 37),
        ("longText", c_char * 222),
    ]


class AttributeRecord(Structure):
    """One line of a field definition file: 66 bytes, no padding."""

    _fields_ = [
        ("setName", c_char * 9),
        ("fieldName", c_char * 12),
        ("length", c_char * 4),
        ("description", c_char * 41),
    ]


class CharacteristicData(Structure):
    """One characteristic with one of its values (help, matchcode, mail and
    older characteristic-bar tables). The texts belong to the toolbox."""

    _fields_ = [
        ("name", c_char_p),
        ("fieldName", c_char_p),
        ("dinLetter", c_char_p),
        ("input", c_char_p),
        ("unit", c_char_p),
        ("format", c_char_p),
        ("template_", c_char_p),
        ("selection", c_char_p),
        ("parameter", c_char_p),
        ("length", c_int32),
        ("width", c_int32),
        ("decimals", c_int32),
        ("value", c_char_p),
    ]


class SmlCharacteristicData(Structure):
    """One characteristic of the characteristic bar of the newer release."""

    _fields_ = (
        [
            (name, c_char_p)
            for name in (
                "name description mandatory inherited valuated dataType singleValue interval "
                "additionalValues"
            ).split()
        ]
        + [("digits", c_int32), ("decimals", c_int32)]
        + [
            (name, c_char_p)
            for name in (
                "sign exponentDisplay exponentFormat template_ lowerCase unit dinLetter "
                "documentType documentNumber documentPart documentVersion "
                "view0 view1 view2 view3 view4 view5 view6 view7 view8 view9 "
                "sendText1 sendText2 value"
            ).split()
        ]
    )


def _check_layouts():
    """The records must be laid out exactly as a C compiler lays out kelmod.h:
    the byte blocks at their fixed offsets, the pointer records in the natural
    layout of the platform."""
    pointer = sizeof(c_void_p)

    def aligned(offset):
        return (offset + pointer - 1) // pointer * pointer

    expected = {
        MessageRecord: (268, {"code": 0, "type": 4, "shortText": 7, "longText": 44}),
        AttributeRecord: (66, {"setName": 0, "fieldName": 9, "length": 21, "description": 25}),
        CharacteristicData: (
            aligned(9 * pointer + 12) + pointer,
            {"length": 9 * pointer, "decimals": 9 * pointer + 8, "value": aligned(9 * pointer + 12)},
        ),
        SmlCharacteristicData: (
            33 * pointer + 8,
            {"digits": 9 * pointer, "sign": 9 * pointer + 8, "value": 32 * pointer + 8},
        ),
    }
    for record, (size, offsets) in expected.items():
        actual = {name: getattr(record, name).offset for name in offsets}
        if sizeof(record) != size or actual != offsets:
            raise ImportError(
                f"{record.__name__} is laid out as {sizeof(record)} bytes {actual}, "
                f"kelmod.h gives {size} bytes {offsets}"
            )


_check_layouts()

# --------------------------------------------------------------------------
# The 64 signatures, in the order of kelmod.h. Every export returns ErrorCode.
# --------------------------------------------------------------------------

_I = c_int32  # int32_t
_IP = POINTER(c_int32)  # int32_t*: an integer written through the pointer
_T = POINTER(c_char)  # char*: a writable NUL-terminated text
_TP = POINTER(c_char_p)  # char**: receives the address of a text (or fills an array of them)

#: Export name -> argument types, in the order of kelmod.h.
SIGNATURES = {
    # Toolbox core
    "ZanInitToolbox": (_I,),
    "ZanConfigureToolbox": (_I, _T),
    "ZanToolboxVersion": (_TP,),
    "ZanGetErrorMessage": (_I, POINTER(MessageRecord)),
    "ZanFillInterface": (_T, _I),
    "ZanDescribeInterface": (_I, _TP),
    # Generic record tables
    "ZanCreateTable": (_I, _T, _T, _T, _T),
    "ZanCreateFillTable": (_I, _T, _T, _T, _T, _T, _I),
    "ZanFillTable": (_I, _T, _I),
    "ZanCreateSendstr": (_TP,),
    "ZanCreateSendstrBomHead": (_I, _TP),
    "ZanGetTableValue": (_I, _T, _I, _TP),
    "ZanWriteTableValue": (_I, _T, _T, _I),
    "ZanModifyTableValue": (_I, _T, _T, _I),
    "ZanDeleteTableEntry": (_I, _I),
    "ZanDescribeTable": (_I, _TP),
    "ZanGetAttributName": (_I, _T, _T, _T, _T, _I, POINTER(AttributeRecord)),
    "ZanGetAttributNameValue": (_I, _I, _I, _T, _TP),
    "ZanSearchAttribut": (_I, _T, _T, _T, _T, _T, POINTER(AttributeRecord)),
    "ZanCreateFillUserTable": (_I, _I, _T, _I),
    "ZanWriteKonfiguration": (_I, _T, _I, _T),
    "ZanPrintTable": (_I, _T),
    # Characteristic value lists
    "ZanCreateHlpTable": (_I, _T, _I),
    "ZanFillHlpTable": (_I, _T, _I),
    "ZanGetHlpData": (_I, _I, _I, POINTER(CharacteristicData)),
    "ZanGetHlpDescription": (_I, _TP),
    "ZanFindHelpTable": (_T, _T, _T, _T, _T, _T, _T),
    "ZanCreateFillTableMcd": (_I, _T, _I),
    "ZanCreateSendstrMcd": (_I, _T, _T, _TP),
    "ZanGetMcdValue": (_T, _I, _TP),
    "ZanGetMcdDescription": (_I, _TP),
    "ZanWriteMcdValue": (_I, _I, _T),
    "ZanCreateSendstrHelp": (_T, _T, _T, _T, _TP),
    "ZanCreateSendstrMessageK4": (_T, _I, _TP),
    # Classification
    "ZanCreateFillClasTableK4": (_I, _T, _I, _IP),
    "ZanCreateFillClasHierarchTableK4": (_I, _T, _I, _IP),
    "ZanCreateSendstrClasK4": (_T,) * 8 + (_TP,),
    "ZanCreateSendstrClasScopeK4": (_T,) * 6 + (_TP,),
    "ZanCreateSendstrClasSelectK4": (_T,) * 11 + (_TP,),
    "ZanCreateSendstrClasSelScopeK4": (_T,) * 8 + (_TP,),
    "ZanCreateSendstrClasSearchK4": (_I,) + (_T,) * 7 + (_TP,),
    "ZanGetClasDataK4": (_I, _I, _TP),
    "ZanGetClasHierarchDataK4": (_I, _I, _TP),
    "ZanGetClasSearchDataK4": (_I, _I, _TP),
    "ZanGetObjectDataK4": (_I, _I, _TP),
    # Mail
    "ZanCreateMailTable": (_I, _T, _I),
    "ZanDescribeMailTable": (_I, _TP),
    "ZanGetMailData": (_I, _I, _T, _I, _TP),
    "ZanWriteMailValue": (_I, _I, _T, _I, _T),
    "ZanCreateSendstrMail": (_I, _I, _TP),
    # Characteristic bars
    "ZanCreateSmlTable": (_I, _T, _I),
    "ZanFillSmlTable": (_I, _T, _I),
    "ZanDeleteSmlSelection": (),
    "ZanGetSmlDescription": (_I, _TP),
    "ZanGetSmlData": (_I, _I, _I, POINTER(CharacteristicData)),
    "ZanGetSmlAttributData": (_I, _T, _I, POINTER(CharacteristicData)),
    "ZanWriteSmlValue": (_I, _I, _T, _I, _T, _I),
    "ZanCreateSendstrSml": (_I, _TP),
    "ZanGetSmlDataK4": (_I, _I, _I, POINTER(SmlCharacteristicData)),
    "ZanGetSmlAttributDataK4": (_I, _T, _I, POINTER(SmlCharacteristicData)),
    "ZanGetSmlDataValueK4": (_I, _T, _I, _I, _I, _TP),
    "ZanGetSmlValueDescriptionK4": (_I, _I, _T, _IP),
    "ZanCreateFillPosSmlValueTableK4": (_I, _T, _I),
    "ZanCreateSendstrPosSmlValuesK4": (_I, _TP),
}

# --------------------------------------------------------------------------
# Finding and loading the library
# --------------------------------------------------------------------------

_MAJOR = 3
_library = None


def _names_beside_package():
    if sys.platform == "win32":
        return ["kelmod.dll"]
    if sys.platform == "darwin":
        return ["libkelmod.dylib", f"libkelmod.{_MAJOR}.dylib"]
    return ["libkelmod.so", f"libkelmod.so.{_MAJOR}"]


def _versioned_name():
    if sys.platform == "win32":
        return None
    if sys.platform == "darwin":
        return f"libkelmod.{_MAJOR}.dylib"
    return f"libkelmod.so.{_MAJOR}"


def _open(name):
    """The library at name with all 64 exports, else the reason it is not."""
    try:
        lib = ctypes.CDLL(name)
    except OSError as error:
        return None, str(error) or "cannot be loaded"
    missing = [export for export in SIGNATURES if not hasattr(lib, export)]
    if missing:
        return None, f"lacks {len(missing)} of the 64 exports ({', '.join(missing[:3])} ...)"
    return lib, None


def _locate():
    tried = []
    variable = os.environ.get("KELMOD_LIBRARY")
    if variable:
        # A library named on purpose is the only one taken: falling back to
        # another would run the host against a library it did not ask for.
        path = os.path.abspath(variable)
        lib, reason = _open(path)
        if lib is None:
            raise LibraryNotFound([(f"KELMOD_LIBRARY={variable}", reason)])
        return lib
    tried.append(("KELMOD_LIBRARY", "not set"))

    folder = os.path.dirname(os.path.abspath(__file__))
    for name in _names_beside_package():
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            tried.append((path, "no such file"))
            continue
        lib, reason = _open(path)
        if lib is not None:
            return lib
        tried.append((path, reason))

    found = ctypes.util.find_library("kelmod")
    if found is None:
        tried.append(("ctypes.util.find_library('kelmod')", "found nothing"))
    else:
        other = re.search(r"\.so\.(\d+)", found) or re.search(r"\.(\d+)\.dylib$", found)
        if other and int(other.group(1)) != _MAJOR:
            tried.append((found, f"major version {other.group(1)}, not {_MAJOR}"))
        else:
            lib, reason = _open(found)
            if lib is not None:
                return lib
            tried.append((found, reason))

    versioned = _versioned_name()
    if versioned is not None and versioned != found:
        lib, reason = _open(versioned)
        if lib is not None:
            return lib
        tried.append((f"{versioned} (the system's search)", reason))
    raise LibraryNotFound(tried)


def load():
    """Loads the library once per process and returns it (a ctypes.CDLL).

    Looked for in this order: the file named by KELMOD_LIBRARY (only there
    when it is set); libkelmod.so / libkelmod.so.3 / kelmod.dll in this
    package's folder; ``ctypes.util.find_library("kelmod")``; the versioned
    name libkelmod.so.3 through the system's own search. Raises
    :class:`LibraryNotFound` naming every place looked at.
    """
    global _library
    if _library is not None:
        return _library
    with lock:
        if _library is None:
            lib = _locate()
            namespace = globals()
            for export, argtypes in SIGNATURES.items():
                function = getattr(lib, export)
                function.argtypes = argtypes
                function.restype = c_int32
                namespace[export] = function
            _library = lib
    return _library


def library():
    """The loaded library (loading it if needed); its ``_name`` is the path
    or name it was loaded from."""
    return load()


def __getattr__(name):
    if name in SIGNATURES:
        load()
        return globals()[name]
    raise AttributeError(f"module {__name__!r} has no attribute {name!r}")


def __dir__():
    return sorted(set(globals()) | set(SIGNATURES))
