#!/bin/sh
# Configures and builds the Windows executable and the tests for one
# architecture (i686, the default, or x86_64) in its build tree.
#   build.sh [ARCH] [CMAKE OPTIONS...]
set -e
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUILTRA_BUILD_DIR:-$top/build}
. "$top/scripts/archs.sh"
arch=${1:-i686}
[ $# -gt 0 ] && shift
tree=$(quiltra_build_dir "$arch")
cmake -S "$top" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-$arch.cmake" \
  -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
cmake --build "$tree" -j "$(nproc)"
