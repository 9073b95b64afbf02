# Sourced by the scripts that run Wine, with wine_dir set to a build tree's
# Wine folder: exports that folder's prefix and home (never the user's
# ~/.wine) and sets $wine to the loader for the architecture the build tree
# was made for ("$wine_dir/arch": i686 or x86_64).
#
# The 64-bit loader is called by its own path: Debian's wrappers (wine,
# wineboot, ...) take the 32-bit loader whenever wine32 is installed, even on
# hosts that cannot run it.
quiltra_arch=$(cat "$wine_dir/arch" 2>/dev/null || echo i686)
case $quiltra_arch in
x86_64) WINEARCH=win64 wine=/usr/lib/wine/wine64 ;;
*) WINEARCH=win32 wine=/usr/lib/wine/wine ;;
esac
command -v "$wine" >/dev/null 2>&1 || wine=wine
WINELOADER=$wine
export WINEARCH WINELOADER WINEPREFIX="$wine_dir/prefix" HOME="$wine_dir/home"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG="${WINEDEBUG:--all}"
