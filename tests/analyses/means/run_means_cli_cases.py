"""Runs `tavelmark-cli means` as a user would and checks exit codes and output.

usage: run_means_cli_cases.py TAVELMARK_CLI DATA_DIR
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

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

sys.exit(run_cases(cli, [
    Case(name, args, exit=code, stdout_has=stdout_has, stderr_has=stderr_has, stdout_lacks=stdout_lacks,
         writes=report if "-o" in args and code == 0 else None)
    for name, args, code, stdout_has, stderr_has, stdout_lacks in cases]))
