#!/usr/bin/env python3
"""Mutation check of the core: do the tests notice a planted fault?

Each mutant is one small, realistic change to one core file (a comparison
turned, a bound moved by one, a condition or statement dropped, a step with
its arguments swapped, a case-insensitive comparison made case-sensitive).
One at a time, a mutant is written into a private copy of the sources,
only the test executables that cover the file are rebuilt, and they run
with a time limit. A mutant a test fails on is killed; one every test
passes survived and shows a fault the tests would not catch.

    scripts/mutants.py src/core/common/number_format.cpp
    scripts/mutants.py --since 731f2c3 --sample 40
    scripts/mutants.py --changed-since 731f2c3 --sample 20
    make mutants FILES="src/core/results/fleet.cpp" ARGS="--sample 30"

The sources are copied to <build>/tree, so the working copy is never
touched and work can go on meanwhile; the build in <build>/build has no
windows (core, reformer-cli and their tests). The first run builds it
whole; later runs rebuild only what a mutant changes.

A mutant that no input can tell apart from the original is listed in
scripts/mutants-equivalent.txt with the reason, and is not run:

    file | original line, trimmed | mutation | reason
"""

import argparse
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, field

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
EQUIVALENT_LIST = os.path.join(ROOT, "scripts", "mutants-equivalent.txt")
# The window tests are left out: they need a display and take minutes.
# Without optimisation and debug information a mutant compiles and links
# in a fraction of the time; the tests behave the same.
CMAKE_OPTIONS = [
    "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0", "-DCMAKE_C_FLAGS_DEBUG=-O0",
    "-DREFORMER_BUILD_GUI=OFF",
    "-DREFORMER_BUILD_BENCH=OFF", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache",
    "-DCMAKE_C_COMPILER_LAUNCHER=ccache",
]
BUILD_TIME_LIMIT = 900


# --------------------------------------------------------------------------
# Reading C++ text


def code_mask(text):
    """The text with comments, string and character literals blanked out
    (newlines kept), so that mutations are looked for in code only."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('"', i + 1) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^()\\ ]{0,16})\(', text[i:])
            if not m:
                i += 1
                continue
            end = text.find(")" + m.group(1) + '"', i + m.end())
            end = n if end < 0 else end + len(m.group(1)) + 2
            blank(i + 1, end)
            i = end
        elif c in "\"'":
            # A digit separator (1'000) is not a character literal.
            if c == "'" and i > 0 and text[i - 1].isalnum() and i + 1 < n and text[i + 1].isalnum() and \
                    text[i - 1] not in "uUL8":
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, min(j, n))
            i = j + 1
        else:
            i += 1
    masked = "".join(out)
    # Preprocessor lines are not mutated either.
    return re.sub(r"(?m)^[ \t]*#.*$", lambda m: " " * len(m.group(0)), masked)


def matching_paren(masked, open_at):
    depth = 0
    for k in range(open_at, len(masked)):
        if masked[k] == "(":
            depth += 1
        elif masked[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def split_top_level(masked, start, end, op):
    """Positions of `op` at parenthesis depth 0 between start and end."""
    found, depth, k = [], 0, start
    while k < end:
        ch = masked[k]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
        elif depth == 0 and masked.startswith(op, k):
            found.append(k)
            k += len(op)
            continue
        k += 1
    return found


# --------------------------------------------------------------------------
# Mutants


@dataclass
class Mutant:
    path: str          # relative to the repository
    start: int         # offset of the replaced text
    end: int
    new: str
    kind: str
    description: str
    line: int = 0
    line_text: str = ""
    status: str = ""
    detail: str = ""
    seconds: float = 0.0

    def key(self):
        return (self.path, self.line_text, self.description)


REL_SWAP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
# Calls whose arguments may be swapped without any effect.
SYMMETRIC_CALLS = {"min", "max", "swap", "pair", "make_pair", "fmin", "fmax", "hypot", "tie", "make_tuple",
                   "static_cast", "reinterpret_cast", "const_cast", "dynamic_cast", "assert", "static_assert"}
STATEMENT_START = re.compile(
    r"^\s*(?:\+\+|--)?[A-Za-z_]\w*(?:(?:::|\.|->)[A-Za-z_~]\w*|\[[^\]]*\])*"
    r"(?:\s*(?:\+\+|--))?\s*(?:\(|=(?!=)|\+=|-=|\*=|/=|\|=|&=|\^=|<<=|>>=|;)")
DECLARATION_WORDS = {"return", "const", "constexpr", "static", "auto", "int", "long", "double", "float", "bool",
                     "char", "size_t", "unsigned", "using", "typedef", "namespace", "struct", "class", "enum",
                     "template", "case", "default", "public", "private", "protected", "throw", "delete", "new",
                     "if", "while", "for", "switch", "do", "else", "goto", "void", "explicit", "virtual",
                     "std", "inline", "friend", "operator", "thread_local", "extern", "volatile", "signed"}


def generate(path, text):
    masked = code_mask(text)
    mutants = []

    def add(start, end, new, kind, description):
        mutants.append(Mutant(path, start, end, new, kind, description))

    # Comparisons: only operators with blanks on both sides, so that template
    # brackets, shifts and arrows are never taken for them.
    for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", masked):
        op = m.group(1)
        add(m.start(), m.end(), REL_SWAP[op], "comparison", f"'{op}' -> '{REL_SWAP[op]}'")
    for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", masked):
        new = "||" if m.group(1) == "&&" else "&&"
        add(m.start(), m.end(), new, "logic", f"'{m.group(1)}' -> '{new}'")
    # A negation dropped.
    for m in re.finditer(r"(?<![!=<>&|\w)\]])!(?!=)(?=[\w(])", masked):
        add(m.start(), m.end(), "", "negation", "'!' removed")
    for m in re.finditer(r"\b(true|false)\b", masked):
        new = "false" if m.group(1) == "true" else "true"
        add(m.start(), m.end(), new, "constant", f"{m.group(1)} -> {new}")

    # Boundary constants one up or down.
    for m in re.finditer(r"(?<![\w.])(\d+)(?:\.(\d+))?(?![\w.'])", masked):
        whole, frac = m.group(1), m.group(2)
        if frac is None:
            value = int(whole)
            for new in ([value + 1] if value == 0 else [value + 1, value - 1]):
                add(m.start(), m.end(), str(new), "constant", f"{value} -> {new}")
        else:
            scale = 10 ** len(frac)
            units = int(whole) * scale + int(frac)
            for delta in (1, -1):
                u = units + delta
                if u < 0:
                    continue
                new = f"{u // scale}.{u % scale:0{len(frac)}d}"
                add(m.start(), m.end(), new, "constant", f"{m.group(0)} -> {new}")

    # Conditions: the whole condition, or one operand of a chain of && (||),
    # taken as always true (false): the check is dropped.
    for m in re.finditer(r"\b(if|while)\s*\(", masked):
        open_at = m.end() - 1
        close_at = matching_paren(masked, open_at)
        if close_at < 0:
            continue
        inner_start, inner_end = open_at + 1, close_at
        cond = text[inner_start:inner_end].strip()
        ands = split_top_level(masked, inner_start, inner_end, "&&")
        ors = split_top_level(masked, inner_start, inner_end, "||")
        if ";" in masked[inner_start:inner_end]:
            continue
        if m.group(1) == "if":
            add(inner_start, inner_end, "true", "condition", "condition -> true")
            add(inner_start, inner_end, "false", "condition", "condition -> false")
        if bool(ands) != bool(ors):
            cuts, neutral = (ands, "true") if ands else (ors, "false")
            bounds = [inner_start] + [c + 2 for c in cuts]
            ends = cuts + [inner_end]
            for index, (a, b) in enumerate(zip(bounds, ends)):
                operand = text[a:b]
                lead = len(operand) - len(operand.lstrip())
                trail = len(operand) - len(operand.rstrip())
                if not operand.strip():
                    continue
                add(a + lead, b - trail, neutral, "condition", f"operand {index + 1} of '{cond[:40]}' dropped")

    # Case-insensitive steps made case-sensitive.
    for m in re.finditer(r"(?:\bstd::|\b)(tolower|toupper|\w*(?:Lower|Upper)\w*)\s*\(", masked):
        if re.match(r"\s*(?:std::)?string\b", masked[max(0, m.start() - 12):m.start()]):
            continue
        line_start = masked.rfind("\n", 0, m.start()) + 1
        before = masked[line_start:m.start()]
        if re.match(r"^\s*(?:static\s+)?(?:std::)?\w+\s*$", before) and "return" not in before:
            continue  # a definition, not a call
        open_at = m.end() - 1
        close_at = matching_paren(masked, open_at)
        if close_at < 0:
            continue
        add(m.start(), close_at + 1, "(" + text[open_at + 1:close_at] + ")", "case", f"{m.group(1)}() removed")

    # Two plain arguments swapped.
    for m in re.finditer(r"\b([A-Za-z_]\w*)\(\s*([\w.\->:\[\]]+)\s*,\s*([\w.\->:\[\]]+)\s*\)", masked):
        name, a, b = m.group(1), m.group(2), m.group(3)
        if name in SYMMETRIC_CALLS or name.startswith("EXPECT") or a == b:
            continue
        if name in DECLARATION_WORDS or re.match(r"^[A-Z_0-9]+$", name):
            continue
        start = m.start(2)
        add(start, m.end(3), f"{b}, {a}", "swap", f"arguments of {name}() swapped")

    # Statements removed: calls, assignments, increments, early returns,
    # continue and break. A statement must start and end on its line.
    lines = masked.split("\n")
    offset = 0
    previous = ""
    for line in lines:
        stripped = line.strip()
        early = re.match(r"^(.*\)\s*)(return\b[^;]*;|continue;|break;)$", stripped)
        alone = re.match(r"^(continue|break);$", stripped)
        if early and stripped.startswith(("if ", "if(", "else if")) and early.group(1).count("(") == early.group(1).count(")"):
            col = line.index(early.group(2), len(line) - len(line.lstrip()) + len(early.group(1)) - 1)
            original = text[offset + col:offset + col + len(early.group(2))]
            add(offset + col, offset + col + len(early.group(2)), ";", "statement", f"'{original[:40]}' removed")
        elif alone and previous.endswith((";", "{", "}")):
            col = line.index(stripped)
            add(offset + col, offset + col + len(stripped), ";", "statement", f"'{stripped}' removed")
        elif stripped.endswith(";") and stripped.count("(") == stripped.count(")") and \
                previous.endswith((";", "{", "}", ":")) and STATEMENT_START.match(line):
            first = re.match(r"\s*(?:\+\+|--)?([A-Za-z_]\w*)", line).group(1)
            after = line[len(re.match(r"\s*(?:\+\+|--)?[A-Za-z_]\w*", line).group(0)):]
            if first not in DECLARATION_WORDS and not re.match(r"^\s*[A-Za-z_]", after):
                col = line.index(stripped)
                original = text[offset + col:offset + col + len(stripped)]
                add(offset + col, offset + col + len(stripped), ";", "statement", f"'{original[:40]}' removed")
        if stripped:
            previous = stripped
        offset += len(line) + 1

    # Same place, same result: keep one.
    unique, seen = [], set()
    for mu in mutants:
        k = (mu.start, mu.end, mu.new)
        if k in seen or text[mu.start:mu.end] == mu.new:
            continue
        seen.add(k)
        line_start = text.rfind("\n", 0, mu.start) + 1
        line_end = text.find("\n", mu.start)
        mu.line = text.count("\n", 0, mu.start) + 1
        mu.line_text = text[line_start:line_end if line_end >= 0 else len(text)].strip()
        unique.append(mu)
    # The same mutation twice on one line is told apart by its position.
    counts = {}
    for mu in sorted(unique, key=lambda x: x.start):
        k = mu.key()
        counts[k] = counts.get(k, 0) + 1
        if counts[k] > 1:
            mu.description += f" #{counts[k]}"
    unique.sort(key=lambda x: (x.start, x.kind, x.description))
    return unique


def apply(text, mu):
    return text[:mu.start] + mu.new + text[mu.end:]


def read_equivalents(path):
    equivalents = {}
    if not os.path.exists(path):
        return equivalents
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = [p.strip() for p in line.rstrip("\n").split(" | ")]
            if len(parts) != 4 or not parts[3]:
                sys.exit(f"{path}:{number}: expected 'file | line | mutation | reason'")
            equivalents[tuple(parts[:3])] = parts[3]
    return equivalents


# --------------------------------------------------------------------------
# Which tests cover a file


def test_sources():
    """Test executable -> its source files, as tests/CMakeLists.txt makes them."""
    result = {}
    for sub in sorted(os.listdir(os.path.join(ROOT, "tests", "core"))):
        folder = os.path.join(ROOT, "tests", "core", sub)
        if os.path.isdir(folder):
            result[f"test_core_{sub}"] = [os.path.join(d, f) for d, _, fs in os.walk(folder) for f in fs]
    result["test_cli"] = [os.path.join(ROOT, "tests", "cli", f) for f in os.listdir(os.path.join(ROOT, "tests", "cli"))]
    return result


# Tests that reach a file through another routine, beyond those found by
# its header: the broken-input catalogue (test_core_common) opens every
# reader's files through the routine that chooses the reader.
INDIRECT_TESTS = {
    "src/core/conditions/xlsx_workbook.cpp": ["test_core_common"],
    "src/core/conditions/csv_sheet.cpp": ["test_core_common"],
    "src/core/conditions/spreadsheet.cpp": ["test_core_common"],
    # The base folder check is the CLI's check-base command; its tests run it.
    "src/core/runs/base_check.cpp": ["test_cli"],
}


def covering_tests(path, with_cli):
    """The subsystem's own test executable, every other one whose tests
    include the file's header, and those of INDIRECT_TESTS."""
    rel = os.path.relpath(os.path.join(ROOT, path), os.path.join(ROOT, "src", "core"))
    sub = rel.split(os.sep)[0]
    header = os.path.splitext(rel)[0].replace(os.sep, "/") + ".h"
    extra = INDIRECT_TESTS.get(path.replace(os.sep, "/"), [])
    tests = []
    for exe, sources in test_sources().items():
        if exe == "test_cli" and not with_cli and exe not in extra:
            continue
        if exe == f"test_core_{sub}" or exe in extra:
            tests.append(exe)
            continue
        for src in sources:
            with open(src, encoding="utf-8", errors="replace") as f:
                if f'#include "{header}"' in f.read():
                    tests.append(exe)
                    break
    return tests


# --------------------------------------------------------------------------
# Building and running


def sync_tree(tree):
    """Copies the working files into the private tree; a file whose bytes
    are unchanged keeps its time, so nothing is rebuilt for it."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT, check=True,
                            capture_output=True).stdout.decode().split("\0")
    for rel in listed:
        if not rel or not os.path.isfile(os.path.join(ROOT, rel)):
            continue
        src, dst = os.path.join(ROOT, rel), os.path.join(tree, rel)
        with open(src, "rb") as f:
            data = f.read()
        if os.path.exists(dst):
            with open(dst, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copyfile(src, dst)
        shutil.copymode(src, dst)


def run_limited(cmd, cwd, limit, env=None):
    """(exit status or None when the limit passed, output, seconds)."""
    started = time.monotonic()
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            start_new_session=True)
    try:
        out, _ = proc.communicate(timeout=limit)
        return proc.returncode, out.decode(errors="replace"), time.monotonic() - started
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        out, _ = proc.communicate()
        return None, out.decode(errors="replace"), time.monotonic() - started


class Workspace:
    def __init__(self, folder, jobs, test_filter=None):
        self.filter = test_filter
        self.folder = os.path.abspath(folder)
        self.tree = os.path.join(self.folder, "tree")
        self.build = os.path.join(self.folder, "build")
        self.jobs = jobs

    def prepare(self):
        os.makedirs(self.tree, exist_ok=True)
        sync_tree(self.tree)
        if not os.path.exists(os.path.join(self.build, "build.ninja")):
            subprocess.run(["cmake", "-S", self.tree, "-B", self.build, *CMAKE_OPTIONS], check=True,
                           stdout=subprocess.DEVNULL)

    def targets(self, tests):
        # The CLI's tests run the program, and those of calculations and of
        # the base folder check skip themselves without the stand-in models.
        standins = ["standin_" + d for d in sorted(os.listdir(os.path.join(ROOT, "tools")))
                    if os.path.isdir(os.path.join(ROOT, "tools", d))]
        return tests + (["reformer-cli"] + standins if "test_cli" in tests else [])

    def build_tests(self, tests, limit=BUILD_TIME_LIMIT):
        status, out, _ = run_limited(["ninja", "-C", self.build, f"-j{self.jobs}", *self.targets(tests)],
                                     self.build, limit)
        return status == 0, out

    def run_test(self, exe, limit):
        env = dict(os.environ, REFORMER_BUILD_DIR=self.build, QT_QPA_PLATFORM="offscreen")
        cmd = [os.path.join(self.build, "tests", exe), "--gtest_fail_fast", "--gtest_brief=1"]
        if self.filter:
            cmd.append("--gtest_filter=" + self.filter)
        return run_limited(cmd, os.path.join(self.build, "tests"), limit, env)


def first_failure(output):
    m = re.search(r"^\[  FAILED  \] (\S+)", output, re.M)
    if m:
        return m.group(1)
    return "crashed" if output.strip() else "failed"


# --------------------------------------------------------------------------


def main():
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)  # a listing cut short by `head` is no failure
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("files", nargs="*", help="core files (src/core/...) to mutate")
    ap.add_argument("--since", help="also every core .cpp changed since this commit")
    ap.add_argument("--changed-since", metavar="COMMIT",
                    help="mutate only the lines added or changed since the commit, in the files named or, "
                         "when none are, in every core .cpp changed since then")
    ap.add_argument("--build", default=os.path.join(ROOT, "build-mutation"), help="work folder (build-mutation)")
    ap.add_argument("--tests", help="comma-separated test executables instead of the covering ones")
    ap.add_argument("--filter", help="run only these tests (a --gtest_filter pattern)")
    ap.add_argument("--with-cli", action="store_true", help="count test_cli among the covering tests (slow)")
    ap.add_argument("--sample", type=int, default=0, help="at most this many mutants a file, picked at random")
    ap.add_argument("--seed", type=int, default=1, help="seed of the sample")
    ap.add_argument("--lines", help="only lines FIRST-LAST")
    ap.add_argument("--kinds", help="only these kinds: comparison,logic,negation,constant,condition,case,swap,statement")
    ap.add_argument("--time-factor", type=float, default=4.0, help="time limit: this times the clean run, at least 10 s")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--list", action="store_true", help="list the mutants, run nothing")
    ap.add_argument("--prepare", action="store_true", help="copy the sources and build the covering tests only")
    ap.add_argument("--equivalent", default=EQUIVALENT_LIST)
    ap.add_argument("--report", help="also write the table of results to this file")
    ap.add_argument("--only", help="run only the mutants listed in this file (as <build>/survivors.txt lists "
                                   "the survivors of the last run: file | line | mutation)")
    args = ap.parse_args()

    files = [os.path.relpath(os.path.abspath(f), ROOT) for f in args.files]
    since = args.since or (args.changed_since if not files else None)
    if since:
        changed = subprocess.run(["git", "diff", "--name-only", since, "--", "src/core"], cwd=ROOT,
                                 check=True, capture_output=True, text=True).stdout.split()
        files += [f for f in changed if f.endswith(".cpp") and f not in files and os.path.exists(os.path.join(ROOT, f))]
    if not files:
        ap.error("no files: name them or give --since")
    for f in files:
        if not f.startswith("src/core/") or not os.path.isfile(os.path.join(ROOT, f)):
            ap.error(f"{f}: not a file of src/core")

    equivalents = read_equivalents(args.equivalent)
    kinds = set(args.kinds.split(",")) if args.kinds else None
    rng = random.Random(args.seed)
    plan = []
    for f in files:
        with open(os.path.join(ROOT, f), encoding="utf-8") as fh:
            text = fh.read()
        mutants = generate(f, text)
        if kinds:
            mutants = [m for m in mutants if m.kind in kinds]
        if args.lines:
            first, last = (int(x) for x in args.lines.split("-"))
            mutants = [m for m in mutants if first <= m.line <= last]
        if args.changed_since:
            changed = changed_lines(args.changed_since, f)
            mutants = [m for m in mutants if m.line in changed]
        if args.only:
            wanted = set(read_keys(args.only))
            mutants = [m for m in mutants if m.key() in wanted]
        equivalent = [m for m in mutants if m.key() in equivalents]
        for m in equivalent:
            m.status, m.detail = "equivalent", equivalents[m.key()]
        candidates = [m for m in mutants if not m.status]
        if args.sample and len(candidates) > args.sample:
            candidates = sorted(rng.sample(candidates, args.sample), key=lambda m: m.start)
        tests = args.tests.split(",") if args.tests else covering_tests(f, args.with_cli)
        plan.append((f, text, candidates, equivalent, tests))

    if args.list:
        for f, _, candidates, equivalent, tests in plan:
            print(f"{f}: {len(candidates)} mutants, tests {', '.join(tests)}")
            for m in sorted(candidates + equivalent, key=lambda m: m.start):
                print(f"  {m.line:4}  {m.kind:10} {m.description}{'  (equivalent)' if m.status else ''}")
        return 0

    ws = Workspace(args.build, args.jobs, args.filter)
    ws.prepare()
    if args.prepare:
        tests = sorted({t for p in plan for t in p[4]})
        ok, out = ws.build_tests(tests, None)
        print(out[-2000:])
        return 0 if ok else 1
    results = []
    for f, text, candidates, equivalent, tests in plan:
        target = os.path.join(ws.tree, f)
        print(f"== {f}: {len(candidates)} mutants, tests {', '.join(tests)}", flush=True)
        with open(target, "w", encoding="utf-8") as fh:
            fh.write(text)
        ok, out = ws.build_tests(tests, None)
        if not ok:
            sys.exit(f"the unchanged sources do not build:\n{out[-3000:]}")
        limits = {}
        for exe in tests:
            status, out, seconds = ws.run_test(exe, 1800)
            if status != 0:
                sys.exit(f"{exe} fails on the unchanged sources:\n{out[-3000:]}")
            limits[exe] = max(10.0, seconds * args.time_factor)
        try:
            for m in candidates:
                started = time.monotonic()
                with open(target, "w", encoding="utf-8") as fh:
                    fh.write(apply(text, m))
                ok, out = ws.build_tests(tests)
                if not ok:
                    m.status, m.detail = "not built", ""
                else:
                    m.status = "survived"
                    for exe in tests:
                        status, out, _ = ws.run_test(exe, limits[exe])
                        if status is None:
                            m.status, m.detail = "timed out", exe
                            break
                        if status != 0:
                            m.status, m.detail = "killed", f"{exe}: {first_failure(out)}"
                            break
                m.seconds = time.monotonic() - started
                print(f"  {m.status:10} {f}:{m.line}  {m.description}  {m.detail}  ({m.seconds:.0f} s)", flush=True)
        finally:
            with open(target, "w", encoding="utf-8") as fh:
                fh.write(text)
        results.append((f, candidates, equivalent))

    return report(results, args.report, os.path.join(ws.folder, "survivors.txt"))


def changed_lines(commit, path):
    """Numbers of the lines of the working file that were added or changed
    since the commit, read from the hunk heads of a diff without context."""
    diff = subprocess.run(["git", "diff", "-U0", "--no-color", "--no-ext-diff", commit, "--", path], cwd=ROOT,
                          check=True, capture_output=True, text=True).stdout
    return lines_of_hunks(diff)


def lines_of_hunks(diff):
    lines = set()
    for m in re.finditer(r"(?m)^@@ -\d+(?:,\d+)? \+(\d+)(?:,(\d+))? @@", diff):
        first, count = int(m.group(1)), int(m.group(2)) if m.group(2) is not None else 1
        lines.update(range(first, first + count))
    return lines


def read_keys(path):
    with open(path, encoding="utf-8") as f:
        return [tuple(p.strip() for p in line.rstrip("\n").split(" | ")[:3]) for line in f
                if line.strip() and not line.startswith("#")]


def report(results, path, survivors_path):
    lines = ["| file | mutants | not built | equivalent | killed | timed out | survived | killed share |",
             "|---|---|---|---|---|---|---|---|"]
    totals = [0] * 6
    survivors = []
    for f, candidates, equivalent in results:
        counts = [len(candidates) + len(equivalent),
                  sum(m.status == "not built" for m in candidates), len(equivalent),
                  sum(m.status == "killed" for m in candidates), sum(m.status == "timed out" for m in candidates),
                  sum(m.status == "survived" for m in candidates)]
        totals = [a + b for a, b in zip(totals, counts)]
        lines.append(row(f, counts))
        survivors += [m for m in candidates if m.status == "survived"]
    lines.append(row("all", totals))
    if survivors:
        lines.append("")
        lines.append("Survivors:")
        lines += [f"- {m.path}:{m.line} {m.description}: `{m.line_text}`" for m in survivors]
    text = "\n".join(lines)
    print("\n" + text)
    with open(survivors_path, "w", encoding="utf-8") as f:
        f.write("".join(f"{m.path} | {m.line_text} | {m.description}\n" for m in survivors))
    if path:
        with open(path, "w", encoding="utf-8") as f:
            f.write(text + "\n")
    return 1 if survivors else 0


def row(name, counts):
    total, _, _, killed, timed_out, survived = counts
    live = killed + timed_out + survived
    share = f"{100.0 * (killed + timed_out) / live:.0f} %" if live else "-"
    return f"| {name} | " + " | ".join(str(c) for c in counts) + f" | {share} |"


if __name__ == "__main__":
    sys.exit(main())
