#!/usr/bin/env python3
"""Prints every non-empty cell of an .xlsx file's first sheet as NAME<TAB>VALUE,
read with openpyxl (independent of the program's own writer).

usage: dump_cells.py FILE.xlsx
"""
import sys

import openpyxl

sheet = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
for row in sheet.iter_rows():
    for cell in row:
        if cell.value is None or cell.value == "":
            continue
        value = repr(cell.value) if isinstance(cell.value, float) else str(cell.value)
        print(f"{cell.coordinate}\t{value}")
