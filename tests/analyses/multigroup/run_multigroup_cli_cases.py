#!/usr/bin/env python3
"""Runs `tavelmark-cli multigroup` as a user would: the worked example and
PlantGrowth, each refusal of the input with exit 1, its message and the cell
it selects, option values the command line refuses with exit 2, a saved
analysis that `run` replays to the same report, and --extended, which adds
the second sheet and leaves Sheet1 as it was (in the --print text and, with
openpyxl, in the .xlsx cell for cell).

usage: run_multigroup_cli_cases.py TAVELMARK_CLI DATA_DIR
"""
import json
import os
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

cli, data_dir = sys.argv[1], Path(sys.argv[2])
tmp = Path(tempfile.mkdtemp(prefix="tavelmark-multigroup-"))
example, plant = str(data_dir / "example.csv"), str(data_dir / "plantgrowth.csv")
report = str(tmp / "multigroup.xlsx")


def changed_example(name, change):
    """The worked example with some cells changed: {(row, column): text}, both from 1."""
    rows = [line.split(",") for line in (data_dir / "example.csv").read_text(encoding="utf-8").splitlines()]
    for (row, column), text in change.items():
        while len(rows) < row:
            rows.append([""] * len(rows[0]))
        rows[row - 1][column - 1] = text
    path = tmp / name
    path.write_text("\n".join(",".join(r) for r in rows) + "\n", encoding="utf-8")
    return str(path)


def written(name, text):
    path = tmp / name
    path.write_text(text, encoding="utf-8")
    return str(path)


GAP = changed_example("gap.csv", {(5, 4): ""})
TEXT = changed_example("text.csv", {(3, 3): "4 5"})
ONE_VALUE = changed_example("one_value.csv", {(row, 2): "" for row in range(3, 10)})
ONE_GROUP = written("one_group.csv", "模型组\n1\n2\n3\n")
ALL_EQUAL = written("all_equal.csv", "甲,乙,丙\n5,5,5\n5,5,5\n5,5\n")

# PlantGrowth against ctrl; the figures are R's (the reference list,
# tests/analyses/multigroup/data/reference.R) at the report's four decimals.
PLANT_FIGURES = [
    "组间\t3.7663\t2\t1.8832\t4.8461\t0.0159",        # F 4.846088, P 0.0159100
    "trt1 - ctrl\t-0.3710\t0.2788\t1.3308\t27\t0.3227\t-1.0215\t0.2795",  # Dunnett P 0.3226957, limits
    "trt2 - ctrl\t0.4940\t0.2788\t1.7720\t27\t0.1535",  # Dunnett P 0.1534859
    "trt2 - trt1\t0.8650\t0.1971\t4.3880\t27\t0.0120\t0.1738\t1.5562\t*",  # Tukey q 4.388004, P 0.01200642
    "Welch F\t5.1810\t2\t17.1284\t0.0174",             # 5.18097 on 2, 17.1284, P 0.0173928
    "Kruskal-Wallis Hc\t7.9882\t2\t\t0.0184",           # 7.98823, P 0.0184238
    "η²\t0.2641\t0.0099\t0.4639",                      # 0.264148 (0.00990397-0.463896)
]

# (name, arguments, exit code, on stdout, on stderr, not on stdout)
cases = [
    ("worked example", ["multigroup", example, "--print"], 0,
     ["多组均数分析(方差分析、多重比较及非参检验)计算结果", "与模型组比较(Dunnett法)", "两两比较(Tukey法)",
      "低剂量组 - 模型组\t-7.1125"], [], ["[扩展结果]"]),
    ("worked example to .xlsx", ["multigroup", example, "-o", report], 0, [], [], []),
    ("PlantGrowth against ctrl", ["multigroup", "--control", "ctrl", plant, "--print"], 0,
     PLANT_FIGURES + ["与ctrl比较(Dunnett法)"], [], []),
    ("the control window's report", ["multigroup", "--focus", "against-reference", example, "--print"], 0,
     ["各实验组与对照组均数比较(Dunnett法、Welch法及非参检验)计算结果"], [], []),
    ("a normal control and Welch's path always",
     ["multigroup", "--normal-control", "正常对照组", "--unequal-variances", example, "--print"], 0,
     ["按“始终按方差不齐处理”的设置", "Welch方差分析", "模型组\t8\t87.2125"], [], ["单因素方差分析\n"]),

    # Refused input: exit 1, the message box's title and text, the cell selected.
    ("a gap inside a column", ["multigroup", GAP, "--print"], 1, [],
     ["缺项或类型错误！: 发现缺项或类型错误,请补足或校正后再计算", "selected: D5"], ["计算结果"]),
    ("text among the values", ["multigroup", TEXT, "--print"], 1, [],
     ["缺项或类型错误！: 发现缺项或类型错误,请补足或校正后再计算", "selected: C3"], ["计算结果"]),
    ("a group of one value", ["multigroup", ONE_VALUE, "--print"], 1, [],
     ["数据量不足: “模型组”组数据量太少(每组至少2个数据),无法计算", "selected: B3"], []),
    ("one group", ["multigroup", ONE_GROUP, "--print"], 1, [],
     ["数据量不足: 至少需要两组数据,请在第1行填入各组组名,其下填入数据后再计算", "selected: B1"], []),
    ("every value equal", ["multigroup", ALL_EQUAL, "--print"], 1, [],
     ["数据无变异！: 各组全部数据均相等,无变异,无法比较", "selected: A2:C4"], []),
    ("a reference group the grid lacks", ["multigroup", "--control", "溶媒组", example, "--print"], 1, [],
     ["参照组错误！: 表中没有名为“溶媒组”的组,请重新选择参照组", "selected: A1:F1"], []),
    ("the normal control is the default reference", ["multigroup", "--normal-control", "模型组", example, "--print"],
     1, [], ["参照组错误！: 模型组与正常对照组不能是同一组,请重新选择", "selected: B1"], []),

    # Option values the command line refuses: usage errors, nothing run.
    ("unknown focus", ["multigroup", "--focus", "pairs", example, "--print"], 2, [],
     ["--focus pairs: ", "“all-pairs”或“against-reference”"], ["计算结果"]),
    ("one group both references",
     ["multigroup", "--control", "模型组", "--normal-control", "模型组", example, "--print"], 2, [],
     ["--control 模型组 --normal-control 模型组: ", "不能是同一组"], ["计算结果"]),
    ("--control without a name", ["multigroup", example, "--control"], 2, [], ["--control"], []),
]

failures = []
if run_cases(cli, [
        Case(name, args, exit=code, stdout_has=stdout_has, stderr_has=stderr_has, stdout_lacks=stdout_lacks,
             writes=report if "-o" in args and code == 0 else None,
             leaves_out=[report] if code != 0 else [])
        for name, args, code, stdout_has, stderr_has, stdout_lacks in cases]):
    failures.append("a command-line case failed")


def run(args):
    return subprocess.run([cli] + [str(a) for a in args], capture_output=True, text=True)


# A saved analysis keeps the grid and every option, and `run` prints the very report.
saved = tmp / "saved.tavelmark"
options = ["--control", "模型组", "--normal-control", "正常对照组", "--unequal-variances",
           "--focus", "against-reference", "--extended"]
first = run(["multigroup"] + options + [example, "--print", "--save-analysis", saved])
again = run(["run", saved, "--print"])
if first.returncode != 0 or again.returncode != 0 or first.stdout != again.stdout or not first.stdout:
    failures.append(f"run of the saved analysis printed another report (exit {first.returncode} / {again.returncode})")
kept = json.loads(saved.read_text(encoding="utf-8"))
expected = {"reference": "模型组", "normalControl": "正常对照组", "alwaysUnequalVariances": True,
            "focus": "against-reference", "extended": True}
if kept.get("analysis") != "multigroup" or kept.get("options") != expected:
    failures.append(f"the saved analysis holds {kept.get('analysis')!r} {kept.get('options')!r}")

# A saved option the command line would refuse is refused from the file too.
kept["options"]["focus"] = "pairs"
bad = tmp / "bad.tavelmark"
bad.write_text(json.dumps(kept, ensure_ascii=False), encoding="utf-8")
refused = run(["run", bad, "--print"])
if refused.returncode != 1 or refused.stdout or "focus" not in refused.stderr:
    failures.append(f"run of a file with a bad focus: exit {refused.returncode}, {refused.stderr[:200]!r}")

# --extended: the text of Sheet1 as without it, then the second sheet.
plain = run(["multigroup", example, "-o", tmp / "plain.xlsx", "--print"])
extended = run(["multigroup", "--extended", example, "-o", tmp / "extended.xlsx", "--print"])
marker = "\n[扩展结果]\n"
if plain.returncode or extended.returncode or not extended.stdout.startswith(plain.stdout + marker):
    failures.append("--extended changed the first sheet's text or lacks the second sheet")
elif "Dunnett临界值(双侧,α=0.05)\t2.6139" not in extended.stdout:
    failures.append("the second sheet lacks Dunnett's critical value")

try:
    import openpyxl
except ImportError:
    openpyxl = None
if openpyxl and not failures:
    def look(ws):
        cells = {c.coordinate: (c.value, c.number_format, c.font.name, c.font.sz, c.font.color.rgb if c.font.color else None,
                                c.border.top.style, c.border.bottom.style, c.alignment.horizontal)
                 for row in ws.iter_rows() for c in row}
        return cells, {k: d.width for k, d in ws.column_dimensions.items()}, len(ws._charts), len(ws._images)

    books = [openpyxl.load_workbook(tmp / name) for name in ("plain.xlsx", "extended.xlsx")]
    if books[0].sheetnames != ["Sheet1"] or books[1].sheetnames != ["Sheet1", "扩展结果"]:
        failures.append(f"sheets {books[0].sheetnames} / {books[1].sheetnames}")
    elif look(books[0]["Sheet1"]) != look(books[1]["Sheet1"]):
        failures.append("Sheet1 of the .xlsx differs with --extended")
    elif look(books[0]["Sheet1"])[2] != 1:
        failures.append("Sheet1 of the .xlsx holds no chart")

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("the several-groups command line: reports, refusals, usage errors, saved analyses and --extended")
