#!/usr/bin/python3
"""Writes the historian workbooks the import tests read, each in the three
formats plants export: tests/data/xls/*.xls, tests/data/xlsx/*.xlsx and
tests/data/csv/*.csv, all from the one content below, so one expected form
state serves all three.

Run with Debian's python3-xlwt and python3-openpyxl
(apt-get install python3-xlwt python3-openpyxl):
    /usr/bin/python3 scripts/make_historian_fixtures.py
The generated files are committed, so the tests do not need this script.
Row 1 holds the headers, row 2 whatever the historian puts there, row 3 the
values, as the plant's historian exports them.
"""
import datetime
import io
import os
import zipfile

import openpyxl
import xlwt

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
DATA = os.path.join(ROOT, 'tests', 'data')
DATE_FORMAT = 'DD.MM.YYYY HH:MM'
FIXED_TIME = datetime.datetime(2009, 9, 1, 12, 0, 0)

WORKBOOKS = []  # (name, [(sheet title, {(row, column): value})])


def workbook(name, rows, extra_sheets=()):
    """rows: {(row, column): value}, both counted from 1; None leaves a cell empty."""
    WORKBOOKS.append((name, [('Данные', rows)] + list(extra_sheets)))


def header_row(headers):
    return {(1, c): h for c, h in enumerate(headers, start=1)}


# A header with a Russian description after the tag; the value typed as text
# with a decimal comma, as a Russian-locale export holds it.
rows = header_row(['Время', 'FSLL_293', 'FSLL_269', 'PT_219 давление'])
rows.update({(3, 1): '01.09.2009 10:00', (3, 2): 96.4, (3, 3): 118500, (3, 4): '12,3'})
workbook('pt219_text_comma', rows)

# The same with a number cell.
rows = header_row(['Время', 'FSLL_293', 'FSLL_269', 'PT_219 давление'])
rows.update({(3, 1): '01.09.2009 10:00', (3, 2): 96.4, (3, 3): 118500, (3, 4): 12.3})
workbook('pt219_number', rows)

# Two headers belonging to one tag, no empty header between: the later wins.
rows = header_row(['Время', 'FSLL_293', 'PT_219', 'PT_222', 'PT_225', 'TIRAH_069', 'fsll_293_b'])
rows.update({(3, 2): 95.0, (3, 3): 25.1, (3, 4): 24.6, (3, 5): 24.0, (3, 6): 491.5, (3, 7): 101.5})
workbook('duplicate_tag', rows)

# Column 5 has no header: every tag after it is out of reach.
rows = header_row(['Время', 'FSLL_293', 'PT_219', 'PT_222', None, 'PT_225', 'TIRAH_069', 'FSLL_269'])
rows.update({(3, 2): 95.0, (3, 3): 25.1, (3, 4): 24.6, (3, 5): 7, (3, 6): 24.0, (3, 7): 491.5, (3, 8): 118500})
workbook('empty_header', rows)

# QT_376 is missing, PT_222 has an empty value cell, and a tag in column 31
# lies beyond the 30 headers that are read.
headers = ['Время', 'FSLL_293', 'FSLL_269', 'PT_219', 'PT_222']
headers += ['AI_%03d' % i for i in range(6, 31)]
headers += ['PT_225']
rows = header_row(headers)
rows.update({(3, 2): 95.0, (3, 3): 118500, (3, 4): 25.1, (3, 31): 24.0})
workbook('missing_tag_and_empty_value', rows)

# A realistic export: every one of the 15 tags among other columns, headers
# carrying descriptions, units in row 2, the averaged values in row 3, and a
# second sheet with the tag list that must not be read.
EXPORT = [
    ('Дата/время', '', datetime.datetime(2009, 9, 1, 10, 0)),
    ('FIC_101 Расход бензина на гидроочистку', 'м3/ч', 101.7),
    ('FSLL_293 Расход сырья в блок риформинга', 'м3/ч', 96.4),
    ('FSLL_269 Расход ВСГ на циркуляцию', 'нм3/ч', 118540),
    ('QT_376 Влажность ВСГ', '%', 0.0021),
    ('PI_210 Давление на приёме компрессора', 'кгс/см2', 23.8),
    ('PT_219 Давление Р-202', 'кгс/см2', 25.3),
    ('TIRAH_069 Т вход Р-202', '°С', 492.5),
    ('DTIRAH_069 Перепад Р-202', '°С', 64.8),
    ('PT_222 Давление Р-203', 'кгс/см2', 24.8),
    ('TIRAH_071 Т вход Р-203', '°С', 493.1),
    ('DTIRAH_071 Перепад Р-203', '°С', 37.6),
    ('TI_250 Т после П-201', '°С', 488.0),
    ('PT_225 Давление Р-204', 'кгс/см2', 24.1),
    ('TIRAH_073 Т вход Р-204', '°С', 494.0),
    ('DTIRAH_073 Перепад Р-204', '°С', 14.2),
    ('PT_228 Давление Р-205', 'кгс/см2', 23.5),
    ('TIRAH_075 Т вход Р-205', '°С', 495.25),
    ('DTIRAH_075 Перепад Р-205', '°С', 6),
    ('LIC_310 Уровень в сепараторе С-201', '%', 48.5),
    ('AI_401 Водород в ВСГ', '% об.', 84.6),
    ('FQ_500 Стабильный катализат', 'м3/ч', 83.9),
]


def export_rows(scale=1.0):
    rows = {}
    for c, (header, unit, value) in enumerate(EXPORT, start=1):
        rows[(1, c)] = header
        rows[(2, c)] = unit
        rows[(3, c)] = value if scale == 1 or isinstance(value, datetime.datetime) else round(value * scale, 4)
    return rows


TAG_LIST = {(1, 1): 'Тег', (1, 2): 'Описание', (2, 1): 'FSLL_293', (2, 2): '999'}
workbook('historian_export', export_rows(), extra_sheets=[('Теги', TAG_LIST)])

# One sheet a month, as engineers keep a year's exports: the tag list first,
# then August and September with different values.
MONTHS = [('Теги', TAG_LIST), ('Август', export_rows(0.5)), ('Сентябрь', export_rows())]


def write_xls(name, sheets):
    wb = xlwt.Workbook(encoding='utf-8')
    date_style = xlwt.easyxf(num_format_str=DATE_FORMAT)
    for title, cells in sheets:
        sheet = wb.add_sheet(title)
        for (r, c), value in sorted(cells.items()):
            if value is None:
                continue
            if isinstance(value, datetime.datetime):
                sheet.write(r - 1, c - 1, value, date_style)
            else:
                sheet.write(r - 1, c - 1, value)
    wb.save(os.path.join(DATA, 'xls', name + '.xls'))


def write_xlsx(name, sheets):
    wb = openpyxl.Workbook()
    wb.remove(wb.active)
    wb.properties.created = wb.properties.modified = FIXED_TIME
    for title, cells in sheets:
        sheet = wb.create_sheet(title)
        for (r, c), value in sorted(cells.items()):
            if value is None:
                continue
            cell = sheet.cell(row=r, column=c, value=value)
            if isinstance(value, datetime.datetime):
                cell.number_format = DATE_FORMAT
    buffer = io.BytesIO()
    wb.save(buffer)
    # The same bytes on every run: fixed times for the zip entries too.
    with zipfile.ZipFile(io.BytesIO(buffer.getvalue())) as src, \
            zipfile.ZipFile(os.path.join(DATA, 'xlsx', name + '.xlsx'), 'w', zipfile.ZIP_DEFLATED) as dst:
        for item in src.infolist():
            info = zipfile.ZipInfo(item.filename, FIXED_TIME.timetuple()[:6])
            info.compress_type = zipfile.ZIP_DEFLATED
            dst.writestr(info, src.read(item.filename))


def csv_text(value, separator, decimal):
    if value is None:
        return ''
    if isinstance(value, datetime.datetime):
        text = value.strftime('%d.%m.%Y %H:%M')
    elif isinstance(value, float):
        text = repr(value).replace('.', decimal)
        text = text[:-2] if text.endswith(decimal + '0') else text
    else:
        text = str(value)
    if separator in text or '"' in text:
        text = '"' + text.replace('"', '""') + '"'
    return text


def write_csv(name, cells, separator=';', decimal=',', encoding='cp1251', line_end='\r\n'):
    """Only the first sheet: a CSV file holds one. Every line has as many
    fields as the widest row, as historians write them."""
    rows = max(r for r, _ in cells)
    columns = max(c for _, c in cells)
    lines = [separator.join(csv_text(cells.get((r, c)), separator, decimal) for c in range(1, columns + 1))
             for r in range(1, rows + 1)]
    with open(os.path.join(DATA, 'csv', name + '.csv'), 'wb') as f:
        f.write((line_end.join(lines) + line_end).encode(encoding))


# Cell kinds openpyxl does not write (cached formula results, inline and
# rich strings, error values, ISO dates) and the liberties other producers
# take (prefixed elements, a sheet target from the root, cells without a
# reference), written part by part.
MAIN = 'http://schemas.openxmlformats.org/spreadsheetml/2006/main'
RELS = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships'
PKG = 'http://schemas.openxmlformats.org/package/2006/relationships'
CELL_KINDS = {
    '[Content_Types].xml':
        '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/'
        'content-types"><Default Extension="xml" ContentType="application/xml"/></Types>',
    '_rels/.rels':
        f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}"><Relationship Id="rId1" '
        f'Type="{RELS}/officeDocument" Target="xl/workbook.xml"/></Relationships>',
    'xl/workbook.xml':
        f'<?xml version="1.0" encoding="UTF-8"?><x:workbook xmlns:x="{MAIN}" xmlns:r="{RELS}"><x:workbookPr/>'
        '<x:sheets><x:sheet name="Лист1" sheetId="1" r:id="rId1"/></x:sheets></x:workbook>',
    'xl/_rels/workbook.xml.rels':
        f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}">'
        f'<Relationship Id="rId1" Type="{RELS}/worksheet" Target="/xl/worksheets/sheet1.xml"/>'
        f'<Relationship Id="rId2" Type="{RELS}/sharedStrings" Target="sharedStrings.xml"/>'
        f'<Relationship Id="rId3" Type="{RELS}/styles" Target="styles.xml"/></Relationships>',
    'xl/sharedStrings.xml':
        f'<?xml version="1.0" encoding="UTF-8"?><sst xmlns="{MAIN}"><si><t>FSLL_293</t></si>'
        '<si><r><t>PT_</t></r><r><rPr><b/></rPr><t>219</t></r><rPh sb="0" eb="1"><t>no</t></rPh></si></sst>',
    'xl/styles.xml':
        f'<?xml version="1.0" encoding="UTF-8"?><styleSheet xmlns="{MAIN}"><numFmts count="2">'
        '<numFmt numFmtId="164" formatCode="dd/mm/yyyy\\ hh:mm"/>'
        '<numFmt numFmtId="165" formatCode="[Red]0.00&quot;d&quot;"/></numFmts>'
        '<cellStyleXfs count="1"><xf numFmtId="14"/></cellStyleXfs>'
        '<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/>'
        '<xf numFmtId="20"/></cellXfs></styleSheet>',
    'xl/worksheets/sheet1.xml':
        f'<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="{MAIN}"><dimension ref="A1:J3"/><sheetData>'
        '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c>'
        '<c r="C1" t="inlineStr"><is><r><t>QT_376 </t></r><r><t>влажность</t></r></is></c>'
        '<c r="D1" t="str"><f>"TIRAH"&amp;"_069"</f><v>TIRAH_069</v></c><c><v>5</v></c></row>'
        '<row r="3"><c r="A3"><f>A2*2</f><v>96.4</v></c><c r="B3" t="b"><v>1</v></c>'
        '<c r="C3" s="3"><v>0.5</v></c><c r="D3" t="e"><f>1/0</f><v>#DIV/0!</v></c>'
        '<c r="E3" s="1"><v>40057</v></c><c r="F3" s="2"><v>40057.416666666664</v></c>'
        '<c r="G3" s="4"><v>0.5</v></c><c r="H3" t="d"><v>2009-09-01T10:00:00</v></c>'
        '<c r="I3" t="b"><v>0</v></c><c r="J3"/></row></sheetData></worksheet>',
}

# A workbook of the 1904 date system whose package names its parts in
# other letter cases than the relationships do (package part names compare
# without regard to case) and reaches its sheet through "..", whose
# relationships include two without their Id or Type (left out), with ISO
# dates without seconds and at midnight.
CELL_KINDS_1904 = {
    '[Content_Types].xml': CELL_KINDS['[Content_Types].xml'],
    '_RELS/.rels': CELL_KINDS['_rels/.rels'].replace('xl/workbook.xml', 'XL/Workbook.xml'),
    'xl/workbook.xml':
        f'<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="{MAIN}" xmlns:r="{RELS}">'
        '<workbookPr date1904="true"/><sheets><sheet name="Лист1" sheetId="1" r:id="rId1"/></sheets></workbook>',
    'xl/_rels/Workbook.xml.rels':
        f'<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="{PKG}">'
        f'<Relationship Id="rId1" Type="{RELS}/worksheet" Target="../xl/./Worksheets/Sheet1.XML"/>'
        f'<Relationship Type="{RELS}/sharedStrings" Target="none.xml"/>'
        f'<Relationship Id="rId2" Target="none.xml"/>'
        f'<Relationship Id="rId3" Type="{RELS}/styles" Target="Styles.xml"/></Relationships>',
    # Format 166 escapes its letters, pads with one and fills with another:
    # none of them makes a date or a time.
    'xl/styles.xml': CELL_KINDS['xl/styles.xml']
        .replace('<numFmts count="2">', '<numFmts count="3">')
        .replace('</numFmts>', '<numFmt numFmtId="166" formatCode="0.0\\d_h*s"/></numFmts>')
        .replace('<cellXfs count="5">', '<cellXfs count="6">')
        .replace('<xf numFmtId="20"/></cellXfs>', '<xf numFmtId="20"/><xf numFmtId="166"/></cellXfs>'),
    'xl/worksheets/sheet1.xml':
        f'<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="{MAIN}"><sheetData><row r="1">'
        '<c r="A1" s="1"><v>38595</v></c><c r="B1" s="2"><v>38595.416666666664</v></c>'
        '<c r="C1" s="4"><v>38595.75</v></c><c r="D1"><v>38595</v></c>'
        '<c r="E1" t="d"><v>2009-09-01T10:05</v></c><c r="F1" t="d"><v>2009-09-01T00:00:00</v></c>'
        '<c r="G1" s="1"><v>0</v></c><c r="H1" s="2"><v>1.5</v></c><c r="I1" s="5"><v>2.5</v></c>'
        '</row></sheetData></worksheet>',
}


def write_parts(path, parts):
    with zipfile.ZipFile(path, 'w', zipfile.ZIP_DEFLATED) as z:
        for name, text in parts.items():
            z.writestr(zipfile.ZipInfo(name, FIXED_TIME.timetuple()[:6]), text.encode('utf-8'))


def main():
    for folder in ('xls', 'xlsx', 'csv'):
        os.makedirs(os.path.join(DATA, folder), exist_ok=True)
    for name, sheets in WORKBOOKS:
        write_xls(name, sheets)
        write_xlsx(name, sheets)
        write_csv(name, sheets[0][1])
    write_xlsx('months', MONTHS)
    write_xls('months', MONTHS)
    # The other spellings of CSV the import meets: UTF-8 with its mark, commas
    # between fields and points in numbers; UTF-8 without it, tabs, LF only.
    write_csv('historian_export_utf8_comma', export_rows(), separator=',', decimal='.', encoding='utf-8-sig')
    write_csv('historian_export_utf8_tab', export_rows(), separator='\t', decimal=',', encoding='utf-8',
              line_end='\n')
    write_parts(os.path.join(DATA, 'xlsx', 'cell_kinds.xlsx'), CELL_KINDS)
    write_parts(os.path.join(DATA, 'xlsx', 'cell_kinds_1904.xlsx'), CELL_KINDS_1904)
    # A file with the extension but no workbook inside.
    with open(os.path.join(DATA, 'xls', 'not_a_workbook.xls'), 'wb') as f:
        f.write('Дата;FSLL_293\r\n01.09.2009;96,4\r\n'.encode('cp1251'))


if __name__ == '__main__':
    main()
