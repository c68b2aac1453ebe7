#!/usr/bin/env python3
"""`cmake --install` into a fresh prefix, then the installed programs as a
user runs them: they start from the prefix's bin/ and find their shared files
(report picture, help) under share/tavelmark without the build tree.

usage: check_installed_tree.py BUILD_DIR SOURCE_ROOT
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

build, source = Path(sys.argv[1]), Path(sys.argv[2])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


with tempfile.TemporaryDirectory() as tmp:
    # The tree is moved after installing: the programs must not rely on the
    # prefix they were configured for.
    staged = Path(tmp) / "staged"
    subprocess.run(["cmake", "--install", str(build), "--prefix", str(staged)],
                   check=True, stdout=subprocess.DEVNULL)
    prefix = Path(tmp) / "moved"
    shutil.move(str(staged), str(prefix))

    for relative in ["bin/tavelmark-cli", "share/tavelmark/brg.jpg", "share/tavelmark/help/index.html",
                     "share/applications/tavelmark.desktop",
                     "share/mime/packages/tavelmark-analysis.xml",
                     "share/icons/hicolor/48x48/apps/tavelmark.png",
                     "share/icons/hicolor/256x256/apps/tavelmark.png"]:
        check((prefix / relative).is_file(), f"not installed: {relative}")

    cli = prefix / "bin" / "tavelmark-cli"
    env = {k: v for k, v in os.environ.items() if k != "TAVELMARK_RESOURCES"}
    version = subprocess.run([str(cli), "--version"], capture_output=True, text=True, env=env)
    check(version.returncode == 0 and version.stdout.startswith("tavelmark-cli "),
          f"--version: {version.returncode} {version.stdout!r} {version.stderr!r}")

    # Run from an unrelated folder, so nothing is found by accident beside it.
    report = Path(tmp) / "bliss.xlsx"
    run = subprocess.run([str(cli), "bliss", str(source / "tests/analyses/bliss/data/example.csv"),
                          "-o", str(report)], capture_output=True, text=True, env=env, cwd=tmp)
    check(run.returncode == 0, f"bliss from the installed tree: {run.returncode} {run.stderr}")
    if report.is_file():
        with zipfile.ZipFile(report) as book:
            check(any(n.startswith("xl/media/") for n in book.namelist()),
                  "the installed program's report lacks its background picture")

    desktop = (prefix / "share/applications/tavelmark.desktop").read_text(encoding="utf-8")
    check("MimeType=application/x-tavelmark-analysis;" in desktop, "desktop entry lacks the MIME type")
    check("Exec=tavelmark %f" in desktop, "desktop entry does not pass the file")
    validator = shutil.which("desktop-file-validate")
    if validator:
        v = subprocess.run([validator, str(prefix / "share/applications/tavelmark.desktop")],
                           capture_output=True, text=True)
        check(v.returncode == 0, f"desktop-file-validate: {v.stdout}{v.stderr}")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("installed tree works")
