"""The LDk comparison's worked example through tavelmark-cli, read back by openpyxl.

usage: check_ldk_report.py TAVELMARK_CLI EXAMPLE_CSV OUT_DIR
"""
import os
import subprocess
import sys
import zipfile

import openpyxl

cli, example, out_dir = sys.argv[1:4]
os.makedirs(out_dir, exist_ok=True)
path = os.path.join(out_dir, "ldk-example.xlsx")
subprocess.run([cli, "ldk-compare", example, "-o", path], check=True)

ws = openpyxl.load_workbook(path).active
problems = []


def expect(what, actual, expected):
    if actual != expected:
        problems.append(f"{what}: {actual!r}, expected {expected!r}")


# Worked example of the manual: 14 ± 2.9, 20 ± 5, 18 ± 3.2.
for cell, text in {"B6": "0.031817 +", "B18": "2.1470 +", "C6": "0.072005 -", "C7": "0.502092 -",
                   "C18": "1.7993 -", "C19": "0.6712 -", "J5": "第10批", "A6": "第1批", "A26": "第9批",
                   "A2": "LDk两两对比计算结果",
                   "A1": "Quorin ver1.0 (Tavelmark for Windows)"}.items():
    expect(cell, ws[cell].value, text)
expect("A4 caption", (ws["A4"].value or "")[:12], "两两比较结果 ( 表中为")
expect("empty below the diagonal", ws["B7"].value, None)

expect("A1 colour", ws["A1"].font.color.rgb[-6:], "FF0000")
expect("A2 colour", ws["A2"].font.color.rgb[-6:], "0000FF")
expect("A1 size", ws["A1"].font.sz, 14)
expect("B6 font", (ws["B6"].font.name, ws["B6"].font.sz), ("Microsoft Sans Serif", 10))
for cell, style in {"A4": "medium", "J4": "medium", "A5": "thin", "J14": "medium", "A16": "medium",
                    "E17": "thin", "A26": "medium"}.items():
    expect(f"{cell} bottom rule", ws[cell].border.bottom.style, style)
expect("K4 bottom rule", ws["K4"].border.bottom.style, None)


def stored_width(characters):
    # The file keeps a column's width with the cell padding added: whole
    # pixels of a 7-pixel digit plus 5, in 1/256 of a character.
    pixels = int(characters * 7 + 0.5) + 5
    return int(pixels / 7 * 256) / 256


expect("column A width", ws.column_dimensions["A"].width, stored_width(4.5))
expect("column B width", ws.column_dimensions["B"].width, stored_width(8.5))
expect("gridlines", ws.sheet_view.showGridLines, False)
with zipfile.ZipFile(path) as z:
    if not any(n.startswith("xl/media/") for n in z.namelist()):
        problems.append("no background picture in the file")

for p in problems:
    print("FAIL", p)
print("ok" if not problems else f"{len(problems)} problems")
sys.exit(1 if problems else 0)
