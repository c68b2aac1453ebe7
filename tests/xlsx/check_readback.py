#!/usr/bin/env python3
"""Runs the sample writer and reads its .xlsx back with an independent reader.

openpyxl reads the cells, formats, sheet view and chart; the parts openpyxl
drops (rich-text runs, the plot area's outline, the background picture) are
read from the package's XML directly. Numbers must read back bit for bit and
be written in their shortest round-trip text.

usage: check_readback.py WRITER OUT_DIR BACKGROUND_JPG
"""
import math
import os
import re
import struct
import subprocess
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl
from openpyxl.utils import get_column_letter

NS = {
    "m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "c": "http://schemas.openxmlformats.org/drawingml/2006/chart",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
    "pr": "http://schemas.openxmlformats.org/package/2006/relationships",
}
EMU_PER_PIXEL = 9525
FONT = "Microsoft Sans Serif"

failures = []


def check(what, actual, expected):
    """`actual` may be a function: a reader structure missing a part is a failure, not a crash."""
    if callable(actual):
        try:
            actual = actual()
        except (AttributeError, IndexError, KeyError, TypeError) as e:
            failures.append(f"{what}: cannot read ({e!r})")
            return
    if actual != expected:
        failures.append(f"{what}: got {actual!r}, expected {expected!r}")


def srgb(colour_choice):
    """The RGB text of a DrawingML colour (openpyxl keeps it as text or as an object)."""
    value = colour_choice.srgbClr
    return value if isinstance(value, str) else value.val


def check_near(what, actual, expected, tolerance):
    if actual is None or abs(actual - expected) > tolerance:
        failures.append(f"{what}: got {actual!r}, expected {expected!r} +- {tolerance}")


# --- geometry as the spreadsheet computes it at 96 dpi -----------------------

def column_dimension(ws, index):
    """The <col> record covering a 1-based column (openpyxl keys them by their first column)."""
    for dim in ws.column_dimensions.values():
        if dim.min is not None and dim.min <= index <= dim.max:
            return dim
    return None


def column_pixels(ws, index):
    """Width of a column on screen: the stored width includes 5 pixels of padding."""
    dim = column_dimension(ws, index)
    width = dim.width if dim is not None and dim.width else 8.43 + 5 / 7
    return math.floor((256 * width + math.floor(128 / 7)) / 256 * 7)


def row_pixels(ws, index):
    dim = ws.row_dimensions.get(index)
    height = dim.height if dim is not None and dim.height else ws.sheet_format.defaultRowHeight
    return round(height * 4 / 3)


def point_on_sheet(ws, col, col_off_emu, row, row_off_emu):
    """Pixel position of a 0-based cell anchor plus offset."""
    x = sum(column_pixels(ws, c) for c in range(1, col + 1)) + col_off_emu / EMU_PER_PIXEL
    y = sum(row_pixels(ws, r) for r in range(1, row + 1)) + row_off_emu / EMU_PER_PIXEL
    return x, y


# --- checks ----------------------------------------------------------------

def check_values(ws):
    check("A1", ws["A1"].value, "Quorin ver1.0 (Tavelmark for Windows)")
    check("A2", ws["A2"].value, "Bliss法(正规LD50计算)计算结果")
    check("A4", ws["A4"].value, "计算结果")
    check("A6", ws["A6"].value, 15)
    check("B6", ws["B6"].value, 0.123456789)
    check("A10 text", ws["A10"].value, "注:χ2值＝ 3.4078")
    check("A11 text", ws["A11"].value, "2")
    check("B12 merged value", ws["B12"].value, 42)
    check("C12 inside merge", ws["C12"].value, None)
    for ref in ("A14", "B14", "C14"):
        check(f"{ref} not finite: empty", ws[ref].value, None)
    check("F3", ws["F3"].value, "列")


def check_fonts(ws):
    for ref, colour in (("A1", "FFFF0000"), ("A2", "FF0000FF")):
        font = ws[ref].font
        check(f"{ref} font", (font.name, font.size, font.color.rgb if font.color else None),
              (FONT, 14, colour))
    for ref in ("A4", "A6", "B6", "F3", "B12"):
        check(f"{ref} font", (ws[ref].font.name, ws[ref].font.size), (FONT, 10))
    check("A11 raised as a whole", ws["A11"].font.vertAlign, "superscript")
    for ref in ("A1", "A6"):
        check(f"{ref} plain", (ws[ref].font.b, ws[ref].font.i), (False, False))


def check_alignment(ws):
    for ref in ("A8", "B8", "C8", "D8"):
        check(f"{ref} centre across", ws[ref].alignment.horizontal, "centerContinuous")
    b9 = ws["B9"].alignment
    check("B9 alignment", (b9.horizontal, b9.vertical, b9.readingOrder), ("center", "center", 1))
    check("A6 reading order by context", ws["A6"].alignment.readingOrder, 0)
    check("B12 alignment", ws["B12"].alignment.horizontal, "right")
    check("B6 number format", ws["B6"].number_format, "0.0000_ ")
    check("A6 number format", ws["A6"].number_format, "General")


def check_borders(ws):
    expected = {4: "medium", 5: "thin", 6: "medium", 7: None}
    for row, style in expected.items():
        for col in "ABCD":
            check(f"{col}{row} bottom rule", ws[f"{col}{row}"].border.bottom.style, style)
        check(f"E{row} outside the table", ws[f"E{row}"].border.bottom.style, None)
    for ref in ("A4", "A5", "D5"):
        b = ws[ref].border
        check(f"{ref} has no vertical lines", (b.left.style, b.right.style, b.top.style),
              (None, None, None))


def check_sheet_layout(ws, scratch):
    check("merges", [str(r) for r in ws.merged_cells.ranges], ["B12:C13", "D30:E31"])
    # Stored widths carry the 5-pixel padding: characters = width - 5/7.
    for col, characters in ((1, 20), (2, 13.5), (5, 13.5), (6, 13.5), (7, 13.5), (256, 13.5)):
        dim = column_dimension(ws, col)
        stored = dim.width if dim is not None else None
        check_near(f"column {get_column_letter(col)} width",
                   None if stored is None else stored - 5 / 7, characters, 1 / 7)
    for col in (2, 7):
        dim = column_dimension(ws, col)
        check(f"column {get_column_letter(col)} layer font", (dim.font.name, dim.font.size), (FONT, 10))
    check("column F layer alignment", column_dimension(ws, 6).alignment.horizontal, "center")
    check("gridlines hidden", ws.sheet_view.showGridLines, False)
    check("second sheet gridlines", scratch.sheet_view.showGridLines in (None, True), True)
    check("selected cell", ws.sheet_view.selection[0].activeCell, "C5")
    check("default row height", ws.sheet_format.defaultRowHeight, 12.75)
    for row in (1, 2):
        check(f"row {row} height fits size 14", ws.row_dimensions[row].height, 18)
    check("second sheet value", scratch["A1"].value, 1.5)


def check_wrapped_rows(ws):
    # The cells wrap, and each row is as high as its lines, set in the file:
    # a spreadsheet does not grow a row for a wrapped text by itself.
    for ref, wraps in (("A25", True), ("B25", True), ("A26", True), ("A24", False), ("A6", False)):
        check(f"{ref} wraps", bool(ws[ref].alignment.wrap_text), wraps)
    # A line has room for an ideograph face: 1.45 times the size, in whole
    # pixels at 96 dpi (10 points: 19.33 -> 20 px, 15 pt; 14 points: 28 px, 21 pt).
    check("row 25: three lines of 10 points", ws.row_dimensions[25].height, 3 * 15)
    check("row 25 height is its own", ws.row_dimensions[25].customHeight, True)
    check("row 26: two lines of 14 points", ws.row_dimensions[26].height, 2 * 21)
    check("row 24 one line", ws.row_dimensions[24].height in (None, 12.75), True)
    check("row 27: forty lines, cut to the tallest row a file holds", ws.row_dimensions[27].height, 409)


def check_blocks(ws):
    # The centred block lends its format to its whole columns instead of
    # listing its 9,000 empty cells; what is in it, or ruled, still shows.
    # (Reading a cell through openpyxl creates it: the extent comes first.)
    check("last listed row", ws.max_row, 1200)
    for ref in ("I41", "J42", "I40", "J40"):
        check(f"{ref} centred", ws[ref].alignment.horizontal, "center")
    for ref in ("I40", "J40"):
        check(f"{ref} rule", ws[ref].border.bottom.style, "medium")
    for col in (9, 10):
        check(f"column {get_column_letter(col)} layer alignment",
              column_dimension(ws, col).alignment.horizontal, "center")
    for ref, style in (("L39", None), ("L40", "thin"), ("L700", "thin"), ("L1200", "thin"), ("L1201", None)):
        check(f"{ref} rule", ws[ref].border.bottom.style, style)


# --- numbers: bit-exact, in their shortest round-trip form -------------------

def bits(value):
    return struct.pack("<d", float(value))


def significant_digits(text):
    mantissa = re.split("[eE]", text.lstrip("+-"))[0].replace(".", "")
    return len(mantissa.strip("0")) or 1


def check_round_trip_table(ws, what):
    """Rows whose column B holds a "%a" text: column A must read back as exactly that double."""
    rows = 0
    for a, b in ws.iter_rows(min_col=1, max_col=2, values_only=True):
        if not isinstance(b, str) or not b.lstrip("-").startswith("0x"):
            continue
        rows += 1
        expected = float.fromhex(b)
        if not isinstance(a, (int, float)) or bits(a) != bits(expected):
            failures.append(f"{what}: {a!r} read back, expected {expected!r} ({b})")
    check(f"{what} rows", rows, 16)


def check_number_texts(package, part):
    """Every number cell's text reads back as a finite double and has no more
    significant digits than the shortest text that does (Python's repr)."""
    sheet = ET.fromstring(package.read(part))
    for cell in sheet.iter(f"{{{NS['m']}}}c"):
        value = cell.find("m:v", NS)
        if cell.get("t") is not None or value is None:
            continue
        number = float(value.text)
        if not math.isfinite(number):
            failures.append(f"{part} {cell.get('r')}: {value.text!r} is not a finite number")
        elif significant_digits(value.text) != significant_digits(repr(number)):
            failures.append(f"{part} {cell.get('r')}: {value.text!r} is not the shortest form"
                            f" of {number!r}")


def check_numbers(path, ws, scratch):
    check_round_trip_table(ws, "Sheet1 round trip")
    check_round_trip_table(scratch, "second sheet round trip")
    check("merged D30", bits(ws["D30"].value), bits(0.1 + 0.2))
    check("formatted D33", (bits(ws["D33"].value), ws["D33"].number_format), (bits(1 / 3), "0.0000_ "))
    with zipfile.ZipFile(path) as package:
        for part in ("xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"):
            check_number_texts(package, part)
        check("largest double's text", ET.fromstring(package.read("xl/worksheets/sheet1.xml"))
              .find("m:sheetData/m:row[@r='30']/m:c[@r='A30']/m:v", NS).text, "1.7976931348623157e+308")


def check_chart(ws):
    check("chart count", len(ws._charts), 1)
    if not ws._charts:
        return
    chart = ws._charts[0]
    check("chart type", chart.tagname, "scatterChart")
    series = chart.series
    check("series count", len(series), 2)
    if len(series) == 2:
        check("series 1 x", series[0].xVal.numRef.f, "Sheet1!$A$18:$A$23")
        check("series 1 y", series[0].yVal.numRef.f, "Sheet1!$C$18:$C$23")
        check("series 2 x", series[1].xVal.numRef.f, "Sheet1!$A$18:$A$23")
        check("series 2 y", series[1].yVal.numRef.f, "Sheet1!$G$18:$G$23")
        m = series[0].marker
        check("series 1 marker", (m.symbol, m.size), ("circle", 4))
        # White as a pattern of white on white (LibreOffice draws a border in
        # the colour of a solid fill), the border the first series' automatic navy.
        check("series 1 marker background", lambda: (srgb(m.spPr.pattFill.fgClr), srgb(m.spPr.pattFill.bgClr)),
              ("FFFFFF", "FFFFFF"))
        check("series 1 marker border", lambda: srgb(m.spPr.ln.solidFill), "000080")
        check("series 1 has no line", lambda: series[0].spPr.ln.noFill, True)
        # openpyxl reads the symbol "none" as None; the marker element must be there.
        check("series 2 has no markers", lambda: (series[1].marker is not None, series[1].marker.symbol),
              (True, None))
        check("series 2 line colour", lambda: srgb(series[1].spPr.ln.solidFill), "FF0000")
    check("legend", chart.legend, None)
    check("value axis gridlines", chart.y_axis.majorGridlines, None)
    check("x axis gridlines", chart.x_axis.majorGridlines, None)

    def rich_text(title):
        return "".join(r.t for p in title.tx.rich.p for r in (p.r or []))

    check("chart title", lambda: rich_text(chart.title), "Yr-X")
    check("chart title size", lambda: chart.title.tx.rich.p[0].r[0].rPr.sz, 2400)
    check("x axis title", lambda: rich_text(chart.x_axis.title), "对数剂量(X)")
    check("y axis title", lambda: rich_text(chart.y_axis.title), "回归几率单位(Yr)")
    check("x tick format", lambda: chart.x_axis.numFmt.formatCode, "0.00_ ")
    check("y tick format", lambda: chart.y_axis.numFmt.formatCode, "0.00_ ")

    # Placed at left 330 pt, top 50 pt, 200 x 150 pt: in pixels at 96 dpi.
    a = chart.anchor
    left, top = point_on_sheet(ws, a._from.col, a._from.colOff, a._from.row, a._from.rowOff)
    right, bottom = point_on_sheet(ws, a.to.col, a.to.colOff, a.to.row, a.to.rowOff)
    check_near("chart left (px)", left, 330 * 4 / 3, 1)
    check_near("chart top (px)", top, 50 * 4 / 3, 1)
    check_near("chart width (px)", right - left, 200 * 4 / 3, 1.5)
    check_near("chart height (px)", bottom - top, 150 * 4 / 3, 1.5)


def part_target(package, rels_path, rel_id):
    rels = ET.fromstring(package.read(rels_path))
    for rel in rels.findall("pr:Relationship", NS):
        if rel.get("Id") == rel_id:
            return os.path.normpath(os.path.join("xl/worksheets", rel.get("Target"))).replace("\\", "/")
    return None


def check_package_parts(path, background):
    with zipfile.ZipFile(path) as package:
        # Rich text: three runs, only the "2" raised, each in the sheet's font.
        sst = ET.fromstring(package.read("xl/sharedStrings.xml"))
        runs = None
        for si in sst.findall("m:si", NS):
            pieces = si.findall("m:r", NS)
            if pieces:
                runs = [("".join(t.text or "" for t in r.findall("m:t", NS)),
                         r.find("m:rPr/m:vertAlign", NS) is not None
                         and r.find("m:rPr/m:vertAlign", NS).get("val") == "superscript",
                         r.find("m:rPr/m:rFont", NS).get("val"),
                         r.find("m:rPr/m:sz", NS).get("val")) for r in pieces]
        check("rich text runs", runs, [("注:χ", False, FONT, "10"), ("2", True, FONT, "10"),
                                       ("值＝ 3.4078", False, FONT, "10")])

        chart = ET.fromstring(package.read("xl/charts/chart1.xml"))
        plot_sppr = chart.find("c:chart/c:plotArea/c:spPr", NS)
        check("plot area has no fill", plot_sppr is not None and plot_sppr.find("a:noFill", NS) is not None, True)
        check("plot area has no border",
              plot_sppr is not None and plot_sppr.find("a:ln/a:noFill", NS) is not None, True)

        sheet = ET.fromstring(package.read("xl/worksheets/sheet1.xml"))
        # openpyxl drops the styles of the covered cells of a merge; read them here.
        styles = {c.get("r"): c.get("s") for c in sheet.iter(f"{{{NS['m']}}}c")}
        check("merged cells share the first cell's format",
              [styles.get(ref) for ref in ("C12", "B13", "C13")], [styles.get("B12")] * 3)
        picture = sheet.find("m:picture", NS)
        check("background picture present", picture is not None, True)
        if picture is not None:
            target = part_target(package, "xl/worksheets/_rels/sheet1.xml.rels",
                                 picture.get(f"{{{NS['r']}}}id"))
            with open(background, "rb") as f:
                check("background picture is brg.jpg", package.read(target) == f.read(), True)
        second = ET.fromstring(package.read("xl/worksheets/sheet2.xml"))
        check("second sheet has no background", second.find("m:picture", NS), None)


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    writer, out_dir, background = sys.argv[1:]
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, "readback.xlsx")
    if os.path.exists(path):
        os.remove(path)
    run = subprocess.run([writer, path, background], capture_output=True, text=True)
    if run.returncode != 0:
        print(f"writer failed ({run.returncode}): {run.stderr}")
        return 1

    wb = openpyxl.load_workbook(path)
    check("sheet names", wb.sheetnames, ["Sheet1", "Scratch data"])
    check("active sheet", wb.active.title, "Sheet1")
    ws = wb["Sheet1"]
    check_values(ws)
    check_fonts(ws)
    check_alignment(ws)
    check_borders(ws)
    check_sheet_layout(ws, wb["Scratch data"])
    check_blocks(ws)
    check_wrapped_rows(ws)
    check_chart(ws)
    check_package_parts(path, background)
    check_numbers(path, ws, wb["Scratch data"])

    for failure in failures:
        print("FAIL", failure)
    print(f"{len(failures)} readback check(s) failed" if failures else "readback ok")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
