#!/usr/bin/env python3
"""Writes the golden results files of the reader tests.

The files are laid out column by column here, independently of the
program's own results writer, so the reader is checked against a layout
that was not produced by the code under test. Run from this folder:
    python3 make_golden.py
"""

SCALARS = {  # line: [(column, text)]
    3: [(40, "0.87")],
    4: [(36, "495.5"), (51, "490.2"), (66, "485.1")],
    5: [(35, "35.1"), (49, "25.2"), (63, "15.3")],
    6: [(33, "411"), (47, "412"), (61, "-13")],
    7: [(29, "15.5"), (62, "120.5")],
    8: [(27, "14.8"), (40, "82.35"), (61, "1.25")],
    9: [(30, "1150.5"), (46, "35.0"), (60, "4.2")],
    63: [(46, " 83.15")],
    64: [(45, " 92.40")],
    65: [(27, " 85.20"), (41, " 121.75")],
    66: [(26, " 0.45"), (31, " 0.55"), (36, " 3.25")],
    67: [(26, " 1.02"), (31, " 0.98"), (36, " 1.05")],
    68: [(27, "  154321.5"), (48, " 12.5")],
    69: [(13, "1.45"), (27, " 0.62"), (33, " 0.48"), (58, "47.25")],
}
LABELS = {
    1: "     Результаты расчета риформинга",
    3: "Активность катализатора",
    4: "Температура входа, град.",
    5: "Температура выхода",
    6: "Перепады",
    7: "Давление",
    8: "Прочее",
    9: "Кратность циркуляции",
    12: "Групповой состав, % масс.",
    25: "-" * 70,
    28: "Материальный баланс",
    63: "Октановое число (ММ)",
    64: "Октановое число (ИМ)",
    65: "Выход риформата",
    66: "Кокс",
    67: "Хлор",
    68: "Переработано",
    69: "П/(Н+А)",
}
TABLE_A_LINES = [15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 26]
TABLE_A_COLUMNS = [(2, 5), (9, 5), (16, 5), (23, 5), (30, 5), (37, 5), (44, 5), (51, 5), (58, 6), (65, 5)]
TABLE_B_COLUMNS = [14, 25, 36, 46, 57]


def place(line, column, text):
    start = column - 1
    if len(line) < start + len(text):
        line += " " * (start + len(text) - len(line))
    return line[:start] + text + line[start + len(text):]


def table_a_value(c, r):
    # row.column, e.g. row 11 column 10 -> 11.10
    return "%d.%02d" % (r, c)


def table_b_value(c, r):
    return "%d.%d" % (r, c) if r < 10 else "%d.%d" % (r, c)


def base_lines(date="01.09.2009"):
    lines = [""] * 69
    for n, text in LABELS.items():
        lines[n - 1] = text
    lines[1] = date + "   дата отбора"
    for n, fields in SCALARS.items():
        for column, text in fields:
            lines[n - 1] = place(lines[n - 1], column, text)
    for r, n in enumerate(TABLE_A_LINES, start=1):
        line = ""
        for c, (column, width) in enumerate(TABLE_A_COLUMNS, start=1):
            line = place(line, column, table_a_value(c, r).rjust(width))
        lines[n - 1] = line
    for r in range(1, 32):
        line = "%3d  Компон." % r
        for c, column in enumerate(TABLE_B_COLUMNS, start=1):
            line = place(line, column, table_b_value(c, r).rjust(5))
        lines[31 + r - 1] = line
    return lines


def write(name, lines, eol="\r\n"):
    with open(name, "wb") as f:
        f.write((eol.join(lines) + eol).encode("cp866"))


def main():
    lines = base_lines()
    write("base.rez", lines)
    # The companion conditions file: line 6 starts with the first-reactor drop.
    with open("base.dan", "wb") as f:
        dan = ["  0.50  0.50  0.50", "  0.87", " 15.00", "  0.01", "480.00 480.00",
               " 38.50 25.00 12.00  6.00       Перепады температур", "", "", "", "", "", "01.09.09", "01.06.08"]
        f.write(("\r\n".join(dan) + "\r\n").encode("cp866"))

    # Same text, bare LF line ends, no companion conditions file, a date
    # with slashes and a two-digit year followed by blanks.
    lines = base_lines("01/09/09  ")
    write("slashes_lf.rez", lines, "\n")

    # Length conditions: table A row 1 of 68 characters (its last field one
    # character short), row 2 of exactly 69; lines 63 and 64 of 40
    # characters; line 65 of exactly 41 characters with a digit in column 41.
    lines = base_lines()
    lines[14] = lines[14][:64] + "1.10"
    assert len(lines[14]) == 68
    assert len(lines[15]) == 69
    lines[62] = "Октановое число (ММ)".ljust(40)
    lines[63] = "Октановое число (ИМ)".ljust(40)
    lines[64] = place("Выход риформата", 27, " 85.20").ljust(40) + "7"
    assert len(lines[62]) == 40 and len(lines[64]) == 41
    write("short_lines.rez", lines)

    # Line 65 of 42 characters: its second value is read from columns 41-42.
    lines = base_lines()
    lines[64] = place("Выход риформата", 27, " 85.20").ljust(40) + "78"
    write("line65_42.rez", lines)

    # Plain fields followed by other characters take the number before them.
    lines = base_lines()
    lines[2] = place(lines[2], 40, "0.9x")
    lines[65] = place(lines[65], 36, "3.2*5")
    write("trailing_chars.rez", lines)

    # A strict table A field that is no number aborts the reading.
    lines = base_lines()
    lines[25] = place(lines[25], 58, "  ab.c")
    write("bad_strict.rez", lines)

    # A file that ends after line 8: everything later reads as empty lines.
    write("truncated.rez", base_lines()[:8])

    # No valid date on line 2.
    write("bad_date.rez", base_lines("32.13.2009"))


if __name__ == "__main__":
    main()
