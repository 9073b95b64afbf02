#!/bin/sh
# Sets everything up, builds, and runs every test: the core natively under the
# sanitizers, the cross-built tests under Wine, the UI tests under Xvfb.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
"$top/scripts/setup.sh"
QUILTRA_BUILD_DIR=$build "$top/scripts/build.sh"
cd "$build"
status=0
ctest --output-on-failure -j 2 "$@" || status=$?
# Nothing of the run may linger.
"$top/scripts/stop-wine.sh" "$build/wine"
"$top/scripts/xvfb.sh" stop "$build/wine"
exit $status
