"""The call trace (KELMOD_TRACE, KELMOD_TRACE_FILES) as a host's process writes it."""
import json
import os
import re
import shutil
from pathlib import Path

import pytest

from conftest import EXAMPLES, run_program

HOSTILE = os.environ.get("KELMOD_HOSTILE", "")
HEADER = Path(__file__).resolve().parents[2] / "include" / "kelmod.h"
EXPORTS = set(re.findall(r"KELMOD_API ErrorCode (Zan\w+)\(", HEADER.read_text()))


def read_trace(path):
    """Every line of a trace as a dict; fails on any line that is not JSON."""
    data = Path(path).read_bytes()
    assert data.endswith(b"\n"), "every line is finished"
    lines = []
    for number, raw in enumerate(data.split(b"\n")[:-1], start=1):
        assert all(0x20 <= b < 0x7F for b in raw), f"line {number} is printable ASCII"
        lines.append(json.loads(raw))
    return lines


def latin1(text):
    return text.encode("latin-1")


def traced_host(host, tmp_path, examples_folder, files=False):
    trace = tmp_path / "trace.jsonl"
    env = {"KELMOD_TRACE": str(trace)}
    if files:
        env["KELMOD_TRACE_FILES"] = "1"
    result = host(examples_folder, tmp_path / "prints", env=env)
    assert result.status == 0, result
    return trace, result


def test_a_traced_exchange_gives_the_same_output_and_one_line_per_call(host, tmp_path):
    plain = host(EXAMPLES, tmp_path / "prints")
    trace, traced = traced_host(host, tmp_path, EXAMPLES)
    assert traced.out == plain.out
    lines = read_trace(trace)
    assert [line["seq"] for line in lines] == list(range(1, len(lines) + 1))
    assert len(lines) > 100
    times = [line["time_us"] for line in lines]
    assert times == sorted(times)
    for line in lines:
        assert list(line)[:4] == ["seq", "time_us", "export", "args"]
        assert line["export"] in EXPORTS
        assert isinstance(line["code"], int)
        assert isinstance(line["results"], dict) and isinstance(line["changed"], dict)
        assert line["duration_us"] >= 0
        assert "files" not in line
    first = lines[0]
    assert (first["export"], first["args"], first["code"]) == ("ZanInitToolbox", {"mode": 1}, 0)
    version = next(line for line in lines if line["export"] == "ZanToolboxVersion")
    assert version["args"] == {"version": True}
    assert version["results"] == {"version": "3.1G"}


def test_results_of_every_kind_are_recorded_member_by_member(host, tmp_path):
    lines = read_trace(traced_host(host, tmp_path, EXAMPLES)[0])
    by_export = {}
    for line in lines:
        by_export.setdefault(line["export"], []).append(line)
    sml = by_export["ZanGetSmlDataK4"][0]
    assert sml["code"] == 0
    record = sml["results"]["data"]
    assert list(record)[:2] == ["name", "description"]
    assert list(record)[-2:] == ["digits", "decimals"] and len(record) == 35
    help_line = by_export["ZanGetHlpData"][0]
    assert set(help_line["results"]["data"]) >= {"name", "value", "length", "width", "decimals"}
    classes = by_export["ZanGetClasDataK4"][0]
    assert len(classes["results"]["values"]) == 5
    assert all(isinstance(v, str) for v in classes["results"]["values"])
    by_position = by_export["ZanGetAttributNameValue"][0]
    assert by_position["args"]["fieldName"] is True
    assert isinstance(by_position["results"]["fieldName"], str)
    assert "value" in by_position["results"]
    message = by_export["ZanGetErrorMessage"][0]
    assert set(message["results"]["message"]) == {"code", "type", "shortText", "longText"}
    count = by_export["ZanCreateFillClasTableK4"][0]
    assert count["args"]["count"] is True and isinstance(count["results"]["count"], int)


def test_trace_files_embeds_each_file_once_with_its_whole_content(host, tmp_path):
    site = tmp_path / "site"
    shutil.copytree(EXAMPLES, site)
    trace, _ = traced_host(host, tmp_path, site, files=True)
    embedded = [f for line in read_trace(trace) for f in line.get("files", [])]
    kinds = {Path(f["path"]).name: f["kind"] for f in embedded}
    # The example exchange never reads the table index file (no table of type 4).
    assert kinds == {"kelmset.dat": "sets", "kelmdef.dat": "fields", "kelmmes.dat": "message"}
    assert len(embedded) == 3
    for f in embedded:
        assert latin1(f["content"]) == (site / Path(f["path"]).name).read_bytes()


@pytest.mark.parametrize("target", ["folder", "missing/folder/trace.jsonl"])
def test_a_trace_file_that_cannot_be_opened_turns_tracing_off(host, tmp_path, target):
    plain = host(EXAMPLES, tmp_path / "prints")
    path = tmp_path / target
    if target == "folder":
        path.mkdir()
    traced = host(EXAMPLES, tmp_path / "prints", env={"KELMOD_TRACE": str(path)})
    assert (traced.status, traced.out) == (0, plain.out)
    assert path.is_dir() if target == "folder" else not path.exists()


@pytest.mark.skipif(not Path("/dev/full").exists(), reason="no /dev/full here")
def test_a_trace_file_that_cannot_be_written_turns_tracing_off(host, tmp_path):
    plain = host(EXAMPLES, tmp_path / "prints")
    traced = host(EXAMPLES, tmp_path / "prints", env={"KELMOD_TRACE": "/dev/full"})
    assert (traced.status, traced.out) == (0, plain.out)


def test_an_empty_variable_traces_nothing(host, tmp_path):
    result = host(EXAMPLES, tmp_path / "prints", env={"KELMOD_TRACE": ""}, cwd=tmp_path)
    assert result.status == 0
    assert [p.name for p in tmp_path.iterdir() if p.name != "prints"] == []


def test_traces_of_two_processes_are_appended(host, tmp_path):
    trace, _ = traced_host(host, tmp_path, EXAMPLES)
    once = len(read_trace(trace))
    traced_host(host, tmp_path, EXAMPLES)
    lines = read_trace(trace)
    assert len(lines) == 2 * once
    assert lines[once]["seq"] == 1


def parse_hostile_report(text):
    """The hostile host's own account: one entry per call, in call order."""
    calls = []
    for line in text.splitlines():
        kind, name, value = line.split(" ", 2)
        if kind == "CALL":
            calls.append({"export": name, "code": int(value), "ARG": {}, "RESULT": {},
                          "CHANGED": {}, "INT": {}, "UNTOUCHED": {}})
        elif kind in ("INT", "UNTOUCHED"):
            calls[-1][kind][name] = int(value)
        else:
            text_value = None if value == "null" else bytes.fromhex(value)
            if kind == "RESULT" and name in calls[-1]["RESULT"]:
                previous = calls[-1]["RESULT"][name]
                calls[-1]["RESULT"][name] = (previous if isinstance(previous, list)
                                             else [previous]) + [text_value]
            else:
                calls[-1][kind][name] = text_value
    return calls


def as_bytes(value):
    if isinstance(value, list):
        return [as_bytes(v) for v in value]
    return None if value is None else latin1(value)


@pytest.fixture
def hostile_trace(tmp_path):
    if not HOSTILE:
        pytest.fail("KELMOD_HOSTILE is not set: run the tests through ctest")
    trace = tmp_path / "hostile.jsonl"
    result = run_program(HOSTILE, [], env={"KELMOD_TRACE": str(trace)})
    assert result.status == 0, result
    return trace, parse_hostile_report(result.text)


def test_every_byte_of_hostile_input_survives_the_trace(hostile_trace):
    trace, calls = hostile_trace
    lines = read_trace(trace)
    assert [(line["export"], line["code"]) for line in lines] == \
        [(call["export"], call["code"]) for call in calls]
    for line, call in zip(lines, calls):
        for name, sent in call["ARG"].items():
            assert as_bytes(line["args"][name]) == sent, (line["seq"], name)
        for name, got in call["RESULT"].items():
            recorded = line["results"]
            for part in name.split("."):
                recorded = recorded[part]
            assert as_bytes(recorded) == got, (line["seq"], name)
        for name, now in call["CHANGED"].items():
            assert as_bytes(line["changed"][name]) == now, (line["seq"], name)
        if not call["CHANGED"]:
            assert line["changed"] == {}, line["seq"]
        for name, number in call["INT"].items():
            assert line["results"][name] == number
        for name, number in call["UNTOUCHED"].items():
            assert number == -7 and name not in line["results"]
    assert any(call["UNTOUCHED"] for call in calls)
    texts = [t for call in calls for t in call["ARG"].values() if t]
    assert any(len(t) == 10000 for t in texts)
    assert any(set(t) >= set(range(1, 256)) for t in texts)


def test_null_pointers_are_recorded_as_null_and_given_no_result(hostile_trace):
    lines = read_trace(hostile_trace[0])
    nulls = [line for line in lines if None in line["args"].values()]
    assert {line["export"] for line in nulls} >= {
        "ZanConfigureToolbox", "ZanCreateTable", "ZanGetTableValue", "ZanDescribeTable",
        "ZanGetErrorMessage", "ZanGetHlpData", "ZanGetClasDataK4"}
    for line in nulls:
        for name, value in line["args"].items():
            if value is None:
                assert name not in line["results"]
    message = [line for line in lines if line["export"] == "ZanGetErrorMessage"]
    assert (message[0]["code"], message[0]["results"]) == (78, {})
    assert message[1]["results"]["message"]["code"] == 41


def test_a_hostile_trace_replays_as_recorded(hostile_trace, kelmod):
    result = kelmod("replay", hostile_trace[0])
    assert result.status == 0, result
    assert result.text.endswith(": all as recorded\n")


ALL_EXPORTS = os.environ.get("KELMOD_ALL_EXPORTS", "")
API_TESTS = os.environ.get("KELMOD_API_TESTS", "")


def test_every_export_traced_with_valid_and_null_arguments_replays_as_recorded(tmp_path, kelmod):
    """Every export's probes, each argument kind valid and null: the C host that
    calls all 64 exports, and the API suite's null-argument and attribute-record
    cases, traced with their files embedded."""
    if not (ALL_EXPORTS and API_TESTS):
        pytest.fail("KELMOD_ALL_EXPORTS / KELMOD_API_TESTS are not set: run the tests through ctest")
    env = {"KELMOD_TRACE": str(tmp_path / "all.jsonl"), "KELMOD_TRACE_FILES": "1"}
    assert run_program(ALL_EXPORTS, [], env=env).status == 0
    env["KELMOD_TRACE"] = str(tmp_path / "null.jsonl")
    result = run_program(API_TESTS, ["--gtest_filter=Null*:TablesTest.GetAttributName*:"
                                     "TablesTest.TableIndexFile*", "--gtest_brief=1"], env=env)
    assert result.status == 0, result

    every = read_trace(tmp_path / "all.jsonl")
    assert {line["export"] for line in every} == EXPORTS
    nulls = read_trace(tmp_path / "null.jsonl")
    with_null = {line["export"] for line in nulls if None in line["args"].values()}
    assert len(with_null) >= 61, sorted(EXPORTS - with_null)
    for line in every + nulls:
        for name, value in line["args"].items():
            if value is None:
                assert name not in line["results"], (line["seq"], line["export"], name)
        if line["code"] != 0:
            assert "attribute" not in line["results"], line["seq"]
    attributes = [line["results"]["attribute"] for line in nulls
                  if line["export"] in ("ZanGetAttributName", "ZanSearchAttribut")
                  and line["code"] == 0]
    assert attributes and all(list(a) == ["setName", "fieldName", "length", "description"]
                              for a in attributes)
    assert {"setName": "SETD   ", "fieldName": "QTY", "length": " 2",
            "description": ""} in attributes
    kinds = {f["kind"] for line in nulls for f in line.get("files", [])}
    assert kinds == {"sets", "fields", "index", "message"}

    for trace in ("all.jsonl", "null.jsonl"):
        replayed = kelmod("replay", tmp_path / trace)
        assert replayed.status == 0, replayed
        assert replayed.text.endswith(": all as recorded\n"), replayed
