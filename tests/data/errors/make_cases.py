#!/usr/bin/env python3
"""Writes the catalogue of broken input files: one folder per case,
tests/data/errors/<format>/<case>/, holding the broken file and expected.txt.

The broken files are made from the good fixtures of the other tests
(tests/data/...) and the delivered data tree (data/bin/sk), damaged in one
way each: truncated, empty, in the wrong code page, with CR-only line ends,
with a value standing in the label columns, with "," decimals where "." is
required, with a line of 10,000 characters, replaced by binary garbage, or
(binary files) cut to a length that is no multiple of the record size.

expected.txt is written only when a case folder has none: the outcomes in it
are checked by hand against what the user must see and then kept, so
running this again never overwrites a reviewed expectation. Its lines:

  reader:  which reader the core test runs (see bad_inputs_test.cpp)
  input:   the broken file's name inside the case folder
  setup:   basa | rez | hornel  (files the run needs besides the input)
  message: the exact message the user sees; absent when the read succeeds.
           {input} stands for the path of the input as the program got it.
  result:  what the reader gave (its summary, see bad_inputs_test.cpp)
  keep:    a file of the case folder put next to the input before the run
           that must be byte-identical afterwards (repeatable)
  place:   a file of the case folder put next to the input before the run
           that the run may change (a read that succeeds adds to an index)
  cli:     reformer-cli arguments running the same file ({input}, {dir})
  cli-exit, cli-stdout, cli-stderr: what the command line gives; cli-stderr
           defaults to the message
  configuration: working  (the case runs in the working configuration; the
           others in the described one, whose messages are the run time's)

Run it from any folder; it writes beside itself.
"""
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, '..', '..', '..'))
DATA = os.path.join(ROOT, 'tests', 'data')
SK = os.path.join(ROOT, 'data', 'bin', 'sk')

CASES = []


def read(*parts):
    with open(os.path.join(*parts), 'rb') as f:
        return f.read()


def garbage(seed, size):
    rnd = random.Random(seed)
    return bytes(rnd.randrange(256) for _ in range(size))


def lines_of(b):
    return b.split(b'\r\n')


def cr_only(b):
    return b.replace(b'\r\n', b'\r')


def case(fmt, name, input_name, data, expected, extra=None):
    CASES.append((fmt, name, input_name, data, expected, extra or {}))


def write_all():
    for fmt, name, input_name, data, expected, extra in CASES:
        folder = os.path.join(HERE, fmt, name)
        os.makedirs(os.path.join(folder, os.path.dirname(input_name)), exist_ok=True)
        with open(os.path.join(folder, input_name), 'wb') as f:
            f.write(data)
        for file_name, content in extra.items():
            os.makedirs(os.path.dirname(os.path.join(folder, file_name)), exist_ok=True)
            with open(os.path.join(folder, file_name), 'wb') as f:
                f.write(content)
        exp = os.path.join(folder, 'expected.txt')
        if not os.path.exists(exp):
            with open(exp, 'w', encoding='utf-8', newline='\n') as f:
                f.write(f'input: {input_name}\n' + expected.strip() + '\n')


# --- Conditions file (.dan), read by position as data selection reads it ---
dan = read(DATA, 'conditions', 'form_layout.dan')
dan_lines = lines_of(dan)
READ_DAN = 'reader: conditions\n'
case('dan', 'truncated', '01-09-09.dan', b'\r\n'.join(dan_lines[:6]) + b'\r\n 84.6', READ_DAN)
case('dan', 'empty', '01-09-09.dan', b'', READ_DAN)
case('dan', 'wrong_codepage', '01-09-09.dan',
     dan.decode('cp866').encode('cp1251'), READ_DAN)
case('dan', 'cr_only', '01-09-09.dan', cr_only(dan), READ_DAN)
# The activity written after its label instead of before it.
l = list(dan_lines)
l[1] = 'Активность катализатора (условная еденица)   0.87'.encode('cp866')
case('dan', 'value_in_label', '01-09-09.dan', b'\r\n'.join(l), READ_DAN)
l = list(dan_lines)
l[2] = l[2].replace(b'25.30', b'25,30')
case('dan', 'comma_decimals', '01-09-09.dan', b'\r\n'.join(l), READ_DAN)
case('dan', 'comma_decimals_working', '01-09-09.dan', b'\r\n'.join(l), 'configuration: working\n' + READ_DAN)
l = list(dan_lines)
l[0] = l[0] + b'=' * (10000 - len(l[0]))
case('dan', 'long_line', '01-09-09.dan', b'\r\n'.join(l), READ_DAN)
case('dan', 'binary_garbage', '01-09-09.dan', garbage(1, 900), READ_DAN)

# --- The same file as a calculation takes it (working configuration): the
# check before a run names the file, the line and the text, where the run
# reader alone would go on with zeros and a 30.12.99 date. ---
CHECK_DAN = 'configuration: working\nreader: run-conditions\n'
l = list(dan_lines)
l[7] = l[7].replace(b'118540.00', b'78OOO.00 ')
case('dan', 'letter_in_number_run', '01-09-09.dan', b'\r\n'.join(l), CHECK_DAN)
l = list(dan_lines)
l[11] = l[11].replace(b'01.09.09', b'31.02.09')
case('dan', 'no_such_date_run', '01-09-09.dan', b'\r\n'.join(l), CHECK_DAN)
l = list(dan_lines)
l[10] = l[10].replace(b' 96.40', b' 65,00')
case('dan', 'comma_decimals_run', '01-09-09.dan', b'\r\n'.join(l), CHECK_DAN)
case('dan', 'truncated_run', '01-09-09.dan', b'\r\n'.join(dan_lines[:6]) + b'\r\n 84.6', CHECK_DAN)
# The same with blanks after the last value: they are no value either.
case('dan', 'truncated_blanks_run', '01-09-09.dan', b'\r\n'.join(dan_lines[:6]) + b'\r\n 84.6   \r\n', CHECK_DAN)

# --- Results file (.rez) and index-add ---
rez = read(DATA, 'results', 'base.rez')
rez_lines = lines_of(rez)
# A results file that cannot be read leaves the index as it was; one that
# can is added to it.
READ_REZ = 'reader: results\ncli: index-add {input} {dir}/svod.12\nplace: svod.12\n'
READ_BAD_REZ = 'reader: results\ncli: index-add {input} {dir}/svod.12\nkeep: svod.12\n'
case('rez', 'truncated', '01-09-09.rez', read(DATA, 'results', 'truncated.rez'), READ_REZ)
case('rez', 'empty', '01-09-09.rez', b'', READ_BAD_REZ)
case('rez', 'wrong_codepage', '01-09-09.rez', rez.decode('cp866').encode('cp1251'), READ_REZ)
case('rez', 'cr_only', '01-09-09.rez', cr_only(rez), READ_REZ)
l = list(rez_lines)
# Line 8: the strict hydrogen content (columns 40-44) and the plain values
# with "," decimals.
l[7] = l[7][:39] + l[7][39:44].replace(b'.', b',') + l[7][44:]
l[2] = l[2][:39] + l[2][39:43].replace(b'.', b',') + l[2][43:]
case('rez', 'comma_decimals', '01-09-09.rez', b'\r\n'.join(l), READ_REZ)
l = list(rez_lines)
# The activity of line 3 shifted left into its caption.
l[2] = l[2][:30] + l[2][39:43] + b' ' * 9 + l[2][43:]
case('rez', 'value_in_label', '01-09-09.rez', b'\r\n'.join(l), READ_REZ)
l = list(rez_lines)
l[19] = l[19] + b' 9' * ((10000 - len(l[19])) // 2)
case('rez', 'long_line', '01-09-09.rez', b'\r\n'.join(l), READ_REZ)
case('rez', 'binary_garbage', '01-09-09.rez', garbage(2, 3700), READ_BAD_REZ)
# A model stopped while it printed: the working configuration refuses what
# the described one reads with zeros for the missing values.
WORKING_BAD_REZ = 'configuration: working\n' + READ_BAD_REZ
case('rez', 'cut_after_line_67_working', '01-09-09.rez', b'\r\n'.join(rez_lines[:67]) + b'\r\n', WORKING_BAD_REZ)
case('rez', 'cut_in_last_line_working', '01-09-09.rez', b'\r\n'.join(rez_lines[:68]) + b'\r\n' + rez_lines[68][:59],
     WORKING_BAD_REZ)
l = list(rez_lines)
l[67] = l[67][:26] + b' ' * 10 + l[67][36:]
case('rez', 'blank_processed_feed_working', '01-09-09.rez', b'\r\n'.join(l), WORKING_BAD_REZ)

# --- Results index (svod.<n>) ---
RECORD = 2432


def record(day, coke, feed):
    """A results record as the index holds it: date, date text, values."""
    date = 40057.0 + day  # 01.09.2009 + day
    d, m = 1 + day, 9
    text = f'{d:02d}.{m:02d}.2009'.encode()
    head = struct.pack('<d', date) + bytes([10]) + text + b'\0' * 5
    values = [0.0] * ((RECORD - len(head)) // 8)
    values[0] = 0.87           # activity
    values[18 + 110 + 155 + 6] = coke            # coke
    values[18 + 110 + 155 + 10] = feed           # processed feed
    values[-1] = coke                             # accumulated coke
    return head + struct.pack('<%dd' % len(values), *values)


svod = record(0, 1.0, 1000.0) + record(10, 2.0, 2000.0)
READ_SVOD = 'reader: index\nsetup: rez\ncli: index-add {dir}/base.rez {input}\n'
case('svod', 'non_multiple_length', 'svod.12', svod + garbage(3, 1000), READ_SVOD)
case('svod', 'empty', 'svod.12', b'', READ_SVOD)
case('svod', 'truncated', 'svod.12', svod[:RECORD + RECORD // 2], READ_SVOD)
case('svod', 'binary_garbage', 'svod.12', garbage(4, 3 * RECORD), READ_SVOD)

# The index the results cases must leave alone.
for name in ('truncated', 'empty', 'wrong_codepage', 'cr_only', 'comma_decimals', 'value_in_label',
             'long_line', 'binary_garbage', 'cut_after_line_67_working', 'cut_in_last_line_working',
             'blank_processed_feed_working'):
    for c in CASES:
        if c[0] == 'rez' and c[1] == name:
            c[5]['svod.12'] = svod

# --- Composition file (.sk) ---
sk = read(DATA, 'composition', 'formation_style.sk')
sk_lines = lines_of(sk)
READ_SK = 'reader: composition\n'
case('sk', 'truncated', '01-09-09.sk', b'\r\n'.join(sk_lines[:100]) + b'\r\n', READ_SK)
case('sk', 'empty', '01-09-09.sk', b'', READ_SK)
case('sk', 'wrong_codepage', '01-09-09.sk', sk.decode('cp1251').encode('cp866'), READ_SK)
case('sk', 'cr_only', '01-09-09.sk', cr_only(sk), READ_SK)
l = list(sk_lines)
l[0] = l[0].replace(b'.', b',')
case('sk', 'comma_decimals', '01-09-09.sk', b'\r\n'.join(l), READ_SK)
l = list(sk_lines)
# The value of line 1 written four columns too far left, into its label.
l[0] = l[0][:13] + l[0][17:] + b'    '
case('sk', 'value_in_label', '01-09-09.sk', b'\r\n'.join(l), READ_SK)
l = list(sk_lines)
l[0] = l[0][:17] + b' ' * 10000 + l[0][17:]
case('sk', 'long_line', '01-09-09.sk', b'\r\n'.join(l), READ_SK)
case('sk', 'binary_garbage', '01-09-09.sk', garbage(5, 3600), READ_SK)

# --- DHA report ---
dha = read(DATA, 'import', 'reformate.DHA')
dha_lines = lines_of(dha)
head_at = next(i for i, x in enumerate(dha_lines) if b'Components Listed in Chromatographic Order' in x)
kat_before = read(DATA, 'import', 'reformate.KAT.golden')
READ_DHA = 'reader: dha\ncli: import {input} --stream 2\n'
KEEP_KAT = {'report.KAT': kat_before}
case('dha', 'truncated_before_table', 'report.DHA', b'\r\n'.join(dha_lines[:head_at]),
     READ_DHA + 'keep: report.KAT\n', KEEP_KAT)
case('dha', 'truncated_in_table', 'report.DHA', b'\r\n'.join(dha_lines[:head_at + 8]) + b'\r\n   ',
     READ_DHA)
case('dha', 'empty', 'report.DHA', b'', READ_DHA + 'keep: report.KAT\n', KEEP_KAT)
case('dha', 'cr_only', 'report.DHA', cr_only(dha), READ_DHA)
l = list(dha_lines)
for i in range(head_at + 3, len(l)):
    if len(l[i]) >= 60:
        l[i] = l[i][:54] + l[i][54:60].replace(b'.', b',') + l[i][60:]
case('dha', 'comma_decimals', 'report.DHA', b'\r\n'.join(l), READ_DHA)
l = list(dha_lines)
# The mass percentage of the first component moved left, into its name.
first = head_at + 3
l[first] = l[first][:45] + l[first][54:60] + b' ' * 9 + l[first][60:]
case('dha', 'value_in_label', 'report.DHA', b'\r\n'.join(l), READ_DHA)
l = list(dha_lines)
l[first] = l[first] + b' ' + b'x' * (10000 - len(l[first]) - 1)
case('dha', 'long_line', 'report.DHA', b'\r\n'.join(l), READ_DHA)
case('dha', 'binary_garbage', 'report.DHA', garbage(6, 4000), READ_DHA + 'keep: report.KAT\n', KEEP_KAT)
# A footer after the table: a rule and a total under the value column (blank
# name), and a total line written in the name columns.
footer = [b' ' * 54 + b'------', b'Total' + b' ' * 49 + b'100.000',
          b' ' * 19 + b'Total identified' + b' ' * 19 + b' 99.999']
case('dha', 'footer_total', 'report.DHA', b'\r\n'.join(dha_lines + footer), READ_DHA)

# --- TXT report (code page 866) ---
txt = read(DATA, 'import', 'feed.TXT')
txt_lines = lines_of(txt)
star_at = next(i for i, x in enumerate(txt_lines) if b'************' in x)
sir_before = read(DATA, 'import', 'feed.SIR.golden')
READ_TXT = 'reader: txt\ncli: import {input} --stream 1\n'
KEEP_SIR = {'report.SIR': sir_before}
case('txt', 'truncated_before_table', 'report.TXT', b'\r\n'.join(txt_lines[:star_at]),
     READ_TXT + 'keep: report.SIR\n', KEEP_SIR)
case('txt', 'truncated_in_table', 'report.TXT', b'\r\n'.join(txt_lines[:star_at + 6]), READ_TXT)
case('txt', 'empty', 'report.TXT', b'', READ_TXT + 'keep: report.SIR\n', KEEP_SIR)
case('txt', 'wrong_codepage', 'report.TXT', txt.decode('cp866').encode('cp1251'), READ_TXT)
case('txt', 'cr_only', 'report.TXT', cr_only(txt), READ_TXT)
l = list(txt_lines)
for i in range(star_at + 2, len(l)):
    if b'-' * 20 in l[i]:
        break
    l[i] = l[i][:21] + l[i][21:27].replace(b'.', b',') + l[i][27:]
case('txt', 'comma_decimals', 'report.TXT', b'\r\n'.join(l), READ_TXT)
l = list(txt_lines)
first = star_at + 2
# The mass percentage written after the name instead of before it.
l[first] = l[first][:21] + b' ' * 7 + l[first][28:] + b' ' + l[first][21:27]
case('txt', 'value_in_label', 'report.TXT', b'\r\n'.join(l), READ_TXT)
l = list(txt_lines)
l[first] = l[first] + b' ' + 'ТРАНС'.encode('cp866') * ((10000 - len(l[first])) // 5)
case('txt', 'long_line', 'report.TXT', b'\r\n'.join(l), READ_TXT)
case('txt', 'binary_garbage', 'report.TXT', garbage(7, 4000), READ_TXT + 'keep: report.SIR\n', KEEP_SIR)

# --- Component list (.SIR) loaded as it is ---
lst = read(DATA, 'import', 'feed.SIR.golden')
lst_lines = lines_of(lst)
READ_LIST = 'reader: list\ncli: import {input} --stream 1 --out {dir}/out.SIR\n'
case('list', 'empty', 'list.SIR', b'', READ_LIST)
case('list', 'truncated', 'list.SIR', lst[:len(lst) - 30], READ_LIST)
case('list', 'cr_only', 'list.SIR', cr_only(lst), READ_LIST)
case('list', 'comma_decimals', 'list.SIR', lst.replace(b'.', b','), READ_LIST)
l = list(lst_lines)
# The value of the second line written into the name columns 38-43.
l[1] = l[1][:37] + l[1][43:49] + b' ' * 6
case('list', 'value_in_label', 'list.SIR', b'\r\n'.join(l), READ_LIST)
l = list(lst_lines)
l[0] = l[0] + b' ' * (10000 - len(l[0]))
case('list', 'long_line', 'list.SIR', b'\r\n'.join(l), READ_LIST)
case('list', 'binary_garbage', 'list.SIR', garbage(8, 3000), READ_LIST)
l = list(lst_lines)
# A slip of the hand in the fourth value; the working configuration names the line.
l[3] = l[3][:44] + b'x' + l[3][45:]
case('list', 'faulty_value_working', 'list.SIR', b'\r\n'.join(l), 'configuration: working\n' + READ_LIST)

# --- Historian workbook (.xls) ---
xls = read(DATA, 'xls', 'historian_export.xls')
READ_XLS = 'reader: xls\n'
case('xls', 'empty', 'historian.xls', b'', READ_XLS)
case('xls', 'truncated', 'historian.xls', xls[:len(xls) // 2], READ_XLS)
case('xls', 'binary_garbage', 'historian.xls', garbage(9, 4096), READ_XLS)
case('xls', 'text_file', 'historian.xls', 'FSLL_293;PT_219\r\n\r\n96,4;25,3\r\n'.encode('cp1251'), READ_XLS)
# A compound-file directory entry whose name length is 0xFFFF instead of at
# most 64 (found by fuzzing: the spreadsheet library read far past its
# buffer). The fuzzer's input, minimised.
with open(os.path.join(HERE, 'xls', 'damaged_directory', 'historian.xls'), 'rb') as f:
    case('xls', 'damaged_directory', 'historian.xls', f.read(), READ_XLS)
# The same past a "Workbook" entry without a start sector, which the library
# reads past (found by fuzzing, after the first fix).
with open(os.path.join(HERE, 'xls', 'damaged_directory_after_workbook', 'historian.xls'), 'rb') as f:
    case('xls', 'damaged_directory_after_workbook', 'historian.xls', f.read(), READ_XLS)

# --- Historian workbook (.xlsx) and export (.csv) ---
# Each also through the form (tests/app/conditions/historian_import_test.cpp)
# and reformer-cli historian.
import io
import re
import zipfile

XLSX = read(DATA, 'xlsx', 'historian_export.xlsx')
HISTORIAN_CLI = 'cli: historian {input} --sampling 01.09.2009 --regeneration 22.08.2009 --sulphur 0.5\n'
READ_XLSX = 'reader: xlsx\n' + HISTORIAN_CLI.replace('\n', ' --sheet Данные\n')
READ_CSV = 'reader: csv\n' + HISTORIAN_CLI


def xlsx_with(changes):
    """The fixture with parts replaced (bytes) or removed (None)."""
    out = io.BytesIO()
    with zipfile.ZipFile(io.BytesIO(XLSX)) as src, zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as dst:
        for item in src.infolist():
            data = changes.get(item.filename, src.read(item.filename))
            if data is not None:
                dst.writestr(item, data)
        for name, data in changes.items():
            if data is not None and name not in src.namelist():
                dst.writestr(zipfile.ZipInfo(name, (2009, 9, 1, 12, 0, 0)), data)
    return out.getvalue()


def xlsx_part(name):
    with zipfile.ZipFile(io.BytesIO(XLSX)) as z:
        return z.read(name)


SHEET = xlsx_part('xl/worksheets/sheet1.xml')
# The fixture keeps its texts in the cells; the shared-string cases add the
# table the way other producers write it.
WITH_SST_RELS = xlsx_part('xl/_rels/workbook.xml.rels').replace(
    b'</Relationships>',
    b'<Relationship Id="rIdS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/'
    b'sharedStrings" Target="sharedStrings.xml"/></Relationships>')
SST = b'<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>Dt</t></si></sst>'
A1_SHARED = re.sub(rb'<c r="A1" t="inlineStr"><is><t>.*?</t></is></c>', b'<c r="A1" t="s"><v>5</v></c>', SHEET)
LAUGHS = (b'<?xml version="1.0"?><!DOCTYPE lolz [<!ENTITY lol "lol">'
          + b''.join(b'<!ENTITY lol%d "%s">' % (i, (b'&lol%d;' % (i - 1) if i > 1 else b'&lol;') * 10)
                     for i in range(1, 10))
          + b']><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>&lol9;</t></si></sst>')
case('xlsx', 'empty', 'historian.xlsx', b'', READ_XLSX)
case('xlsx', 'truncated_zip', 'historian.xlsx', XLSX[:len(XLSX) // 2], READ_XLSX)
case('xlsx', 'text_file', 'historian.xlsx', 'FSLL_293;PT_219\r\n\r\n96,4;25,3\r\n'.encode('cp1251'), READ_XLSX)
case('xlsx', 'missing_sheet_part', 'historian.xlsx', xlsx_with({'xl/worksheets/sheet1.xml': None}), READ_XLSX)
case('xlsx', 'shared_string_out_of_range', 'historian.xlsx',
     xlsx_with({'xl/worksheets/sheet1.xml': A1_SHARED, 'xl/_rels/workbook.xml.rels': WITH_SST_RELS,
                'xl/sharedStrings.xml': SST}), READ_XLSX)
case('xlsx', 'billion_laughs', 'historian.xlsx',
     xlsx_with({'xl/_rels/workbook.xml.rels': WITH_SST_RELS, 'xl/sharedStrings.xml': LAUGHS}), READ_XLSX)
case('xlsx', 'not_xml', 'historian.xlsx', xlsx_with({'xl/worksheets/sheet1.xml': garbage(11, 2048)}), READ_XLSX)
case('xlsx', 'cell_beyond_sheet', 'historian.xlsx',
     xlsx_with({'xl/worksheets/sheet1.xml': SHEET.replace(b'</sheetData>',
                                                           b'<row r="1048577"><c r="A1048577"><v>1</v></c></row>'
                                                           b'</sheetData>')}), READ_XLSX)
# A cell reference without its column letters, or without its row number.
for name, ref in (('reference_without_column', '4'), ('reference_without_row', 'B')):
    case('xlsx', name, 'historian.xlsx',
         xlsx_with({'xl/worksheets/sheet1.xml': SHEET.replace(
             b'</sheetData>', b'<row r="4"><c r="' + ref.encode() + b'"><v>1</v></c></row></sheetData>')}),
         READ_XLSX + f'message: Не удалось открыть книгу Excel «{{input}}»: книга повреждена: неверная ссылка на ячейку «{ref}»\n')
# A cell beyond the last column, and one beyond the last row in a row of the sheet.
for name, ref in (('cell_beyond_last_column', 'XFE4'), ('cell_beyond_last_row', 'A1048577')):
    case('xlsx', name, 'historian.xlsx',
         xlsx_with({'xl/worksheets/sheet1.xml': SHEET.replace(
             b'</sheetData>', b'<row r="4"><c r="' + ref.encode() + b'"><v>1</v></c></row></sheetData>')}),
         READ_XLSX + f'message: Не удалось открыть книгу Excel «{{input}}»: лист «Данные» слишком велик: ячейка {ref} за пределами листа\n')
# A dimension of the whole sheet allocates nothing: the workbook reads as it is.
case('xlsx', 'huge_dimension', 'historian.xlsx',
     xlsx_with({'xl/worksheets/sheet1.xml': SHEET.replace(b'<dimension ref="A1:V3"/>',
                                                           b'<dimension ref="A1:XFD1048576"/>')}), 'reader: xlsx\n')
# A workbook saved with a password: a compound file holding the encrypted package.
encrypted = bytearray(4096)
encrypted[:8] = bytes([0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1])
encrypted[1024:1024 + 32] = 'EncryptedPackage'.encode('utf-16-le')
case('xlsx', 'encrypted', 'historian.xlsx', bytes(encrypted), READ_XLSX)

case('csv', 'empty', 'historian.csv', b'', READ_CSV)
case('csv', 'binary_garbage', 'historian.csv', garbage(12, 4096), READ_CSV)
case('csv', 'unclosed_quote', 'historian.csv',
     'FSLL_293;"PT_219\r\n\r\n96,4;25,3\r\n'.encode('cp1251'), READ_CSV)
case('csv', 'utf16', 'historian.csv', 'FSLL_293\tPT_219\r\n\r\n96,4\t25,3\r\n'.encode('utf-16'), READ_CSV)
case('csv', 'long_line', 'historian.csv', b'FSLL_293;' + b'x' * 10000 + b'\r\n\r\n96,4;1\r\n', 'reader: csv\n')

# --- Plant settings file l90 ---
l90 = read(SK, 'l90.12')
l90_lines = lines_of(l90)
READ_L90 = 'reader: l90\n'
case('l90', 'empty', 'l90', b'', READ_L90)
case('l90', 'truncated', 'l90', b'\r\n'.join(l90_lines[:3]) + b'\r\n', READ_L90)
case('l90', 'cr_only', 'l90', cr_only(l90), READ_L90)
l = list(l90_lines)
l[1] = l[1].replace(b'.', b',')
case('l90', 'comma_decimals', 'l90', b'\r\n'.join(l), READ_L90)
l = list(l90_lines)
# The reactor count written before column 43, inside the label.
l[0] = b'UNIT HORNEL L-35-11/450K 4 reactors'
case('l90', 'value_in_label', 'l90', b'\r\n'.join(l), READ_L90)
l = list(l90_lines)
l[0] = b'UNIT HORNEL' + b' ' * 9980 + b'5 reactors'
case('l90', 'long_line', 'l90', b'\r\n'.join(l), READ_L90)
case('l90', 'binary_garbage', 'l90', garbage(10, 400), READ_L90)

# --- Component database group file (Basa\ipar.4) ---
ipar4 = read(SK, 'Basa', 'ipar.4')
ipar4_lines = lines_of(ipar4)
READ_GROUP = 'reader: group\nsetup: basa hornel\ncli: form {dir}/sample 01-09-09\nkeep: sample/01-09-09.sk\n'
SK_BEFORE = {'sample/01-09-09.sk': read(DATA, 'composition', 'formation_style.sk')}
l = list(ipar4_lines)
l.insert(1, b'x3 Isobutane-like' + b' ' * 25)
case('group', 'not_a_number', 'Basa/ipar.4', b'\r\n'.join(l), READ_GROUP, SK_BEFORE)
l = list(ipar4_lines)
l.insert(1, b'70 Isobutane-like' + b' ' * 25)
case('group', 'out_of_range', 'Basa/ipar.4', b'\r\n'.join(l), READ_GROUP, SK_BEFORE)
l = list(ipar4_lines)
l.insert(1, b'3,5 Isobutane-like' + b' ' * 24)
case('group', 'comma_decimals', 'Basa/ipar.4', b'\r\n'.join(l), READ_GROUP, SK_BEFORE)
case('group', 'binary_garbage', 'Basa/ipar.4', garbage(11, 300), READ_GROUP, SK_BEFORE)
case('group', 'empty', 'Basa/ipar.4', b'', 'reader: group\nsetup: basa hornel\n')
case('group', 'cr_only', 'Basa/ipar.4', cr_only(ipar4), 'reader: group\nsetup: basa hornel\n')
l = list(ipar4_lines)
l[0] = l[0] + b' ' * (10000 - len(l[0]))
case('group', 'long_line', 'Basa/ipar.4', b'\r\n'.join(l), 'reader: group\nsetup: basa hornel\n')

# --- Summary table settings Ravionn.ini ---
def ravionn(rows):
    return b''.join(struct.pack('<HH', 1 if k in rows else 0, rows.index(k) + 1 if k in rows else 0)
                    for k in range(1, 19))


good_ini = ravionn([5, 2, 14])
READ_INI = 'reader: ravionn\n'
case('ravionn', 'truncated', 'Ravionn.ini', good_ini[:40], READ_INI)
case('ravionn', 'empty', 'Ravionn.ini', b'', READ_INI)
case('ravionn', 'binary_garbage', 'Ravionn.ini', garbage(12, 72), READ_INI)
case('ravionn', 'position_out_of_range', 'Ravionn.ini',
     good_ini[:4 * 4] + struct.pack('<HH', 1, 19) + good_ini[4 * 5:], READ_INI)
case('ravionn', 'too_long', 'Ravionn.ini', good_ini + garbage(13, 28), READ_INI)

# --- Deactivation history dizakt.<i> ---
def points(*pts):
    return b''.join(struct.pack('<dd', d, v) for d, v in pts)


history = points((40000.0, 0.0123), (40100.0, 0.0131), (40200.0, 0.0142))
READ_DIZAKT = 'reader: dizakt\n'
case('dizakt', 'non_multiple_length', 'dizakt.11', history + b'\x01' * 7, READ_DIZAKT)
case('dizakt', 'empty', 'dizakt.11', b'', READ_DIZAKT)
# Dates no calendar holds (found by fuzzing: formatting them was undefined).
case('dizakt', 'dates_out_of_range', 'dizakt.11',
     points((-2.2172e169, 0.5), (float('nan'), 0.25), (1e300, 1.0)), READ_DIZAKT)
case('dizakt', 'binary_garbage', 'dizakt.11', garbage(14, 64), READ_DIZAKT)

write_all()
