#!/usr/bin/env bash
# Everything a fresh Debian 12 machine needs to build Tavelmark and run every
# test: packages, configure, build, ctest. Desktop tests run offscreen. The
# core and command-line tests then run once more, built with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer; the same build links the
# fuzz targets, and each of them runs for 20 s as a test. Without clang the
# second pass is built with gcc and has no fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs="$(nproc)"

cmake --preset default
cmake --build --preset default -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --preset default -j "$jobs"

sanitize=sanitize
command -v clang++-14 >/dev/null || sanitize=sanitize-gcc
cmake --preset "$sanitize"
cmake --build --preset "$sanitize" -j "$jobs"
ctest --preset "$sanitize" -j "$jobs"
