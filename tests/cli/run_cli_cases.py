"""Runs tavelmark-cli as a user would and checks exit codes and output.

usage: run_cli_cases.py TAVELMARK_CLI TESTS_DIR
"""
import os
import subprocess
import sys
import tempfile

cli, tests = sys.argv[1], sys.argv[2]
data = lambda *p: os.path.join(tests, *p)
out_dir = tempfile.mkdtemp(prefix="tavelmark-cli-")
report = os.path.join(out_dir, "ldk.xlsx")

# (name, arguments, exit code, text expected on stdout, text expected on stderr, file written)
cases = [
    ("example printed", ["ldk-compare", data("analyses/ldk_compare/data/example.csv"), "--print"],
     0, "第1批\t0.031817 +\t0.072005 -", "", None),
    ("example to xlsx", ["ldk-compare", data("analyses/ldk_compare/data/example.csv"), "-o", report],
     0, "", "", report),
    ("text cell refused", ["ldk-compare", data("cli/data/ldk_text_cell.csv"), "-o", report + ".no"],
     1, "", "数据类型错误或超出范围: 录入的数据类型错误或超出范围\nselected: B3", None),
    ("rows beyond the grid warned", ["ldk-compare", data("files/data/ldk_too_many_rows.csv"), "--print"],
     0, "LDk两两对比计算结果", "有 2 个数据位于输入表格 A1:C11 之外", None),
    ("count mismatch refused", ["ldk-compare", data("cli/data/ldk_count_mismatch.csv"), "-o", report + ".no"],
     1, "", "数据量不等错误！: LD50与L95的数据量应相等", None),
    ("empty file refused", ["ldk-compare", data("cli/data/empty.csv"), "-o", report + ".no"],
     1, "", "数据量不足错误！: 请至少录入一批LD50与L95数据", None),
    ("binary file refused", ["ldk-compare", data("files/data/not_a_csv.csv"), "-o", report + ".no"],
     1, "", "编码无法识别", None),
    ("directory as input", ["ldk-compare", data("cli"), "-o", report + ".no"], 2, "", "cli", None),
    ("no output chosen", ["ldk-compare", data("analyses/ldk_compare/data/example.csv")],
     2, "", "-o", None),
    ("missing input", ["ldk-compare", data("nothing.csv"), "--print"], 2, "", "", None),
    ("unknown subcommand", ["frobnicate"], 2, "", "", None),
]

failures = 0
for name, args, code, stdout_has, stderr_has, written in cases:
    if written and os.path.exists(written):
        os.remove(written)
    r = subprocess.run([cli] + args, capture_output=True, text=True)
    problems = []
    if r.returncode != code:
        problems.append(f"exit {r.returncode}, expected {code}")
    if stdout_has not in r.stdout:
        problems.append(f"stdout lacks {stdout_has!r}")
    if stderr_has not in r.stderr:
        problems.append(f"stderr lacks {stderr_has!r}")
    if written and not os.path.getsize(written) > 0:
        problems.append(f"{written} not written")
    if code == 1 and os.path.exists(report + ".no"):
        problems.append("a refused input wrote a report")
    print(("FAIL " if problems else "ok   ") + name + ("" if not problems else ": " + "; ".join(problems)))
    if problems:
        print("  stdout:", r.stdout[:500], "\n  stderr:", r.stderr[:500])
        failures += 1
sys.exit(1 if failures else 0)
