#!/bin/sh
# Installs what building, playing and testing need on Debian 12, when missing.
set -e
as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# clang builds the fuzzers; their runtime (libFuzzer) is in libclang-rt-14-dev,
# which clang only recommends.
packages="cmake g++ make g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools googletest \
  clang libclang-rt-14-dev dpkg-dev nasm \
  wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick fonts-liberation locales"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  if ! dpkg --print-foreign-architectures | grep -q i386; then
    as_root dpkg --add-architecture i386
  fi
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    $missing >/dev/null
fi

# Wine takes its ANSI code page from the locale: the test of double-byte
# names runs the game in Japanese (code page 932).
if ! locale -a 2>/dev/null | grep -qx 'ja_JP.utf8'; then
  echo "Generating the ja_JP.UTF-8 locale"
  as_root sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi

# The 64-bit game runs on every 64-bit host; the 32-bit one only where the
# kernel runs 32-bit programs.
if ! /usr/lib/wine/wine64 --version >/dev/null 2>&1 && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "Neither of Wine's loaders starts on this machine: the tests need /usr/lib/wine/wine64" \
    "(package wine64, on an x86-64 host) or /usr/lib/wine/wine (wine32:i386)." >&2
  exit 1
fi
