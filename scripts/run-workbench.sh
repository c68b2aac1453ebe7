#!/usr/bin/env bash
# Builds Tavelmark and starts the desktop program. Without a display it says
# so and runs the worked example of every analysis through the command line
# instead, writing the reports into reports/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/setup.sh
cmake --preset default
cmake --build --preset default

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/tavelmark "$@"
fi

echo "run-workbench: no display (neither DISPLAY nor WAYLAND_DISPLAY is set), so the desktop program cannot start."
echo "run-workbench: running the worked examples through build/cli/tavelmark-cli instead; the reports go to reports/."

cli=build/cli/tavelmark-cli
mkdir -p reports
failed=0

# run_example FOLDER SUBCOMMAND [OPTIONS...]: the example grid of
# tests/analyses/FOLDER/data/example.csv, every optional report part on.
run_example() {
  local folder=$1 subcommand=$2
  shift 2
  local input="tests/analyses/$folder/data/example.csv"
  local output="reports/$folder-example.xlsx"
  if [ ! -f "$input" ]; then
    echo "  $subcommand: skipped, no worked example at $input"
    return
  fi
  if "$cli" "$subcommand" "$@" "$input" -o "$output"; then
    echo "  $subcommand: wrote $output"
  else
    echo "  $subcommand: failed (exit code $?), no report"
    failed=1
  fi
}

run_example bliss bliss --intermediate --fieller --heterogeneity --chart
run_example means means --all
run_example multigroup multigroup --extended
run_example rates rates --all
run_example ldk_compare ldk-compare
run_example potency potency --extended

exit "$failed"
