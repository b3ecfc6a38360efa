#!/usr/bin/env bash
# Builds everything and runs the demo scenario through the panel probe.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
build/bin/panel probe panels/demo.probe
