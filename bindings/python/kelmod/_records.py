"""The records the toolbox hands back, as frozen dataclasses.

Each is a copy made while the call still held the lock, so it stays valid
whatever the toolbox does afterwards. A text member the toolbox left null
is None.
"""
from dataclasses import dataclass
from typing import Optional, Tuple


@dataclass(frozen=True)
class MessageRecord:
    """The text of a code from the message file (ZanGetErrorMessage)."""

    code: int
    type: str
    short_text: str
    long_text: str


@dataclass(frozen=True)
class AttributeRecord:
    """One line of a field definition file, its columns as they stand."""

    set_name: str
    field_name: str
    length: str
    description: str


@dataclass(frozen=True)
class CharacteristicData:
    """One characteristic with one of its values (help, matchcode, mail and
    older characteristic-bar tables)."""

    name: Optional[str]
    field_name: Optional[str]
    din_letter: Optional[str]
    input: Optional[str]
    unit: Optional[str]
    format: Optional[str]
    template: Optional[str]
    selection: Optional[str]
    parameter: Optional[str]
    length: int
    width: int
    decimals: int
    value: Optional[str]


@dataclass(frozen=True)
class SmlCharacteristicData:
    """One characteristic of the characteristic bar of the newer release."""

    name: Optional[str]
    description: Optional[str]
    mandatory: Optional[str]
    inherited: Optional[str]
    valuated: Optional[str]
    data_type: Optional[str]
    single_value: Optional[str]
    interval: Optional[str]
    additional_values: Optional[str]
    digits: int
    decimals: int
    sign: Optional[str]
    exponent_display: Optional[str]
    exponent_format: Optional[str]
    template: Optional[str]
    lower_case: Optional[str]
    unit: Optional[str]
    din_letter: Optional[str]
    document_type: Optional[str]
    document_number: Optional[str]
    document_part: Optional[str]
    document_version: Optional[str]
    view0: Optional[str]
    view1: Optional[str]
    view2: Optional[str]
    view3: Optional[str]
    view4: Optional[str]
    view5: Optional[str]
    view6: Optional[str]
    view7: Optional[str]
    view8: Optional[str]
    view9: Optional[str]
    send_text1: Optional[str]
    send_text2: Optional[str]
    value: Optional[str]

    @property
    def views(self) -> Tuple[Optional[str], ...]:
        """view0 to view9."""
        return tuple(getattr(self, f"view{k}") for k in range(10))


def _c_name(python_name):
    """The member of the C record a dataclass field copies: snake case back to
    the header's mixed case; "template" is "template_" there."""
    if python_name == "template":
        return "template_"
    head, *rest = python_name.split("_")
    return head + "".join(part.capitalize() for part in rest)


def _converter(record_class, structure_class):
    """A function that copies a ctypes record into record_class, decoding each
    text member with the function it is given."""
    members = []
    for field in record_class.__dataclass_fields__.values():
        c_name = _c_name(field.name)
        getattr(structure_class, c_name)  # every member exists on the C side
        members.append((c_name, field.type is int or field.type == "int"))

    def convert(structure, decode):
        return record_class(
            *[
                getattr(structure, name) if is_int else decode(getattr(structure, name))
                for name, is_int in members
            ]
        )

    return convert
