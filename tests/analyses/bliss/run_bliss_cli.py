"""Runs `tavelmark-cli bliss` as a user would: exit codes, standard output and
error, and the .xlsx read back with openpyxl (an independent reader).

usage: run_bliss_cli.py TAVELMARK_CLI DATA_DIR
Exit 77 (skipped) when openpyxl is not installed.
"""
import os
import sys
import tempfile

try:
    import openpyxl
except ImportError:
    print("openpyxl not installed: skipped")
    sys.exit(77)

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

cli, data_dir = sys.argv[1], sys.argv[2]
example = os.path.join(data_dir, "example.csv")
out_dir = tempfile.mkdtemp(prefix="tavelmark-bliss-")
report = os.path.join(out_dir, "bliss.xlsx")
refused = os.path.join(out_dir, "refused.xlsx")
all_options = ["--intermediate", "--fieller", "--heterogeneity", "--chart"]

# (name, arguments, exit code, texts expected on stdout, texts expected on stderr)
cases = [
    ("worked example with every option", ["bliss", *all_options, example, "-o", report], 0, [], []),
    ("LDk lines", ["bliss", "--ldk", "95", "--ldk", "5", example, "--print"], 0,
     ["LDk\t27.138302\nL95\t21.65～34.01\nML95\t6.179327\n"
      "LDk\t7.422118\nL95\t5.92～9.31\nML95\t1.695139\n", "12.5392～16.0635"], []),
    # The ends of the calculator's own range, 0.001 and 99.999 excluded, are computed.
    ("LDk at the ends of the range", ["bliss", "--ldk", "0.0011", "--ldk", "99.998", example, "--print"], 0,
     ["LDk\t2.66357\nL95\t1.61～4.41\n", "LDk\t71.668163\nL95\t43.99～116.77\n"], []),
    # Doses up to 1.75e308 (the worked example times 5e306): LD95 and its limits are
    # finite, LD99's upper limit is beyond the largest double, and says so.
    ("LDk beyond the range of numbers",
     ["bliss", "--ldk", "95", "--ldk", "99", os.path.join(data_dir, "largest_doses.csv"), "--print"], 0,
     ["LDk\t1.3569151243411E+308\n", "LDk\t\nL95\t\nML95\t\n"],
     ["--ldk 99: LDk或其95%可信限超出数值范围, 无法计算"]),
    ("background 10 % drops the 0 of 20 group",
     ["bliss", "--background", "10", example, "--print"], 0,
     ["(本底死亡率为:10%)"], ["提示！: 实验死亡率小于本底死亡率,该组不参与计算"]),
    ("positives above size refused",
     ["bliss", os.path.join(data_dir, "positives_above_size.csv"), "-o", refused], 1,
     [], ["超出范围！: 动物阳性数不得大于每组例数", "selected: D4"]),
    ("background of 100 %", ["bliss", "--background", "100", example, "--print"], 2,
     [], ["本底死亡率应在[0%,100%)之间,请重新输入"]),
    ("background not a number", ["bliss", "--background", "abc", example, "--print"], 2, [], []),
]
# A k the calculator does not compute (it computes 0.001 < k < 99.999) is a
# usage error, not a silent empty line.
cases += [(f"--ldk {k!r} refused", ["bliss", "--ldk", k, example, "--print"], 2, [],
           ["--ldk", "0.001 与 99.999 之间"])
          for k in ["0", "100", ".", "1.2.3", "0.000", "100.5", "-5", "abc", "1e1", "",
                    "0.0001", "0.001", "99.999", "99.9995"]]



def warned_once(r):
    if r.stderr.count("实验死亡率小于本底死亡率") != 1:
        return "the warning is not shown exactly once"
    return None


failures = run_cases(cli, [
    Case(name, args, exit=code, stdout_has=stdout_has, stderr_has=stderr_has,
         checks=[warned_once] if name.startswith("background 10") else [])
    for name, args, code, stdout_has, stderr_has in cases])

if os.path.exists(refused):
    print("FAIL a refused input wrote a report")
    failures += 1

# The report file, read back.
book = openpyxl.load_workbook(report)
sheet = book.worksheets[0]
expected_text = {
    "A1": "Quorin ver1.0 (Tavelmark for Windows)",
    "A2": "Bliss法(正规LD50计算)计算结果",
    "B4": "(本底死亡率为:0%)",
    "C8": "12.5392～16.0635",
    "C14": "-1.7316 + 5.8431×Log(D)",
    "H16": "第 3 轮",
    "C33": "12.47～16.15",
    "A34": "注:g值＝ .0852  g≤0.1,可忽略  不必作Feiller校正",
    "A39": "注:χ2值＝ 3.4078  P值= .492032  不必作异质性校正",
}
expected_number = {"C6": 14.1924, "C10": 5.8431, "C13": 0.0274, "C18": 7.24, "H33": 0.0287}
checks = []
for cell, text in expected_text.items():
    checks.append((f"{cell} text", sheet[cell].value == text, sheet[cell].value))
for cell, value in expected_number.items():
    v = sheet[cell].value
    checks.append((f"{cell} number", isinstance(v, float) and round(v, 4) == value, v))
checks.append(("C6 format", sheet["C6"].number_format == "0.0000_ ", sheet["C6"].number_format))
checks.append(("A4 rule", sheet["A4"].border.bottom.style == "medium", sheet["A4"].border.bottom.style))
checks.append(("A5 rule", sheet["A5"].border.bottom.style == "thin", sheet["A5"].border.bottom.style))

charts = sheet._charts
checks.append(("one chart", len(charts) == 1, len(charts)))
if charts:
    chart = charts[0]
    refs = []
    for s in chart.series:
        refs.append((s.xVal.numRef.f, s.yVal.numRef.f))
    checks.append(("scatter chart", chart.tagname == "scatterChart", chart.tagname))
    wanted = [("Sheet1!$A$18:$A$23", "Sheet1!$C$18:$C$23"), ("Sheet1!$A$18:$A$23", "Sheet1!$G$18:$G$23")]
    normalised = [(x.replace("'", ""), y.replace("'", "")) for x, y in refs]
    checks.append(("series cover rows 18 to 23", normalised == wanted, refs))

for what, ok, seen in checks:
    print(("ok   " if ok else "FAIL ") + "xlsx " + what + ("" if ok else f": found {seen!r}"))
    failures += 0 if ok else 1
sys.exit(1 if failures else 0)
