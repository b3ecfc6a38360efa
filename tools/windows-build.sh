#!/usr/bin/env bash
# Builds the Windows gauge modules and programs, 32-bit (build-windows-i686/)
# and 64-bit (build-windows-x64/), with Debian's mingw-w64. The native build
# comes first: its vortane-art draws the bitmaps, and its probe and tests are
# what the Windows build is compared with.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
tools/install-deps.sh windows

echo "== native build (bitmaps, probe and tests to compare with)"
cmake --preset default >/dev/null
cmake --build --preset default
for preset in windows-i686 windows-x64; do
  echo "== ${preset}: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
