#!/usr/bin/env bash
# Builds the Debian package of Tavelmark: both programs, the report picture,
# the help document, the menu entry, icons and the analysis file type.
# The .deb lands in build-package/; install it with
#   apt-get install ./build-package/tavelmark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset package
cmake --build --preset package -j "$(nproc)"
(cd build-package && cpack)
ls build-package/*.deb
