# -*- coding: utf-8 -*-
"""Checks the delivered database and the Hornel sample as the program will read them.

    /usr/bin/python3 scripts/data/check_data.py [--report]

Reads the files from disk (not from the generator's tables) and fails with a
list of problems when
- a group, candidate, ignore, template or trafaret file is missing or has a
  line the program cannot read (CR LF endings, no blank lines, number 1..69
  without leading blanks or zeros, 42-byte names);
- a built-in name appears in a group file (the lookup never gets there), a
  name appears twice, or a name sits only in a file the lookup never reads;
- a candidate file has more than 21 lines, or lacks a line its group file uses;
- a name of a template or of the sample lists is unknown to the database
  (so the pipeline would stop and ask);
- a sample list line breaks the 49-column layout.
With --report it also prints the number of names per family, the list sums
and the group composition the formation will find in the sample lists.
"""

import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from builtin_table import BUILTIN_NAMES, GROUPS, SEARCH_SEQUENCE  # noqa: E402

REPO = os.path.abspath(os.path.join(HERE, "..", ".."))
BASA = os.path.join(REPO, "data", "bin", "sk", "Basa")
SAMPLE = os.path.join(REPO, "data", "bin", "sk", "Hornel", "01-09-09")

GROUP_LINE = re.compile(rb"^([1-9][0-9]?) (.{42})$", re.S)
CANDIDATE_LINE = re.compile(rb"^([1-9][0-9]?) (.+)$", re.S)
VALUE = re.compile(rb"^[0-9][0-9]\.[0-9][0-9][0-9]$")

problems = []


def problem(text):
    problems.append(text)


def read_lines(path):
    """The CR LF lines of a file; reports bare LF/CR, blank lines and a missing last CR LF."""
    if not os.path.isfile(path):
        problem(f"missing file {os.path.relpath(path, REPO)}")
        return []
    data = open(path, "rb").read()
    if not data:
        return []
    rel = os.path.relpath(path, REPO)
    if not data.endswith(b"\r\n"):
        problem(f"{rel}: last line not ended by CR LF")
    lines = data.split(b"\r\n")
    if lines[-1] == b"":
        lines.pop()
    for i, line in enumerate(lines, 1):
        if b"\r" in line or b"\n" in line:
            problem(f"{rel}:{i}: stray CR or LF")
        if not line.strip():
            problem(f"{rel}:{i}: blank line")
    return lines


def main(argv):
    report = "--report" in argv
    del problems[:]

    # Group files: every group and carbon number 3..13.
    searched = set(SEARCH_SEQUENCE)
    known = {}        # 42-byte name -> (file, line) for names the lookup finds
    seen = {}         # every name in any group file -> file
    used_lines = {}   # (group, carbon) -> lines used there
    per_family = {}
    for group, (gprefix, cprefix, _) in GROUPS.items():
        for carbon in range(3, 14):
            fname = f"{gprefix}{carbon}"
            cell_lines = set()
            for i, line in enumerate(read_lines(os.path.join(BASA, fname)), 1):
                m = GROUP_LINE.match(line)
                if not m:
                    problem(f"{fname}:{i}: not '<number> <42-byte name>': {line!r}")
                    continue
                number, name = int(m.group(1)), m.group(2)
                if not 1 <= number <= 69:
                    problem(f"{fname}:{i}: model component {number} outside 1..69")
                if name in BUILTIN_NAMES:
                    problem(f"{fname}:{i}: built-in name {name.decode('ascii').rstrip()} in a group file")
                if name in seen:
                    problem(f"{fname}:{i}: name already in {seen[name]}")
                seen[name] = fname
                cell_lines.add(number)
                if (group, carbon) in searched:
                    known[name] = (fname, number)
                    per_family[gprefix] = per_family.get(gprefix, 0) + 1
                else:
                    problem(f"{fname}:{i}: the lookup never reads {fname}")
            used_lines[(group, carbon)] = cell_lines

            # Candidate file of the same cell.
            cname = f"{cprefix}{carbon}"
            clines = read_lines(os.path.join(BASA, cname))
            if not clines:
                problem(f"{cname}: no candidates")
            if len(clines) > 21:
                problem(f"{cname}: {len(clines)} lines, at most 21")
            offered = set()
            for i, line in enumerate(clines, 1):
                m = CANDIDATE_LINE.match(line)
                if not m or not 1 <= int(m.group(1)) <= 69:
                    problem(f"{cname}:{i}: not '<1..69> <text>': {line!r}")
                    continue
                offered.add(int(m.group(1)))
                try:
                    m.group(2).decode("cp1251")
                except UnicodeDecodeError:
                    problem(f"{cname}:{i}: text is not cp1251")
            missing = cell_lines - offered
            if missing:
                problem(f"{cname}: does not offer {sorted(missing)} used in {fname}")

    def is_known(name):
        return name in BUILTIN_NAMES or name in known

    # Ignore list.
    for i, line in enumerate(read_lines(os.path.join(BASA, "nlo")), 1):
        name = line[:42]
        if len(line) != 42:
            problem(f"nlo:{i}: not 42 bytes")
        if is_known(name):
            problem(f"nlo:{i}: {name!r} is also a known component")

    # Templates.
    template_sizes = []
    for n in range(1, 18):
        lines = read_lines(os.path.join(BASA, f"shablon.{n}"))
        template_sizes.append(len(lines))
        for i, line in enumerate(lines, 1):
            if len(line) != 42:
                problem(f"shablon.{n}:{i}: not padded to 42")
            if not is_known(line[:42]):
                problem(f"shablon.{n}:{i}: unknown name {line!r}")

    if len(read_lines(os.path.join(BASA, "trafaret"))) != 56:
        problem("trafaret: not 56 lines")

    # Sample lists.
    sums = {}
    for ext in ("SIR", "KAT"):
        path = os.path.join(SAMPLE, f"01-09-09.{ext}")
        lines = read_lines(path)
        total = 0
        for i, line in enumerate(lines, 1):
            if len(line) != 49 or line[42:43] != b" " or not VALUE.match(line[43:49]):
                problem(f"01-09-09.{ext}:{i}: not a 49-column list line: {line!r}")
                continue
            if not is_known(line[:42]):
                problem(f"01-09-09.{ext}:{i}: unknown to the database: {line[:42]!r}")
            total += int(line[43:45]) * 1000 + int(line[46:49])
        sums[ext] = (len(lines), total / 1000.0)
        if not 150 <= len(lines) <= 300:
            problem(f"01-09-09.{ext}: {len(lines)} components, expected 150..300")

    dan = read_lines(os.path.join(SAMPLE, "01-09-09.dan"))
    if len(dan) != 15:
        problem(f"01-09-09.dan: {len(dan)} lines, expected 15")
    else:
        gas = [float(t) for t in dan[6].split()[:9]]
        if abs(sum(gas) - 100.0) > 1e-6:
            problem(f"01-09-09.dan: gas composition sums to {sum(gas)}")
        dan[12].decode("cp866")

    if report:
        print("names the lookup finds, per family:", per_family,
              "total", sum(per_family.values()))
        print("template lines per plant:", template_sizes)
        for ext, (count, total) in sums.items():
            print(f"01-09-09.{ext}: {count} components, sum {total:.3f}")
            print_formation(os.path.join(SAMPLE, f"01-09-09.{ext}"), known, ext == "KAT")

    for p in problems:
        print("PROBLEM:", p)
    if not problems:
        print("check_data: all files consistent")
    return 1 if problems else 0


def print_formation(path, known, normalise):
    """Group sums and lumps as the formation counts them (no normalisation shown)."""
    tables = {g: [0.0] * 14 for g in range(1, 6)}
    lines = [0.0] * 70
    for line in read_lines(path):
        name, value = line[:42], float(line[42:])
        if name in BUILTIN_NAMES:
            number, group, carbon = BUILTIN_NAMES[name]
        else:
            fname, number = known[name]
            prefix, carbon = fname.split(".")
            group = next(g for g, v in GROUPS.items() if v[0] == prefix + ".")
            carbon = int(carbon)
        if number == 1 and group == 0:
            lines[1] = value
            continue
        lines[number] += value
        tables[group][carbon] += value
    sums = {g: sum(t[3:14]) for g, t in tables.items()}
    total = sum(sums.values())
    names = {1: "n-paraffins", 2: "isoparaffins", 3: "naphthenes-5", 4: "naphthenes-6", 5: "aromatics"}
    print("   " + ", ".join(f"{names[g]} {sums[g]:.2f}" for g in names) + f" (cells {total:.3f})")
    by_carbon = [sum(tables[g][c] for g in tables) for c in range(3, 14)]
    print("   by carbon number C3..C13:", " ".join(f"{v:.1f}" for v in by_carbon))

    # The lumps as the formation computes them; the catalyzate's non-n-paraffin
    # tables are first scaled so that the cells make 100.
    P, I, N5, N6, A = (tables[g] for g in range(1, 6))
    if normalise:
        sp = sums[1]
        factor = (100.0 - sp) / (total - sp)
        I, N5, N6, A = ([v * factor for v in t] for t in (I, N5, N6, A))
    M = lines
    M[47] = (sum(N5[5:9]) + sum(N6[6:9]) - sum(M[k] for k in (8, 13, 19, 23, 24, 25, 27, 29, 30, 33, 35, 38, 42, 49, 50))
             - (M[59] - A[8] + M[62] + M[63] + M[65]) - M[60])
    M[64] = I[9] - sum(M[k] for k in (51, 52, 53, 54, 55, 56, 57, 58, 61))
    M[66] = N5[9] + N6[9]
    M[69] = sum(A[9:14])
    M[68] = sum(P[10:14]) + sum(I[10:14]) + sum(N5[10:14]) + sum(N6[10:14]) + M[69]
    print("   lumps: 47 %.3f, 64 %.3f, 66 %.3f, 68 %.3f, 69 %.3f; lines 1-68 sum %.3f; aromatics (16, 37, 59-EB, 62, 63, 65, 69) %.2f"
          % (M[47], M[64], M[66], M[68], M[69], sum(M[1:69]), M[16] + M[37] + A[8] + M[69]))


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
