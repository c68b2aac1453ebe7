#!/usr/bin/env bash
# Installs the Debian 12 packages Tavelmark needs, once: a package already
# present is not fetched again, so running this every time costs a second.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev qt6-translations-l10n
  libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev libzip-dev libboost-dev libcli11-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang-14 libclang-rt-14-dev lld
  python3 python3-openpyxl
  poppler-utils libreoffice-writer-nogui librsvg2-bin
  fonts-noto-cjk xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
