"""The rows of scripts/bench.sh's table and how each is measured.

usage: bench_rows.py REPO_ROOT BUILD_DIR RUNS

Each row is (what, how, target). `how` is one of
  Process(args)              median wall time of tavelmark-cli ARGS -o OUT.xlsx (hyperfine)
  ProcessBeside(args, ref)   the same, with the reference command REF timed right before
                             it in one hyperfine run, for a target relative to it
  Peak(args)                 largest resident set of a few such runs
  ReportSize(args)           size of the .xlsx written
  GoogleBenchmark(exe, name) real time of one benchmark under bench/
  Baseline()                 median wall time of `true`: how slow process start is now
  FirstPaint()               median wall time from launching the desktop program
                             to the first paint of its main window (hyperfine)
  TestCommand()              wall time of the README's test command on a fresh clone
                             of the repository's HEAD, ccache off; run only when
                             BENCH_TEST_COMMAND=1, for it takes minutes
The desktop rows run on an Xvfb server of their own (offscreen when there is
no Xvfb).
and target is (limit, unit), Times(factor) for a limit that many times the
figure of the reference a ProcessBeside row timed, or None for a figure kept
only as a reference.
Google benchmarks that no row names get a row of their own, without a target.
"""
import atexit
import functools
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass

root, build, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
cli = os.path.join(build, "cli", "tavelmark-cli")
scratch = tempfile.mkdtemp(prefix="tavelmark-bench-")
atexit.register(shutil.rmtree, scratch, ignore_errors=True)  # the test command's clone holds two builds
out = os.path.join(scratch, "report.xlsx")
env = dict(os.environ, TAVELMARK_RESOURCES=os.path.join(root, "resources"))


def start_xvfb():
    """DISPLAY of a fresh Xvfb server, stopped when the script ends; None without Xvfb."""
    read_end, write_end = os.pipe()
    try:
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1600x1000x24",
                                   "-nolisten", "tcp"], pass_fds=(write_end,),
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except FileNotFoundError:
        return None
    finally:
        os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    atexit.register(server.terminate)
    return f":{number}" if number else None


_display = []


def gui_env():
    """The environment of a desktop row: the bench's own Xvfb, else offscreen."""
    if not _display:
        _display.append(start_xvfb())
    genv = dict(env)
    if _display[0]:
        genv["DISPLAY"] = _display[0]
        genv.pop("QT_QPA_PLATFORM", None)
    else:
        genv["QT_QPA_PLATFORM"] = "offscreen"
    return genv


def example(analysis):
    return os.path.join(root, "tests", "analyses", analysis, "data", "example.csv")


def full_means_grid():
    """300 values in each group, the most the means grid holds."""
    path = os.path.join(scratch, "means-300-300.csv")
    rng = random.Random(11)
    with open(path, "w") as f:
        f.write("T组,R组\n")
        for _ in range(300):
            f.write(f"{rng.gauss(37, 4):.1f},{rng.gauss(36, 9):.1f}\n")
    return path


def hyperfine_all(commands, command_env, count, warmup):
    """Median wall time and mean CPU time (user + system) of each command, in
    ms, timed one after the other in one run."""
    export = os.path.join(scratch, "hyperfine.json")
    subprocess.run(["hyperfine", "-N", "--warmup", str(warmup), "--runs", str(count), "--export-json", export,
                    "--output", "null"] + commands, check=True, env=command_env, capture_output=True)
    with open(export) as f:
        results = json.load(f)["results"]
    return [(r["median"] * 1000, (r["user"] + r["system"]) * 1000) for r in results]


def hyperfine(command, command_env, count, warmup):
    """Median wall time and mean CPU time (user + system) of a command, in ms."""
    return hyperfine_all([command], command_env, count, warmup)[0]


@dataclass
class Process:
    args: list
    cpu: float = None

    def measure(self):
        wall, self.cpu = hyperfine(" ".join([cli] + self.args + ["-o", out]), env, runs, 3)
        return wall, "ms"


@dataclass
class ProcessBeside:
    """A whole process timed right after a reference process, in the same
    hyperfine run, so that the machine's load of the moment weighs on both."""
    args: list
    reference: list
    label: str  # how the target names the reference
    cpu: float = None
    reference_wall: float = None

    def measure(self):
        (self.reference_wall, _), (wall, self.cpu) = hyperfine_all(
            [" ".join([cli] + self.reference + ["-o", out]), " ".join([cli] + self.args + ["-o", out])], env, runs, 3)
        return wall, "ms"


@dataclass
class Times:
    """A limit of `factor` times the reference figure of a ProcessBeside row."""
    factor: float


@dataclass
class Peak:
    args: list

    def measure(self):
        peaks = []
        for _ in range(5):
            r = subprocess.run(["/usr/bin/time", "-f", "%M", cli] + self.args + ["-o", out],
                               env=env, capture_output=True, text=True, check=True)
            peaks.append(int(r.stderr.strip().splitlines()[-1]))
        return max(peaks) / 1024, "MiB"


@dataclass
class ReportSize:
    args: list

    def measure(self):
        subprocess.run([cli] + self.args + ["-o", out], env=env, capture_output=True, check=True)
        return os.path.getsize(out) / 1000, "KB"


_google_results = {}


def google_results(exe):
    """Every benchmark of one program, by name: real time in milliseconds."""
    if exe not in _google_results:
        path = os.path.join(build, "bench", exe)
        results = {}
        if os.path.exists(path):
            genv = gui_env() if exe.startswith("bench_gui_") else env
            r = subprocess.run([path, "--benchmark_format=json", "--benchmark_repetitions=5",
                                "--benchmark_report_aggregates_only=true"],
                               env=genv, capture_output=True, text=True)
            if r.returncode == 0:
                scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1000.0}
                for b in json.loads(r.stdout)["benchmarks"]:
                    if b.get("aggregate_name") == "median":
                        results[b["run_name"]] = b["real_time"] * scale[b["time_unit"]]
        _google_results[exe] = results
    return _google_results[exe]


@dataclass
class GoogleBenchmark:
    exe: str
    name: str

    def measure(self):
        value = google_results(self.exe).get(self.name)
        return (None, "ms") if value is None else (value, "ms")


@dataclass
class Baseline:
    """The cost of starting any process on the machine as it is now: a
    reference for how far the load stretches the other figures."""
    cpu: float = None

    def measure(self):
        wall, self.cpu = hyperfine("true", env, runs, 3)
        return wall, "ms"


@dataclass
class FirstPaint:
    cpu: float = None

    def measure(self):
        program = os.path.join(build, "app", "tavelmark")
        if not os.path.exists(program):
            return None, "ms"
        genv = dict(gui_env(), TAVELMARK_EXIT_AFTER_FIRST_PAINT="1")
        wall, self.cpu = hyperfine(program, genv, max(10, runs // 2), 2)
        return wall, "ms"


@dataclass
class TestCommand:
    """One run of `bash scripts/test.sh` as a new user starts it: a fresh
    clone, packages already installed, no compiler cache to draw on."""
    cpu: float = None
    failed: bool = False

    def measure(self):
        if os.environ.get("BENCH_TEST_COMMAND") != "1":
            return None, "min"
        clone = os.path.join(scratch, "clone")
        subprocess.run(["git", "clone", "-q", root, clone], check=True)
        cenv = dict(os.environ, CCACHE_DISABLE="1")
        cenv.pop("TAVELMARK_RESOURCES", None)
        before = os.times()
        start = time.monotonic()
        with open(os.path.join(scratch, "test-command.log"), "w+") as log:
            run = subprocess.run(["bash", "scripts/test.sh"], cwd=clone, env=cenv,
                                 stdout=log, stderr=subprocess.STDOUT)
            if run.returncode != 0:
                # A failed run is no timing: say so, with the end of its log.
                self.failed = True
                log.seek(0)
                print(f"the README test command failed (exit {run.returncode}); its log ends:", file=sys.stderr)
                print("".join(log.readlines()[-40:]), file=sys.stderr)
        wall = time.monotonic() - start
        after = os.times()
        self.cpu = ((after.children_user - before.children_user)
                    + (after.children_system - before.children_system)) * 1000
        return wall / 60, "min"


BLISS_ALL = ["bliss", "--intermediate", "--fieller", "--heterogeneity", "--chart", example("bliss")]
MEANS_ALL = ["means", "--all", example("means")]
MEANS_FULL = ["means", "--all", full_means_grid()]
# Ten groups of 300 values, the most the several-groups grid holds.
MULTIGROUP_FULL = ["multigroup", os.path.join(root, "tests", "analyses", "multigroup", "data", "largest.csv")]
RATES_ALL = ["rates", "--all", example("rates")]
LDK = ["ldk-compare", example("ldk_compare")]
# Ten preparations of twelve doses, the most the potency grid holds.
POTENCY_LARGEST = ["potency", os.path.join(root, "tests", "analyses", "potency", "data", "largest.csv")]

@functools.cache
def gui_calculate_benchmarks():
    """The names bench_gui_calculate lists, asked once."""
    exe = os.path.join(build, "bench", "bench_gui_calculate")
    if not os.access(exe, os.X_OK):
        return ()
    return tuple(subprocess.run([exe, "--benchmark_list_tests"], capture_output=True, text=True,
                                env=dict(env, QT_QPA_PLATFORM="offscreen")).stdout.split())


def gui_calculate_listed(kind):
    """The analyses whose 计算 bench_gui_calculate times as BM_<analysis><kind>, as it lists them."""
    listed = gui_calculate_benchmarks()
    # Google Benchmark lists a benchmark timed in real time with "/real_time".
    pattern = re.compile(r"BM_([\w-]+)" + re.escape(kind) + r"(?:/real_time)?")
    return [m.group(1) for m in map(pattern.fullmatch, listed) if m]


ROWS = [
    ("reference: starting /bin/true", Baseline(), None),
    ("bliss, every table and the chart", Process(BLISS_ALL), (15, "ms")),
    ("bliss, peak memory", Peak(BLISS_ALL), (15, "MiB")),
    ("means --all, worked example", Process(MEANS_ALL), (15, "ms")),
    ("means --all, worked example, peak memory", Peak(MEANS_ALL), (15, "MiB")),
    ("means --all, worked example, .xlsx size", ReportSize(MEANS_ALL), (30, "KB")),
    ("means --all, full grid (300 + 300)", Process(MEANS_FULL), (20, "ms")),
    ("means --all, full grid, peak memory", Peak(MEANS_FULL), (15, "MiB")),
    ("rates --all", Process(RATES_ALL), (15, "ms")),
    ("rates --all, peak memory", Peak(RATES_ALL), (15, "MiB")),
    ("ldk-compare", Process(LDK), (15, "ms")),
    ("ldk-compare, peak memory", Peak(LDK), (15, "MiB")),
    ("potency, 10 preparations × 12 doses", ProcessBeside(POTENCY_LARGEST, BLISS_ALL, "bliss"), Times(1.5)),
    ("potency --extended, 10 preparations × 12 doses", Process(POTENCY_LARGEST + ["--extended"]), None),
    ("multigroup, ten groups of 300", ProcessBeside(MULTIGROUP_FULL, MEANS_FULL, "means --all, full grid"),
     Times(1.5)),
    ("multigroup, ten groups of 300, peak memory", Peak(MULTIGROUP_FULL), None),
    ("multigroup: Dunnett's integral, nine treatments", GoogleBenchmark("bench_multigroup", "BM_DunnettNineTreatments"),
     (5, "ms")),
    ("desktop: launch to first paint", FirstPaint(), (150, "ms")),
] + [
    (f"desktop: {name} 计算 → painted result window{first}",
     GoogleBenchmark("bench_gui_calculate", f"BM_{name}{bench}/real_time"), (60, "ms"))
    for name in gui_calculate_listed("CalculateToResultWindow")
    for first, bench in [(", first press", "FirstPress/iterations:1"), ("", "CalculateToResultWindow")]
] + [
    (f"desktop: {name} 计算 → painted result window, largest grid",
     GoogleBenchmark("bench_gui_calculate", f"BM_{name}LargestGrid/real_time"), (60, "ms"))
    for name in gui_calculate_listed("LargestGrid")
] + [
    ("README test command, fresh clone (BENCH_TEST_COMMAND=1)", TestCommand(), (8, "min")),
]


def google_benchmark_rows():
    """A row for every Google benchmark that ROWS does not name itself."""
    named = {(how.exe, how.name) for _, how, _ in ROWS if isinstance(how, GoogleBenchmark)}
    rows = []
    bench_dir = os.path.join(build, "bench")
    if not os.path.isdir(bench_dir):
        return rows
    for exe in sorted(os.listdir(bench_dir)):
        path = os.path.join(bench_dir, exe)
        if not re.fullmatch(r"bench_\w+", exe) or not os.path.isfile(path) or not os.access(path, os.X_OK):
            continue
        for name in google_results(exe):
            if (exe, name) not in named:
                rows.append((f"{exe}: {name}", GoogleBenchmark(exe, name), None))
    return rows


def figure_text(value, unit):
    if value is None:
        return "not run"
    if unit == "ms" and value >= 60000:
        return f"{value / 60000:.1f} min"
    return f"{value:.1f} {unit}" if value < 100 else f"{value:.0f} {unit}"


def main():
    table = []
    for what, how, target in ROWS + google_benchmark_rows():
        value, unit = how.measure()
        cpu = getattr(how, "cpu", None)
        cpu_text = "" if cpu is None else figure_text(cpu, "ms")
        if target is None:
            table.append((what, figure_text(value, unit), "", "", cpu_text))
            continue
        if isinstance(target, Times):
            limit, limit_unit = target.factor * how.reference_wall, unit
            target_text = (f"≤ {target.factor} × {how.label} {figure_text(how.reference_wall, unit)}"
                           f" = {figure_text(limit, unit)}")
        else:
            limit, limit_unit = target
            target_text = f"≤ {limit} {limit_unit}"
        met = "" if value is None else ("yes" if value <= limit else "NO")
        if getattr(how, "failed", False):
            met = "NO (failed)"
        table.append((what, figure_text(value, unit), target_text, met, cpu_text))

    header = ("what", "figure", "target", "met?", "CPU (user+sys)")
    widths = [max(len(r[i]) for r in table + [header]) for i in range(len(header))]
    line = lambda cells: "| " + " | ".join(c.ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for row in table:
        print(line(row))
    print(f"\n{os.uname().nodename}: {os.cpu_count()} cores, load average "
          f"{' '.join(f'{x:.2f}' for x in os.getloadavg())}; whole-process figures are medians of {runs} runs, "
          f"CPU time is the mean user + system time of those runs.")
    return 0 if all(r[3] != "NO" for r in table) else 1


if __name__ == "__main__":
    sys.exit(main())
