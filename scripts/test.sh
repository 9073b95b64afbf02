#!/bin/sh
# Sets everything up, builds, and runs every test: the core natively under the
# sanitizers, the cross-built tests under Wine, the UI tests under Xvfb. Both
# Windows builds are tested where this machine runs them: x86_64 always, i686
# where 32-bit programs run. QUILTRA_ARCHS chooses others ("x86_64", "i686"
# or "x86_64 i686"). Arguments go to ctest.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
. "$top/scripts/archs.sh"
"$top/scripts/setup.sh"
archs=$QUILTRA_ARCHS
if [ -z "$archs" ]; then
  archs=x86_64
  if quiltra_runs_i686; then
    archs="x86_64 i686"
  else
    echo "i686: the tests were not run: this machine cannot run 32-bit programs"
  fi
fi

status=0
native=ON
for arch in $archs; do
  tree=$(quiltra_build_dir "$arch")
  start=$(date +%s)
  echo "== $arch: building in $tree"
  # The native core tests and the fuzzers run once, with the first build.
  QUILTRA_BUILD_DIR=$build "$top/scripts/build.sh" "$arch" -DQUILTRA_NATIVE_TESTS=$native
  native=OFF
  echo "== $arch: testing"
  (cd "$tree" && ctest --output-on-failure -j 2 "$@") || status=1
  # Nothing of the run may linger.
  "$top/scripts/stop-wine.sh" "$tree/wine"
  "$top/scripts/xvfb.sh" stop "$tree/wine"
  echo "== $arch: built and tested in $(($(date +%s) - start)) s"
done
exit $status
