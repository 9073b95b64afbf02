#!/bin/sh
# Ends every Wine process of the build tree's prefix.
wine_dir=$1
. "$(dirname "$0")/wine-env.sh"
[ -d "$WINEPREFIX" ] || exit 0
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
exit 0
