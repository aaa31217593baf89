#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 Ostrevo developers
"""Writes the spreadsheet fixtures of the import tests into this folder.

Standard library only. .xlsx files are zip archives of SpreadsheetML parts;
.xls files are BIFF8 (or BIFF5) workbook streams inside a minimal OLE2
compound file. Run it again after changing a fixture and commit the output.
"""

import os
import struct
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- .xlsx

MAIN_NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
X14_NS = "http://schemas.microsoft.com/office/spreadsheetml/2009/9/main"
REL_NS = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
PKG_REL_NS = "http://schemas.openxmlformats.org/package/2006/relationships"
REL_TYPE = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/"

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
</Types>"""

ROOT_RELS = f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="{PKG_REL_NS}">
<Relationship Id="rId1" Type="{REL_TYPE}officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""


def xml_escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def workbook_xml(sheet_names, active_tab=None, date1904=False):
    pr = '<workbookPr date1904="1"/>' if date1904 else "<workbookPr/>"
    view = "" if active_tab is None else f'<bookViews><workbookView activeTab="{active_tab}"/></bookViews>'
    sheets = "".join(
        f'<sheet name="{xml_escape(name)}" sheetId="{i + 1}" r:id="rId{i + 1}"/>'
        for i, name in enumerate(sheet_names))
    # Current spreadsheet programs repeat workbookPr, without the date system,
    # in an extension list of their own namespace.
    ext = ('<extLst><ext uri="{140A7094-0E35-4892-8432-C4D2E57EDEB5}" xmlns:x14="' + X14_NS + '">'
           '<x14:workbookPr defaultImageDpi="220"/></ext></extLst>') if date1904 else ""
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<workbook xmlns="{MAIN_NS}" xmlns:r="{REL_NS}">{pr}{view}<sheets>{sheets}</sheets>{ext}</workbook>')


def workbook_rels(sheet_count, shared_strings, styles):
    rels = [f'<Relationship Id="rId{i + 1}" Type="{REL_TYPE}worksheet" Target="worksheets/sheet{i + 1}.xml"/>'
            for i in range(sheet_count)]
    if shared_strings:
        rels.append(f'<Relationship Id="rIdS" Type="{REL_TYPE}sharedStrings" Target="sharedStrings.xml"/>')
    if styles:
        # An absolute target, as some writers use.
        rels.append(f'<Relationship Id="rIdT" Type="{REL_TYPE}styles" Target="/xl/styles.xml"/>')
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<Relationships xmlns="{PKG_REL_NS}">{"".join(rels)}</Relationships>')


def shared_strings_xml(items):
    """items: plain strings, or raw <si> content given as ('raw', xml)."""
    body = []
    for item in items:
        if isinstance(item, tuple):
            body.append(f"<si>{item[1]}</si>")
        else:
            body.append(f'<si><t xml:space="preserve">{xml_escape(item)}</t></si>')
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<sst xmlns="{MAIN_NS}" count="{len(items)}" uniqueCount="{len(items)}">{"".join(body)}</sst>')


def styles_xml(custom_formats, xf_formats):
    """custom_formats: {id: code}; xf_formats: numFmtId of each cellXfs entry."""
    fmts = "".join(f'<numFmt numFmtId="{i}" formatCode="{xml_escape(code)}"/>'
                   for i, code in custom_formats.items())
    apply = ' applyNumberFormat="1"'
    xfs = "".join(f'<xf numFmtId="{n}" fontId="0" fillId="0" borderId="0" xfId="0"{apply if n else ""}/>'
                  for n in xf_formats)
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<styleSheet xmlns="{MAIN_NS}">'
            f'<numFmts count="{len(custom_formats)}">{fmts}</numFmts>'
            f'<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>'
            f'<fills count="1"><fill><patternFill patternType="none"/></fill></fills>'
            f'<borders count="1"><border/></borders>'
            f'<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
            f'<cellXfs count="{len(xf_formats)}">{xfs}</cellXfs>'
            f'</styleSheet>')


def sheet_xml(rows, dimension=None):
    """rows: list of (row xml attributes, cell xml list) or a raw sheetData body."""
    dim = f'<dimension ref="{dimension}"/>' if dimension else ""
    if isinstance(rows, str):
        data = rows
    else:
        data = "".join(f"<row{attrs}>{''.join(cells)}</row>" for attrs, cells in rows)
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<worksheet xmlns="{MAIN_NS}" xmlns:r="{REL_NS}">{dim}'
            f'<sheetViews><sheetView workbookViewId="0"/></sheetViews>'
            f'<sheetData>{data}</sheetData></worksheet>')


def write_xlsx(name, sheets, shared=None, styles=None, active_tab=None, date1904=False,
               sheet_names=None, extra_parts=None):
    path = os.path.join(HERE, name)
    names = sheet_names or [f"Sheet{i + 1}" for i in range(len(sheets))]
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        # Fixed timestamps keep the output identical from run to run.
        def add(part, text):
            info = zipfile.ZipInfo(part, date_time=(2026, 1, 1, 0, 0, 0))
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, text.encode("utf-8"))
        add("[Content_Types].xml", CONTENT_TYPES)
        add("_rels/.rels", ROOT_RELS)
        add("xl/workbook.xml", workbook_xml(names, active_tab, date1904))
        add("xl/_rels/workbook.xml.rels", workbook_rels(len(sheets), shared is not None, styles is not None))
        for i, sheet in enumerate(sheets):
            add(f"xl/worksheets/sheet{i + 1}.xml", sheet)
        if shared is not None:
            add("xl/sharedStrings.xml", shared_strings_xml(shared))
        if styles is not None:
            add("xl/styles.xml", styles)
        for part, text in (extra_parts or {}).items():
            add(part, text)


def c_s(ref, index, style=None):
    s = f' s="{style}"' if style is not None else ""
    return f'<c r="{ref}" t="s"{s}><v>{index}</v></c>'


def c_n(ref, value, style=None):
    s = f' s="{style}"' if style is not None else ""
    return f'<c r="{ref}"{s}><v>{value}</v></c>'


def c_inline(ref, text):
    return f'<c r="{ref}" t="inlineStr"><is><t>{xml_escape(text)}</t></is></c>'


def make_xlsx_fixtures():
    # Styles shared by most fixtures: xf 0 general, 1 built-in date (14),
    # 2 built-in date and time (22), 3 built-in time (20), 4 custom date,
    # 5 percent (a number, not a date), 6 locale-tagged custom date,
    # 7 custom format with a quoted "d" (a number), 8 built-in elapsed time (46),
    # 9 custom elapsed minutes.
    styles = styles_xml({164: "yyyy\\-mm\\-dd", 165: "[$-409]d\\-mmm\\-yyyy;@", 166: '0.0" days"',
                         167: "[mm]:ss"},
                        [0, 14, 22, 20, 164, 10, 165, 166, 46, 167])

    # The program's own three columns, two rows, from A1.
    write_xlsx("basic.xlsx", [sheet_xml([
        (' r="1"', [c_s("A1", 0), c_s("B1", 1), c_n("C1", 45966, 1)]),
        (' r="2"', [c_inline("A2", "http://abc.org"), c_s("B2", 2), c_s("C2", 3)]),
    ], "A1:C2")], shared=["http://example.com", "mailto:info@example.com", "mailto:x@abc.org", "2027/01/31"],
        styles=styles)

    # Data from B2 to D4, with an empty cell inside.
    write_xlsx("offset.xlsx", [sheet_xml([
        (' r="2"', [c_inline("B2", "http://b.com"), c_inline("C2", "mailto:b@b.com"), c_inline("D2", "2026/02/03")]),
        (' r="3"', [c_inline("B3", "http://c.com"), c_inline("D3", "2030/12/24")]),
        (' r="4"', [c_inline("B4", "http://a.com"), c_inline("C4", "mailto:a@a.com"), c_n("D4", 7)]),
    ], "B2:D4")])

    write_xlsx("onecell.xlsx", [sheet_xml([(' r="3"', [c_inline("C3", "lonely")])], "C3")])

    write_xlsx("empty.xlsx", [sheet_xml([], "A1")])

    # Cells that hold only a style widen Excel's used range; ours follows values.
    write_xlsx("styledempty.xlsx", [sheet_xml([
        (' r="1"', ['<c r="A1" s="1"/>', c_inline("B1", "x")]),
        (' r="9"', ['<c r="F9" s="1"/>']),
    ], "A1:F9")], styles=styles)

    # Value types, one per row: label in A, value in B.
    rows = [
        ("integer", c_n("B{r}", 42)),
        ("negative", c_n("B{r}", -7)),
        ("decimal", c_n("B{r}", 3.25)),
        ("tenth", c_n("B{r}", 0.1)),
        ("float noise", c_n("B{r}", "0.30000000000000004")),
        ("large", c_n("B{r}", "123456789012")),
        ("exponent", c_n("B{r}", "1E+20")),
        ("true", '<c r="B{r}" t="b"><v>1</v></c>'),
        ("false", '<c r="B{r}" t="b"><v>0</v></c>'),
        ("error", '<c r="B{r}" t="e"><v>#DIV/0!</v></c>'),
        ("formula text", '<c r="B{r}" t="str"><f>A1&amp;"x"</f><v>computed</v></c>'),
        ("date", c_n("B{r}", 45966, 1)),
        ("datetime", c_n("B{r}", 45966.5625, 2)),
        ("time", c_n("B{r}", 0.75, 3)),
        ("custom date", c_n("B{r}", 45966, 4)),
        ("locale date", c_n("B{r}", 45966, 6)),
        ("percent", c_n("B{r}", 0.5, 5)),
        ("quoted d", c_n("B{r}", 2.5, 7)),
        ("iso date", '<c r="B{r}" t="d"><v>2025-11-05T00:00:00</v></c>'),
        ("rich text", c_s("B{r}", 0)),
        ("escaped", c_s("B{r}", 1)),
        ("entities", c_inline("B{r}", "a & b < c")),
        ("unicode", c_inline("B{r}", "Z\u00fcrich \u20ac")),
        ("lotus leap day", c_n("B{r}", 60, 1)),
        ("day before", c_n("B{r}", 59, 1)),
        ("day after", c_n("B{r}", 61, 1)),
        ("elapsed", c_n("B{r}", 1.5, 8)),
        ("elapsed minutes", c_n("B{r}", 1.5, 9)),
    ]
    sheet_rows = []
    for i, (label, cell) in enumerate(rows, start=1):
        sheet_rows.append((f' r="{i}"', [c_inline(f"A{i}", label), cell.format(r=i)]))
    write_xlsx("types.xlsx", [sheet_xml(sheet_rows, f"A1:B{len(rows)}")],
               shared=[("raw", '<r><rPr><b/></rPr><t>bold</t></r><r><t xml:space="preserve"> and plain</t></r>'
                        '<rPh sb="0" eb="1"><t>PHONETIC</t></rPh>'),
                       ("raw", "<t>line_x000D_break_x005F_x0041_</t>")],
               styles=styles)

    # Two sheets; the second is the active one.
    write_xlsx("activesheet.xlsx", [
        sheet_xml([(' r="1"', [c_inline("A1", "first sheet")])], "A1"),
        sheet_xml([(' r="1"', [c_inline("A1", "second sheet"), c_inline("B1", "active")])], "A1:B1"),
    ], active_tab=1, sheet_names=["One", "Two"])

    # The 1904 date system: serial 0 is 1904-01-01.
    write_xlsx("date1904.xlsx", [sheet_xml([
        (' r="1"', [c_n("A1", 0, 1), c_n("B1", 44504, 1)]),
    ], "A1:B1")], styles=styles, date1904=True)

    # Rows and cells without "r": each follows the one before it.
    write_xlsx("norefs.xlsx", [sheet_xml(
        '<row><c t="inlineStr"><is><t>a1</t></is></c><c t="inlineStr"><is><t>b1</t></is></c></row>'
        '<row r="3"><c t="inlineStr"><is><t>a3</t></is></c><c r="C3"><v>5</v></c>'
        '<c t="inlineStr"><is><t>d3</t></is></c></row>'
        '<row><c r="B4" t="inlineStr"><is><t>b4</t></is></c></row>')])

    # Damaged workbooks, named after what is wrong with them.
    write_xlsx("broken-sheetxml.xlsx", [sheet_xml([(' r="1"', [c_inline("A1", "ok")])]).replace(
        "</sheetData>", "<row><c r=\"A2\"><v>1</v></row></sheetData>")])
    write_xlsx("broken-sharedstringindex.xlsx", [sheet_xml([(' r="1"', [c_s("A1", 5)])])], shared=["only one"])
    with zipfile.ZipFile(os.path.join(HERE, "broken-noworkbook.xlsx"), "w") as z:
        info = zipfile.ZipInfo("readme.txt", date_time=(2026, 1, 1, 0, 0, 0))
        z.writestr(info, b"a zip archive that holds no workbook\n")

# ---------------------------------------------------------------- .xls

def record(rtype, data=b""):
    return struct.pack("<HH", rtype, len(data)) + data


def bof(biff8, dt):
    if biff8:
        return record(0x0809, struct.pack("<HHHHII", 0x0600, dt, 0x0DBB, 0x07CC, 0, 0x06))
    return record(0x0809, struct.pack("<HHHH", 0x0500, dt, 0x0DBB, 0x07CC))


def unicode_string(text, length_bytes):
    """XLUnicodeString (BIFF8): length, flags, then 8-bit or UTF-16 characters."""
    try:
        data, flags = text.encode("latin-1"), 0
    except UnicodeEncodeError:
        data, flags = text.encode("utf-16-le"), 1
    fmt = "<B" if length_bytes == 1 else "<H"
    return struct.pack(fmt, len(text)) + bytes([flags]) + data


def byte_string(text, length_bytes):
    """BIFF5 string: length, then cp1252 characters."""
    data = text.encode("cp1252")
    fmt = "<B" if length_bytes == 1 else "<H"
    return struct.pack(fmt, len(data)) + data


def font(biff8):
    name = unicode_string("Arial", 1) if biff8 else byte_string("Arial", 1)
    return record(0x0031, struct.pack("<HHHHHBBBB", 200, 0, 0x7FFF, 400, 0, 0, 0, 0, 0) + name)


def xf(biff8, ifmt, style):
    # Style XFs point to no parent (0xFFF); cell XFs to style XF 0.
    flags = 0x0001 | (0x0004 | 0xFFF0 if style else 0)
    if biff8:
        return record(0x00E0, struct.pack("<HHH", 0, ifmt, flags) + bytes(14))
    return record(0x00E0, struct.pack("<HHH", 0, ifmt, flags) + bytes(10))


def xls_globals(biff8, sheet_names, formats, cell_xf_formats, strings):
    """The workbook globals with placeholder sheet offsets (patched later)."""
    out = [bof(biff8, 0x0005),
           record(0x0042, struct.pack("<H", 1200 if biff8 else 1252)),
           record(0x003D, struct.pack("<HHHHHHHHH", 0, 0, 0x3000, 0x2000, 0x38, 0, 0, 1, 600)),
           record(0x0022, struct.pack("<H", 0))]
    out += [font(biff8)] * 5  # font index 4 does not exist in BIFF: five keep indexes plain
    for ifmt, code in formats.items():
        text = unicode_string(code, 2) if biff8 else byte_string(code, 1)
        out.append(record(0x041E if biff8 else 0x001E, struct.pack("<H", ifmt) + text))
    out += [xf(biff8, 0, True) for _ in range(16)]
    out += [xf(biff8, ifmt, False) for ifmt in cell_xf_formats]
    if biff8 and strings:
        sst = struct.pack("<II", len(strings), len(strings)) + b"".join(unicode_string(s, 2) for s in strings)
        out.append(record(0x00FC, sst))
    boundsheets = []
    for name in sheet_names:
        text = unicode_string(name, 1) if biff8 else byte_string(name, 1)
        boundsheets.append(len(b"".join(out)))
        out.append(record(0x0085, struct.pack("<IBB", 0, 0, 0) + text))
    out.append(record(0x000A))
    return bytearray(b"".join(out)), boundsheets


def xls_sheet(biff8, cells, dimension):
    """cells: (row, col, kind, value, xf) with 0-based row and column."""
    first_row, last_row, first_col, last_col = dimension
    if biff8:
        dims = record(0x0200, struct.pack("<IIHHH", first_row, last_row, first_col, last_col, 0))
    else:
        dims = record(0x0200, struct.pack("<HHHHH", first_row, last_row, first_col, last_col, 0))
    out = [bof(biff8, 0x0010), dims]
    for row, col, kind, value, ixfe in cells:
        head = struct.pack("<HHH", row, col, ixfe)
        if kind == "sst":
            out.append(record(0x00FD, head + struct.pack("<I", value)))
        elif kind == "label":
            text = unicode_string(value, 2) if biff8 else byte_string(value, 2)
            out.append(record(0x0204, head + text))
        elif kind == "number":
            out.append(record(0x0203, head + struct.pack("<d", value)))
        elif kind == "rk":
            out.append(record(0x027E, head + struct.pack("<I", value)))
        elif kind == "bool":
            out.append(record(0x0205, head + struct.pack("<BB", 1 if value else 0, 0)))
        elif kind == "error":
            out.append(record(0x0205, head + struct.pack("<BB", value, 1)))
    out.append(record(0x000A))
    return b"".join(out)


def ole2(stream_name, stream):
    """A version 3 compound file holding one stream in regular sectors."""
    sector = 512
    endofchain, freesect, fatsect, nostream = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD, 0xFFFFFFFF
    # Streams under 4096 bytes belong in the mini stream: pad the workbook
    # stream with zero bytes after its last record instead.
    stream = stream + bytes(max(0, 4096 - len(stream)))
    stream_sectors = (len(stream) + sector - 1) // sector
    assert 2 + stream_sectors <= sector // 4, "fixture too large for one FAT sector"

    fat = [fatsect, endofchain]
    for i in range(stream_sectors):
        fat.append(2 + i + 1 if i + 1 < stream_sectors else endofchain)
    fat += [freesect] * (sector // 4 - len(fat))

    def entry(name, etype, child, start, size):
        encoded = (name + "\0").encode("utf-16-le") if name else b""
        return (encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), etype, 1 if name else 0)
                + struct.pack("<III", nostream, nostream, child) + bytes(16) + struct.pack("<I", 0)
                + bytes(16) + struct.pack("<III", start, size, 0))

    directory = (entry("Root Entry", 5, 1, endofchain, 0) + entry(stream_name, 2, nostream, 2, len(stream))
                 + entry("", 0, nostream, 0, 0) + entry("", 0, nostream, 0, 0))
    header = (bytes.fromhex("D0CF11E0A1B11AE1") + bytes(16)
              + struct.pack("<HHHHH", 0x003E, 0x0003, 0xFFFE, 9, 6) + bytes(6)
              # directory sectors (0 in version 3), FAT sectors, first directory sector,
              # transaction, mini stream cutoff, mini FAT start and count, DIFAT start and count
              + struct.pack("<9I", 0, 1, 1, 0, 4096, endofchain, 0, endofchain, 0)
              + struct.pack("<109I", 0, *([freesect] * 108)))
    assert len(header) == 512, len(header)
    body = struct.pack("<128I", *fat) + directory + stream.ljust(stream_sectors * sector, b"\0")
    return header + body


def write_xls(name, cells, dimension, strings=(), biff8=True, formats=None, cell_xf_formats=(),
              sheets=None):
    sheet_names = sheets or ["Sheet1"]
    globals_stream, boundsheets = xls_globals(biff8, sheet_names, formats or {}, cell_xf_formats, list(strings))
    stream = bytes(globals_stream)
    offsets = []
    sheet_contents = cells if sheets else [cells]
    dimensions = dimension if sheets else [dimension]
    for sheet_cells, dims in zip(sheet_contents, dimensions):
        offsets.append(len(stream))
        stream += xls_sheet(biff8, sheet_cells, dims)
    patched = bytearray(stream)
    for record_at, offset in zip(boundsheets, offsets):
        struct.pack_into("<I", patched, record_at + 4, offset)  # lbPlyPos after the record header
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(ole2("Workbook" if biff8 else "Book", bytes(patched)))


def rk_integer(n):
    return ((n << 2) | 0x2) & 0xFFFFFFFF


def make_xls_fixtures():
    # Cell XF 16 general, 17 built-in date (14), 18 custom date (164),
    # 19 built-in date and time (22).
    formats = {164: "yyyy\\-mm\\-dd"}
    xfs = [0, 14, 164, 22]
    write_xls("basic.xls", [
        (0, 0, "sst", 0, 16), (0, 1, "sst", 1, 16), (0, 2, "number", 45966.0, 17),
        (1, 0, "sst", 3, 16), (1, 1, "sst", 2, 16), (1, 2, "sst", 4, 16),
    ], (0, 2, 0, 3), strings=["http://example.com", "mailto:info@example.com", "mailto:x@abc.org",
                               "http://abc.org", "2027/01/31"], formats=formats, cell_xf_formats=xfs)

    write_xls("offset.xls", [
        (1, 1, "sst", 0, 16), (1, 2, "sst", 1, 16), (1, 3, "sst", 2, 16),
        (2, 1, "sst", 3, 16), (2, 3, "sst", 4, 16),
        (3, 1, "sst", 5, 16), (3, 2, "sst", 6, 16), (3, 3, "rk", rk_integer(7), 16),
    ], (1, 4, 1, 4), strings=["http://b.com", "mailto:b@b.com", "2026/02/03", "http://c.com", "2030/12/24",
                               "http://a.com", "mailto:a@a.com"], formats=formats, cell_xf_formats=xfs)

    labels = ["integer", "decimal", "rk integer", "rk hundredths", "true", "error", "date", "custom date",
              "datetime", "unicode"]
    values = [("number", 42.0, 16), ("number", 3.25, 16), ("rk", rk_integer(-7), 16),
              ("rk", (1234 << 2) | 0x3, 16), ("bool", True, 16), ("error", 0x07, 16),
              ("number", 45966.0, 17), ("number", 45966.0, 18), ("number", 45966.5625, 19),
              ("sst", len(labels), 16)]
    cells = []
    for i, (label, (kind, value, ixfe)) in enumerate(zip(labels, values)):
        cells.append((i, 0, "sst", i, 16))
        cells.append((i, 1, kind, value, ixfe))
    write_xls("types.xls", cells, (0, len(labels), 0, 2), strings=labels + ["Z\u00fcrich \u20ac"],
              formats=formats, cell_xf_formats=xfs)

    write_xls("empty.xls", [], (0, 0, 0, 0), formats=formats, cell_xf_formats=xfs)

    write_xls("biff5.xls", [
        (0, 0, "label", "http://example.com", 16), (0, 1, "label", "mailto:info@example.com", 16),
        (0, 2, "number", 45966.0, 17),
        (1, 0, "label", "http://abc.org", 16), (1, 1, "label", "Z\u00fcrich", 16), (1, 2, "number", 2.5, 16),
    ], (0, 2, 0, 3), biff8=False, formats={164: "yyyy\\-mm\\-dd"}, cell_xf_formats=xfs)


if __name__ == "__main__":
    make_xlsx_fixtures()
    make_xls_fixtures()
