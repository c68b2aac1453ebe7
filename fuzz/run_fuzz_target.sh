#!/usr/bin/env bash
# run_fuzz_target.sh TARGET SECONDS CRASH_DIR DICT MAX_LEN SEED_DIR...
# Runs one fuzz target for a bounded time, from a scratch copy of the seed
# files (CSV files and saved analyses; the tests' reference tables are not
# input grids and are left out), so nothing is written into the source tree.
# A crash, a sanitizer report, a leak, an input slower than 10 s or a process
# above 2 GB fails the run; the input that did it is kept as CRASH_DIR/TARGET-*.
set -euo pipefail
target=$1 seconds=$2 crash_dir=$3 dict=$4 max_len=$5
shift 5

# Every execution writes a workbook through a dozen temporary files: on a
# memory file system that runs about 2.5 times faster than on disk.
scratch="${TMPDIR:-/tmp}"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
work="$(mktemp -d "$scratch/tavelmark-fuzz.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$crash_dir"
for dir in "$@"; do
  [ -d "$dir" ] || continue
  find "$dir" -maxdepth 1 -type f \( -name '*.csv' -o -name '*.tavelmark' \) ! -name '*reference*' -print0 |
    while IFS= read -r -d '' seed; do
      cp "$seed" "$work/corpus/$(basename "$dir")-$(basename "$seed")"
    done
done

# Every save frees a few megabytes of zlib buffers; with ASan's default 256 MB
# quarantine each new buffer is fresh memory to fault in and clear, which made
# a report five times slower. 16 MB still holds what one calculation freed.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=16"

name="$(basename "$target")"
TMPDIR="$work" "$target" \
  -seed=1 -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
  -dict="$dict" -artifact_prefix="$crash_dir/$name-" -print_final_stats=1 \
  "$work/corpus"
