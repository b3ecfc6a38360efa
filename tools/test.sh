#!/usr/bin/env bash
# Builds everything and runs every test, step by step:
#   default    the plain build and its tests
#   sanitize   the same tests under AddressSanitizer and UndefinedBehaviorSanitizer
#   windows    the Windows cross builds: static checks of both architectures,
#              and the 64-bit build's conformance with the native one under Wine
# With no arguments all three run; name steps to run only those
# (tools/test.sh windows).
set -euo pipefail
cd "$(dirname "$0")/.."

steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(default sanitize windows)

tools/install-deps.sh

for step in "${steps[@]}"; do
  case "$step" in
    default | sanitize)
      echo "== ${step}: build"
      cmake --preset "$step" >/dev/null
      cmake --build --preset "$step"
      echo "== ${step}: tests"
      ctest --preset "$step"
      ;;
    windows)
      start=$SECONDS
      tools/windows-build.sh
      for preset in windows-i686 windows-x64; do
        echo "== ${preset}: tests"
        ctest --preset "$preset" -L windows
      done
      echo "== windows: $((SECONDS - start)) s"
      ;;
    *)
      echo "tools/test.sh: unknown step '$step' (default, sanitize, windows)" >&2
      exit 2
      ;;
  esac
done
