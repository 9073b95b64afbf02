#!/bin/sh
# Runs the benchmarks under Wine: the picture benchmark on photo-like JPEGs
# of 2, 12 and 24 megapixels (made with ImageMagick on the first run), and
# the board benchmark ("Randomize" and a drop on a 30 x 30 grid) on a private
# Xvfb display. Prints their tables.
# Builds nothing: build the tree first (scripts/build.sh).
#
#   bench/run.sh [-r repetitions]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
bench=$build/bench
[ -x "$bench/picture_bench.exe" ] || {
  echo "$bench/picture_bench.exe is missing: build first (scripts/build.sh)" >&2
  exit 1
}
"$top/scripts/make-prefix.sh" "$build/wine"

# A plasma with fine grain, like a photo's detail and noise; quality 92.
pictures=$bench/pictures
mkdir -p "$pictures"
for size in 1632x1224 4000x3000 6000x4000; do
  file=$pictures/photo-$size.jpg
  [ -f "$file" ] && continue
  echo "Making $file"
  convert -seed 7 -size "$size" plasma:fractal \
    \( -size "$size" xc:gray50 -seed 3 +noise Gaussian -blur 0x0.7 -auto-level \) \
    -compose overlay -composite -quality 92 "$file"
done

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $(wine --version)"
cd "$pictures"
"$build/wine-run.sh" "$bench/picture_bench.exe" "$@" \
  photo-1632x1224.jpg photo-4000x3000.jpg photo-6000x4000.jpg

echo
# A fresh Wine session: the board benchmark needs the display from the start.
"$top/scripts/stop-wine.sh" "$build/wine"
"$top/scripts/xvfb.sh" start "$build/wine" >/dev/null
QUILTRA_TEST_DISPLAY=1 "$build/wine-run.sh" "$bench/board_bench.exe"
"$top/scripts/stop-wine.sh" "$build/wine"
"$top/scripts/xvfb.sh" stop "$build/wine"
