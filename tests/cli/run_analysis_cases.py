#!/usr/bin/env python3
"""Saved analyses on the command line: --save-analysis writes one, `run`
replays it and prints the very report the original command printed; files
that are damaged, foreign or from a newer program are refused with exit 1.

usage: run_analysis_cases.py TAVELMARK_CLI TESTS_DIR
"""
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

cli, tests = sys.argv[1], Path(sys.argv[2])
failures = []

ROUND_TRIPS = [
    ("bliss", ["bliss", "--intermediate", "--fieller", "--heterogeneity", "--chart", "--background", "5"]),
    ("means", ["means", "--sections", "t-tests,variance"]),
    ("rates", ["rates", "--all", "--variant", "rate-comp"]),
    ("rates", ["rates", "--items", "odds", "--variant", "en-rate-ana"]),
    ("ldk_compare", ["ldk-compare"]),
    ("potency", ["potency", "--link", "logit", "--reference", "混合物", "--ldk", "95"]),
]


def run(args):
    return subprocess.run([cli] + args, capture_output=True, text=True)


with tempfile.TemporaryDirectory() as tmp:
    for folder, args in ROUND_TRIPS:
        saved = Path(tmp) / "saved.tavelmark"
        first = run(args + [str(tests / "analyses" / folder / "data" / "example.csv"), "--print",
                            "--save-analysis", str(saved)])
        again = run(["run", str(saved), "--print"])
        what = " ".join(args)
        if first.returncode != 0 or again.returncode != 0:
            failures.append(f"{what}: exit {first.returncode} / {again.returncode}: {again.stderr}")
        elif first.stdout != again.stdout:
            failures.append(f"{what}: run printed another report")
        document = json.loads(saved.read_text(encoding="utf-8"))
        if document.get("format") != "tavelmark-analysis" or document.get("formatVersion") != 1:
            failures.append(f"{what}: not a version 1 analysis file")

    def document(analysis, options, cells=()):
        return json.dumps({"format": "tavelmark-analysis", "formatVersion": 1, "analysis": analysis,
                           "options": options, "cells": list(cells)})

    refused = {
        "garbage": "not json at all",
        "newer": json.dumps({"format": "tavelmark-analysis", "formatVersion": 2, "analysis": "bliss", "cells": []}),
        "foreign": json.dumps({"format": "something-else", "formatVersion": 1}),
        "outside": document("rates", {}, [{"ref": "Z99", "number": 1}]),
        # 200 KB of arrays inside arrays, which once overflowed the stack (exit 139).
        "deep": '{"format": "tavelmark-analysis", "formatVersion": 1, "analysis": "bliss", '
                '"options": {"x": ' + "[" * 100000 + "]" * 100000 + '}, "cells": []}',
    }
    # Saved options are checked by the command line's own rules: a background
    # mortality the options dialog could not hold is refused, the file named.
    bad_options = {f"background {text}": document("bliss", {"backgroundPercent": text, "intermediate": True})
                   for text in ["-5", "1e308", "0x10", "nan", "100"]}
    bad_options["unknown section"] = document("means", {"sections": ["anova"]})
    bad_options["item 13"] = document("rates", {"items": [13]})
    cases = []
    for name, text in {**refused, **bad_options}.items():
        path = Path(tmp) / f"{name.replace(' ', '_')}.tavelmark"
        path.write_text(text, encoding="utf-8")
        says = ["无法打开分析数据文件"] + ([str(path), "选项"] if name in bad_options else [])
        cases.append(Case(name, ["run", str(path), "--print"], exit=1, stderr_has=says,
                          checks=[lambda r: "a refused file printed a report" if r.stdout else None]))
    # A refused input keeps the user's data: the analysis file is written all the same.
    kept = Path(tmp) / "kept.tavelmark"
    cases.append(Case("--save-analysis keeps a refused input",
                      ["means", str(tests / "analyses/means/data/too_few.csv"), "--print", "--save-analysis", str(kept)],
                      exit=1, writes=str(kept)))
    if run_cases(cli, cases):
        failures.append("a refused file or input was not handled as it should be")

    # A heading of 40,000 characters, which the means report copies: cut to
    # the 32,767 a cell holds when the file is read, so the report saves.
    saved = Path(tmp) / "long.tavelmark"
    run(["means", str(tests / "analyses/means/data/example.csv"), "--print", "--save-analysis", str(saved)])
    document = json.loads(saved.read_text(encoding="utf-8"))
    for cell in document["cells"]:
        if cell["ref"] == "A1":
            cell["text"] = "批" * 40000
    saved.write_text(json.dumps(document, ensure_ascii=False), encoding="utf-8")
    result = run(["run", str(saved), "-o", str(Path(tmp) / "long.xlsx"), "--print"])
    if result.returncode != 0 or "批" * 32767 + "\t" not in result.stdout or "批" * 32768 in result.stdout:
        failures.append(f"long text: exit {result.returncode}, {result.stderr[-200:]!r}")

    # A file that cannot be written stops before any calculation.
    result = run(["ldk-compare", str(tests / "analyses/ldk_compare/data/example.csv"), "--print",
                  "--save-analysis", str(Path(tmp) / "no/such/folder/x.tavelmark")])
    if result.returncode != 2 or result.stdout:
        failures.append(f"unwritable --save-analysis: exit {result.returncode}")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("saved analyses replay to the same reports")
