"""KELMOD, the CAD-ERP exchange toolbox, for Python.

    import kelmod
    tb = kelmod.Toolbox()            # Latin-1 text; kelmod.Toolbox(encoding="cp1252") ...
    tb.init_toolbox(1)
    tb.fill_interface("46C   ;")
    tb.create_sendstr_help("MATCH", "01", "MATNR", "1000")   # 'MATCH;01;MATNR;1000;'

kelmod.Toolbox has one method per export of the library (ZanGetTableValue is
get_table_value ...); kelmod.native holds the exports themselves as ctypes
declares them.
"""
from . import native
from ._records import AttributeRecord, CharacteristicData, MessageRecord, SmlCharacteristicData
from ._toolbox import KelmodError, Toolbox
from .native import LibraryNotFound

__version__ = "3.1.0"

__all__ = [
    "AttributeRecord",
    "CharacteristicData",
    "KelmodError",
    "LibraryNotFound",
    "MessageRecord",
    "SmlCharacteristicData",
    "Toolbox",
    "native",
]
