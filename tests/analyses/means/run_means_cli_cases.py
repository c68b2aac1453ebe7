"""Runs `tavelmark-cli means` as a user would and checks exit codes and output.

usage: run_means_cli_cases.py TAVELMARK_CLI DATA_DIR
"""
import os
import subprocess
import sys
import tempfile

cli, data_dir = sys.argv[1], sys.argv[2]
data = lambda name: os.path.join(data_dir, name)
report = os.path.join(tempfile.mkdtemp(prefix="tavelmark-means-"), "means.xlsx")

# (name, arguments, exit code, texts expected on stdout, texts expected on stderr, texts absent from stdout)
cases = [
    ("example, main table only", ["means", data("example.csv"), "--print"], 0,
     ["例数\t10\t15", "显著性检验统计量\tt' = 0.1854", "推荐选用t'检验,非参检验可供参考"],
     ["R组中发现离群值59,是否删除", "否"], ["方差齐性检验"]),
    ("chosen sections", ["means", "--sections", "variance,rank-sum", data("example.csv"), "--print"], 0,
     ["非参检验(W-M-W法)", "方差齐性检验", "F0.05=\t3.025472724"], [], ["统计描述", "例数估算"]),
    ("every section to xlsx", ["means", "--all", data("example.csv"), "-o", report], 0, [], [], []),
    ("unknown section", ["means", "--sections", "variance,bogus", data("example.csv"), "--print"], 2,
     [], ["bogus"], []),
    ("--all with --sections", ["means", "--all", "--sections", "variance", data("example.csv"), "--print"],
     2, [], [], []),
    ("too few values", ["means", data("too_few.csv"), "--print"], 1, [],
     ["数据量不足: 数据量太少,无法计算"], ["计算结果"]),
    ("gap inside a group", ["means", data("gap_in_r.csv"), "--print"], 1, [],
     ["缺项或类型错误！: 发现缺项或类型错误,请补足或校正后再计算", "selected: B4"], []),
    ("rows below the grid warned", ["means", data("beyond_grid.csv"), "--print"], 0,
     ["例数\t300\t300"], ["10 个数据位于输入表格 A1:B301 之外", "数据量太多,不进行Grubbs异常值检验"], []),
]

failures = 0
for name, args, code, stdout_has, stderr_has, stdout_lacks in cases:
    r = subprocess.run([cli] + args, capture_output=True, text=True)
    problems = []
    if r.returncode != code:
        problems.append(f"exit {r.returncode}, expected {code}")
    problems += [f"stdout lacks {t!r}" for t in stdout_has if t not in r.stdout]
    problems += [f"stderr lacks {t!r}" for t in stderr_has if t not in r.stderr]
    problems += [f"stdout has {t!r}" for t in stdout_lacks if t in r.stdout]
    if "-o" in args and code == 0 and not (os.path.exists(report) and os.path.getsize(report) > 0):
        problems.append(f"{report} not written")
    print(("FAIL " if problems else "ok   ") + name + ("" if not problems else ": " + "; ".join(problems)))
    if problems:
        print("  stdout:", r.stdout[:800], "\n  stderr:", r.stderr[:800])
        failures += 1
sys.exit(1 if failures else 0)
