"""Shared set-up of the binding's tests.

The tests import the package from this source tree (bindings/python) and
load the library named by KELMOD_LIBRARY; CTest passes the library of the
same build and KELMOD_EXAMPLES, the folder of the sample files. Run by hand:

    KELMOD_LIBRARY=build/default/src/libkelmod.so.3 python3 -m pytest bindings/python/tests
"""
import os
import re
import subprocess
import sys
import tempfile
from pathlib import Path

import pytest
from hypothesis import settings
from hypothesis.configuration import set_hypothesis_home_dir

PACKAGE_ROOT = Path(__file__).resolve().parents[1]
REPOSITORY = PACKAGE_ROOT.parents[1]
EXAMPLES = Path(os.environ.get("KELMOD_EXAMPLES", REPOSITORY / "examples")).resolve()
HEADER = REPOSITORY / "include" / "kelmod.h"

sys.path.insert(0, str(PACKAGE_ROOT))

import kelmod  # noqa: E402

# Nothing written into the source tree (no example database, Hypothesis's
# own cache in the temporary folder), and no deadline on a shared machine.
set_hypothesis_home_dir(os.path.join(tempfile.gettempdir(), "kelmod-binding-hypothesis"))
settings.register_profile("kelmod", database=None, deadline=None)
settings.load_profile("kelmod")

INTERFACE = "46C XY;ZKELMHOST"


def example(name):
    return str(EXAMPLES / name)


def method_name(export):
    """The Toolbox method of an export: ZanGetTableValue -> get_table_value."""
    return re.sub(r"(?<=[a-z0-9])(?=[A-Z])", "_", export[3:]).lower()


@pytest.fixture
def tb():
    """A toolbox started afresh, with the sample message file and the
    interface record of the example host (release 46C, separator ';')."""
    toolbox = kelmod.Toolbox()
    toolbox.init_toolbox(2)
    toolbox.init_toolbox(1)
    toolbox.configure_toolbox(1, example("kelmmes.dat"))
    toolbox.configure_toolbox(2, example("kelmtab.dat"))
    toolbox.fill_interface(INTERFACE)
    yield toolbox
    toolbox.init_toolbox(2)


def run_python(code, env=None, cwd=None, input=None):
    """Runs code in a fresh interpreter that imports this source tree's
    package and loads the library the tests run against (env may change
    that; a value of None removes a variable). Gives the completed process."""
    full_env = {key: value for key, value in os.environ.items()
                if not key.startswith("KELMOD_TRACE")}
    full_env.update(PYTHONPATH=str(PACKAGE_ROOT), PYTHONDONTWRITEBYTECODE="1",
                    KELMOD_LIBRARY=library_path())
    full_env.update(env or {})
    return subprocess.run([sys.executable, "-c", code], cwd=cwd, input=input, text=True,
                          env={key: value for key, value in full_env.items() if value is not None},
                          stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=120)


def library_path():
    """The file of the library the tests run against."""
    return kelmod.native.library()._name
