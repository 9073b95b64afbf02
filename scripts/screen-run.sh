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
. "$top/scripts/wine-env.sh"

# A display of its own of the screen's size, whatever an earlier run left.
"$top/scripts/xvfb.sh" stop "$wine_dir"
"$top/scripts/xvfb.sh" start "$wine_dir" "$screen" >/dev/null
trap 'wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; "$top/scripts/xvfb.sh" stop "$wine_dir"' EXIT
DISPLAY=$(cat "$wine_dir/display")
export DISPLAY

# Wine reads the DPI when a session starts: set it, then let that session end.
if [ "$(cat "$wine_dir/dpi" 2>/dev/null)" != "$dpi" ]; then
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  wineserver -w
  echo "$dpi" >"$wine_dir/dpi"
fi
"$wine" "$@"
