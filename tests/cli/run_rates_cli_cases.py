"""Runs `tavelmark-cli rates` as a user would: a table with an empty group is
refused (exit 1, message on standard error, nothing written).

usage: run_rates_cli_cases.py TAVELMARK_CLI TESTS_DIR
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

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

# A refused input writes no report and prints none.
sys.exit(run_cases(cli, [
    Case(name, args, exit=code, stdout_has=stdout_has, stderr_has=stderr_has,
         writes=report if code == 0 else None, leaves_out=[] if code == 0 else [report],
         checks=[] if code == 0 else [lambda r: "a refused input printed a report" if r.stdout else None])
    for name, args, code, stdout_has, stderr_has in cases]))
