"""The example host's print files: the folder is made, and a file not written is reported."""
from conftest import EXAMPLES

PRINTS = ["answer_table.txt", "characteristic_bar.txt", "class_table.txt", "mails.txt"]


def test_a_missing_print_folder_is_made_and_every_file_is_there(host, tmp_path):
    folder = tmp_path / "prints"
    result = host(EXAMPLES, folder)
    assert result.status == 0
    assert sorted(p.name for p in folder.iterdir()) == sorted(PRINTS)
    assert "ERROR" not in result.text
    for name in PRINTS:
        assert f"-> {name}\n" in result.text.replace("\r\n", "\n")


def test_print_files_that_cannot_be_written_are_named(host, tmp_path):
    # A file where the folder should be: the folder "exists", no print file can be made in it.
    blocker = tmp_path / "not-a-folder"
    blocker.write_text("x")
    result = host(EXAMPLES, blocker)
    lines = result.text.replace("\r\n", "\n").splitlines()
    for name in PRINTS:
        assert any(line.startswith("  ERROR: table type") and line.endswith(f"{name} was not written")
                   for line in lines), name


def test_a_print_folder_that_cannot_be_made_is_reported(host, tmp_path):
    result = host(EXAMPLES, tmp_path / "missing" / "deeper")
    text = result.text.replace("\r\n", "\n")
    assert "ERROR: cannot make the print folder" in text
    assert "Print files in" not in text
