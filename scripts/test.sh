#!/usr/bin/env bash
# Everything a fresh Debian 12 machine needs to build Tavelmark and run every
# test: packages, configure, build, ctest. Desktop tests run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --preset default -j "$(nproc)"
