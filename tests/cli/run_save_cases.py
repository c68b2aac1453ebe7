"""Saving a report from tavelmark-cli: a save replaces its target whole or not at all.

usage: run_save_cases.py TAVELMARK_CLI TESTS_DIR

Targets that are not regular files are refused and left as they were; a folder
that cannot take the file is named with the real cause; `-o -` writes the
workbook to standard output; two processes saving to one name at the same
time leave one complete report; the saved file gets the permissions a plain
write would give it.
"""
import errno
import io
import os
import pty
import shutil
import stat
import subprocess
import sys
import tempfile

import openpyxl

cli, tests = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
ldk_example = os.path.join(tests, "analyses/ldk_compare/data/example.csv")
rates_example = os.path.join(tests, "analyses/rates/data/example.csv")
work = tempfile.mkdtemp(prefix="tavelmark-save-")
failures = []


def check(name, problems):
    print(("FAIL " if problems else "ok   ") + name + ("" if not problems else ": " + "; ".join(problems)))
    if problems:
        failures.append(name)


def run(args, cwd=work, umask=None, stdout=subprocess.PIPE):
    return subprocess.run([cli] + args, cwd=cwd, stdout=stdout, stderr=subprocess.PIPE, timeout=60,
                          preexec_fn=(lambda: os.umask(umask)) if umask is not None else None)


def fresh_folder(name):
    folder = os.path.join(work, name)
    os.makedirs(folder)
    return folder


def node(path):
    """What must not change about a refused target: kind, identity, device, link text, contents."""
    st = os.lstat(path)
    link = os.readlink(path) if stat.S_ISLNK(st.st_mode) else None
    listing = sorted(os.listdir(path)) if stat.S_ISDIR(st.st_mode) else None
    return (stat.S_IFMT(st.st_mode), st.st_ino, st.st_rdev, link, listing)


def report_cells(source):
    """Every filled cell of a workbook (a path or its bytes), as openpyxl reads it."""
    book = openpyxl.load_workbook(io.BytesIO(source) if isinstance(source, bytes) else source)
    return [(ws.title, c.coordinate, c.value) for ws in book for row in ws.iter_rows() for c in row
            if c.value is not None]


# --- Targets that are not regular files: refused with exit 2, left as they were.
def null_device(folder):
    """The null device; for root a private copy of it, since a broken save run
    as root would replace the real /dev/null (others cannot write to /dev)."""
    if os.geteuid() != 0:
        return "/dev/null"
    path = os.path.join(folder, "null")
    os.mknod(path, 0o666 | stat.S_IFCHR, os.makedev(1, 3))
    return path


def fifo(folder):
    path = os.path.join(folder, "pipe.xlsx")
    os.mkfifo(path)
    return path


def directory(folder):
    path = os.path.join(folder, "report.xlsx")
    os.mkdir(path)
    return path


def link_to_null(folder):
    path = os.path.join(folder, "link.xlsx")
    os.symlink(null_device(folder), path)
    return path


def link_to_fifo(folder):
    path = os.path.join(folder, "link.xlsx")
    os.symlink(fifo(folder), path)
    return path


non_regular = [("the null device", null_device), ("a FIFO", fifo),
               ("a directory", directory), ("a symlink to the null device", link_to_null),
               ("a symlink to a FIFO", link_to_fifo)]
for name, make in non_regular:
    folder = fresh_folder("target " + name)
    target = make(folder)
    before, listing = node(target), sorted(os.listdir(folder))
    r = run(["ldk-compare", ldk_example, "-o", target])
    problems = []
    if r.returncode != 2:
        problems.append(f"exit {r.returncode}, expected 2")
    if "不是普通文件" not in r.stderr.decode():
        problems.append(f"stderr {r.stderr.decode()!r} does not say it is not a regular file")
    if node(target) != before:
        problems.append("the target was changed")
    if sorted(os.listdir(folder)) != listing:
        problems.append(f"folder now holds {sorted(os.listdir(folder))}")
    check("refused: " + name, problems)


# --- Folders that cannot take the file (for root too): the message names the real cause.
def missing_folder(folder):
    return os.path.join(folder, "no such folder", "report.xlsx"), errno.ENOENT


def under_a_regular_file(folder):
    plain = os.path.join(folder, "plain.txt")
    open(plain, "w").close()
    return os.path.join(plain, "report.xlsx"), errno.ENOTDIR


for name, make in [("a missing folder", missing_folder), ("a path under a regular file", under_a_regular_file)]:
    folder = fresh_folder("folder " + name)
    target, cause = make(folder)
    listing = sorted(os.listdir(folder))
    r = run(["ldk-compare", ldk_example, "-o", target])
    err, problems = r.stderr.decode(), []
    if r.returncode != 2:
        problems.append(f"exit {r.returncode}, expected 2")
    said = [line for line in err.splitlines() if line.startswith("无法保存文件") and target in line]
    if not said or os.strerror(cause) not in said[0] or "Success" in err:
        problems.append(f"stderr {err!r} does not say 无法保存文件 {target}: {os.strerror(cause)}")
    if sorted(os.listdir(folder)) != listing:
        problems.append(f"left {sorted(os.listdir(folder))}")
    check("unwritable: " + name, problems)


# --- `-o -`: the workbook on standard output for a pipeline, never onto a terminal or mixed with --print.
folder = fresh_folder("stdout")
r = run(["ldk-compare", ldk_example, "-o", "-"], cwd=folder)
problems = [] if r.returncode == 0 else [f"exit {r.returncode}: {r.stderr.decode()!r}"]
if os.listdir(folder):
    problems.append(f"wrote {os.listdir(folder)} instead of standard output")
elif not r.stdout.startswith(b"PK") or ("Sheet1", "A2", "LDk两两对比计算结果") not in report_cells(r.stdout):
    problems.append(f"standard output is not the report ({r.stdout[:20]!r})")
check("-o - writes the workbook to standard output", problems)

for name, args in [("--print", ["ldk-compare", ldk_example, "--print"]),
                   ("--ldk", ["bliss", os.path.join(tests, "analyses/bliss/data/example.csv"), "--ldk", "50"])]:
    r = run(args + ["-o", "-"], cwd=folder)
    check(f"-o - with {name} is a usage error",
          [] if r.returncode == 2 and not r.stdout and not os.listdir(folder) else [f"exit {r.returncode}"])

main_end, terminal = pty.openpty()
try:
    r = run(["ldk-compare", ldk_example, "-o", "-"], cwd=folder, stdout=terminal)
finally:
    os.close(terminal)
    os.close(main_end)
check("-o - onto a terminal is a usage error",
      [] if r.returncode == 2 and not os.listdir(folder) else [f"exit {r.returncode}"])


# --- Permissions: a new file as a plain create gives it, a replaced file keeps its own.
folder = fresh_folder("permissions")
for name, existing_mode, expected in [("new file under umask 027", None, 0o640),
                                      ("replaced file keeps 0604", 0o604, 0o604)]:
    target = os.path.join(folder, name.replace(" ", "_") + ".xlsx")
    if existing_mode is not None:
        with open(target, "w") as f:
            f.write("old")
        os.chmod(target, existing_mode)
    r = run(["ldk-compare", ldk_example, "-o", target], umask=0o027)
    mode = stat.S_IMODE(os.stat(target).st_mode) if os.path.exists(target) else None
    check("permissions: " + name,
          [] if r.returncode == 0 and mode == expected else [f"exit {r.returncode}, mode {mode and oct(mode)}"])


# --- Names and links a save writes through: a name of 255 bytes, the most a
# folder takes; a symlink to no file yet, whose file is created as `cp` creates it.
folder = fresh_folder("written through")
long_name = "批" * 83 + ".xlsx"  # 249 + 5 bytes
os.symlink("made/by/the/save.xlsx", os.path.join(folder, "dangling.xlsx"))
os.makedirs(os.path.join(folder, "made/by/the"))
for name, target, written in [("a name of 254 bytes", long_name, long_name),
                              ("a dangling symlink", "dangling.xlsx", "made/by/the/save.xlsx")]:
    r = run(["ldk-compare", ldk_example, "-o", os.path.join(folder, target)])
    problems = [] if r.returncode == 0 else [f"exit {r.returncode}: {r.stderr.decode()!r}"]
    path = os.path.join(folder, written)
    if not os.path.isfile(path) or ("Sheet1", "A2", "LDk两两对比计算结果") not in report_cells(path):
        problems.append(f"{written} does not hold the report")
    link = os.path.join(folder, target)
    if target == "dangling.xlsx" and (not os.path.islink(link) or os.readlink(link) != "made/by/the/save.xlsx"):
        problems.append("the link was replaced")
    check("written: " + name, problems)
leftovers = [os.path.join(d, f) for d, _, files in os.walk(folder) for f in files
             if f not in (long_name, "dangling.xlsx", "save.xlsx")]
check("no temporary file left", [f"left {leftovers}"] if leftovers else [])


# --- Two saves to one name at once: the file always holds one whole report.
folder = fresh_folder("concurrent")
alone = {}
for key, args in [("ldk", ["ldk-compare", ldk_example]), ("rates", ["rates", "--all", rates_example])]:
    path = os.path.join(work, key + ".xlsx")
    run(args + ["-o", path])
    alone[key] = (args, report_cells(path))
target = os.path.join(folder, "same.xlsx")
problems = []
for attempt in range(20):
    processes = {key: subprocess.Popen([cli] + args + ["-o", target], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.PIPE) for key, (args, _) in alone.items()}
    succeeded = {key for key, p in processes.items() if p.wait(timeout=60) == 0}
    errors = b"".join(p.stderr.read() for p in processes.values()).decode()
    for p in processes.values():
        p.stderr.close()
    try:
        cells = report_cells(target)
    except Exception as e:  # a corrupt zip or a half-written sheet
        problems.append(f"try {attempt + 1}: unreadable file ({e.__class__.__name__}: {e})")
        continue
    holds = {key for key, (_, expected) in alone.items() if cells == expected}
    if not holds:
        problems.append(f"try {attempt + 1}: the file holds neither report whole")
    elif not holds <= succeeded:
        problems.append(f"try {attempt + 1}: holds the report of a failed process ({errors!r})")
    if succeeded != set(alone):
        problems.append(f"try {attempt + 1}: a save failed: {errors!r}")
    if os.listdir(folder) != ["same.xlsx"]:
        problems.append(f"try {attempt + 1}: left {sorted(os.listdir(folder))}")
check("two saves to one name at once, 20 times", problems)

shutil.rmtree(work)
sys.exit(1 if failures else 0)
