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


LAYOUT = {  # record -> the members whose offsets a C compiler is asked for
    "MessageRecord": "type shortText longText",
    "AttributeRecord": "fieldName length description",
    "CharacteristicData": "length width decimals value",
    "SmlCharacteristicData": "digits decimals sign view0 view9 sendText1 value",
}


def test_the_records_are_laid_out_as_a_c_compiler_lays_out_kelmod_h(tmp_path):
    compiler = shutil.which("cc") or shutil.which("gcc")
    if compiler is None:
        pytest.skip("no C compiler")
    lines = []
    for record, members in LAYOUT.items():
        lines.append(f'printf("{record} %zu\\n", sizeof({record}));')
        lines += [f'printf("{record}.{m} %zu\\n", offsetof({record}, {m}));' for m in members.split()]
    source = tmp_path / "layout.c"
    source.write_text('#include <stddef.h>\n#include <stdio.h>\n#include "kelmod.h"\n'
                      "int main(void) {\n" + "\n".join(lines) + "\nreturn 0;\n}\n")
    subprocess.run([compiler, "-I", str(HEADER.parent), str(source), "-o", str(tmp_path / "layout")],
                   check=True)
    printed = subprocess.run([str(tmp_path / "layout")], stdout=subprocess.PIPE, text=True,
                             check=True).stdout
    ours = []
    for record, members in LAYOUT.items():
        structure = getattr(kelmod.native, record)
        ours.append(f"{record} {ctypes.sizeof(structure)}")
        ours += [f"{record}.{m} {getattr(structure, m).offset}" for m in members.split()]
    assert printed.splitlines() == ours
    assert ours[0] == "MessageRecord 268" and ours[4] == "AttributeRecord 66"


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
print(kelmod.native._library is None, kelmod.__version__)  # nothing loaded on import
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
@pytest.mark.parametrize("where", ["KELMOD_LIBRARY", "libkelmod.so", "libkelmod.so.3", "search"])
def test_the_library_is_found(tmp_path, where):
    """Named by KELMOD_LIBRARY, beside the package under either name, or by
    its versioned name through the system's search."""
    beside = {"KELMOD_LIBRARY": ["libkelmod.so.3"], "search": []}.get(where, [where])
    package = copy_of_package(tmp_path, beside)
    env, expected = {}, str(package / where)
    if where == "KELMOD_LIBRARY":  # taken before the copy beside the package
        env, expected = {where: library_path()}, library_path()
    elif where == "search":
        (tmp_path / "runtime").mkdir()
        shutil.copy(library_path(), tmp_path / "runtime" / "libkelmod.so.3")
        env, expected = {"LD_LIBRARY_PATH": str(tmp_path / "runtime")}, "libkelmod.so.3"
    completed = run_copy(tmp_path, WHERE, env)
    assert completed.stdout.strip() == expected, completed.stderr


@pytest.mark.skipif(sys.platform == "win32", reason="the ELF names of the library")
def test_not_found_names_every_place_looked_at_and_never_replaces_a_named_library(tmp_path):
    package = copy_of_package(tmp_path, ["libkelmod.so.3"])
    missing = str(tmp_path / "nowhere" / "libkelmod.so.3")
    lines = run_copy(tmp_path, NOT_FOUND, {"KELMOD_LIBRARY": missing}).stdout.splitlines()
    assert lines[0] == "True 3.1.0"
    assert lines[2].startswith(f"  KELMOD_LIBRARY={missing}: ")
    assert lines[-2:] == ["1", "the exports need the library too"]

    (package / "libkelmod.so.3").unlink()
    completed = run_copy(tmp_path, NOT_FOUND, {})
    assert completed.returncode == 0, completed.stderr
    lines = completed.stdout.splitlines()
    assert lines[1].startswith("the KELMOD library (libkelmod.so.3, kelmod.dll) was not found")
    for place in ("  KELMOD_LIBRARY: not set", f"  {package / 'libkelmod.so'}: no such file",
                  f"  {package / 'libkelmod.so.3'}: no such file",
                  "  ctypes.util.find_library('kelmod'): found nothing"):
        assert place in lines
    assert any(line.startswith("  libkelmod.so.3 (the system's search): ") for line in lines)
    assert lines[-2:] == ["5", "the exports need the library too"]

    compiler = shutil.which("cc") or shutil.which("gcc")
    if compiler is None:
        pytest.skip("no C compiler for a library without the exports")
    source = tmp_path / "other.c"
    source.write_text("int ZanInitToolbox(int mode) { return mode; }\n")
    subprocess.run([compiler, "-shared", "-fPIC", str(source), "-o",
                    str(package / "libkelmod.so")], check=True)
    assert (f"  {package / 'libkelmod.so'}: lacks 63 of the 64 exports "
            "(ZanConfigureToolbox, ZanToolboxVersion, ZanGetErrorMessage ...)"
            in run_copy(tmp_path, NOT_FOUND, {}).stdout.splitlines())
