#!/usr/bin/env bash
# Saves every picture the program and its galleries draw, from one build, into OUTDIR, so a
# change to drawing code can be compared pixel for pixel against the pictures from before:
#   tools/record_pictures.sh BUILD_DIR OUTDIR
#   tools/compare_pictures.sh OLD_OUTDIR NEW_OUTDIR
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
export QT_QPA_PLATFORM=offscreen
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

app=$build/src/centrova
"$app" --seed 1234 --screenshot "$out/window-start.png"
for count in 50 90; do
    "$app" --seed 1234 --count $count --screenshot "$out/window-count$count.png"
done
"$app" --seed 1234 --drag 3:24 --screenshot "$out/window-drag.png"
"$app" --seed 7 --count 90 --drag 90:0 --screenshot "$out/window-count90-drag.png"
for lang in en de fr es; do
    mkdir -p "$out/gallery-$lang"
    "$build/tools/window_gallery" "$top/data/centrova_$lang.itl" "$out/gallery-$lang" >/dev/null
done
"$build/tools/scale_gallery" "$out/scales.png"
"$build/tools/scale_gallery" "$out/scales-dates.png" dates
"$build/tools/chart_gallery" "$out/chart.png"
find "$out" -name '*.png' | wc -l
