#!/usr/bin/env bash
# conformance.sh NATIVE_BUILD WINDOWS_BUILD PANEL_EXE
#
# Replays every probe script of the native test suite with the Windows host
# under Wine, on the .gau files, and compares with the native host on the .so
# files: exit status and standard output byte for byte, standard error after
# mapping Windows paths to POSIX ones (\ to /, .gau to .so).
#
# The scripts are collected by running the native tests with
# VORTANE_SAVE_PROBE_SCRIPTS. A script runs against the fixture modules when
# it loads one of them, otherwise against the gauge modules, in both builds.
# The Windows host is built without the renderer (no FreeType or libpng for
# mingw here): 'render' and 'lighting' lines, which only draw from what the
# last cycle left, are taken out of the script for both runs; a script with
# 'layout' (which loads modules as it reads the layout) is listed as not
# replayed.
set -uo pipefail

native=$(cd "$1" && pwd)
windows=$(cd "$2" && pwd)
panel_exe=$3

work=$(mktemp -d "${TMPDIR:-/tmp}/vortane-conformance-XXXXXX")
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

for needed in "$native/bin/panel" "$windows/bin/$panel_exe" "$windows/bin/GaugeSound.dll"; do
  [ -e "$needed" ] || { echo "conformance: $needed is missing; build both first" >&2; exit 1; }
done
command -v wine >/dev/null || { echo "conformance: wine is not installed (tools/install-deps.sh windows)" >&2; exit 1; }

echo "Collecting the probe scripts of the native tests ($native)"
VORTANE_SAVE_PROBE_SCRIPTS=$work/scripts ctest --test-dir "$native" -j2 >"$work/native-tests.log" 2>&1 ||
  echo "  (some native tests fail; the default step reports them)"
shopt -s nullglob
scripts=("$work"/scripts/*.probe)
if [ ${#scripts[@]} -eq 0 ]; then
  echo "conformance: the native tests saved no probe scripts" >&2
  exit 1
fi

echo "Starting Wine in $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || { echo "conformance: wineboot failed" >&2; exit 1; }
wineserver -p  # keep one server for all the runs below

fixture_names=" "
for so in "$native"/fixtures/*.so; do fixture_names+="$(basename "$so" .so) "; done

same=0
differ=0
drawing_dropped=0
not_replayed=()
for script in "${scripts[@]}"; do
  name=$(basename "$script" .probe)
  if grep -Eq '^[[:space:]]*layout([[:space:]]|$)' "$script"; then
    not_replayed+=("$name")
    continue
  fi
  replay=$work/replay.probe
  grep -Ev '^[[:space:]]*(render|lighting)([[:space:]]|$)' "$script" >"$replay"
  cmp -s "$script" "$replay" || drawing_dropped=$((drawing_dropped + 1))

  modules=modules
  for loaded in $(sed -nE 's/^[[:space:]]*load[[:space:]]+([^[:space:]#]+).*/\1/p' "$replay"); do
    [[ "$fixture_names" == *" $loaded "* ]] && modules=fixtures
  done

  (cd "$native" && bin/panel probe --modules "$modules" - <"$replay" >"$work/n.out" 2>"$work/n.err")
  n_status=$?
  (cd "$windows" && wine "bin/$panel_exe" probe --modules "$modules" - <"$replay" >"$work/w.out" 2>"$work/w.err")
  w_status=$?
  sed -e 's|\\|/|g' -e 's|\.gau\b|.so|g' "$work/w.err" >"$work/w.err.posix"

  if [ $n_status -eq $w_status ] && cmp -s "$work/n.out" "$work/w.out" && cmp -s "$work/n.err" "$work/w.err.posix"; then
    same=$((same + 1))
    continue
  fi
  differ=$((differ + 1))
  echo "DIFFERS: $name ($modules; exit status native $n_status, Windows $w_status)"
  diff -u "$work/n.out" "$work/w.out" | head -20
  diff -u "$work/n.err" "$work/w.err.posix" | head -10
done

# A click sound still playing when the panel exits: the host stops it before
# it unloads the module whose memory the sound thread may still read.
exits=0
printf 'load mechanics\nclick mechanics 1\n' >"$work/exit.probe"
for _ in $(seq 20); do
  (cd "$windows" && wine "bin/$panel_exe" probe --modules fixtures - <"$work/exit.probe" >/dev/null 2>"$work/exit.err")
  [ $? -eq 0 ] && [ ! -s "$work/exit.err" ] && exits=$((exits + 1))
done
echo "Exits with a click sound playing: $exits of 20 clean"
[ $exits -eq 20 ] || { head -5 "$work/exit.err"; differ=$((differ + 1)); }

total=${#scripts[@]}
echo "Probe scripts: $total; identical on Windows: $same (of them $drawing_dropped without their drawing lines);" \
  "different: $differ; not replayed: ${#not_replayed[@]}"
for name in "${not_replayed[@]}"; do echo "  not replayed (uses 'layout', which needs the renderer): $name"; done
[ $differ -eq 0 ]
