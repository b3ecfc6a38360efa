#!/usr/bin/env bash
# Builds everything, runs the demo scenario through the panel probe and draws
# the default panel as the scenario leaves it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
build/bin/panel render panels/default.layout --script panels/demo.probe -o build/panel.png
echo "The panel as the scenario left it: $(pwd)/build/panel.png"
