"""The means report's raw-data area as an independent reader (openpyxl) sees it:
centred from row 4 down, ruled under rows 4, 5 and the last value, and
without its thousands of empty centred cells listed in the file.

usage: check_raw_data_block.py TAVELMARK_CLI EXAMPLE_CSV OUT_DIR
"""
import os
import subprocess
import sys

import openpyxl

cli, example, out_dir = sys.argv[1:4]
os.makedirs(out_dir, exist_ok=True)
path = os.path.join(out_dir, "means-example.xlsx")
subprocess.run([cli, "means", "--all", example, "-o", path], check=True, capture_output=True)

ws = openpyxl.load_workbook(path).active
problems = []


def expect(what, actual, expected):
    if actual != expected:
        problems.append(f"{what}: {actual!r}, expected {expected!r}")


def column_alignment(index):
    """The alignment of the <col> record covering a 1-based column (openpyxl keys them by their first column)."""
    for dim in ws.column_dimensions.values():
        if dim.min is not None and dim.min <= index <= dim.max:
            return dim.alignment.horizontal
    return None


# The example's sections end at row 99; reading a cell creates it, so first.
expect("last listed row", ws.max_row, 99)
for name, index in (("E", 5), ("F", 6)):
    expect(f"column {name} centred", column_alignment(index), "center")
expect("column D not centred", column_alignment(4), None)
# Ten T values (E6:E15) and fifteen R values (F6:F20), as in the grid.
for ref, value in (("E4", "原始数据"), ("E5", "T组"), ("F5", "R组"), ("E6", 38), ("E15", 33), ("F20", 36)):
    expect(f"{ref} value", ws[ref].value, value)
    expect(f"{ref} centred", ws[ref].alignment.horizontal, "center")
for ref, rule in (("E4", "medium"), ("F4", "medium"), ("E5", "thin"), ("F5", "thin"), ("E6", None),
                  ("E20", "medium"), ("F20", "medium"), ("F21", None)):
    expect(f"{ref} rule", ws[ref].border.bottom.style, rule)

for p in problems:
    print("FAIL", p)
print(f"{len(problems)} check(s) failed" if problems else "raw-data block ok")
sys.exit(1 if problems else 0)
