"""One runner for the command-line cases of every test script: run
tavelmark-cli as a user runs it, compare its exit code and its output, and
print ok/FAIL for each case.

    sys.path.insert(0, <tests>/support); from cli_cases import Case, run_cases
    sys.exit(run_cases(cli, [Case("name", [...], exit=1, stderr_has=[...]), ...]))
"""
import os
import subprocess
from dataclasses import dataclass, field


@dataclass
class Case:
    name: str
    args: list
    exit: int = 0
    stdout_has: list = field(default_factory=list)
    stderr_has: list = field(default_factory=list)
    stdout_lacks: list = field(default_factory=list)
    # A file the case must leave written (not empty).
    writes: str = None
    # Files the case must not leave behind: a refused input writes no report.
    leaves_out: list = field(default_factory=list)
    # Extra checks of the completed process: each returns a problem or None.
    checks: list = field(default_factory=list)
    # Standard output as the program gets it: None, a pipe it is read from; a
    # file object (/dev/full); or "closed", as `>&-` leaves it.
    stdout_to: object = None


def _problems(case, r):
    problems = []
    if r.returncode != case.exit:
        problems.append(f"exit {r.returncode}, expected {case.exit}")
    problems += [f"stdout lacks {t!r}" for t in case.stdout_has if t not in r.stdout]
    problems += [f"stderr lacks {t!r}" for t in case.stderr_has if t not in r.stderr]
    problems += [f"stdout has {t!r}" for t in case.stdout_lacks if t in r.stdout]
    if case.writes and not (os.path.exists(case.writes) and os.path.getsize(case.writes) > 0):
        problems.append(f"{case.writes} not written")
    problems += [f"{path} left behind" for path in case.leaves_out if os.path.exists(path)]
    problems += [p for p in (check(r) for check in case.checks) if p]
    return problems


def run_cases(cli, cases):
    """Runs every case; 0 when all passed, 1 otherwise."""
    failures = 0
    for case in cases:
        for path in ([case.writes] if case.writes else []) + list(case.leaves_out):
            if os.path.exists(path):
                os.remove(path)
        if case.stdout_to is None:
            r = subprocess.run([cli] + case.args, capture_output=True, text=True)
        elif case.stdout_to == "closed":
            r = subprocess.run([cli] + case.args, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True,
                               preexec_fn=lambda: os.close(1))
            r.stdout = ""
        else:
            r = subprocess.run([cli] + case.args, stdout=case.stdout_to, stderr=subprocess.PIPE, text=True)
            r.stdout = ""
        problems = _problems(case, r)
        print(("FAIL " if problems else "ok   ") + case.name + ("" if not problems else ": " + "; ".join(problems)))
        if problems:
            print("  stdout:", (r.stdout or "")[:800], "\n  stderr:", (r.stderr or "")[:800])
            failures += 1
    return 1 if failures else 0
