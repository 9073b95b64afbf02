#!/bin/sh
# Installs what building, playing and testing need on Debian 12, when missing.
set -e
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# clang builds the fuzzers; their runtime (libFuzzer) is in libclang-rt-14-dev,
# which clang only recommends.
packages="cmake g++ make g++-mingw-w64-i686 mingw-w64-tools googletest \
  clang libclang-rt-14-dev dpkg-dev nasm \
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-liberation"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if ! dpkg --print-foreign-architectures | grep -q i386; then
  as_root dpkg --add-architecture i386
fi
as_root apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing \
  >/dev/null
