"""The kelmod command line as a whole: version, help, usage errors, shared options."""
import pytest

from conftest import EXAMPLES


def test_version_names_the_tool_and_the_toolbox(kelmod):
    result = kelmod("--version")
    assert (result.status, result.text) == (0, "kelmod 3.1.0 (toolbox 3.1G)\n")


@pytest.mark.parametrize("command", ["message", "check", "decode", "encode", "replay"])
def test_every_subcommand_has_help(kelmod, command):
    result = kelmod(command, "--help")
    assert result.status == 0
    assert f"Usage: kelmod {command} [OPTIONS]" in result.text


@pytest.mark.parametrize("args", [[], ["frobnicate"], ["message"], ["--no-such-option"],
                                  ["decode", "table", "--format", "xml"]])
def test_bad_command_lines_exit_64_with_a_usage_message(kelmod, args):
    result = kelmod(*args)
    assert result.status == 64, result
    assert result.out == b""
    assert result.error_text.strip() != ""


def test_format_names_are_case_blind_and_wrong_ones_are_named(kelmod):
    args = ["decode", "table", "--set", "MATAN", "--key", "01", "--sets", EXAMPLES / "kelmset.dat",
            "--fields", EXAMPLES / "kelmdef.dat", EXAMPLES / "answer.txt"]
    lower = kelmod(*args, "--format", "csv")
    upper = kelmod(*args, "--format", "CSV")
    assert lower.status == upper.status == 0
    assert upper.out == lower.out
    assert lower.text.startswith("MATNR,MAKTX,MEINS,BRGEW\r\n")
    wrong = kelmod(*args, "--format", "xml")
    assert wrong.status == 64
    assert "--format: xml not in {text,csv,json}" in wrong.error_text
