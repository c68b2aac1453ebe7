#!/usr/bin/env python3
"""The three-line copy as LibreOffice Writer takes it: the HTML the program
puts on the clipboard is imported by Writer's HTML filter (what a paste into
a Writer document goes through) and saved as .odt; the document must hold
real tables whose cells carry the three rules and no vertical lines.

usage: check_writer_paste.py COPYOUT_TEST HTML_FILE
"""
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

test_program, html = sys.argv[1], Path(sys.argv[2])
soffice = shutil.which("soffice") or shutil.which("libreoffice")
if not soffice:
    print("LibreOffice is not installed")
    sys.exit(77)  # skipped

subprocess.run([test_program, "--gtest_filter=CopyOut.ThreeLineTables*"], check=True,
               stdout=subprocess.DEVNULL)

with tempfile.TemporaryDirectory() as tmp:
    profile = Path(tmp) / "profile"
    subprocess.run([soffice, f"-env:UserInstallation=file://{profile}", "--headless",
                    "--infilter=HTML (StarWriter)", "--convert-to", "odt", "--outdir", tmp, str(html)],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=180)
    with zipfile.ZipFile(Path(tmp) / (html.stem + ".odt")) as odt:
        content = odt.read("content.xml").decode("utf-8")

failures = []
tables = re.findall(r'<table:table [^>]*table:name="([^"]+)"', content)
if len(tables) != 2:
    failures.append(f"expected 2 tables in Writer, found {len(tables)}")

styles = dict(re.findall(
    r'<style:style style:name="([^"]+)" style:family="table-cell"><style:table-cell-properties ([^/]*)/>',
    content))


def border(style, side):
    props = styles.get(style, "")
    m = re.search(rf'fo:border-{side}="([^"]+)"', props) or re.search(r'fo:border="([^"]+)"', props)
    return m.group(1) if m else "none"


rows_of = {}
for table in tables:
    cells = re.findall(rf'table:style-name="({re.escape(table)}\.[A-Z]+(\d+))"', content)
    rows_of[table] = sorted({int(r) for _, r in cells})
    for style, row in cells:
        row = int(row)
        last = max(rows_of[table])
        for side in ("left", "right"):
            if border(style, side) != "none":
                failures.append(f"{style}: a vertical line on the {side}")
        top, bottom = border(style, "top"), border(style, "bottom")
        if row == 1 and not top.startswith("1.5pt"):
            failures.append(f"{style}: the header's top rule is {top}")
        if row == 1 and row != last and not bottom.startswith("0.75pt"):
            failures.append(f"{style}: the rule under the header is {bottom}")
        if row == last and not bottom.startswith("1.5pt"):
            failures.append(f"{style}: the bottom rule is {bottom}")
        if 1 < row < last and bottom != "none":
            failures.append(f"{style}: a rule inside the body")

if "χ" not in content or "检验结果" not in content:
    failures.append("the text did not come through")
if failures:
    print("\n".join(sorted(set(failures))))
    sys.exit(1)
print("Writer holds", len(tables), "three-line tables")
