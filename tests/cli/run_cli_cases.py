"""Runs tavelmark-cli as a user would and checks exit codes and output.

usage: run_cli_cases.py TAVELMARK_CLI TESTS_DIR
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

cli, tests = sys.argv[1], sys.argv[2]
data = lambda *p: os.path.join(tests, *p)
out_dir = tempfile.mkdtemp(prefix="tavelmark-cli-")
report = os.path.join(out_dir, "ldk.xlsx")
example = data("analyses/ldk_compare/data/example.csv")
bliss_example = data("analyses/bliss/data/example.csv")
refused = report + ".no"


def case(name, args, code, stdout_has, stderr_has, written):
    return Case(name, args, exit=code, stdout_has=[stdout_has], stderr_has=[stderr_has], writes=written,
                leaves_out=[refused] if code == 1 else [])


cases = [
    case("example printed", ["ldk-compare", example, "--print"], 0, "第1批\t0.031817 +\t0.072005 -", "", None),
    case("example to xlsx", ["ldk-compare", example, "-o", report], 0, "", "", report),
    case("text cell refused", ["ldk-compare", data("cli/data/ldk_text_cell.csv"), "-o", refused],
         1, "", "数据类型错误或超出范围: 录入的数据类型错误或超出范围\nselected: B3", None),
    case("rows beyond the grid warned", ["ldk-compare", data("files/data/ldk_too_many_rows.csv"), "--print"],
         0, "LDk两两对比计算结果", "有 2 个数据位于输入表格 A1:C11 之外", None),
    case("count mismatch refused", ["ldk-compare", data("cli/data/ldk_count_mismatch.csv"), "-o", refused],
         1, "", "数据量不等错误！: LD50与L95的数据量应相等", None),
    case("empty file refused", ["ldk-compare", data("cli/data/empty.csv"), "-o", refused],
         1, "", "数据量不足错误！: 请至少录入一批LD50与L95数据", None),
    case("binary file refused", ["ldk-compare", data("files/data/not_a_csv.csv"), "-o", refused],
         1, "", "编码无法识别", None),
    case("directory as input", ["ldk-compare", data("cli"), "-o", refused], 2, "", "cli", None),
    case("no output chosen", ["ldk-compare", example], 2, "", "-o", None),
    case("missing input", ["ldk-compare", data("nothing.csv"), "--print"], 2, "", "", None),
    case("unknown subcommand", ["frobnicate"], 2, "", "", None),
]

# Standard output that cannot take the report: a full device, or closed as
# `>&-` leaves it. The cause is told and the exit code says it failed, also
# for what an analysis prints after its report (the Bliss --ldk lines).
with open("/dev/full", "w") as full:
    cases += [
        Case("--print to a full device", ["ldk-compare", example, "--print"], exit=2, stdout_to=full,
             stderr_has=["无法写到标准输出: No space left on device"]),
        Case("--ldk lines to a full device", ["bliss", "--ldk", "50", bliss_example, "-o", report], exit=2,
             stdout_to=full, stderr_has=["无法写到标准输出"]),
        Case("--print to a closed standard output", ["ldk-compare", example, "--print"], exit=2,
             stdout_to="closed", stderr_has=["无法写到标准输出: Bad file descriptor"]),
        Case("a closed standard output is no file to print into", ["ldk-compare", example, "--print", "-o", report],
             exit=2, stdout_to="closed", writes=report,
             checks=[lambda r: None if open(report, "rb").read(2) == b"PK" else "the report holds other bytes"]),
    ]
    sys.exit(run_cases(cli, cases))
