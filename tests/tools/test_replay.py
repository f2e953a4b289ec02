"""kelmod replay: the calls of a trace run again and held against the recorded results."""
import json
import shutil

import pytest

from conftest import EXAMPLES


def trace_of_host(host, tmp_path, folder=EXAMPLES, files=False, name="trace.jsonl"):
    trace = tmp_path / name
    env = {"KELMOD_TRACE": str(trace)}
    if files:
        env["KELMOD_TRACE_FILES"] = "1"
    assert host(folder, tmp_path / "prints", env=env).status == 0
    return trace


def edit(trace, target, change):
    """Rewrites the trace with change(line) applied to the lines target(line) picks."""
    lines = [json.loads(raw) for raw in trace.read_text().splitlines()]
    for line in lines:
        if target(line):
            change(line)
    edited = trace.with_name("edited.jsonl")
    edited.write_text("".join(json.dumps(line) + "\n" for line in lines))
    return edited


def test_the_example_exchange_replays_as_recorded(host, kelmod, tmp_path):
    trace = trace_of_host(host, tmp_path)
    calls = len(trace.read_text().splitlines())
    result = kelmod("replay", trace)
    assert (result.status, result.text) == (0, f"replayed {calls} calls: all as recorded\n")


def test_each_changed_recorded_result_is_reported(host, kelmod, tmp_path):
    trace = trace_of_host(host, tmp_path)

    def wrong_value(line):
        line["results"]["value"] = "NOT THIS"

    first_read = {"done": False}

    def first_table_read(line):
        if line["export"] == "ZanGetTableValue" and line["code"] == 0 and not first_read["done"]:
            first_read["done"] = True
            first_read["seq"] = line["seq"]
            first_read["value"] = line["results"]["value"]
            return True
        return False

    edited = edit(trace, first_table_read, wrong_value)
    edited = edit(edited, lambda line: line["export"] == "ZanToolboxVersion",
                  lambda line: line.update(code=41))
    calls = len(trace.read_text().splitlines())
    result = kelmod("replay", edited)
    assert result.status == 1
    version_seq = next(json.loads(raw)["seq"] for raw in trace.read_text().splitlines()
                       if json.loads(raw)["export"] == "ZanToolboxVersion")
    assert result.text == (
        f"seq {version_seq} ZanToolboxVersion: code: recorded 41, actual 0\n"
        f"seq {first_read['seq']} ZanGetTableValue: results.value: recorded \"NOT THIS\", "
        f"actual {json.dumps(first_read['value'])}\n"
        f"replayed {calls} calls: 2 differ\n")
    stopped = kelmod("replay", edited, "--stop-at-first")
    assert stopped.status == 1
    assert stopped.text == (f"seq {version_seq} ZanToolboxVersion: code: recorded 41, actual 0\n"
                            f"replayed {version_seq} calls: 1 differs\n")


def test_results_recorded_but_not_given_and_given_but_not_recorded(host, kelmod, tmp_path):
    trace = trace_of_host(host, tmp_path)
    edited = edit(trace, lambda line: line["export"] == "ZanToolboxVersion",
                  lambda line: line.update(results={}, changed={"version": "x"}))
    result = kelmod("replay", edited)
    assert result.status == 1
    lines = result.text.splitlines()
    assert lines[0].endswith("ZanToolboxVersion: results.version: recorded nothing, actual \"3.1G\"")
    assert lines[1].endswith("ZanToolboxVersion: changed.version: recorded \"x\", actual nothing")


def test_a_trace_with_its_files_replays_elsewhere_with_the_files_gone(host, kelmod, tmp_path):
    site = tmp_path / "site"
    shutil.copytree(EXAMPLES, site)
    trace = trace_of_host(host, tmp_path, folder=site, files=True)
    shutil.rmtree(site)
    elsewhere = tmp_path / "elsewhere"
    elsewhere.mkdir()
    result = kelmod("replay", trace, cwd=elsewhere)
    assert result.status == 0, result
    assert result.text.endswith(": all as recorded\n")
    assert list(elsewhere.iterdir()) == []
    # Without its files the same trace cannot give the recorded results.
    bare = edit(trace, lambda line: "files" in line, lambda line: line.pop("files"))
    missing = kelmod("replay", bare, cwd=elsewhere)
    assert missing.status == 1
    assert "ZanCreateTable: code: recorded 0, actual 1" in missing.text


def test_a_message_file_found_through_its_variable_replays_from_the_trace(kelmod, tmp_path):
    messages = tmp_path / "site.dat"
    messages.write_bytes(b"E  41 E Field missing              The site's own text.\n")
    trace = tmp_path / "trace.jsonl"
    looked_up = kelmod("message", "41", env={"KELMMES": str(messages), "KELMOD_TRACE": str(trace),
                                            "KELMOD_TRACE_FILES": "1"})
    assert looked_up.status == 0 and "The site's own text." in looked_up.text
    messages.unlink()
    elsewhere = {"KELMMES": str(tmp_path / "nowhere.dat")}
    result = kelmod("replay", trace, env=elsewhere)
    assert (result.status, result.text) == (0, "replayed 3 calls: all as recorded\n"), result
    bare = edit(trace, lambda line: "files" in line, lambda line: line.pop("files"))
    missing = kelmod("replay", bare, env=elsewhere)
    assert missing.status == 1
    assert "results.message: recorded" in missing.text


def test_print_files_go_to_the_replay_folder(host, kelmod, tmp_path):
    trace = trace_of_host(host, tmp_path)
    shutil.rmtree(tmp_path / "prints", ignore_errors=True)
    result = kelmod("replay", trace)
    assert result.status == 0, result
    assert not (tmp_path / "prints").exists()


def test_a_cut_last_line_is_left_out_with_a_warning(host, kelmod, tmp_path):
    trace = trace_of_host(host, tmp_path)
    data = trace.read_bytes()
    calls = data.count(b"\n")
    cut = tmp_path / "cut.jsonl"
    cut.write_bytes(data[:-20])
    result = kelmod("replay", cut)
    assert (result.status, result.text) == (0, f"replayed {calls - 1} calls: all as recorded\n")
    assert "the last line is incomplete" in result.error_text


@pytest.mark.parametrize("content, message", [
    (b"not json\n{}\n", "cut.jsonl:1: not a line of a call trace"),
    (b'{"seq":1}\n', "cut.jsonl:1: a call needs \"export\", \"args\" and \"code\""),
    (b'{"export":"ZanNoSuch","args":{},"code":0}\n', "the toolbox has no export ZanNoSuch"),
    (b'{"export":"ZanInitToolbox","args":{"mode":"one"},"code":0}\n',
     "ZanInitToolbox: argument mode is not a 32-bit integer"),
    (b'{"export":"ZanInitToolbox","args":{"mode":4294967296},"code":0}\n',
     "ZanInitToolbox: argument mode is not a 32-bit integer"),
    (b'{"export":"ZanInitToolbox","args":{},"code":0}\n', "ZanInitToolbox: the call takes 1 arguments"),
    (b'{"export":"ZanFillInterface","args":{"record":"\\u20ac","length":1},"code":0}\n',
     "outside the 8-bit range"),
])
def test_lines_that_are_not_calls_stop_with_status_65(kelmod, tmp_path, content, message):
    trace = tmp_path / "cut.jsonl"
    trace.write_bytes(content)
    result = kelmod("replay", trace)
    assert result.status == 65, result
    assert message in result.error_text
    assert result.out == b""


def test_command_line_and_missing_trace(kelmod, tmp_path):
    assert kelmod("replay").status == 64
    assert kelmod("replay", tmp_path / "a", tmp_path / "b").status == 64
    missing = kelmod("replay", tmp_path / "missing.jsonl")
    assert missing.status == 66
    assert "missing.jsonl" in missing.error_text
