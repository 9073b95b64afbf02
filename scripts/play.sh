#!/bin/sh
# Sets everything up, builds, and starts the game in a window: the 32-bit game
# where this machine runs 32-bit programs, otherwise the 64-bit one. Without a
# display it plays on a private Xvfb screen and saves a screenshot instead.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
. "$top/scripts/archs.sh"
"$top/scripts/setup.sh"
if quiltra_runs_i686; then
  arch=i686 dist=Quiltra
  echo "Starting the 32-bit game (i686)."
else
  arch=x86_64 dist=Quiltra-x64
  echo "Starting the 64-bit game (x86_64): this machine cannot run 32-bit programs."
fi
tree=$(quiltra_build_dir "$arch")
QUILTRA_BUILD_DIR=$build "$top/scripts/build.sh" "$arch"
"$top/scripts/make-prefix.sh" "$tree/wine"
game_dir="$tree/play"
mkdir -p "$game_dir"
cp "$tree/src/game/Quiltra.exe" "$game_dir/"
[ -d "$tree/dist/$dist" ] && cp -r "$tree/dist/$dist/." "$game_dir/" && \
  rm -f "$game_dir/Install.exe"

if [ -n "$DISPLAY" ]; then
  exec "$tree/wine-run.sh" "$game_dir/Quiltra.exe"
fi

echo "There is no display (DISPLAY is not set): log in to a desktop, or use 'ssh -X', to play."
echo "Meanwhile the game runs on a private Xvfb screen for a screenshot."
"$top/scripts/xvfb.sh" start "$tree/wine" >/dev/null
DISPLAY=$(cat "$tree/wine/display")
export DISPLAY
"$tree/wine-run.sh" "$game_dir/Quiltra.exe" &
sleep 6
mkdir -p "$tree/screenshots"
import -window root "$tree/screenshots/play.png"
"$top/scripts/stop-wine.sh" "$tree/wine"
"$top/scripts/xvfb.sh" stop "$tree/wine"
echo "Screenshot: $tree/screenshots/play.png"
