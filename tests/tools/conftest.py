"""Shared fixtures of the kelmod tool tests.

The tests run the built tool as a user would, through its command line.
CTest passes where it is: KELMOD_CLI (the program), KELMOD_EMULATOR (wine for
the Windows build, else empty), KELMOD_HOST (the example host program) and
KELMOD_EXAMPLES (the sample files).
"""
import os
import shlex
import subprocess
from pathlib import Path

import pytest

CLI = os.environ.get("KELMOD_CLI", "")
EMULATOR = shlex.split(os.environ.get("KELMOD_EMULATOR", ""))
HOST = os.environ.get("KELMOD_HOST", "")
EXAMPLES = Path(os.environ.get("KELMOD_EXAMPLES", Path(__file__).resolve().parents[2] / "examples"))


class Result:
    """What one run of a program gave: exit status and both outputs as bytes."""

    def __init__(self, completed):
        self.status = completed.returncode
        self.out = completed.stdout
        self.err = completed.stderr

    @property
    def text(self):
        return self.out.decode("latin-1")

    @property
    def error_text(self):
        return self.err.decode("latin-1")

    def __repr__(self):
        return f"Result(status={self.status}, out={self.out[:400]!r}, err={self.err[:400]!r})"


def run_program(program, args, input=None, cwd=None, env=None):
    if not program:
        pytest.fail("KELMOD_CLI / KELMOD_HOST is not set: run the tests through ctest")
    full_env = dict(os.environ)
    full_env.pop("KELMOD_TRACE", None)
    full_env.pop("KELMOD_TRACE_FILES", None)
    full_env.setdefault("WINEDEBUG", "-all")
    if env:
        full_env.update(env)
    completed = subprocess.run(
        EMULATOR + [program] + [str(a) for a in args],
        input=input,
        stdout=subprocess.PIPE,
        stderr=subprocess.PIPE,
        cwd=cwd,
        env=full_env,
        timeout=300,
    )
    return Result(completed)


@pytest.fixture
def kelmod():
    """Runs the kelmod tool: kelmod(args..., input=bytes, cwd=..., env={...})."""

    def run(*args, input=None, cwd=None, env=None):
        return run_program(CLI, list(args), input=input, cwd=cwd, env=env)

    return run


@pytest.fixture
def host():
    """Runs the example host program with the given arguments."""

    def run(*args, cwd=None, env=None):
        return run_program(HOST, list(args), cwd=cwd, env=env)

    return run


@pytest.fixture
def examples():
    return EXAMPLES
