#!/usr/bin/env python3
"""--extended on the command line: every analysis gets its second sheet,
"扩展结果", and its first sheet stays what it is without the option, cell for
cell and format for format, in the .xlsx and in the --print text. Refused
input stays refused with the option. A saved analysis keeps the option.

usage: run_extended_cases.py TAVELMARK_CLI TESTS_DIR
"""
import json
import math
import subprocess
import sys
import tempfile
import unicodedata
from pathlib import Path

import openpyxl

cli, tests = sys.argv[1], Path(sys.argv[2])
examples = tests / "analyses"
failures = []

EXTENDED_SHEET = "扩展结果"
# The estimate column's header is the section's own ("估计值", "比值", ...).
HEADER_START, HEADER_END = ["项目"], ["95%下限", "95%上限", "方法", "说明"]

# (what, command and options, input): the worked examples, with the report's
# optional parts off and on, and inputs whose extended figures are partly or
# wholly missing (a zero cell; a single batch, which has no pair at all).
CASES = [
    ("bliss plain", ["bliss"], examples / "bliss/data/example.csv"),
    ("bliss all parts", ["bliss", "--intermediate", "--fieller", "--heterogeneity", "--chart",
                         "--background", "5"], examples / "bliss/data/example.csv"),
    ("means plain", ["means"], examples / "means/data/example.csv"),
    ("means all sections", ["means", "--all"], examples / "means/data/example.csv"),
    ("rates plain", ["rates"], examples / "rates/data/example.csv"),
    ("rates all items, odds variant", ["rates", "--all", "--variant", "odd-ana"],
     examples / "rates/data/example.csv"),
    ("rates zero cell", ["rates", "--all"], "zero_cell.csv"),
    ("ldk-compare", ["ldk-compare"], examples / "ldk_compare/data/example.csv"),
    ("ldk-compare one batch", ["ldk-compare"], "one_batch.csv"),
    ("potency", ["potency"], examples / "potency/data/example.csv"),
    ("potency, controls, C estimated, logit", ["potency", "--natural", "estimate", "--link", "logit", "--ldk", "95"],
     examples / "potency/data/controls.csv"),
]

NOTHING_TO_ESTIMATE = {"ldk-compare one batch"}

GENERATED = {
    "zero_cell.csv": ",阳性数,阴性数\nR组,0,20\nT组,9,11\n",
    "one_batch.csv": "LDk,LD50,L95\n第1批,12.5,1.8\n",
}

# Input each analysis refuses: with --extended too it is exit 1 and no file.
REFUSED = [
    ("rates all zero", ["rates"], tests / "cli/data/rates_all_zero.csv"),
    ("means too few", ["means"], examples / "means/data/too_few.csv"),
    ("ldk-compare text cell", ["ldk-compare"], tests / "cli/data/ldk_text_cell.csv"),
    ("potency unknown reference", ["potency", "--reference", "C"], examples / "potency/data/example.csv"),
]


def run(args):
    return subprocess.run([cli] + [str(a) for a in args], capture_output=True, text=True)


def cell_look(cell):
    """What a reader of the sheet sees of one cell."""
    font, border, align = cell.font, cell.border, cell.alignment
    return (cell.value, cell.number_format, font.name, font.sz, font.b, font.i,
            font.color.rgb if font.color is not None else None,
            border.top.style, border.bottom.style, align.horizontal, align.vertical)


def sheet_look(ws):
    cells = {c.coordinate: cell_look(c) for row in ws.iter_rows() for c in row}
    columns = {k: (d.width, d.hidden) for k, d in ws.column_dimensions.items()}
    rows = {k: d.height for k, d in ws.row_dimensions.items()}
    return {
        "cells": cells,
        "merged": sorted(str(r) for r in ws.merged_cells.ranges),
        "columns": columns,
        "rows": rows,
        "charts": len(ws._charts),
        "images": len(ws._images),
        "orientation": ws.page_setup.orientation,
        "fitToWidth": ws.page_setup.fitToWidth,
        "gridlines": ws.sheet_view.showGridLines,
    }


def first_difference(a, b):
    for key in a:
        if a[key] != b[key]:
            if isinstance(a[key], dict):
                for k in sorted(set(a[key]) | set(b[key])):
                    if a[key].get(k) != b[key].get(k):
                        return f"{key} {k}: {a[key].get(k)!r} / {b[key].get(k)!r}"
            return f"{key}: {a[key]!r} / {b[key]!r}"
    return None


def width_units(text):
    """A text's width in characters of a column: an East Asian wide or full-width character counts two."""
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def check_wrapped_notes(what, ws):
    """Every method and note of a table row wraps within its column, and a row
    whose note cannot fit on one line is set at least as high as the lines
    it needs at the least, each 15 points (room for an ideograph face); a
    spreadsheet would otherwise cut it at the row's bottom."""
    note_column = ws.column_dimensions["F"].width - 5 / 7  # stored with the cell padding
    in_table = False
    for row in ws.iter_rows(min_col=1, max_col=6):
        values = [c.value for c in row]
        if values[:1] == HEADER_START and values[2:6] == HEADER_END:
            in_table = True
            continue
        if not any(v is not None for v in values):
            in_table = False
            continue
        if not in_table:
            continue
        method, note = row[4], row[5]
        for cell in (method, note):
            if isinstance(cell.value, str) and not cell.alignment.wrap_text:
                failures.append(f"{what}: {cell.coordinate} ({cell.value[:20]}...) does not wrap")
        if not isinstance(note.value, str):
            continue
        least_lines = math.ceil(width_units(note.value) / math.floor(note_column))
        height = ws.row_dimensions[note.row].height
        if least_lines > 1 and (height is None or height < least_lines * 15):
            failures.append(f"{what}: row {note.row} is {height} points high for a note of "
                            f"{least_lines} lines or more")
        if least_lines > 1 and row[0].alignment.vertical != "top":
            failures.append(f"{what}: row {note.row} of several lines is not aligned to its top")


def check_extended_sheet(what, ws):
    values = [[c.value for c in row] for row in ws.iter_rows()]
    if not values or not isinstance(values[0][0], str) or EXTENDED_SHEET not in values[0][0]:
        failures.append(f"{what}: the second sheet's title is {values[0][0] if values else None!r}")
    headers = [row for row in values if row[:1] == HEADER_START and row[2:6] == HEADER_END]
    if not headers:
        failures.append(f"{what}: no table header on the second sheet")
    figures = 0
    for row in values:
        for v in row:
            if isinstance(v, float) and not math.isfinite(v):
                failures.append(f"{what}: a cell of the second sheet holds {v}")
            if isinstance(v, str) and v.strip().lower() in ("nan", "inf", "-inf", "1.#inf"):
                failures.append(f"{what}: a cell of the second sheet reads {v!r}")
            figures += isinstance(v, (int, float))
    if what in NOTHING_TO_ESTIMATE:
        # Every row says why its figure is missing.
        rows = [row for row in values if row[:1] not in ([None], HEADER_START) and any(row[1:])]
        if figures or not rows or any(not row[5] for row in rows):
            failures.append(f"{what}: a missing figure without its reason on the second sheet")
    elif figures == 0:
        failures.append(f"{what}: the second sheet holds no figure")
    check_wrapped_notes(what, ws)
    setup = ws.page_setup
    # A missing fitToWidth is the file format's default, 1.
    if setup.orientation != "landscape" or ws.sheet_properties.pageSetUpPr is None \
            or not ws.sheet_properties.pageSetUpPr.fitToPage or setup.fitToWidth not in (None, 1) \
            or setup.fitToHeight != 0 or str(setup.paperSize) != "9":
        failures.append(f"{what}: the second sheet is not set to print landscape on A4, one page wide "
                        f"({setup.orientation}, paper {setup.paperSize}, {setup.fitToWidth}x{setup.fitToHeight})")


with tempfile.TemporaryDirectory() as tmp:
    tmp = Path(tmp)
    for name, text in GENERATED.items():
        (tmp / name).write_text(text, encoding="utf-8")

    for what, args, source in CASES:
        source = tmp / source if isinstance(source, str) else source
        plain_xlsx, extended_xlsx = tmp / "plain.xlsx", tmp / "extended.xlsx"
        plain = run(args + [source, "-o", plain_xlsx, "--print"])
        extended = run(args + ["--extended", source, "-o", extended_xlsx, "--print"])
        if plain.returncode != 0 or extended.returncode != 0:
            failures.append(f"{what}: exit {plain.returncode} / {extended.returncode}: {extended.stderr}")
            continue
        if extended.stderr != plain.stderr:
            failures.append(f"{what}: --extended changed the messages: {extended.stderr!r}")

        # The text: the first sheet exactly as without the option, then the second.
        marker = f"\n[{EXTENDED_SHEET}]\n"
        if not extended.stdout.startswith(plain.stdout + marker):
            failures.append(f"{what}: --print does not give the plain report followed by {marker!r}")
        elif len(extended.stdout[len(plain.stdout + marker):].splitlines()) < 4:
            failures.append(f"{what}: --print shows almost nothing of the second sheet")
        if marker.strip() in plain.stdout:
            failures.append(f"{what}: the second sheet is printed without --extended")

        plain_book = openpyxl.load_workbook(plain_xlsx)
        extended_book = openpyxl.load_workbook(extended_xlsx)
        if plain_book.sheetnames != ["Sheet1"]:
            failures.append(f"{what}: without --extended the sheets are {plain_book.sheetnames}")
        if extended_book.sheetnames != ["Sheet1", EXTENDED_SHEET]:
            failures.append(f"{what}: with --extended the sheets are {extended_book.sheetnames}")
            continue
        difference = first_difference(sheet_look(plain_book["Sheet1"]), sheet_look(extended_book["Sheet1"]))
        if difference:
            failures.append(f"{what}: Sheet1 differs with --extended: {difference}")
        check_extended_sheet(what, extended_book[EXTENDED_SHEET])

    for what, args, source in REFUSED:
        out = tmp / "refused.xlsx"
        result = run(args + ["--extended", source, "-o", out, "--print"])
        if result.returncode != 1 or result.stdout or out.exists():
            failures.append(f"{what}: with --extended exit {result.returncode}, "
                            f"stdout {result.stdout[:40]!r}, file written: {out.exists()}")

    # A saved analysis keeps the option, and run replays both sheets.
    for folder, command in [("bliss", "bliss"), ("means", "means"), ("rates", "rates"),
                            ("ldk_compare", "ldk-compare"), ("potency", "potency")]:
        saved = tmp / "saved.tavelmark"
        first = run([command, "--extended", examples / folder / "data/example.csv", "--print",
                     "--save-analysis", saved])
        again = run(["run", saved, "--print"])
        if first.returncode != 0 or again.returncode != 0 or first.stdout != again.stdout:
            failures.append(f"{command}: run of a file saved with --extended printed another report "
                            f"(exit {first.returncode} / {again.returncode})")
        if json.loads(saved.read_text(encoding="utf-8"))["options"].get("extended") is not True:
            failures.append(f"{command}: --save-analysis did not keep extended")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("--extended adds the second sheet and leaves the first one as it was")
