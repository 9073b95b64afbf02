#!/bin/sh
# Creates a build tree's Wine prefix once, for the architecture the build tree
# was made for; later calls return at once.
#   make-prefix.sh WINE_DIR
set -e
wine_dir=$1
[ -n "$wine_dir" ] || { echo "usage: $0 WINE_DIR" >&2; exit 2; }
[ -f "$wine_dir/prefix.ready" ] && exit 0
. "$(dirname "$0")/wine-env.sh"
mkdir -p "$HOME"
if ! "$wine" --version >/dev/null 2>&1; then
  echo "Wine's $WINEARCH loader cannot start here ($wine): install the package" \
    "$([ "$WINEARCH" = win64 ] && echo wine64 || echo "wine32:i386, on a host that runs 32-bit programs")." >&2
  exit 1
fi
rm -rf "$WINEPREFIX"
echo "Creating the $WINEARCH Wine prefix in $WINEPREFIX (about 20 s, once per build tree)"
"$wine" wineboot -i >/dev/null 2>&1 || {
  echo "Wine could not create the prefix in $WINEPREFIX" >&2
  exit 1
}
# Without a window manager Wine waits about 2 s whenever a window hides;
# drawing the frames itself removes the wait.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Every Windows opens ".txt" files with Notepad. A 64-bit prefix made where
# the 32-bit half of wineboot cannot run lacks the association.
if ! "$wine" reg query 'HKCR\.txt' /ve >/dev/null 2>&1; then
  "$wine" reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
  "$wine" reg query 'HKCR\txtfile\shell\open\command' /ve >/dev/null 2>&1 ||
    "$wine" reg add 'HKCR\txtfile\shell\open\command' /ve /t REG_EXPAND_SZ \
      /d '%SystemRoot%\system32\notepad.exe %1' /f >/dev/null 2>&1
fi
wineserver -w
touch "$wine_dir/prefix.ready"
