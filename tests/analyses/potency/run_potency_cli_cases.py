"""Runs `tavelmark-cli potency` as a user would: the worked example, each
refusal of the input (exit 1, its message and the cell it selects), option
values the command refuses (exit 2), and a saved analysis replayed by `run`.

usage: run_potency_cli_cases.py TAVELMARK_CLI DATA_DIR
"""
import json
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

cli, data_dir = sys.argv[1], sys.argv[2]
scratch = tempfile.mkdtemp(prefix="tavelmark-potency-")
example = os.path.join(data_dir, "example.csv")
controls = os.path.join(data_dir, "controls.csv")
report = os.path.join(scratch, "potency.xlsx")
HEADINGS = "制剂,剂量(D),例数(n),阳性数\n"


def grid(name, rows):
    """A CSV grid under the headings, one dose group a line."""
    path = os.path.join(scratch, name + ".csv")
    with open(path, "w", encoding="utf-8") as f:
        f.write(HEADINGS + "".join(row + "\n" for row in rows))
    return path


# Two small preparations that pass every check; each refusal changes one thing.
A = ["A,1,10,2", ",2,10,5", ",4,10,8"]
B = ["B,1,10,1", ",2,10,4", ",4,10,9"]

# (name, rows, message on standard error, cell selected); figures from the
# issue's wording of each refusal and the Bliss window's cell checks.
REFUSALS = [
    ("one preparation", A, "提示！: 至少需要两种制剂才能比较效价", None),
    ("two doses", A + ["B,1,10,1", ",2,10,4"], "提示！: 制剂「B」剂量组数太少(<3),无法计算", "A5"),
    ("one distinct dose", A + ["B,2,10,1", ",2,10,4", ",2,10,9"], "提示！: 制剂「B」各组剂量相同,无法进行回归计算", "A5"),
    ("no rate between 0 and 100 %", A + ["B,1,10,0", ",2,10,0", ",4,10,10"],
     "提示！: 制剂「B」没有阳性率介于0与100%之间的组,斜率无法估计", "A5"),
    ("name again after another", A + B + ["A,8,10,9"],
     "数据录入错误！: 制剂「A」在第8行再次出现,同一制剂的各组应连续排列", "A8"),
    ("shared controls all positive", ["对照,0,20,20"] + A + B, "提示！: 对照组阳性率为100%,无法计算", "D2"),
    ("own controls all positive", A + ["B,0,15,15"] + B[1:] + [",1,10,1"],
     "提示！: 对照组阳性率为100%,无法计算", "D5"),
    ("text cell", A + ["B,1,10,1", ",2,abc,4", ",4,10,9"], "类型不匹配！: 本例有6组,发现空单元格或类型不匹配", "C6"),
    ("empty cell", A + ["B,1,10,1", ",2,,4", ",4,10,9"], "类型不匹配！: 本例有6组,发现空单元格或类型不匹配", "C6"),
    ("negative dose", A + ["B,-1,10,1", ",2,10,4", ",4,10,9"], "数据类型错误或超出范围！: 给药剂量应为正数", "B5"),
    ("positives above n", A + ["B,1,10,11", ",2,10,4", ",4,10,9"], "超出范围！: 动物阳性数不得大于每组例数", "D5"),
    ("fractional n", A + ["B,1,10.5,1", ",2,10,4", ",4,10,9"], "数据类型错误或超出范围！: 每组的例数应为非0频数", "C5"),
    ("fractional positives", A + ["B,1,10,1.5", ",2,10,4", ",4,10,9"], "数据类型错误或超出范围！: 每组的阳性数应为频数", "D5"),
]

cases = [
    # Finney's aphids (Martin 1942), the reference figures: parallel
    # lines 0.4639 (0.3303, 0.6673); parallelism G² 10.636, p 0.0049, F 3.12.
    Case("worked example", ["potency", example, "--print"],
         stdout_has=["鱼藤酮/鱼藤素\t0.4639\t0.3303\t0.6673", "鱼藤酮/混合物\t0.7168\t0.5133\t1.0199",
                     "平行性\t10.6355\t2\t0.0049\t3.1198", "平行性检验P<0.05,相对效价仅供参考",
                     "鱼藤素\tLD10\t3.2293", "\tLD50\t9.9051\t5.0899\t14.6258"],
         stdout_lacks=["[扩展结果]", "nan", "inf"]),
    Case("worked example to .xlsx", ["potency", example, "-o", report], writes=report),
    Case("reference, link, natural response, LDk and the second sheet",
         ["potency", "--link", "logit", "--natural", "estimate", "--reference", "B", "--ldk", "95",
          "--ldk", "2.5", "--extended", controls, "--print"],
         stdout_has=["logit模型; 自然反应率: 作为参数估计; 参比制剂: B", "B/A\t", "\tLD95\t", "\tLD2.5\t",
                     "[扩展结果]"]),
    Case("unknown reference", ["potency", "--reference", "C", example, "--print"], exit=1,
         stderr_has=["提示！: 参比制剂「C」不在本例数据中"], leaves_out=[report]),
]
for name, rows, message, cell in REFUSALS:
    cases.append(Case(name, ["potency", grid(name.replace(" ", "_"), rows), "-o", report], exit=1,
                      stderr_has=[message] + ([f"selected: {cell}"] if cell else []), leaves_out=[report]))
for args, says in [(["--link", "cloglog"], "--link cloglog: "), (["--natural", "Abbott"], "--natural Abbott: "),
                   (["--ldk", "100"], "--ldk 100: "), (["--ldk", "0"], "--ldk 0: "), (["--ldk", "1e1"], "--ldk 1e1: "),
                   (["--ldk", "-5"], "--ldk")]:
    cases.append(Case("option " + " ".join(args), ["potency"] + args + [example, "-o", report], exit=2,
                      stderr_has=[says], leaves_out=[report]))

failures = run_cases(cli, cases)

# A saved analysis replays to the very report the command printed, its
# options kept as the analysis file holds them.
saved = os.path.join(scratch, "saved.tavelmark")
args = ["potency", "--link", "logit", "--natural", "abbott", "--reference", "B", "--ldk", "99", "--extended",
        controls, "--print", "--save-analysis", saved]
first = subprocess.run([cli] + args, capture_output=True, text=True)
again = subprocess.run([cli, "run", saved, "--print"], capture_output=True, text=True)
with open(saved, encoding="utf-8") as f:
    options = json.load(f)["options"]
expected = {"link": "logit", "natural": "abbott", "reference": "B", "ldk": [99], "extended": True}
if first.returncode or again.returncode or first.stdout != again.stdout or options != expected:
    print(f"FAIL run of a saved analysis: exit {first.returncode}/{again.returncode}, "
          f"same report: {first.stdout == again.stdout}, options {options}")
    failures = 1
else:
    print("ok   run of a saved analysis prints the same report")
sys.exit(failures)
