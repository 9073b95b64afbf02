#!/bin/sh
# Sets everything up, builds, and starts the game in a window. Without a
# display it plays on a private Xvfb screen and saves a screenshot instead.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
"$top/scripts/setup.sh"
QUILTRA_BUILD_DIR=$build "$top/scripts/build.sh"
"$top/scripts/make-prefix.sh" "$build/wine"
game_dir="$build/play"
mkdir -p "$game_dir"
cp "$build/src/game/Quiltra.exe" "$game_dir/"
[ -d "$build/dist/Quiltra" ] && cp -r "$build/dist/Quiltra/." "$game_dir/" && \
  rm -f "$game_dir/Install.exe"

if [ -n "$DISPLAY" ]; then
  exec "$build/wine-run.sh" "$game_dir/Quiltra.exe"
fi

echo "There is no display (DISPLAY is not set): log in to a desktop, or use 'ssh -X', to play."
echo "Meanwhile the game runs on a private Xvfb screen for a screenshot."
"$top/scripts/xvfb.sh" start "$build/wine" >/dev/null
DISPLAY=$(cat "$build/wine/display")
export DISPLAY
"$build/wine-run.sh" "$game_dir/Quiltra.exe" &
sleep 6
mkdir -p "$build/screenshots"
import -window root "$build/screenshots/play.png"
"$top/scripts/stop-wine.sh" "$build/wine"
"$top/scripts/xvfb.sh" stop "$build/wine"
echo "Screenshot: $build/screenshots/play.png"
