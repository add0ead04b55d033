#!/usr/bin/python3
"""Writes the .xls workbooks the historian-import tests read.

Run with Debian's python3-xlwt (apt-get install python3-xlwt):
    /usr/bin/python3 tests/data/xls/make_fixtures.py
The generated files are committed, so the tests do not need this script.
Row 1 holds the headers, row 2 whatever the historian puts there, row 3 the
values, as the plant's historian exports them.
"""
import datetime
import os

import xlwt

HERE = os.path.dirname(os.path.abspath(__file__))


def workbook(name, rows, extra_sheets=()):
    """rows: {(row, column): value}, both counted from 1; None leaves a cell empty."""
    wb = xlwt.Workbook(encoding="utf-8")
    sheet = wb.add_sheet("Данные")
    date_style = xlwt.easyxf(num_format_str="DD.MM.YYYY HH:MM")
    for (r, c), value in sorted(rows.items()):
        if value is None:
            continue
        if isinstance(value, datetime.datetime):
            sheet.write(r - 1, c - 1, value, date_style)
        else:
            sheet.write(r - 1, c - 1, value)
    for title, extra in extra_sheets:
        s = wb.add_sheet(title)
        for (r, c), value in sorted(extra.items()):
            s.write(r - 1, c - 1, value)
    wb.save(os.path.join(HERE, name))


def header_row(headers):
    return {(1, c): h for c, h in enumerate(headers, start=1)}


# A header with a Russian description after the tag; the value typed as text
# with a decimal comma, as a Russian-locale export holds it.
rows = header_row(["Время", "FSLL_293", "FSLL_269", "PT_219 давление"])
rows.update({(3, 1): "01.09.2009 10:00", (3, 2): 96.4, (3, 3): 118500, (3, 4): "12,3"})
workbook("pt219_text_comma.xls", rows)

# The same with a number cell.
rows = header_row(["Время", "FSLL_293", "FSLL_269", "PT_219 давление"])
rows.update({(3, 1): "01.09.2009 10:00", (3, 2): 96.4, (3, 3): 118500, (3, 4): 12.3})
workbook("pt219_number.xls", rows)

# Two headers belonging to one tag, no empty header between: the later wins.
rows = header_row(["Время", "FSLL_293", "PT_219", "PT_222", "PT_225", "TIRAH_069", "fsll_293_b"])
rows.update({(3, 2): 95.0, (3, 3): 25.1, (3, 4): 24.6, (3, 5): 24.0, (3, 6): 491.5, (3, 7): 101.5})
workbook("duplicate_tag.xls", rows)

# Column 5 has no header: every tag after it is out of reach.
rows = header_row(["Время", "FSLL_293", "PT_219", "PT_222", None, "PT_225", "TIRAH_069", "FSLL_269"])
rows.update({(3, 2): 95.0, (3, 3): 25.1, (3, 4): 24.6, (3, 5): 7, (3, 6): 24.0, (3, 7): 491.5, (3, 8): 118500})
workbook("empty_header.xls", rows)

# QT_376 is missing, PT_222 has an empty value cell, and a tag in column 31
# lies beyond the 30 headers that are read.
headers = ["Время", "FSLL_293", "FSLL_269", "PT_219", "PT_222"]
headers += ["AI_%03d" % i for i in range(6, 31)]
headers += ["PT_225"]
rows = header_row(headers)
rows.update({(3, 2): 95.0, (3, 3): 118500, (3, 4): 25.1, (3, 31): 24.0})
workbook("missing_tag_and_empty_value.xls", rows)

# A realistic export: every one of the 15 tags among other columns, headers
# carrying descriptions, units in row 2, the averaged values in row 3, and a
# second sheet with the tag list that must not be read.
export = [
    ("Дата/время", "", datetime.datetime(2009, 9, 1, 10, 0)),
    ("FIC_101 Расход бензина на гидроочистку", "м3/ч", 101.7),
    ("FSLL_293 Расход сырья в блок риформинга", "м3/ч", 96.4),
    ("FSLL_269 Расход ВСГ на циркуляцию", "нм3/ч", 118540),
    ("QT_376 Влажность ВСГ", "%", 0.0021),
    ("PI_210 Давление на приёме компрессора", "кгс/см2", 23.8),
    ("PT_219 Давление Р-202", "кгс/см2", 25.3),
    ("TIRAH_069 Т вход Р-202", "°С", 492.5),
    ("DTIRAH_069 Перепад Р-202", "°С", 64.8),
    ("PT_222 Давление Р-203", "кгс/см2", 24.8),
    ("TIRAH_071 Т вход Р-203", "°С", 493.1),
    ("DTIRAH_071 Перепад Р-203", "°С", 37.6),
    ("TI_250 Т после П-201", "°С", 488.0),
    ("PT_225 Давление Р-204", "кгс/см2", 24.1),
    ("TIRAH_073 Т вход Р-204", "°С", 494.0),
    ("DTIRAH_073 Перепад Р-204", "°С", 14.2),
    ("PT_228 Давление Р-205", "кгс/см2", 23.5),
    ("TIRAH_075 Т вход Р-205", "°С", 495.25),
    ("DTIRAH_075 Перепад Р-205", "°С", 6),
    ("LIC_310 Уровень в сепараторе С-201", "%", 48.5),
    ("AI_401 Водород в ВСГ", "% об.", 84.6),
    ("FQ_500 Стабильный катализат", "м3/ч", 83.9),
]
rows = {}
for c, (header, unit, value) in enumerate(export, start=1):
    rows[(1, c)] = header
    rows[(2, c)] = unit
    rows[(3, c)] = value
tag_list = {(1, 1): "Тег", (1, 2): "Описание", (2, 1): "FSLL_293", (2, 2): "999"}
workbook("historian_export.xls", rows, extra_sheets=[("Теги", tag_list)])

# A file with the extension but no workbook inside.
with open(os.path.join(HERE, "not_a_workbook.xls"), "wb") as f:
    f.write("Дата;FSLL_293\r\n01.09.2009;96,4\r\n".encode("cp1251"))
