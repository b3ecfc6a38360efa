#!/usr/bin/env bash
# Builds everything and runs every test: the plain build, then the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

for preset in default sanitize; do
  echo "== ${preset}: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== ${preset}: tests"
  ctest --preset "$preset"
done
