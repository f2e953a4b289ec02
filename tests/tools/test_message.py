"""kelmod message: the texts of return codes from the message file."""


def test_codes_from_the_sample_message_file(kelmod, examples):
    r = kelmod("message", "1", "41", "--file", examples / "kelmmes.dat")
    assert r.status == 0, r
    assert r.text.splitlines() == [
        "1 [E] Set name not found: The set index file cannot be opened or holds no line for "
        "this table name, key and direction.",
        "41 [E] Field not found: The table has no field of that name.",
    ]


def test_codes_without_a_line_get_the_toolbox_default(kelmod, examples, tmp_path):
    # Negative codes follow "--"; a code of more than three digits never matches a line.
    r = kelmod("message", "--file", examples / "kelmmes.dat", "--", "9999", "-999")
    assert r.status == 0, r
    assert r.text.splitlines() == ["9999 [X] TB9999 Error in toolbox", "-999 [X] TB-999 Error in toolbox"]
    # Without --file the message file is taken from KELMMES.
    r = kelmod("message", "1", cwd=tmp_path, env={"KELMMES": str(examples / "kelmmes.dat")})
    assert r.text.startswith("1 [E] Set name not found: "), r


def test_bad_command_lines_and_missing_files(kelmod, tmp_path):
    r = kelmod("message")
    assert r.status == 64, r
    r = kelmod("message", "one")
    assert r.status == 64, r
    r = kelmod("message", "1", "--file", tmp_path / "absent.dat")
    assert r.status == 66, r
    assert "absent.dat" in r.error_text


def test_help_and_version(kelmod):
    r = kelmod("--help")
    assert r.status == 0 and "message" in r.text and "replay" in r.text, r
    r = kelmod("message", "--help")
    assert r.status == 0 and "--file" in r.text, r
    r = kelmod("--version")
    assert r.status == 0 and r.text.startswith("kelmod 3.1.0 (toolbox 3.1G)"), r
    r = kelmod("frobnicate")
    assert r.status == 64, r
