#!/usr/bin/env bash
# Speed and memory of the reports, in one table: what | figure | target | met?
#
#   bash scripts/bench.sh            # builds what it needs in build/ (the default preset)
#   BUILD_DIR=path bash scripts/bench.sh   # uses a build that already exists there
#   RUNS=50 bash scripts/bench.sh    # more runs per whole-process timing (default 30)
#   BENCH_TEST_COMMAND=1 bash scripts/bench.sh   # also times the README's test command
#                                    # on a fresh clone of HEAD (minutes; its row says
#                                    # "not run" otherwise)
#
# Whole-process timings are hyperfine medians with the report written to disk;
# peaks are the largest resident set of a few runs (/usr/bin/time); the Google
# benchmarks under bench/ add a row each. The rows live in bench/bench_rows.py:
# add a row there, not here.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build}

for tool in hyperfine python3 /usr/bin/time; do
    if ! command -v "$tool" >/dev/null; then
        echo "bench.sh needs $tool (apt-get install hyperfine time python3)" >&2
        exit 2
    fi
done

if [[ -z ${BUILD_DIR:-} ]]; then
    [[ -f $build/build.ninja ]] || nice -n 5 cmake --preset default -S "$root" >/dev/null
    mapfile -t targets < <(cd "$root/bench" && ls bench_*.cpp | sed 's/\.cpp$//')
    # Only what the table runs; a GUI benchmark is not built without Qt.
    available=$(nice -n 5 cmake --build "$build" --target help | sed -n 's/^\([A-Za-z_-]*\): .*/\1/p')
    wanted=(tavelmark-cli)
    grep -qx tavelmark <<<"$available" && wanted+=(tavelmark)
    for t in "${targets[@]}"; do grep -qx "$t" <<<"$available" && wanted+=("$t"); done
    nice -n 5 cmake --build "$build" -j2 --target "${wanted[@]}" >/dev/null
fi

exec python3 "$root/bench/bench_rows.py" "$root" "$build" "${RUNS:-30}"
