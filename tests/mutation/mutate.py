#!/usr/bin/env python3
"""Mutation check: plants one small fault at a time in a copy of src/,
rebuilds the copy, runs the fast test programs and reports every fault they
let pass.

    python3 tests/mutation/mutate.py --sample 40 --work /tmp/kelmod-mutation

The faults (mutants): a comparison turned around (< and >=, <= and >,
== and !=), && and || swapped, a `+ 1` / `- 1` dropped or its sign turned,
a returned code replaced (a named code by kOk, kOk by kUnsupported, a number
by 0 or 1, true and false swapped), an if/while condition negated, and a
statement that is only a function call removed.

The sample is drawn uniformly over every candidate mutant of every .cpp and
.h file under src/, so each folder gets a share in proportion to its number
of candidates, which follows its code size. Each candidate is ranked by a
hash of the seed and its file, line text and replacement, and the sample is
the N lowest: a larger sample with the same seed contains the smaller one,
and an edit to src/ changes only the candidates of the lines it touches.

The working tree of the repository is never touched: the script copies the
tree (the working tree, or a commit with --rev) into the work folder, builds
the copy once, and then per mutant patches one file of the copy, rebuilds
incrementally, runs the tests and restores the file. Results are appended to
a JSON-lines file in the work folder; a rerun skips the mutants found there.

Exit status: 0 when every mutant was killed, did not build, or is listed in
known_equivalents.txt; 1 when a survivor remains; 2 when the copy cannot be
built or the unmutated suite fails; 64 for a bad command line.
"""

import argparse
import bisect
import hashlib
import io
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tarfile
import time
from dataclasses import dataclass
from pathlib import Path

HERE = Path(__file__).resolve().parent
REPO = HERE.parent.parent
DEFAULT_SEED = 20240611
DEFAULT_WORK = "/tmp/kelmod-mutation"
SOURCE_SUFFIXES = (".cpp", ".h")

SANITIZER_FLAGS = "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
PRESETS = {
    "release": {
        "build_dir": "build",
        "results": "results.jsonl",
        "cache": [],
        "env": {},
    },
    "asan": {
        "build_dir": "build-asan",
        "results": "results-asan.jsonl",
        "cache": [
            f"-DCMAKE_C_FLAGS={SANITIZER_FLAGS}",
            f"-DCMAKE_CXX_FLAGS={SANITIZER_FLAGS}",
            "-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined",
            "-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=address,undefined",
        ],
        "env": {
            "ASAN_OPTIONS": "detect_leaks=1:halt_on_error=1",
            "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1",
        },
    },
}
COMMON_CACHE = [
    "-DCMAKE_BUILD_TYPE=Release",
    "-DKELMOD_BUILD_BENCH=OFF",
    "-DKELMOD_BUILD_TOOLS=ON",
    "-DKELMOD_BUILD_EXAMPLES=ON",
    "-DKELMOD_BUILD_TESTS=ON",
    "-DKELMOD_FUZZ=OFF",
]

# Left out of --full: they install and package the build and build hosts
# against it, which takes long and checks no behaviour of src/.
PACKAGE_TESTS = "^(installed_package|deb_package|runtime_only_install)$"

EXIT_SURVIVORS = 1
EXIT_SETUP = 2
EXIT_USAGE = 64


class SetupError(Exception):
    """The copy could not be made, configured or built, or the unmutated
    suite fails: no mutant can be judged."""


# ---------------------------------------------------------------------------
# Lexing: just enough C++ to tell code from comments, strings, character
# literals and preprocessor lines.

PUNCTUATORS = sorted(
    """<=> <<= >>= ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .* ##
    { } [ ] ( ) ; : ? . , + - * / % ^ & | ~ ! = < > #""".split(),
    key=len,
    reverse=True,
)
STRING_PREFIXES = {"u8", "u", "U", "L", "R", "u8R", "uR", "UR", "LR"}


@dataclass
class Token:
    kind: str  # "id", "num", "str", "p" (punctuator)
    text: str
    start: int
    end: int


def tokenize(src):
    tokens = []
    i, n = 0, len(src)
    line_start = True  # only whitespace since the last newline
    while i < n:
        c = src[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "#" and line_start:  # a preprocessor line, with continuations
            while i < n:
                j = src.find("\n", i)
                if j == -1:
                    i = n
                    break
                if src[j - 1] == "\\":
                    i = j + 1
                    continue
                i = j
                break
            continue
        line_start = False
        if src.startswith("//", i):
            j = src.find("\n", i)
            i = n if j == -1 else j
            continue
        if src.startswith("/*", i):
            j = src.find("*/", i + 2)
            i = n if j == -1 else j + 2
            continue
        if c.isalpha() or c == "_":
            j = i + 1
            while j < n and (src[j].isalnum() or src[j] == "_"):
                j += 1
            word = src[i:j]
            if j < n and src[j] in "\"'" and word in STRING_PREFIXES:
                if src[j] == '"' and word.endswith("R"):
                    k = src.find("(", j)
                    delimiter = ")" + src[j + 1:k] + '"'
                    e = src.find(delimiter, k)
                    e = n if e == -1 else e + len(delimiter)
                else:
                    e = skip_quoted(src, j)
                tokens.append(Token("str", src[i:e], i, e))
                i = e
                continue
            tokens.append(Token("id", word, i, j))
            i = j
            continue
        if c.isdigit() or (c == "." and i + 1 < n and src[i + 1].isdigit()):
            j = i + 1
            while j < n:
                if src[j] in "eEpP" and j + 1 < n and src[j + 1] in "+-":
                    j += 2
                elif src[j].isalnum() or src[j] in "_.'":
                    j += 1
                else:
                    break
            tokens.append(Token("num", src[i:j], i, j))
            i = j
            continue
        if c in "\"'":
            e = skip_quoted(src, i)
            tokens.append(Token("str", src[i:e], i, e))
            i = e
            continue
        for p in PUNCTUATORS:
            if src.startswith(p, i):
                tokens.append(Token("p", p, i, i + len(p)))
                i += len(p)
                break
        else:
            i += 1  # a character C++ has no use for (e.g. '@' or '$')
    return tokens


def skip_quoted(src, i):
    quote = src[i]
    j = i + 1
    while j < len(src) and src[j] != quote and src[j] != "\n":
        j += 2 if src[j] == "\\" else 1
    return j + 1


# ---------------------------------------------------------------------------
# Candidate mutants.

@dataclass
class Mutant:
    path: str  # relative to the tree, e.g. src/core/text.cpp
    line: int
    column: int
    operator: str
    start: int  # offsets in the file's text of the part replaced
    end: int
    new: str
    anchor: int = 0  # offset of the token the fault is planted at
    original: str = ""  # the source line(s) as they stand
    replacement: str = ""  # the same line(s) with the fault planted

    @property
    def key(self):
        return (self.path, self.line, self.column, self.original, self.replacement)

    def describe(self):
        return f"{self.path}:{self.line}:{self.column}: {self.original} -> {self.replacement}"


COMPARISONS = {"<": ">=", ">=": "<", ">": "<=", "<=": ">", "==": "!=", "!=": "=="}
LOGICAL = {"&&": "||", "||": "&&"}
KEYWORDS = {
    "alignas", "alignof", "asm", "assert", "auto", "break", "case", "catch", "class", "co_await",
    "co_return", "co_yield", "const", "const_cast", "constexpr", "continue", "decltype",
    "default", "delete", "do", "dynamic_cast", "else", "enum", "explicit", "extern", "for",
    "friend", "goto", "if", "inline", "namespace", "new", "noexcept", "operator", "private",
    "protected", "public", "reinterpret_cast", "return", "sizeof", "static", "static_assert",
    "static_cast", "struct", "switch", "template", "this", "throw", "try", "typedef", "typeid",
    "typename", "union", "using", "virtual", "volatile", "while",
}
# Tokens after which `{` opens a block of statements whatever the scope.
BLOCK_OPENERS = {")", "]", "else", "do", "try", "const", "noexcept", "override", "final", "mutable"}
# An operand followed by one of these binds tighter than + or -.
TIGHTER = {"*", "/", "%", "(", "[", ".", "->", "++", "--", "::"}


def spaced(src, token):
    """True for a binary operator written with blanks on both sides, which is
    how this code base writes them (template brackets and unary operators are
    written without)."""
    return (token.start > 0 and src[token.start - 1].isspace()
            and token.end < len(src) and src[token.end].isspace())


def matching(tokens):
    """Index of the partner of every bracket token."""
    partner = {}
    stack = []
    for i, t in enumerate(tokens):
        if t.kind != "p":
            continue
        if t.text in "([{":
            stack.append(i)
        elif t.text in ")]}" and stack:
            j = stack.pop()
            partner[i] = j
            partner[j] = i
    return partner


def code_scopes(tokens, partner):
    """For each token, whether it sits in a block of statements (a function
    body, a lambda, a compound statement) rather than in a namespace, class
    or initializer."""
    in_code = [False] * len(tokens)
    stack = [False]
    for i, t in enumerate(tokens):
        in_code[i] = stack[-1]
        if t.kind == "p" and t.text == "{":
            prev = tokens[i - 1].text if i else ""
            if prev in BLOCK_OPENERS:
                block = True
            elif prev in (";", "{", "}", ":"):
                block = stack[-1]
            else:
                block = False
            stack.append(block)
        elif t.kind == "p" and t.text == "}" and len(stack) > 1:
            stack.pop()
            in_code[i] = stack[-1]
    return in_code


def control_headers(tokens, partner):
    """Indexes of the `)` closing an if/while/for/switch header."""
    closes = set()
    for i, t in enumerate(tokens):
        if t.kind == "id" and t.text in ("if", "while", "for", "switch"):
            j = i + 1
            if j < len(tokens) and tokens[j].text == "constexpr":
                j += 1
            if j < len(tokens) and tokens[j].text == "(" and j in partner:
                closes.add(partner[j])
    return closes


def excluded_ranges(tokens, partner):
    """Token index ranges no mutant goes into: static_assert conditions (a
    changed one fails the build, which teaches nothing)."""
    ranges = []
    for i, t in enumerate(tokens):
        if t.kind == "id" and t.text == "static_assert" and i + 1 < len(tokens) \
                and tokens[i + 1].text == "(" and i + 1 in partner:
            ranges.append((i, partner[i + 1]))
    return ranges


def looks_like_declaration(cond):
    """`Type* name = ...` or `auto name = ...` as an if condition."""
    depth = 0
    for k, t in enumerate(cond):
        if t.text in ("(", "[", "{"):
            depth += 1
        elif t.text in (")", "]", "}"):
            depth -= 1
        elif depth == 0 and t.text in ("=", "{") and k >= 2:
            return cond[k - 1].kind == "id" and (cond[k - 2].kind == "id"
                                                 or cond[k - 2].text in ("*", "&", ">"))
    return False


def simple_operand(tokens):
    """A name, member access, call or bracketed group: nothing binds looser
    than a unary `!` at its top level."""
    depth = 0
    for t in tokens:
        if t.text in ("(", "[", "{"):
            depth += 1
        elif t.text in (")", "]", "}"):
            depth -= 1
        elif depth == 0 and not (t.kind in ("id", "num", "str") or t.text in ("::", ".", "->")):
            return False
    return bool(tokens)


def call_statement_end(tokens, partner, i):
    """If tokens[i] starts `a::b.c->d(...)...;`, the index of its `;`."""
    j = i
    n = len(tokens)
    while True:
        if j >= n or tokens[j].kind != "id" or tokens[j].text in KEYWORDS:
            return None
        j += 1
        while j + 1 < n and tokens[j].text in ("::", ".", "->") and tokens[j + 1].kind == "id":
            j += 2
        if j >= n or tokens[j].text != "(" or j not in partner:
            return None
        j = partner[j] + 1
        if j < n and tokens[j].text == ";":
            return j
        if j < n and tokens[j].text in (".", "->"):
            j += 1
            continue
        return None


def statement_start(tokens, i, headers):
    if i == 0:
        return False
    prev = tokens[i - 1]
    if prev.text in (";", "{", "}", "else", "do"):
        return True
    if prev.text == ")":
        return (i - 1) in headers
    if prev.text == ":":  # a case label, not the ?: operator
        k = i - 2
        while k >= 0 and tokens[k].text not in (";", "{", "}", ":"):
            k -= 1
        return tokens[k + 1].text in ("case", "default")
    return False


def find_mutants(path, src):
    tokens = tokenize(src)
    partner = matching(tokens)
    in_code = code_scopes(tokens, partner)
    headers = control_headers(tokens, partner)
    skip = excluded_ranges(tokens, partner)
    found = []

    def add(op, token, start, end, new):
        found.append(Mutant(path, 0, 0, op, start, end, new, anchor=token.start))

    for i, t in enumerate(tokens):
        if any(a <= i <= b for a, b in skip):
            continue
        nxt = tokens[i + 1] if i + 1 < len(tokens) else None
        if t.kind == "p" and t.text in COMPARISONS and spaced(src, t):
            add("comparison", t, t.start, t.end, COMPARISONS[t.text])
        elif t.kind == "p" and t.text in LOGICAL and spaced(src, t):
            add("logical", t, t.start, t.end, LOGICAL[t.text])
        elif t.kind == "p" and t.text in ("+", "-") and spaced(src, t) and nxt is not None \
                and nxt.kind == "num" and nxt.text in ("1", "1u", "1U") \
                and i > 0 and (tokens[i - 1].kind in ("id", "num") or tokens[i - 1].text in (")", "]")):
            after = tokens[i + 2] if i + 2 < len(tokens) else None
            if after is None or after.text not in TIGHTER:
                blank = t.start
                while blank > 0 and src[blank - 1] in " \t":
                    blank -= 1
                add("off-by-one", t, blank, nxt.end, "")
                add("off-by-one", t, t.start, t.end, "-" if t.text == "+" else "+")
        elif t.kind == "id" and t.text == "return" and in_code[i]:
            j = i + 1
            while j < len(tokens) and tokens[j].text != ";":
                j += 1
            expr = tokens[i + 1:j]
            if not expr or j >= len(tokens):
                continue
            texts = [e.text for e in expr]
            start, end = expr[0].start, expr[-1].end
            if texts in (["true"], ["false"]):
                add("return", t, start, end, "false" if texts == ["true"] else "true")
            elif re.fullmatch(r"k[A-Z]\w*", texts[-1]) and all(
                    e.kind == "id" if k % 2 == 0 else e.text == "::"
                    for k, e in enumerate(reversed(expr))):
                add("return", t, start, end, "code::kUnsupported" if texts[-1] == "kOk" else "code::kOk")
            elif (len(expr) == 1 and re.fullmatch(r"\d+", texts[0])) or (
                    len(expr) == 2 and texts[0] == "-" and re.fullmatch(r"\d+", texts[1])):
                value = int("".join(texts))
                add("return", t, start, end, "1" if value == 0 else "0")
        elif t.kind == "id" and t.text in ("if", "while") and in_code[i]:
            j = i + 1
            if j < len(tokens) and tokens[j].text == "constexpr":
                j += 1
            if j >= len(tokens) or tokens[j].text != "(" or j not in partner:
                continue
            close = partner[j]
            cond = tokens[j + 1:close]
            depth = 0
            for k, c in enumerate(cond):  # an init-statement: negate what follows it
                depth += c.text in ("(", "[", "{")
                depth -= c.text in (")", "]", "}")
                if depth == 0 and c.text == ";":
                    cond = cond[k + 1:]
                    break
            if not cond or looks_like_declaration(cond):
                continue
            start, end = cond[0].start, cond[-1].end
            if cond[0].text == "!" and simple_operand(cond[1:]):
                add("negation", t, start, end, src[cond[1].start:end])
            else:
                add("negation", t, start, end, "!(" + src[start:end] + ")")
        elif t.kind == "id" and in_code[i] and statement_start(tokens, i, headers):
            semicolon = call_statement_end(tokens, partner, i)
            if semicolon is not None:
                add("call removed", t, t.start, tokens[semicolon].end, "{}")

    line_starts = [0] + [k + 1 for k, c in enumerate(src) if c == "\n"]
    for m in found:
        m.line = bisect.bisect_right(line_starts, m.anchor)
        m.column = m.anchor - line_starts[m.line - 1] + 1
        first = line_starts[bisect.bisect_right(line_starts, m.start) - 1]
        last_line = bisect.bisect_right(line_starts, max(m.start, m.end - 1))
        stop = line_starts[last_line] - 1 if last_line < len(line_starts) else len(src)
        m.original = flatten(src[first:stop])
        m.replacement = flatten(src[first:m.start] + m.new + src[m.end:stop])
    return found


def flatten(text):
    return " ".join(part.strip() for part in text.split("\n") if part.strip())


def all_mutants(tree):
    mutants = []
    for path in sorted((tree / "src").rglob("*")):
        if path.suffix in SOURCE_SUFFIXES and path.is_file():
            rel = path.relative_to(tree).as_posix()
            mutants.extend(find_mutants(rel, path.read_text(encoding="utf-8", errors="surrogateescape")))
    return mutants


def draw(mutants, seed, size):
    """The `size` candidates of lowest rank. A candidate's rank is a hash of
    the seed, its file, its line text and replacement (and which of several
    identical ones it is), so the draw is uniform over candidates, a larger
    sample holds a smaller one, and an edit to the source moves in or out of
    the sample only candidates of the lines it changes."""
    seen = {}
    ranked = []
    for m in mutants:
        ident = (m.path, m.original, m.replacement)
        seen[ident] = seen.get(ident, 0) + 1
        text = f"{seed}\0{m.path}\0{m.original}\0{m.replacement}\0{seen[ident]}"
        ranked.append((hashlib.sha256(text.encode("utf-8", "surrogateescape")).digest(), m))
    ranked.sort(key=lambda pair: pair[0])
    return [m for _, m in ranked[:size]]


# ---------------------------------------------------------------------------
# Known equivalent mutants.

@dataclass
class Equivalent:
    path: str
    line: int
    text: str  # "original -> replacement  # reason"
    number: int  # line of the list


def read_equivalents(path):
    entries = []
    if not path.exists():
        return entries
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.lstrip().startswith("#"):
            continue
        match = re.match(r"^(\S+?):(\d+): (.*)$", raw)
        if not match:
            print(f"{path.name}:{number}: not of the form path:line: original -> replacement  # why",
                  file=sys.stderr)
            continue
        entries.append(Equivalent(match.group(1), int(match.group(2)), match.group(3), number))
    return entries


def entry_matches(entry, m):
    head = f"{m.original} -> {m.replacement}"
    if entry.path != m.path or not entry.text.startswith(head):
        return False
    rest = entry.text[len(head):]
    return rest == "" or (rest[0].isspace() and rest.lstrip().startswith("#"))


def equivalent_keys(entries, mutants, list_name):
    """The mutants the list names: an entry names the candidate of the same
    file with the same original line text and replacement, the nearest to
    the line it gives when that text occurs more than once."""
    by_path = {}
    for m in mutants:
        by_path.setdefault(m.path, []).append(m)
    keys = set()
    for entry in entries:
        candidates = [m for m in by_path.get(entry.path, []) if entry_matches(entry, m)]
        if not candidates:
            print(f"{list_name}:{entry.number}: names no mutant of the current source "
                  f"(stale?): {entry.path}:{entry.line}", file=sys.stderr)
            continue
        best = min(candidates, key=lambda m: (abs(m.line - entry.line), m.line, m.column))
        keys.add(best.key)
    return keys


# ---------------------------------------------------------------------------
# The copy of the tree, its build and the test programs.

def git(*args, capture=True):
    result = subprocess.run(["git", "-C", str(REPO), *args], capture_output=capture)
    if result.returncode != 0:
        raise SetupError(f"git {' '.join(args)} failed: {result.stderr.decode(errors='replace').strip()}")
    return result.stdout


def source_files(rev):
    """path -> (bytes, executable) of the tree to copy."""
    files = {}
    if rev:
        data = git("archive", "--format=tar", rev)
        with tarfile.open(fileobj=io.BytesIO(data)) as tar:
            for member in tar.getmembers():
                if member.isfile():
                    files[member.name] = (tar.extractfile(member).read(), bool(member.mode & 0o111))
    else:
        listed = git("ls-files", "-z", "--cached", "--others", "--exclude-standard")
        for name in sorted(set(listed.decode().split("\0")) - {""}):
            path = REPO / name
            if path.is_file() and not name.startswith("build/"):
                files[name] = (path.read_bytes(), os.access(path, os.X_OK))
    return files


def sync_copy(tree, files):
    """Makes the copy hold exactly these files. Files that already hold the
    same bytes keep their time stamps, so the build stays incremental."""
    tree.mkdir(parents=True, exist_ok=True)
    for name, (data, executable) in files.items():
        dest = tree / name
        if not dest.is_file() or dest.read_bytes() != data:
            dest.parent.mkdir(parents=True, exist_ok=True)
            dest.write_bytes(data)
        mode = dest.stat().st_mode
        dest.chmod(mode | 0o111 if executable else mode & ~0o111)
    for dest in sorted(tree.rglob("*"), reverse=True):
        rel = dest.relative_to(tree).as_posix()
        if rel.split("/")[0].startswith("build"):
            continue
        if dest.is_file() and rel not in files:
            dest.unlink()
        elif dest.is_dir() and not any(dest.iterdir()):
            dest.rmdir()


def run_logged(command, log, timeout=None, env=None, cwd=None):
    """Runs a command with its output in log; returns (status or None on
    timeout, seconds, output)."""
    began = time.monotonic()
    with open(log, "wb") as out:
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.STDOUT, cwd=cwd,
                                   env=env, start_new_session=True)
        try:
            status = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            status = None
        except BaseException:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
            raise
    return status, time.monotonic() - began, Path(log).read_bytes().decode(errors="replace")


@dataclass
class Program:
    name: str
    command: list
    check: object = None  # output -> True when it passes, beside exit status 0
    limit: float = 0.0


def host_check(output):
    return "answer table 3 records" in output and not re.search(
        r"ERROR|runtime error|AddressSanitizer", output)


class Build:
    def __init__(self, work, preset, jobs, full):
        self.work = work
        self.tree = work / "tree"
        self.preset = PRESETS[preset]
        self.full = full
        suffix = "-full" if full else ""
        self.dir = self.tree / (self.preset["build_dir"] + suffix)
        self.results = work / self.preset["results"].replace(".jsonl", suffix + ".jsonl")
        self.jobs = jobs
        self.env = dict(os.environ, **self.preset["env"])
        self.log = work / f"last-{preset}{suffix}.log"

    def configure(self):
        generator = ["-G", "Ninja"] if shutil.which("ninja") else []
        args = [*COMMON_CACHE, *self.preset["cache"]]
        stamp = self.dir / "mutation-configure.txt"
        wanted = "\n".join(generator + args)
        if (self.dir / "CMakeCache.txt").exists() and stamp.exists() and stamp.read_text() == wanted:
            return
        if self.dir.exists():
            shutil.rmtree(self.dir)
        status, _, output = run_logged(["cmake", "-S", str(self.tree), "-B", str(self.dir),
                                        *generator, *args], self.log)
        if status != 0:
            raise SetupError(f"cmake configure of the copy failed:\n{tail(output)}")
        stamp.write_text(wanted)

    def has_tools(self):
        """Whether the copy builds the kelmod tool (its packages are installed):
        then its trace and replay tests check the call trace."""
        return (self.dir / "tools").is_dir()

    def targets(self):
        c_tests = sorted(p.stem for p in (self.tree / "tests").glob("c_*_test.c"))
        tools = ["kelmod_cli", "kelmod_trace_hostile"] if self.has_tools() else []
        return ["kelmod", "kelmod_unit_tests", "kelmod_api_tests", "kelmod_oom_test",
                "kelmod_values_oom_test",
                "kelmod_host", *tools, *[f"kelmod_{name}" for name in c_tests]], c_tests

    def build(self, timeout=None):
        targets, _ = self.targets()
        chosen = [] if self.full else ["--target", *targets]
        return run_logged(["cmake", "--build", str(self.dir), *chosen, f"-j{self.jobs}"],
                          self.log, timeout=timeout, env=self.env)

    def programs(self):
        if self.full:
            return [Program("ctest", ["ctest", "--test-dir", str(self.dir), f"-j{self.jobs}",
                                      "--stop-on-failure", "-E", PACKAGE_TESTS])]
        _, c_tests = self.targets()
        tests = self.dir / "tests"
        gtest = ["--gtest_brief=1", "--gtest_fail_fast"]
        programs = [Program("kelmod_unit_tests", [str(tests / "kelmod_unit_tests"), *gtest]),
                    Program("kelmod_api_tests", [str(tests / "kelmod_api_tests"), *gtest])]
        programs += [Program(name, [str(tests / f"kelmod_{name}")]) for name in c_tests]
        programs.append(Program("memory_exhaustion", [str(tests / "kelmod_oom_test")]))
        programs.append(Program("value_list_exhaustion",
                                [str(tests / "kelmod_values_oom_test"), *gtest]))
        if self.has_tools():
            programs.append(Program("trace_tests", ["ctest", "--test-dir", str(self.dir), "-R",
                                                    "^tool_test_(trace|replay)$"]))
        print_folder = self.work / "host-print"
        programs.append(Program("example_host", [str(self.dir / "examples" / "kelmod_host"),
                                                 str(self.tree / "examples"), str(print_folder)],
                                check=host_check))
        return programs

    def run_tests(self, programs, baseline=False):
        """None when every program passes, else (name of the first that
        failed, "killed" or "timeout", its output)."""
        for program in programs:
            shutil.rmtree(self.work / "host-print", ignore_errors=True)
            status, seconds, output = run_logged(
                program.command, self.log, timeout=None if baseline else program.limit,
                env=self.env, cwd=self.dir / "tests")
            if baseline:
                program.limit = 5 * seconds + 10
            if status is None:
                return program.name, "timeout", output
            if status != 0 or (program.check and not program.check(output)):
                return failed_ctest(output) or program.name, "killed", output
        return None


def failed_ctest(output):
    """The first test ctest's summary names as failed, if any."""
    match = re.search(r"The following tests FAILED:\s*\n\s*\d+ - (\S+)", output)
    return match.group(1) if match else None


def tail(text, lines=30):
    return "\n".join(text.rstrip().splitlines()[-lines:])


# ---------------------------------------------------------------------------
# One mutant.

def write_with_new_stamp(path, text, previous_ns):
    path.write_text(text, encoding="utf-8", errors="surrogateescape")
    now = max(time.time_ns(), previous_ns + 1_000_000)
    os.utime(path, ns=(now, now))


def try_mutant(build, programs, m):
    path = build.tree / m.path
    original = path.read_text(encoding="utf-8", errors="surrogateescape")
    mutated = original[:m.start] + m.new + original[m.end:]
    began = time.monotonic()
    stamp = path.stat().st_mtime_ns
    try:
        write_with_new_stamp(path, mutated, stamp)
        status, _, _ = build.build(timeout=1800)
        if status != 0:
            outcome, killer = "build-failed", None
        else:
            failed = build.run_tests(programs)
            outcome, killer = ("survived", None) if failed is None else (failed[1], failed[0])
    finally:
        # Restored with a newer stamp still, so the next build recompiles it.
        write_with_new_stamp(path, original, path.stat().st_mtime_ns)
    return outcome, killer, time.monotonic() - began


def record(m, outcome, killer, seconds):
    return {"file": m.path, "line": m.line, "column": m.column, "operator": m.operator,
            "original": m.original, "replacement": m.replacement, "outcome": outcome,
            "killed_by": killer, "seconds": round(seconds, 1)}


def load_results(path):
    done = {}
    if path.exists():
        for raw in path.read_text(encoding="utf-8").splitlines():
            try:
                r = json.loads(raw)
                done[(r["file"], r["line"], r["column"], r["original"], r["replacement"])] = r
            except (ValueError, KeyError):
                continue  # a line cut short when a run was stopped
    return done


# ---------------------------------------------------------------------------

class Parser(argparse.ArgumentParser):
    def error(self, message):
        self.print_usage(sys.stderr)
        print(f"{self.prog}: {message}", file=sys.stderr)
        sys.exit(EXIT_USAGE)


def parse_args(argv):
    parser = Parser(description="Plants small faults in a copy of src/ one at a time and "
                                "reports those the test suite lets pass.")
    parser.add_argument("--sample", type=int, default=40, metavar="N",
                        help="how many mutants to try (default 40)")
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED,
                        help=f"seed of the draw (default {DEFAULT_SEED})")
    parser.add_argument("--work", default=DEFAULT_WORK, metavar="DIR",
                        help=f"scratch folder for the copy, its build and the results (default {DEFAULT_WORK})")
    parser.add_argument("--rev", metavar="REV",
                        help="copy this commit instead of the working tree (e.g. HEAD)")
    parser.add_argument("--preset", choices=sorted(PRESETS), default="release",
                        help="release (default) or asan: the copy built with "
                             "-fsanitize=address,undefined")
    parser.add_argument("--sanitize", action="store_const", const="asan", dest="preset",
                        help="the same as --preset asan")
    parser.add_argument("--full", action="store_true",
                        help="judge each mutant by the whole CTest suite of a full build (the "
                             "kelmod tool and its tests, the bindings, the memory-exhaustion "
                             "test; not the package checks) instead of the fast test programs")
    parser.add_argument("--survivors", action="store_true",
                        help="try only the mutants of the sample that survived the plain fast "
                             "check (its results file in the work folder); with --full or "
                             "--sanitize, to see which survivors the slower tests or the "
                             "sanitizers kill")
    parser.add_argument("--jobs", "-j", type=int, default=2, help="build jobs (default 2)")
    parser.add_argument("--only", action="append", default=[], metavar="PREFIX",
                        help="draw only from files whose path starts with PREFIX "
                             "(e.g. src/tables/); may be repeated")
    parser.add_argument("--list", action="store_true",
                        help="print the candidates per folder and operator and the sample, and stop")
    parser.add_argument("--equivalents", default=str(HERE / "known_equivalents.txt"), metavar="FILE",
                        help="list of known equivalent mutants (default: the one beside this script)")
    args = parser.parse_args(argv)
    if args.sample < 1:
        parser.error("--sample must be at least 1")
    if args.jobs < 1:
        parser.error("--jobs must be at least 1")
    work = Path(args.work).resolve()
    if work == REPO or REPO in work.parents and not work.relative_to(REPO).as_posix().startswith("build/"):
        parser.error("--work must be outside the repository (or under its build/ folder)")
    args.work = work
    return args


def stop(signum, frame):
    raise KeyboardInterrupt()


def main(argv=None):
    args = parse_args(sys.argv[1:] if argv is None else argv)
    signal.signal(signal.SIGTERM, stop)
    try:
        return run(args)
    except SetupError as error:
        print(f"mutate.py: {error}", file=sys.stderr)
        return EXIT_SETUP
    except KeyboardInterrupt:
        print("mutate.py: stopped; the results so far are kept, a rerun goes on from there",
              file=sys.stderr)
        return 130


def run(args):
    work = args.work
    work.mkdir(parents=True, exist_ok=True)
    build = Build(work, args.preset, args.jobs, args.full)
    sync_copy(build.tree, source_files(args.rev))

    mutants = all_mutants(build.tree)
    pool = [m for m in mutants if not args.only or any(m.path.startswith(p) for p in args.only)]
    sample = draw(pool, args.seed, args.sample)
    if args.survivors:
        # The survivors of the plain fast check, whichever way they are tried
        # now: the whole suite (--full) or the sanitizers (--sanitize).
        fast = load_results(Build(work, "release", args.jobs, False).results)
        sample = [m for m in sample if fast.get(m.key, {}).get("outcome") == "survived"]
    equivalents_file = Path(args.equivalents)
    equivalent = equivalent_keys(read_equivalents(equivalents_file), mutants, equivalents_file.name)

    if args.list:
        folders = {}
        for m in pool:
            folder = m.path.rsplit("/", 1)[0]
            folders.setdefault(folder, {}).setdefault(m.operator, 0)
            folders[folder][m.operator] += 1
        for folder, counts in sorted(folders.items()):
            detail = ", ".join(f"{op} {n}" for op, n in sorted(counts.items()))
            print(f"{folder}: {sum(counts.values())} ({detail})")
        print(f"{len(pool)} candidates; the sample of {len(sample)} with seed {args.seed}:")
        for m in sorted(sample, key=lambda m: (m.path, m.line, m.column)):
            print(f"  {m.describe()}")
        return 0

    results_path = build.results
    done = load_results(results_path)
    # A survivor not known as equivalent is tried again on every run: a test
    # may have come since.
    def untried(m):
        outcome = done.get(m.key, {}).get("outcome")
        return outcome is None or (outcome == "survived" and m.key not in equivalent)
    todo = sorted((m for m in sample if untried(m)), key=lambda m: (m.path, m.start))
    print(f"{len(pool)} candidates, sample of {len(sample)} (seed {args.seed}), "
          f"{len(sample) - len(todo)} done before, {len(todo)} to try", file=sys.stderr)

    if todo:
        build.configure()
        status, seconds, output = build.build()
        if status != 0:
            raise SetupError(f"the unmutated copy does not build:\n{tail(output)}")
        print(f"built the copy in {seconds:.0f} s", file=sys.stderr)
        programs = build.programs()
        began = time.monotonic()
        failed = build.run_tests(programs, baseline=True)
        if failed is not None:
            raise SetupError(f"the unmutated suite fails ({failed[0]}):\n{tail(failed[2])}")
        print(f"the unmutated suite passes in {time.monotonic() - began:.1f} s", file=sys.stderr)

        with open(results_path, "a", encoding="utf-8") as results:
            for number, m in enumerate(todo, 1):
                outcome, killer, seconds = try_mutant(build, programs, m)
                entry = record(m, outcome, killer, seconds)
                results.write(json.dumps(entry) + "\n")
                results.flush()
                done[m.key] = entry
                by = f" by {killer}" if killer else ""
                print(f"[{number}/{len(todo)}] {m.path}:{m.line}:{m.column} {m.operator}: "
                      f"{outcome}{by} ({seconds:.1f} s)", file=sys.stderr)
        # The copy's programs are left built from the unmutated source.
        build.build()

    return report(sample, done, equivalent)


def report(sample, done, equivalent):
    counts = {"killed": 0, "timeout": 0, "survived": 0, "equivalent": 0, "build-failed": 0}
    seconds = []
    for m in sorted(sample, key=lambda m: (m.path, m.line, m.column)):
        entry = done[m.key]
        outcome = entry["outcome"]
        seconds.append(entry["seconds"])
        if outcome == "survived" and m.key in equivalent:
            outcome = "equivalent"
        counts[outcome] += 1
        if outcome == "survived":
            print(f"{m.path}:{m.line}:{m.column}: survived: {m.original} -> {m.replacement}")
    killed = counts["killed"] + counts["timeout"]
    timeouts = f" ({counts['timeout']} by timeout)" if counts["timeout"] else ""
    print(f"{len(sample)} mutants: {killed} killed{timeouts}, {counts['survived']} survived, "
          f"{counts['equivalent']} equivalent, {counts['build-failed']} did not build")
    if seconds:
        print(f"mean {sum(seconds) / len(seconds):.1f} s per mutant", file=sys.stderr)
    return EXIT_SURVIVORS if counts["survived"] else 0


if __name__ == "__main__":
    sys.exit(main())
