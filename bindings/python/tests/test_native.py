"""kelmod.native: the declarations against kelmod.h and a C compiler, and
how the library is found."""
import ctypes
import re
import shutil
import subprocess
import sys
from ctypes import POINTER, c_char, c_char_p, c_int32

import pytest

import kelmod
from conftest import HEADER, PACKAGE_ROOT, library_path, run_python

C_TYPES = {
    "int32_t": c_int32,
    "int32_t*": POINTER(c_int32),
    "char*": POINTER(c_char),
    "char**": POINTER(c_char_p),
    "MessageRecord*": POINTER(kelmod.native.MessageRecord),
    "AttributeRecord*": POINTER(kelmod.native.AttributeRecord),
    "CharacteristicData*": POINTER(kelmod.native.CharacteristicData),
    "SmlCharacteristicData*": POINTER(kelmod.native.SmlCharacteristicData),
}


def header_prototypes():
    """Export -> its argument types, read from kelmod.h."""
    prototypes = {}
    text = re.sub(r"/\*.*?\*/", "", HEADER.read_text(), flags=re.S)
    for name, arguments in re.findall(r"KELMOD_API ErrorCode (Zan\w+)\((.*?)\);", text, re.S):
        types = []
        for argument in arguments.split(","):
            argument = " ".join(argument.split())
            if argument == "void":
                continue
            c_type = re.sub(r"\s*\w+$", "", argument).replace(" ", "")
            types.append(C_TYPES[c_type])
        prototypes[name] = tuple(types)
    return prototypes


def test_the_64_exports_are_declared_as_kelmod_h_declares_them():
    prototypes = header_prototypes()
    assert len(prototypes) == 64
    assert kelmod.native.SIGNATURES == prototypes
    for name, argtypes in prototypes.items():
        function = getattr(kelmod.native, name)
        assert tuple(function.argtypes) == argtypes, name
        assert function.restype is c_int32, name
    assert set(prototypes) <= set(dir(kelmod.native))


def test_the_library_exports_exactly_the_64_functions():
    nm = shutil.which("nm")
    with open(library_path(), "rb") as library:
        elf = library.read(4) == b"\x7fELF"
    if nm is None or not elf:
        pytest.skip("nm and an ELF library are needed")
    listed = subprocess.run([nm, "-D", "--defined-only", library_path()],
                            stdout=subprocess.PIPE, text=True, check=True).stdout
    names = {line.split()[-1] for line in listed.splitlines() if " T " in line}
    assert names == set(kelmod.native.SIGNATURES)


LAYOUT_PROGRAM = r"""
#include <stddef.h>
#include <stdio.h>
#include "kelmod.h"
#define AT(record, member) printf(#record "." #member " %zu\n", offsetof(record, member))
#define SIZE(record) printf(#record " %zu\n", sizeof(record))
int main(void) {
    SIZE(MessageRecord); AT(MessageRecord, type); AT(MessageRecord, shortText);
    AT(MessageRecord, longText);
    SIZE(AttributeRecord); AT(AttributeRecord, fieldName); AT(AttributeRecord, length);
    AT(AttributeRecord, description);
    SIZE(CharacteristicData); AT(CharacteristicData, length); AT(CharacteristicData, width);
    AT(CharacteristicData, decimals); AT(CharacteristicData, value);
    SIZE(SmlCharacteristicData); AT(SmlCharacteristicData, digits);
    AT(SmlCharacteristicData, decimals); AT(SmlCharacteristicData, sign);
    AT(SmlCharacteristicData, view0); AT(SmlCharacteristicData, view9);
    AT(SmlCharacteristicData, sendText1); AT(SmlCharacteristicData, value);
    return 0;
}
"""


def test_the_records_are_laid_out_as_a_c_compiler_lays_out_kelmod_h(tmp_path):
    compiler = shutil.which("cc") or shutil.which("gcc")
    if compiler is None:
        pytest.skip("no C compiler")
    source = tmp_path / "layout.c"
    source.write_text(LAYOUT_PROGRAM)
    subprocess.run([compiler, "-I", str(HEADER.parent), str(source), "-o", str(tmp_path / "layout")],
                   check=True)
    printed = subprocess.run([str(tmp_path / "layout")], stdout=subprocess.PIPE, text=True,
                             check=True).stdout
    native = kelmod.native
    for line in printed.splitlines():
        what, number = line.split()
        record, _, member = what.partition(".")
        structure = getattr(native, record)
        if member:
            assert getattr(structure, member).offset == int(number), what
        else:
            assert ctypes.sizeof(structure) == int(number), what
    assert ctypes.sizeof(native.MessageRecord) == 268
    assert ctypes.sizeof(native.AttributeRecord) == 66


def copy_of_package(folder, library_names=()):
    """This package in folder/kelmod, with the library copied beside it under
    each of library_names."""
    target = folder / "kelmod"
    shutil.copytree(PACKAGE_ROOT / "kelmod", target,
                    ignore=shutil.ignore_patterns("__pycache__", "*.so*", "*.dll"))
    for name in library_names:
        shutil.copy(library_path(), target / name)
    return target


WHERE = "import kelmod; kelmod.Toolbox(); print(kelmod.native.library()._name)"
NOT_FOUND = """
import kelmod
assert issubclass(kelmod.LibraryNotFound, ImportError)
try:
    kelmod.Toolbox()
except kelmod.LibraryNotFound as error:
    print(error)
    print(len(error.tried))
try:
    kelmod.native.ZanInitToolbox
except kelmod.LibraryNotFound:
    print("the exports need the library too")
"""


def run_copy(folder, code, env):
    base = {"PYTHONPATH": str(folder), "KELMOD_LIBRARY": None, "LD_LIBRARY_PATH": None,
            "LIBRARY_PATH": None}
    return run_python(code, env=dict(base, **env), cwd=folder)


@pytest.mark.skipif(sys.platform == "win32", reason="the ELF names of the library")
class TestFindingTheLibrary:
    def test_kelmod_library_names_the_file(self, tmp_path):
        copy_of_package(tmp_path, ["libkelmod.so.3"])
        completed = run_copy(tmp_path, WHERE, {"KELMOD_LIBRARY": library_path()})
        assert completed.stdout.strip() == library_path()

    def test_a_library_named_by_kelmod_library_that_fails_is_not_replaced_by_another(
        self, tmp_path
    ):
        copy_of_package(tmp_path, ["libkelmod.so.3"])
        missing = str(tmp_path / "nowhere" / "libkelmod.so.3")
        completed = run_copy(tmp_path, NOT_FOUND, {"KELMOD_LIBRARY": missing})
        assert f"KELMOD_LIBRARY={missing}:" in completed.stdout
        assert completed.stdout.splitlines()[-2:] == ["1", "the exports need the library too"]

    @pytest.mark.parametrize("name", ["libkelmod.so", "libkelmod.so.3"])
    def test_beside_the_package_under_either_name(self, tmp_path, name):
        package = copy_of_package(tmp_path, [name])
        completed = run_copy(tmp_path, WHERE, {})
        assert completed.stdout.strip() == str(package / name), completed.stderr

    def test_the_versioned_name_through_the_system_search(self, tmp_path):
        copy_of_package(tmp_path)
        runtime = tmp_path / "runtime"
        runtime.mkdir()
        shutil.copy(library_path(), runtime / "libkelmod.so.3")
        completed = run_copy(tmp_path, WHERE, {"LD_LIBRARY_PATH": str(runtime)})
        assert completed.stdout.strip() == "libkelmod.so.3", completed.stderr

    def test_a_library_without_the_exports_is_passed_over(self, tmp_path):
        compiler = shutil.which("cc") or shutil.which("gcc")
        if compiler is None:
            pytest.skip("no C compiler")
        package = copy_of_package(tmp_path)
        source = tmp_path / "other.c"
        source.write_text("int ZanInitToolbox(int mode) { return mode; }\n")
        subprocess.run([compiler, "-shared", "-fPIC", str(source), "-o",
                        str(package / "libkelmod.so")], check=True)
        completed = run_copy(tmp_path, NOT_FOUND, {})
        assert (f"  {package / 'libkelmod.so'}: lacks 63 of the 64 exports "
                "(ZanConfigureToolbox, ZanToolboxVersion, ZanGetErrorMessage ...)"
                in completed.stdout.splitlines()), completed.stdout

    def test_not_found_names_every_place_looked_at(self, tmp_path):
        package = copy_of_package(tmp_path)
        completed = run_copy(tmp_path, NOT_FOUND, {})
        assert completed.returncode == 0, completed.stderr
        lines = completed.stdout.splitlines()
        assert lines[0].startswith("the KELMOD library (libkelmod.so.3, kelmod.dll) was not found")
        assert "  KELMOD_LIBRARY: not set" in lines
        assert f"  {package / 'libkelmod.so'}: no such file" in lines
        assert f"  {package / 'libkelmod.so.3'}: no such file" in lines
        assert "  ctypes.util.find_library('kelmod'): found nothing" in lines
        assert any(line.startswith("  libkelmod.so.3 (the system's search): ") for line in lines)
        assert lines[-2:] == ["5", "the exports need the library too"]


def test_importing_the_package_loads_nothing_until_a_toolbox_is_made(tmp_path):
    code = "import kelmod, sys; print(kelmod.native._library is None, kelmod.__version__)"
    completed = run_python(code, env={"KELMOD_LIBRARY": str(tmp_path / "missing.so")})
    assert completed.stdout.split() == ["True", "3.1.0"]

