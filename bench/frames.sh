#!/usr/bin/env bash
# Runs the frame benchmark with repetitions and prints, for each gauge and the
# panel, the median frame time beside the median memset and memcpy floors.
#   bench/frames.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake --build "$build" --target frame_bench >/dev/null
"$build/bin/frame_bench" --benchmark_repetitions=15 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null |
awk -F, '
  /_median"?,/ {
    name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
    split(name, part, "/"); kind = part[1]; what = part[2]
    ns = $3; unit = $5; gsub(/"/, "", unit)
    if (unit == "us") ns *= 1000; else if (unit == "ms") ns *= 1000000
    t[kind, what] = ns
    if (!(what in seen)) { seen[what] = 1; order[++n] = what }
  }
  END {
    printf "%-12s %12s %12s %12s %9s %9s\n", "", "frame (us)", "memset (us)", "memcpy (us)", "x memset", "x memcpy"
    for (i = 1; i <= n; ++i) {
      w = order[i]
      printf "%-12s %12.2f %12.3f %12.3f %9.0f %9.0f\n", w, t["frame", w] / 1000, t["floor_memset", w] / 1000,
             t["floor_memcpy", w] / 1000, t["frame", w] / t["floor_memset", w], t["frame", w] / t["floor_memcpy", w]
    }
  }'
