#!/bin/sh
# Runs a Windows program of this build on another screen: in a Wine prefix of
# its own (made once per build tree) set to a DPI, on a private Xvfb screen of
# a size. Everything it started ends with it.
#   screen-run.sh WINE_DIR DPI WIDTHxHEIGHT PROGRAM [ARGUMENTS...]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
wine_dir=$1
dpi=$2
screen=$3
[ -n "$screen" ] || { echo "usage: $0 WINE_DIR DPI WIDTHxHEIGHT PROGRAM [ARGUMENTS...]" >&2; exit 2; }
shift 3
"$top/scripts/make-prefix.sh" "$wine_dir"
export WINEPREFIX="$wine_dir/prefix" WINEARCH=win32 HOME="$wine_dir/home"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" WINEDEBUG=-all

number="$wine_dir/xvfb-$screen.number"
rm -f "$number"
setsid Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$number" </dev/null \
  >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; kill $xvfb 2>/dev/null; rm -f "$number"' EXIT
tries=0
until [ -s "$number" ]; do
  tries=$((tries + 1))
  [ $tries -gt 100 ] && { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
DISPLAY=":$(tr -d '\n' <"$number")"
export DISPLAY

# Wine reads the DPI when a session starts: set it, then let that session end.
if [ "$(cat "$wine_dir/dpi" 2>/dev/null)" != "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  echo "$dpi" >"$wine_dir/dpi"
fi
wine "$@"
