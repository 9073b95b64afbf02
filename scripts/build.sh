#!/bin/sh
# Configures and builds the Windows executable and the tests in build/.
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)"
