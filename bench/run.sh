#!/bin/sh
# Runs the benchmarks under Wine: the picture benchmark on photo-like JPEGs
# of 2, 24, 100 and 200 megapixels and two progressive ones of 24 (made on the
# first run: with ImageMagick up to 24, beyond its default limits with
# makejpeg.exe, the program's own writer), and
# the board benchmark ("Randomize" and a drop on a 30 x 30 grid) on a private
# Xvfb display. Prints their tables.
# Builds nothing: build the tree first (scripts/build.sh; for the 64-bit
# build, scripts/build.sh x86_64 and QUILTRA_BUILD_DIR=build/x64).
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
for size in 1632x1224 6000x4000; do
  file=$pictures/photo-$size.jpg
  [ -f "$file" ] && continue
  echo "Making $file"
  convert -seed 7 -size "$size" plasma:fractal \
    \( -size "$size" xc:gray50 -seed 3 +noise Gaussian -blur 0x0.7 -auto-level \) \
    -compose overlay -composite -quality 92 "$file"
done

# Progressive: as ImageMagick writes it at this quality (full-resolution
# colour, 6 bytes of coefficients a pixel) and with colour at half
# resolution both ways (3 bytes), as most progressive files on the web are.
for sampling in 1x1 2x2; do
  file=$pictures/photo-6000x4000-progressive.jpg
  [ $sampling = 2x2 ] && file=$pictures/photo-6000x4000-progressive-420.jpg
  [ -f "$file" ] && continue
  echo "Making $file"
  convert "$pictures/photo-6000x4000.jpg" -interlace JPEG -sampling-factor $sampling \
    -quality 92 "$file"
done
for size in 12247x8165 16320x12240; do
  file=photo-$size.jpg
  [ -f "$pictures/$file" ] && continue
  echo "Making $pictures/$file"
  (cd "$pictures" && "$build/wine-run.sh" "$bench/makejpeg.exe" "$file" ${size%x*} ${size#*x})
done

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $("$build/wine-run.sh" --version), $(cat "$build/wine/arch" 2>/dev/null)"
cd "$pictures"
"$build/wine-run.sh" "$bench/picture_bench.exe" "$@" \
  photo-1632x1224.jpg photo-6000x4000.jpg photo-6000x4000-progressive.jpg \
  photo-6000x4000-progressive-420.jpg photo-12247x8165.jpg photo-16320x12240.jpg

echo
# A fresh Wine session: the board benchmark needs the display from the start.
"$top/scripts/stop-wine.sh" "$build/wine"
"$top/scripts/xvfb.sh" start "$build/wine" >/dev/null
QUILTRA_TEST_DISPLAY=1 "$build/wine-run.sh" "$bench/board_bench.exe"
"$top/scripts/stop-wine.sh" "$build/wine"
"$top/scripts/xvfb.sh" stop "$build/wine"
