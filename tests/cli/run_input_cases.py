"""Runs tavelmark-cli on input files as users produce them: what is a number,
which encodings are read, and which files are refused.

usage: run_input_cases.py TAVELMARK_CLI TESTS_DIR
"""
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from cli_cases import Case, run_cases  # noqa: E402

cli, tests = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="tavelmark-input-")
refused_report = os.path.join(work, "refused.xlsx")
ldk_example = open(os.path.join(tests, "analyses/ldk_compare/data/example.csv"), encoding="utf-8").read()
means_example = open(os.path.join(tests, "analyses/means/data/example.csv"), encoding="utf-8").read()


def write(name, data):
    path = os.path.join(work, name)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
    return path


def ldk_with(ld50_row2="14", l95_row3="5"):
    return f"LDk,LD50,L95\n第1批,{ld50_row2},2.9\n第2批,20,{l95_row3}\n第3批,18,3.2\n"


# The spreadsheet's "Unicode text": tab separated UTF-16 with a byte order mark.
unicode_text = ldk_example.replace(",", "\t").replace("\n", "\r\n")
ldk_example_printed = "第1批\t0.031817 +\t0.072005 -"
type_refusal = "数据类型错误或超出范围: 录入的数据类型错误或超出范围"

# (name, arguments, exit code, texts expected on stdout, texts expected on stderr, texts absent from stdout)
cases = [
    # Infinities and NaN are text wherever they stand; the input checks refuse them.
    ("inf as an LD50", ["ldk-compare", write("inf.csv", ldk_with(ld50_row2="inf"))], 1,
     [], [type_refusal, "selected: B2"], []),
    ("signed NaN as an L95", ["ldk-compare", write("nan.csv", ldk_with(l95_row3="-NaN"))], 1,
     [], [type_refusal, "selected: C3"], []),
    ("+Infinity as an LD50", ["ldk-compare", write("pinf.csv", ldk_with(ld50_row2="+Infinity"))], 1,
     [], [type_refusal, "selected: B2"], []),
    ("a heading inf stays a heading",
     ["means", write("means_inf.csv", means_example.replace("T组", "inf", 1))], 0,
     ["原始数据", "\tinf\tR组"], [], ["#NUM!"]),
    ("nan inside a group of means",
     ["means", write("means_nan.csv", means_example.replace("\n32,33\n", "\nnan,33\n", 1))], 1,
     [], ["缺项或类型错误！: 发现缺项或类型错误,请补足或校正后再计算", "selected: A3"], []),
    ("inf in a 2x2 table",
     ["rates", write("rates_inf.csv", ",阳性数,阴性数\nR组,12,inf\nT组,19,11\n")], 1,
     [], ["数据录入错误！: 数据录入区的数据只能为频数"], []),
    # Encodings.
    ("UTF-16LE with BOM (Unicode text)",
     ["ldk-compare", write("utf16le.txt", unicode_text.encode("utf-16"))], 0,
     [ldk_example_printed], [], []),
    ("UTF-16BE with BOM",
     ["ldk-compare", write("utf16be.txt", b"\xfe\xff" + unicode_text.encode("utf-16-be"))], 0,
     [ldk_example_printed], [], []),
    ("GBK", ["ldk-compare", write("gbk.csv", ldk_example.encode("gbk"))], 0, [ldk_example_printed], [], []),
    ("UTF-8 with BOM", ["ldk-compare", write("bom.csv", b"\xef\xbb\xbf" + ldk_example.encode())], 0,
     [ldk_example_printed], [], []),
    ("UTF-16 without BOM refused",
     ["ldk-compare", write("utf16_no_bom.txt", unicode_text.encode("utf-16-le"))], 1, [], ["编码无法识别"], []),
    ("UTF-32 refused", ["ldk-compare", write("utf32.txt", unicode_text.encode("utf-32"))], 1,
     [], ["编码无法识别"], []),
    ("UTF-16 cut in the middle of a character",
     ["ldk-compare", write("utf16_odd.txt", unicode_text.encode("utf-16") + b"\x31")], 1, [], ["编码无法识别"], []),
    ("UTF-16 with a lone surrogate",
     ["ldk-compare", write("utf16_surrogate.txt", unicode_text.encode("utf-16") + b"\x00\xd8\x41\x00")], 1,
     [], ["编码无法识别"], []),
]

# A refused input is given -o and must leave no report; the others are printed.
sys.exit(run_cases(cli, [
    Case(name, args + (["--print"] if code == 0 else ["-o", refused_report]), exit=code, stdout_has=stdout_has,
         stderr_has=stderr_has, stdout_lacks=stdout_lacks, leaves_out=[refused_report] if code != 0 else [])
    for name, args, code, stdout_has, stderr_has, stdout_lacks in cases]))
