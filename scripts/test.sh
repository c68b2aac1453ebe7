#!/usr/bin/env bash
# Everything a fresh Debian 12 machine needs to build Tavelmark and run every
# test: packages, configure, build, ctest. Desktop tests run offscreen. The
# core and command-line tests then run once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs="$(nproc)"

cmake --preset default
cmake --build --preset default -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --preset default -j "$jobs"

cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"
