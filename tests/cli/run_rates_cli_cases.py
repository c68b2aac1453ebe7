"""Runs `tavelmark-cli rates` as a user would: a table with an empty group is
refused (exit 1, message on standard error, nothing written).

usage: run_rates_cli_cases.py TAVELMARK_CLI TESTS_DIR
"""
import os
import subprocess
import sys
import tempfile

cli, tests = sys.argv[1], sys.argv[2]
data = lambda *p: os.path.join(tests, *p)
report = os.path.join(tempfile.mkdtemp(prefix="tavelmark-rates-"), "rates.xlsx")
EMPTY_GROUP = "数据录入错误！: 每组的例数(阳性数与阴性数之和)必须大于0"

# (name, arguments, exit code, texts expected on stdout, texts expected on stderr)
cases = [
    ("example", ["rates", "--all", data("analyses/rates/data/example.csv"), "-o", report, "--print"], 0,
     ["Fisher精确概率", "21.664～56.251%"], []),
    ("all-zero table refused", ["rates", data("cli/data/rates_all_zero.csv"), "-o", report], 1,
     [], [EMPTY_GROUP, "selected: B2"]),
    ("empty T group refused", ["rates", "--all", data("cli/data/rates_empty_t.csv"), "-o", report, "--print"],
     1, [], [EMPTY_GROUP, "selected: B3"]),
]

failures = 0
for name, args, code, stdout_has, stderr_has in cases:
    if os.path.exists(report):
        os.remove(report)
    r = subprocess.run([cli] + args, capture_output=True, text=True)
    problems = []
    if r.returncode != code:
        problems.append(f"exit {r.returncode}, expected {code}")
    problems += [f"stdout lacks {t!r}" for t in stdout_has if t not in r.stdout]
    problems += [f"stderr lacks {t!r}" for t in stderr_has if t not in r.stderr]
    written = os.path.exists(report)
    if written != (code == 0):
        problems.append(f"{report} {'written' if written else 'not written'}")
    if code != 0 and r.stdout:
        problems.append("a refused input printed a report")
    print(("FAIL " if problems else "ok   ") + name + ("" if not problems else ": " + "; ".join(problems)))
    if problems:
        print("  stdout:", r.stdout[:800], "\n  stderr:", r.stderr[:800])
        failures += 1
sys.exit(1 if failures else 0)
