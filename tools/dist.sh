#!/usr/bin/env bash
# Writes dist/, what a panel builder installs: the .gau modules for 32-bit
# (dist/i686/) and 64-bit (dist/x64/) simulators, the two click sounds
# (dist/sound/) and dist/INSTALL.md. Builds what it needs first.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/windows-build.sh

# Each gauge's face, the size its panel configuration line gives it.
declare -A face=(
  [elecpanel]="190 200" [eicas1]="168 220" [hsi]="210 230" [pfd]="331 396" [autopilot]="577 105"
  [eicas2]="181 226" [combi]="190 190" [standbyatt]="170 170" [compass]="180 180"
)
order=(elecpanel eicas1 hsi pfd autopilot eicas2 combi standbyatt compass)

rm -rf dist
mkdir -p dist/i686 dist/x64 dist/sound
gauges=()
for gauge in "${order[@]}"; do
  [ -f "build-windows-x64/modules/$gauge.gau" ] || continue
  # The size written here must be the background bitmap's.
  read -r width height <<<"${face[$gauge]}"
  background=$(awk '$1 == "0x100" { print $2, $3 }' "resources/$gauge/bitmaps.txt")
  if [ "$background" != "$width $height" ]; then
    echo "dist: $gauge's face is $width x $height here, its background bitmap is $background" >&2
    exit 1
  fi
  cp "build-windows-i686/modules/$gauge.gau" dist/i686/
  cp "build-windows-x64/modules/$gauge.gau" dist/x64/
  gauges+=("$gauge")
done
for built in build-windows-x64/modules/*.gau; do
  name=$(basename "$built" .gau)
  [ -n "${face[$name]:-}" ] || { echo "dist: no face size for the gauge $name" >&2; exit 1; }
done

tools_dir=$(mktemp -d)
trap 'rm -rf "$tools_dir"' EXIT
c++ -std=c++20 -O2 -Wall -Wextra -o "$tools_dir/dist-sounds" tools/dist-sounds.cpp
"$tools_dir/dist-sounds" dist/sound

{
  cat <<'PAGE'
# Vortane gauges: installing

## The files

| file | where it goes |
|---|---|
| `i686/<gauge>.gau` | a 32-bit simulator: its `Gauges` folder (or the `panel` folder of the aircraft) |
| `x64/<gauge>.gau` | a 64-bit simulator: the same places |
| `sound/CLICK.WAV`, `sound/SWITCH.WAV` | the `sound` folder in the simulator's main folder |

Take the modules of one architecture only: the simulator loads the one whose
bitness matches its own and refuses the other. The gauges play their clicks
as `sound\CLICK.WAV` and `sound\SWITCH.WAV`, relative to the simulator's main
folder. Some clicks are played through the external sound library
`GaugeSound`, which is not part of this distribution; without it those clicks
are silent and everything else works.

Every module file carries its own bitmaps and has the file version 1.0.0.0.

## The panel configuration

One line per gauge in a window section of the aircraft's panel
configuration, each at its face size in pixels; change `X, Y` to place it:

```
PAGE
  n=0
  for gauge in "${gauges[@]}"; do
    read -r width height <<<"${face[$gauge]}"
    name=VORTANE
    [ "$gauge" = combi ] && name=vortane
    printf 'gauge%02d=%s!%s, X, Y, %s, %s\n' "$n" "$gauge" "$name" "$width" "$height"
    n=$((n + 1))
  done
  cat <<'PAGE'
```

The gauge name after `!` is `VORTANE` in every module and `vortane` in
`combi`.
PAGE
} >dist/INSTALL.md

echo "dist/:"
(cd dist && find . -type f | sort | sed 's|^\./|  |')
